// The commands that print: records (JSON), stats (JSON) and list (the window's listing text).

#include "app/listing.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/session.h"

#include <random>

namespace tesmor::cli {

namespace {

constexpr const char* ParametricNeedsErrors
    = "The parametric bootstrap needs the standard error of every specimen; these records come "
      "without it (read MagIC specimens tables or s-files that give it).";

} // namespace

int RunRecords(const LoadOptions& load, std::ostream& out, std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    WriteRecordsJson(out, session.Data().Data.ActiveRecords);
    return Success;
}

int RunStats(const LoadOptions& load, const StatsOptions& options, std::ostream& out,
             std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    const app::DataSession& data = session.Data();
    const model::Records& active = data.Data.ActiveRecords;
    const auto projection = static_cast<math::Projection>(data.Projection);
    Json json = StatisticsJson(data.Statistics, options.Curves);
    if (options.Hext)
        json["Hext"] = HextJson(math::ComputeHext(active, projection));
    if (options.Bootstrap > 0) {
        if (options.Parametric && !math::AllHaveStandardErrors(active)) {
            err << ParametricNeedsErrors << "\n";
            return InputError;
        }
        math::BootstrapOptions bootstrap;
        bootstrap.Count = options.Bootstrap;
        bootstrap.Parametric = options.Parametric;
        bootstrap.Seed = options.Seed ? *options.Seed : std::random_device {}();
        bootstrap.Threads = data.Threads;
        json["Bootstrap"] = BootstrapJson(math::ComputeBootstrap(active, projection, bootstrap));
    }
    out << DumpJson(json);
    return Success;
}

// The record list (header row, then one row per active record) and the statistics panel, each
// label as its control name, a tab and its text; lblStatisticsInfo is empty while hidden.
int RunList(const LoadOptions& load, std::ostream& out, std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    const model::Records& active = session.Data().Data.ActiveRecords;
    const int n = static_cast<int>(active.size());
    std::string text;
    for (const std::string& row : app::ListingRows(active)) {
        text += row;
        text += '\n';
    }
    for (const app::StatisticsLabel& label : app::StatisticsLabels()) {
        text += label.Name;
        text += '\t';
        text += app::StatisticsText(label, n, session.Data().Statistics);
        text += '\n';
    }
    text += "lblStatisticsInfo\t";
    if (app::StatisticsInfoShown(n))
        text += app::NotEnoughRecordsText;
    text += '\n';
    out << text;
    return Success;
}

} // namespace tesmor::cli
