// merge: a geological file merged into the loaded records, then saved in the binary format, as
// the window's rotation commands followed by "Save as" do.

#include "cli/commands.h"
#include "cli/session.h"

namespace tesmor::cli {

int RunMerge(const LoadOptions& load, const MergeOptions& options, std::ostream&, std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;

    const auto mode
        = options.Match == 2 ? formats::GedMatchMode::Full : formats::GedMatchMode::FromLeft;
    const auto direction = options.Direction == 2 ? math::RotationMode::GeographicToSpecimen
                                                  : math::RotationMode::SpecimenToGeographic;
    auto merged = session.Data().MergeGeologicalFile(options.Ged, mode, direction);
    if (!merged) {
        session.Report(merged.error());
        return InputError;
    }
    if (*merged)
        session.Report(**merged);
    if (const model::Status failure = session.Data().SaveBinary(options.Output, false)) {
        session.Report(*failure);
        return InputError;
    }
    return Success;
}

} // namespace tesmor::cli
