// merge: a geological file merged into the loaded records, then saved in the binary format, as
// the window's rotation commands followed by "Save as" do.

#include "cli/commands.h"
#include "cli/session.h"
#include "formats/ams_binary.h"
#include "formats/ged_merge.h"
#include "math/principal_axes.h"

namespace tesmor::cli {

int RunMerge(const LoadOptions& load, const MergeOptions& options, std::ostream&, std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;

    // The merge works on the loaded records; an empty or damaged geological file is refused
    // whole (the window passes over a line of the wrong length without a word, which would
    // leave the user believing the data were merged).
    model::Records& loaded = session.Loaded();
    const auto mode
        = options.Match == 2 ? formats::GedMatchMode::Full : formats::GedMatchMode::FromLeft;
    const auto direction = options.Direction == 2 ? math::RotationMode::GeographicToSpecimen
                                                  : math::RotationMode::SpecimenToGeographic;
    auto merged = formats::MergeGedFile(options.Ged, loaded, mode, direction);
    if (!merged) {
        session.Report(merged.error());
        return InputError;
    }
    if (merged->MissingReport)
        session.Report(*merged->MissingReport);

    // The per-record computation, then the working records (a copy of the loaded ones) are saved.
    math::ComputeRecordDerived(loaded);
    if (auto failure = formats::WriteAmsBinaryFile(options.Output, loaded, false)) {
        session.Report(*failure);
        return InputError;
    }
    return Success;
}

} // namespace tesmor::cli
