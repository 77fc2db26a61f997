// convert: the loaded records saved in the binary format, as "Save as" does in the window.

#include "cli/commands.h"
#include "cli/session.h"

namespace tesmor::cli {

int RunConvert(const LoadOptions& load, const ConvertOptions& options, std::ostream&,
               std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    if (const model::Status failure = session.Data().SaveBinary(options.Output, false)) {
        session.Report(*failure);
        return InputError;
    }
    if (const auto clashes = formats::CutNameClashes(session.Data().Data.WorkingRecords, false))
        session.Report(*clashes);
    return Success;
}

} // namespace tesmor::cli
