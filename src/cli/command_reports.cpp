// The commands that print: records (JSON), stats (JSON) and list (the window's listing text).

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
    out << DumpJson(RecordsJson(session.State().Data.ActiveRecords));
    return Success;
}

int RunStats(const LoadOptions& load, const StatsOptions& options, std::ostream& out,
             std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    out << DumpJson(StatisticsJson(session.State().Statistics, options.Curves));
    return Success;
}

namespace {

// The labels of the "Mean tensor (Tenvar statistics)" group in the order the panel fills them.
std::vector<std::pair<const char*, const app::Label*>>
StatisticsLabels(const app::MainWindowControls& c)
{
    return {
        {"lblN", &c.lblN},           {"lblK1", &c.lblK1},         {"lblK2", &c.lblK2},
        {"lblK3", &c.lblK3},         {"lblK1d", &c.lblK1d},       {"lblK2d", &c.lblK2d},
        {"lblK3d", &c.lblK3d},       {"lblK1ca", &c.lblK1ca},     {"lblK2ca", &c.lblK2ca},
        {"lblK3ca", &c.lblK3ca},     {"lblKmmean", &c.lblKmmean}, {"lblLmean", &c.lblLmean},
        {"lblFmean", &c.lblFmean},   {"lblPmean", &c.lblPmean},   {"lblPJmean", &c.lblPJmean},
        {"lblTmean", &c.lblTmean},   {"lblUmean", &c.lblUmean},   {"lblKmaver", &c.lblKmaver},
        {"lblLaver", &c.lblLaver},   {"lblFAver", &c.lblFAver},   {"lblPaver", &c.lblPaver},
        {"lblPjaver", &c.lblPjaver}, {"lblTaver", &c.lblTaver},   {"lblUaver", &c.lblUaver},
        {"lblKmsd", &c.lblKmsd},     {"lblLsd", &c.lblLsd},       {"lblFsd", &c.lblFsd},
        {"lblPsd", &c.lblPsd},       {"lblPJsd", &c.lblPJsd},     {"lblTsd", &c.lblTsd},
        {"lblUsd", &c.lblUsd},
    };
}

} // namespace

int RunList(const LoadOptions& load, std::ostream& out, std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    const app::MainWindowControls& c = session.Browser().Controls();
    std::string text;
    for (const std::string& row : c.lstNames.rows) {
        text += row;
        text += '\n';
    }
    for (const auto& [name, label] : StatisticsLabels(c)) {
        text += name;
        text += '\t';
        text += label->text;
        text += '\n';
    }
    text += "lblStatisticsInfo\t";
    if (c.lblStatisticsInfo.visible)
        text += c.lblStatisticsInfo.text;
    text += '\n';
    out << text;
    return Success;
}

} // namespace tesmor::cli
