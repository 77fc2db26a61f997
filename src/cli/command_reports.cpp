// The commands that print: records (JSON), stats (JSON) and list (the window's listing text).

#include "app/listing.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/session.h"

#include <utility>

namespace tesmor::cli {

int RunRecords(const LoadOptions& load, std::ostream& out, std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    WriteRecordsJson(out, session.Active());
    return Success;
}

int RunStats(const LoadOptions& load, const StatsOptions& options, std::ostream& out,
             std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    out << DumpJson(StatisticsJson(session.Statistics(), options.Curves));
    return Success;
}

namespace {

// The labels of the "Mean tensor (Tenvar statistics)" group in the order the panel fills them.
std::vector<std::pair<const char*, const std::string*>> LabelTexts(const app::StatisticsPanel& p)
{
    return {
        {"lblN", &p.N},           {"lblK1", &p.K1},         {"lblK2", &p.K2},
        {"lblK3", &p.K3},         {"lblK1d", &p.K1d},       {"lblK2d", &p.K2d},
        {"lblK3d", &p.K3d},       {"lblK1ca", &p.K1ca},     {"lblK2ca", &p.K2ca},
        {"lblK3ca", &p.K3ca},     {"lblKmmean", &p.Kmmean}, {"lblLmean", &p.Lmean},
        {"lblFmean", &p.Fmean},   {"lblPmean", &p.Pmean},   {"lblPJmean", &p.PJmean},
        {"lblTmean", &p.Tmean},   {"lblUmean", &p.Umean},   {"lblKmaver", &p.Kmaver},
        {"lblLaver", &p.Laver},   {"lblFAver", &p.FAver},   {"lblPaver", &p.Paver},
        {"lblPjaver", &p.Pjaver}, {"lblTaver", &p.Taver},   {"lblUaver", &p.Uaver},
        {"lblKmsd", &p.Kmsd},     {"lblLsd", &p.Lsd},       {"lblFsd", &p.Fsd},
        {"lblPsd", &p.Psd},       {"lblPJsd", &p.PJsd},     {"lblTsd", &p.Tsd},
        {"lblUsd", &p.Usd},
    };
}

} // namespace

// The record list (header row, then one row per active record) and the statistics panel, each
// label as its control name, a tab and its text; lblStatisticsInfo is empty while hidden.
int RunList(const LoadOptions& load, std::ostream& out, std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    const model::Records& active = session.Active();
    std::string text;
    for (const std::string& row : app::ListingRows(active)) {
        text += row;
        text += '\n';
    }
    const app::StatisticsPanel panel
        = app::MakeStatisticsPanel(static_cast<int>(active.size()), session.Statistics());
    for (const auto& [name, label] : LabelTexts(panel)) {
        text += name;
        text += '\t';
        text += *label;
        text += '\n';
    }
    text += "lblStatisticsInfo\t";
    if (panel.infoShown)
        text += app::NotEnoughRecordsText;
    text += '\n';
    out << text;
    return Success;
}

} // namespace tesmor::cli
