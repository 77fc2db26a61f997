// convert: the loaded records saved in the binary format, as "Save as" does in the window.

#include "cli/commands.h"
#include "cli/session.h"
#include "formats/ams_binary.h"

namespace tesmor::cli {

int RunConvert(const LoadOptions& load, const ConvertOptions& options, std::ostream&,
               std::ostream& err)
{
    Session session(err);
    if (const ExitStatus status = session.Open(load); status != Success)
        return status;
    // Saving writes the working records, which after opening equal the loaded records.
    if (auto failure = formats::WriteAmsBinaryFile(options.Output, session.Loaded(), false)) {
        session.Report(*failure);
        return InputError;
    }
    return Success;
}

} // namespace tesmor::cli
