// export: tables, direction files, mean directions and pictures of the loaded data set.

#include "cli/commands.h"
#include "cli/session.h"
#include "formats/mean_record.h"
#include "formats/text_exports.h"
#include "model/file_io.h"
#include "model/number_text.h"
#include "plot/view_options.h"

namespace tesmor::cli {

namespace {

formats::DirectionFileOptions DirectionOptions(const ExportOptions& options)
{
    if (!options.DatFlagsGiven)
        return {}; // the window's initial display flags: the three principal axes
    const DatFlags& f = options.DatShown;
    return {f.K1, f.K2, f.K3, f.Poles, f.Circles, f.Lines};
}

plot::ViewOptions PictureOptions(const Session& s, const ExportOptions& options)
{
    plot::ViewOptions view;
    view.coordinateSystem = s.CoordSystem();
    view.projection = s.Projection();
    view.plot1Kind = options.Plot1;
    view.plot2Kind = options.Plot2;
    view.colourScheme = static_cast<plot::ColourScheme>(options.Scheme);
    const ShowFlags& f = options.Show;
    view.display
        = {f.Data, f.K1, f.K2, f.K3, f.Mean, f.Ellipses, f.Circles, f.Strikes, f.Poles, f.Lines};
    for (const app::StructureType& type : s.FoliationTypes())
        view.foliationTypes.push_back(type.Letter);
    for (const app::StructureType& type : s.LineationTypes())
        view.lineationTypes.push_back(type.Letter);
    return view;
}

// Writes every requested file in turn; the first failure is reported and ends the export. Each
// file is replaced only once complete, so a failure leaves it as it was.
ExitStatus WriteExports(Session& session, const ExportOptions& options,
                        const PictureWriter& pictures)
{
    const model::Records& working = session.Loaded();
    const model::Records& active = session.Active();
    const math::GroupStatistics& statistics = session.Statistics();
    const auto failed = [&session](const model::Status& status) {
        if (status)
            session.Report(*status);
        return status.has_value();
    };
    if (!options.Table.empty() && failed(formats::WriteAsciiTable(options.Table, working, false)))
        return InputError;
    if (!options.Dat.empty()
        && failed(
            formats::WriteDirectionFile(options.Dat, working, DirectionOptions(options), false)))
        return InputError;
    if (!options.Mean.empty()
        && failed(formats::AppendMeanListing(options.Mean, active, statistics,
                                             model::FileExists(options.Mean), options.Name)))
        return InputError;
    if (!options.MeanRecord.empty()
        && failed(formats::WriteMeanRecord(options.MeanRecord,
                                           model::FileExists(options.MeanRecord), options.Name,
                                           active, statistics)))
        return InputError;
    if (!options.Picture.empty()) {
        const plot::ViewData data {active, &statistics, PictureOptions(session, options)};
        if (failed(pictures(options.Picture, data, options.Title)))
            return InputError;
    }
    return Success;
}

} // namespace

bool IsPictureExtension(const std::string& path)
{
    const std::string ext = model::ToLower(path.size() >= 3 ? path.substr(path.size() - 3) : path);
    return ext == "wmf" || ext == "svg" || ext == "pdf" || ext == "png" || ext == "bmp";
}

int RunExport(const LoadOptions& load, const ExportOptions& options, const PictureWriter& pictures,
              std::ostream&, std::ostream& err)
{
    if (!options.Picture.empty() && !pictures)
        return NeedsPictureWriter;
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;

    // The mean tensor exists from five records on; nothing is written without it.
    const bool wantsMean = !options.Mean.empty() || !options.MeanRecord.empty();
    if (wantsMean && session.Active().size() < math::MinRecordsForTenvar) {
        session.Report(model::UserMessage {"Not enough records for Tenvar statistics"});
        return InputError;
    }
    return WriteExports(session, options, pictures);
}

} // namespace tesmor::cli
