// The commands that print: records (JSON), stats (JSON) and list (the window's listing text).

#include "app/listing.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/session.h"

namespace tesmor::cli {

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
    out << DumpJson(StatisticsJson(session.Data().Statistics, options.Curves));
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
