#pragma once

// One run's data set: the files read, completed and shown in one coordinate system by the same
// core calls as the window's opening sequence (the readers, ComputeRecordDerived, the structure
// type lists, TransformDataSet, ComputeGroupStatistics), without the window's listing and
// pictures, which only the commands that print or draw them produce.
//
// The records are held once: after opening, the window's working records are a copy of the
// loaded records, and in the specimen and geographic systems its active records are an
// unchanged copy of the working records. A batch run neither disregards nor rotates records in
// between, so one sequence serves as all three there; only the paleogeographic and tectonic
// systems build a separate, transformed sequence. At 32,765 records each copy costs about 20 MB.

#include "app/browser_state.h"
#include "cli/options.h"
#include "math/group_statistics.h"
#include "model/data_set.h"
#include "model/result.h"

#include <ostream>
#include <string>
#include <vector>

namespace tesmor::cli {

// The message as one block of text for a terminal: CR LF, CR CR LF and lone CR become line ends,
// trailing line ends are dropped.
std::string TerminalText(const std::string& text);

class Session
{
public:
    explicit Session(std::ostream& err);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens the files and shows them as asked. Problems are reported on the error stream:
    // a reader's message (InputError), a coordinate system the data do not offer (InputError),
    // files of unknown or mixed kinds or a letter that is not one character (UsageError).
    ExitStatus Open(const LoadOptions& options);

    // The records as read and completed (the loaded and working records).
    model::Records& Loaded() { return m_loaded; }
    const model::Records& Loaded() const { return m_loaded; }
    // The records in the chosen coordinate system.
    const model::Records& Active() const { return m_transformed ? m_active : m_loaded; }
    const math::GroupStatistics& Statistics() const { return m_statistics; }

    math::CoordinateSystem CoordSystem() const { return m_system; }
    math::Projection Projection() const { return m_projection; }
    const std::vector<app::StructureType>& FoliationTypes() const { return m_foliationTypes; }
    const std::vector<app::StructureType>& LineationTypes() const { return m_lineationTypes; }

    // Reports a message of the core on the error stream.
    void Report(const model::UserMessage& message);
    std::ostream& Err() { return m_err; }

private:
    bool readFiles(const std::vector<std::string>& paths, model::FileKind kind,
                   const formats::OrientationDefaults& defaults);
    ExitStatus choose(const LoadOptions& options);

    std::ostream& m_err;
    model::Records m_loaded;
    model::Records m_active;
    bool m_transformed = false;
    math::GroupStatistics m_statistics;
    math::CoordinateSystem m_system = math::CoordinateSystem::Geographic;
    math::Projection m_projection = math::Projection::EqualArea;
    std::vector<app::StructureType> m_foliationTypes;
    std::vector<app::StructureType> m_lineationTypes;
};

} // namespace tesmor::cli
