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

model::DisplayOptions DirectionOptions(const ExportOptions& options)
{
    return options.DatFlagsGiven ? options.DatShown : model::DisplayOptions {};
}

// Writes every requested file in turn; the first failure is reported and ends the export. Each
// file is replaced only once complete, so a failure leaves it as it was.
ExitStatus WriteExports(Session& session, const ExportOptions& options,
                        const PictureWriter& pictures)
{
    app::DataSession& data = session.Data();
    const model::Records& working = data.Data.WorkingRecords;
    const model::Records& active = data.Data.ActiveRecords;
    const math::GroupStatistics& statistics = data.Statistics;
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
    if (!options.Magic.empty()
        && failed(data.SaveRecords(options.Magic, app::RecordFormat::MagicTable, false)))
        return InputError;
    if (!options.SFile.empty()
        && failed(data.SaveRecords(options.SFile, app::RecordFormat::SFile, false)))
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
        data.Plot1Kind = static_cast<std::int16_t>(options.Plot1);
        data.Plot2Kind = static_cast<std::int16_t>(options.Plot2);
        data.ColourScheme = static_cast<std::int16_t>(options.Scheme);
        data.Display = options.Show;
        if (options.Region != 1 || options.Seed) {
            data.Region = static_cast<app::ConfidenceRegion>(options.Region);
            data.BootstrapSeed = options.Seed.value_or(data.BootstrapSeed);
            data.ComputeStatistics();
        }
        if (failed(pictures(options.Picture, data.ViewData(), options.Title)))
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
    if (wantsMean && session.Data().Data.ActiveRecords.size() < math::MinRecordsForTenvar) {
        session.Report(model::UserMessage {"Not enough records for Tenvar statistics"});
        return InputError;
    }
    return WriteExports(session, options, pictures);
}

} // namespace tesmor::cli
