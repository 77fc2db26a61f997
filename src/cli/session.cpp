#include "cli/session.h"

#include "app/structure_types.h"
#include "formats/ams_binary.h"
#include "formats/text_import.h"
#include "math/coordinate_systems.h"
#include "math/principal_axes.h"
#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tesmor::cli {

std::string TerminalText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r') {
            out += c;
            continue;
        }
        // A run of CR ends one line, and swallows the LF that ends it.
        while (i + 1 < text.size() && text[i + 1] == '\r')
            ++i;
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out += '\n';
    }
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

namespace {

// Room for `count` records, backed by transparent huge pages where the system offers them on
// request. 32,765 records take about 20 MB; touching that many fresh 4 KB pages one by one
// costs more than all the computations of a run on virtual machines (measured: 60 of 145 ms).
void ReserveRecords(model::Records& records, std::size_t count)
{
    records.reserve(count);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t page = 4096;
    const auto begin = reinterpret_cast<std::uintptr_t>(records.data());
    const std::uintptr_t end = begin + records.capacity() * sizeof(model::SpecimenRecord);
    const std::uintptr_t first = (begin + page - 1) & ~(page - 1);
    if (end > first + page)
        (void)madvise(reinterpret_cast<void*>(first), (end - first) & ~(page - 1), MADV_HUGEPAGE);
#endif
}

// The number of specimen records that the binary files will give, as their readers count them
// (64-byte records less the header, rounded half to even); 0 for files that cannot be measured.
std::size_t ExpectedRecords(const std::vector<std::string>& paths)
{
    double total = 0;
    for (const std::string& path : paths) {
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        if (!ec)
            total += std::max(0.0, model::RoundHalfEven(static_cast<double>(size) / 64) - 1);
    }
    return static_cast<std::size_t>(std::min<double>(total, model::MaxLoadedRecords));
}

} // namespace

Session::Session(std::ostream& err)
    : m_err(err)
{
}

void Session::Report(const model::UserMessage& message)
{
    m_err << TerminalText(message.text) << '\n';
}

ExitStatus Session::Open(const LoadOptions& options)
{
    const KindChoice kind = KindOfFiles(options.Files);
    if (!kind.Problem.empty()) {
        m_err << kind.Problem << '\n';
        return UsageError;
    }
    if ((options.Foliation && options.Foliation->size() != 1) || options.Lineation.size() != 1) {
        m_err << "A structure type is one letter (the lineation \"0\" for none).\n";
        return UsageError;
    }
    if (!readFiles(options.Files, kind.Kind, options.Defaults))
        return InputError;
    math::ComputeRecordDerived(m_loaded);
    m_projection = options.Projection;
    return choose(options);
}

// Reads every file in turn into one sequence, as opening several files of one kind does. A
// reader's error abandons the whole opening; a notice about a shortened file is shown and its
// complete records are kept.
bool Session::readFiles(const std::vector<std::string>& paths, model::FileKind kind,
                        const formats::OrientationDefaults& defaults)
{
    const bool binary = kind >= model::FileKind::BinaryAll && kind <= model::FileKind::Para;
    if (binary)
        ReserveRecords(m_loaded, ExpectedRecords(paths));
    for (const std::string& path : paths) {
        const int start = static_cast<int>(m_loaded.size()) + 1;
        auto import = binary ? formats::ReadAmsBinaryFile(path, m_loaded, start, defaults)
                             : formats::ReadTextDataFile(path, kind, m_loaded, start, defaults);
        if (!import) {
            Report(import.error());
            return false;
        }
        if (import->Notice)
            Report(*import->Notice);
    }
    if (m_loaded.empty()) {
        Report(formats::EmptyFileMessage(paths.front()));
        return false;
    }
    return true;
}

// Opening chooses the specimen system for a set without orientation data (its first record's
// group 1 is "SS") and the geographic system otherwise. Another system is taken only where the
// window offers it: the paleogeographic and tectonic systems need a foliation.
ExitStatus Session::choose(const LoadOptions& options)
{
    using math::CoordinateSystem;
    const bool oriented = m_loaded.front().Code1 != "SS";
    const CoordinateSystem opened
        = oriented ? CoordinateSystem::Geographic : CoordinateSystem::Specimen;
    if (oriented) {
        m_foliationTypes = app::FoliationTypesOf(m_loaded);
        m_lineationTypes = app::LineationTypesOf(m_loaded);
    }
    m_system = options.Coord.value_or(opened);

    if (m_system != opened && !oriented) {
        m_err << "The data set has no orientation data: it can be shown only in the specimen "
                 "coordinate system.\n";
        return InputError;
    }
    if (m_system == CoordinateSystem::Specimen && oriented) {
        m_err << "The data set holds oriented data: the specimen coordinate system is offered "
                 "only for data sets without orientation (merge with --direction geo-to-spec "
                 "to rotate it).\n";
        return InputError;
    }
    const bool derived
        = m_system == CoordinateSystem::Paleogeographic || m_system == CoordinateSystem::Tectonic;
    if (derived && !options.Foliation && m_foliationTypes.empty()) {
        m_err << "The data set has no foliation: the " << CoordinateSystemName(m_system)
              << " coordinate system needs one.\n";
        return InputError;
    }

    if (derived) {
        const char foliation
            = options.Foliation ? options.Foliation->front() : m_foliationTypes.front().Letter;
        const auto reference = options.PaleoVertical ? math::PaleoReference::Vertical
                                                     : math::PaleoReference::Horizontal;
        ReserveRecords(m_active, m_loaded.size());
        math::TransformDataSet(m_loaded, m_system, foliation, options.Lineation.front(), reference,
                               m_active);
        m_transformed = true;
    }
    math::ComputeGroupStatistics(Active(), m_projection, m_statistics);
    return Success;
}

} // namespace tesmor::cli
