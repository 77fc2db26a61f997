#include "app/data_session.h"

#include "app/file_kinds.h"
#include "formats/exchange_formats.h"
#include "formats/mean_record.h"
#include "formats/text_exports.h"
#include "formats/text_import.h"
#include "math/coordinate_systems.h"
#include "math/principal_axes.h"
#include "model/codepage.h"
#include "model/file_io.h"
#include "model/number_text.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tesmor::app {

namespace {

using math::CoordinateSystem;

// Room for `count` records, backed by transparent huge pages where the system offers them on
// request. 32,765 records take about 20 MB; touching that many fresh 4 KB pages one by one
// costs more than all the computations of an opening on virtual machines (measured: 60 of
// 145 ms).
void reserveRecords(model::Records& records, std::size_t count)
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

// The number of specimen records that binary files will give, as their reader counts them
// (64-byte records less the header, rounded half to even); 0 for files that cannot be measured.
std::size_t expectedRecords(const std::vector<std::string>& paths)
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

// `to` becomes a copy of `from`, its elements assigned in place on `threads` threads.
void copyRecords(const model::Records& from, model::Records& to, int threads)
{
    to.resize(from.size());
    math::ParallelChunks(from.size(), threads, [&](std::size_t begin, std::size_t end) {
        std::copy(from.begin() + std::ptrdiff_t(begin), from.begin() + std::ptrdiff_t(end),
                  to.begin() + std::ptrdiff_t(begin));
    });
}

bool isRotatedSystem(CoordinateSystem system)
{
    return system == CoordinateSystem::Paleogeographic || system == CoordinateSystem::Tectonic;
}

// The letter of a selector entry (text in memory) as the records keep it.
char letterOf(const std::string& name)
{
    return model::Cp1252Letter(name, 0, math::NoLineation);
}

bool hasLetter(const std::vector<StructureType>& types, const std::string& letter)
{
    return IsOneLetter(letter)
        && std::any_of(types.begin(), types.end(),
                       [&](const StructureType& type) { return type.Letter == letterOf(letter); });
}

std::string lettersOf(const std::vector<StructureType>& types)
{
    std::string text;
    for (const StructureType& type : types) {
        if (!text.empty())
            text += ", ";
        text += model::LetterText(type.Letter);
    }
    return text;
}

} // namespace

bool DataSession::ReadFiles(const std::vector<std::string>& paths, model::FileKind kind,
                            const formats::OrientationDefaults& defaults, const MessageSink& report)
{
    model::Records loaded;
    OnlySystem.reset();
    bool ok = HasReader(kind) && !paths.empty();
    if (ok && IsBinaryKind(kind))
        reserveRecords(loaded, expectedRecords(paths));
    for (const std::string& path : paths) {
        if (!ok)
            break;
        const int start = static_cast<int>(loaded.size()) + 1;
        auto import = IsBinaryKind(kind)
            ? formats::ReadAmsBinaryFile(path, loaded, start, defaults, Threads)
            : formats::ReadTextDataFile(path, kind, loaded, start, defaults);
        if (!import)
            report(import.error());
        else if (import->Notice)
            report(*import->Notice);
        ok = import.ok();
        if (ok && import->System && start > 1 && OnlySystem != import->System) {
            report(model::InputError("File  " + path + "  holds tensors in "
                                     + std::string(CoordinateSystemName(*import->System))
                                     + " coordinates, unlike the files before it: they cannot "
                                       "be opened together."));
            ok = false;
        }
        if (ok && start == 1)
            OnlySystem = import->System;
    }
    if (ok && loaded.empty()) {
        // Readers refuse empty files; a data set without a record is never shown.
        report(formats::EmptyFileMessage(paths.front()));
        ok = false;
    }
    Data.LoadedRecords = ok ? std::move(loaded) : model::Records {};
    return ok;
}

OpenMode DataSession::CompleteRecords()
{
    math::ComputeRecordDerived(Data.LoadedRecords, Threads);
    copyRecords(Data.LoadedRecords, Data.WorkingRecords, Threads);
    Data.ActiveRecords.clear();
    FoliationTypes.clear();
    LineationTypes.clear();
    if (!Oriented()) {
        CoordSystem = CoordinateSystem::Specimen;
        return OpenMode::NoOrientation;
    }
    if (OnlySystem == CoordinateSystem::Paleogeographic) {
        CoordSystem = CoordinateSystem::Paleogeographic;
        FoliationName = LineationName = "0";
        PaleoReference = math::PaleoReference::Horizontal;
        return OpenMode::TiltCorrectedOnly;
    }
    if (CoordSystem == CoordinateSystem::Specimen)
        CoordSystem = CoordinateSystem::Geographic;
    FoliationTypes = FoliationTypesOf(Data.WorkingRecords);
    LineationTypes = LineationTypesOf(Data.WorkingRecords);
    if (FoliationTypes.empty()) {
        CoordSystem = CoordinateSystem::Geographic;
        return OpenMode::NoFoliation;
    }
    if (isRotatedSystem(CoordSystem)) {
        FoliationName = model::LetterText(FoliationTypes.front().Letter);
        LineationName = "0";
    }
    return OpenMode::WithFoliation;
}

std::optional<OpenMode> DataSession::Open(const std::vector<std::string>& paths,
                                          model::FileKind kind,
                                          const formats::OrientationDefaults& defaults,
                                          const MessageSink& report)
{
    if (!ReadFiles(paths, kind, defaults, report))
        return std::nullopt;
    const OpenMode mode = CompleteRecords();
    Transform(CurrentSystem());
    ComputeStatistics();
    return mode;
}

SystemChoice DataSession::CurrentSystem() const
{
    if (!isRotatedSystem(CoordSystem))
        return {CoordSystem, "0", "0", math::PaleoReference::Horizontal};
    return {CoordSystem, FoliationName, LineationName, PaleoReference};
}

void DataSession::Transform(const SystemChoice& choice)
{
    // Tensors already in tilt-corrected coordinates are shown as they are.
    const CoordinateSystem system = OnlySystem == CoordinateSystem::Paleogeographic
        ? CoordinateSystem::Geographic
        : choice.System;
    if (isRotatedSystem(system))
        reserveRecords(Data.ActiveRecords, Data.WorkingRecords.size());
    math::TransformDataSet(Data.WorkingRecords, system, letterOf(choice.Foliation),
                           letterOf(choice.Lineation), choice.Reference, Data.ActiveRecords,
                           Threads);
}

void DataSession::ComputeStatistics()
{
    const math::Projection projection
        = Projection == 1 ? math::Projection::EqualAngle : math::Projection::EqualArea;
    math::ComputeGroupStatistics(Data.ActiveRecords, projection, Statistics, Threads);
    ComputeRegion(Data.ActiveRecords, projection, Region, BootstrapSeed, Threads,
                  WindowBootstrapMostRecords, Regions);
}

bool DataSession::Oriented() const
{
    return !Data.WorkingRecords.empty() && Data.WorkingRecords.front().Code1 != "SS";
}

model::Status DataSession::Show(const SystemChoice& choice)
{
    const std::string name(CoordinateSystemName(choice.System));
    if (OnlySystem == CoordinateSystem::Paleogeographic) {
        if (choice.System != CoordinateSystem::Paleogeographic)
            return model::UserMessage {"The data set holds tensors in tilt-corrected "
                                       "coordinates: it can be shown only in the "
                                       "paleogeographic coordinate system."};
        Transform(CurrentSystem());
        ComputeStatistics();
        return std::nullopt;
    }
    if (!Oriented() && choice.System != CoordinateSystem::Specimen)
        return model::UserMessage {"The data set has no orientation data: it can be shown only "
                                   "in the specimen coordinate system."};
    if (Oriented() && choice.System == CoordinateSystem::Specimen)
        return model::UserMessage {
            "The data set holds oriented data: the specimen coordinate system is offered only "
            "for data sets without orientation (merge a geological file from geographic to "
            "specimen coordinates to rotate it)."};
    if (isRotatedSystem(choice.System)) {
        if (FoliationTypes.empty())
            return model::UserMessage {"The data set has no foliation: the " + name
                                       + " coordinate system needs one."};
        if (!hasLetter(FoliationTypes, choice.Foliation))
            return model::UserMessage {"The foliation \"" + choice.Foliation
                                       + "\" is not in the data set; its foliation letters are "
                                       + lettersOf(FoliationTypes) + "."};
        if (choice.Lineation != "0" && !hasLetter(LineationTypes, choice.Lineation)) {
            const std::string letters
                = LineationTypes.empty() ? std::string("none") : lettersOf(LineationTypes);
            return model::UserMessage {"The lineation \"" + choice.Lineation
                                       + "\" is not in the data set; its lineation letters are "
                                       + letters + " (\"0\" for none)."};
        }
    }
    CoordSystem = choice.System;
    if (isRotatedSystem(choice.System)) {
        FoliationName = choice.Foliation;
        LineationName = choice.Lineation;
        PaleoReference = choice.Reference;
    }
    Transform(CurrentSystem());
    ComputeStatistics();
    return std::nullopt;
}

model::Result<std::optional<model::UserMessage>>
DataSession::MergeGeologicalFile(const std::string& path, formats::GedMatchMode mode,
                                 math::RotationMode direction)
{
    if (OnlySystem == CoordinateSystem::Paleogeographic)
        return model::UserMessage {"The data set holds tensors in tilt-corrected coordinates: "
                                   "they cannot be turned with a geological file."};
    auto merged = formats::MergeGedFile(path, Data.LoadedRecords, mode, direction);
    if (!merged)
        return merged.error();
    OnlySystem.reset();
    math::ComputeRecordDerived(Data.LoadedRecords, Threads);
    copyRecords(Data.LoadedRecords, Data.WorkingRecords, Threads);
    Data.ActiveRecords.clear();
    if (direction == math::RotationMode::SpecimenToGeographic) {
        CoordSystem = CoordinateSystem::Geographic;
        FoliationTypes = FoliationTypesOf(Data.WorkingRecords);
        LineationTypes = LineationTypesOf(Data.WorkingRecords);
    } else {
        CoordSystem = CoordinateSystem::Specimen;
    }
    Transform(CurrentSystem());
    ComputeStatistics();
    return merged->MissingReport;
}

namespace {

// One flag per Index value 0 .. the largest Index of `records`, set for the selected records.
std::vector<bool> selectedIndices(const model::Records& records)
{
    int largest = 0;
    for (const model::SpecimenRecord& r : records)
        largest = std::max<int>(largest, r.Index);
    std::vector<bool> selected(static_cast<std::size_t>(largest) + 1, false);
    for (const model::SpecimenRecord& r : records)
        if (r.Selected && r.Index >= 0)
            selected[static_cast<std::size_t>(r.Index)] = true;
    return selected;
}

bool flagged(const std::vector<bool>& flags, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < flags.size()
        && flags[static_cast<std::size_t>(index)];
}

} // namespace

void DataSession::SelectActive(const std::vector<bool>& selected)
{
    model::Records& active = Data.ActiveRecords;
    for (std::size_t i = 0; i < active.size(); ++i)
        active[i].Selected = i < selected.size() && selected[i];
    SyncSelection();
}

void DataSession::SyncSelection()
{
    const std::vector<bool> selected = selectedIndices(Data.ActiveRecords);
    for (model::SpecimenRecord& r : Data.WorkingRecords)
        r.Selected = flagged(selected, r.Index);
}

void DataSession::ClearSelection()
{
    for (model::Records* records : {&Data.ActiveRecords, &Data.WorkingRecords})
        for (model::SpecimenRecord& r : *records)
            r.Selected = false;
}

bool DataSession::AnySelected() const
{
    return std::any_of(Data.WorkingRecords.begin(), Data.WorkingRecords.end(),
                       [](const model::SpecimenRecord& r) { return r.Selected; });
}

void DataSession::InvertSelection()
{
    for (model::Records* records : {&Data.ActiveRecords, &Data.WorkingRecords})
        for (model::SpecimenRecord& r : *records)
            r.Selected = !r.Selected;
}

bool DataSession::DisregardSelected()
{
    model::Records& active = Data.ActiveRecords;
    const auto selected = static_cast<std::size_t>(std::count_if(
        active.begin(), active.end(), [](const model::SpecimenRecord& r) { return r.Selected; }));
    if (selected >= active.size())
        return false;
    const std::vector<bool> removed = selectedIndices(active);
    std::erase_if(active, [](const model::SpecimenRecord& r) { return r.Selected; });
    std::erase_if(Data.WorkingRecords,
                  [&](const model::SpecimenRecord& r) { return flagged(removed, r.Index); });
    ComputeStatistics();
    return true;
}

void DataSession::RestoreAll()
{
    copyRecords(Data.LoadedRecords, Data.WorkingRecords, Threads);
}

model::Status DataSession::SaveBinary(const std::string& path, bool selectedOnly) const
{
    return formats::WriteAmsBinaryFile(path, Data.WorkingRecords, selectedOnly);
}

model::Status DataSession::SaveRecords(const std::string& path, RecordFormat format,
                                       bool selectedOnly) const
{
    const model::Records& working = Data.WorkingRecords;
    if (selectedOnly && !AnySelected())
        return NoRecordSelectedMessage();
    switch (format) {
    case RecordFormat::AmsBinary:
        return SaveBinary(path, selectedOnly);
    case RecordFormat::AsciiTable:
        return formats::WriteAsciiTable(path, working, selectedOnly);
    case RecordFormat::DirectionFile:
        return formats::WriteDirectionFile(path, working, Display, selectedOnly);
    case RecordFormat::MagicTable: {
        const std::optional<int> code = formats::TiltCorrectionCode(CoordSystem);
        if (!code
            || (CoordSystem == CoordinateSystem::Paleogeographic
                && PaleoReference != math::PaleoReference::Horizontal))
            return model::OutputError("A MagIC table holds specimen, geographic or "
                                      "tilt-corrected coordinates: show the records in the "
                                      "specimen, geographic or paleogeographic system with the "
                                      "paleohorizontal reference to write one.");
        return formats::WriteMagicTable(path, Data.ActiveRecords, *code, selectedOnly);
    }
    case RecordFormat::SFile:
        return formats::WriteSFile(path, Data.ActiveRecords, selectedOnly);
    }
    return std::nullopt;
}

model::Status DataSession::SaveMeanTensor(const std::string& path, RecordFormat format,
                                          const std::string& name) const
{
    for (const std::string& open : Data.FileNames) {
        std::error_code ec;
        if (std::filesystem::equivalent(open, path, ec))
            return model::UserMessage {"The mean tensor was not added to  " + path
                                           + "  : it is a file of the open data set.",
                                       "Save Mean directions", model::MessageIcon::Exclamation};
    }
    const bool exists = model::FileExists(path);
    switch (format) {
    case RecordFormat::AmsBinary:
        return formats::WriteMeanRecord(path, exists, name, Data.ActiveRecords, Statistics);
    case RecordFormat::AsciiTable:
        return formats::AppendMeanListing(path, Data.ActiveRecords, Statistics, exists, name);
    case RecordFormat::DirectionFile:
    case RecordFormat::MagicTable:
    case RecordFormat::SFile:
        break;
    }
    return std::nullopt;
}

model::UserMessage NoRecordSelectedMessage()
{
    return {"No record is selected: nothing was saved.", "Save selected records as",
            model::MessageIcon::Exclamation};
}

plot::ViewOptions DataSession::ViewOptions() const
{
    plot::ViewOptions options;
    options.coordinateSystem = CoordSystem;
    options.projection = static_cast<math::Projection>(Projection);
    options.plot1Kind = Plot1Kind;
    options.plot2Kind = Plot2Kind;
    options.colourScheme = static_cast<plot::ColourScheme>(ColourScheme);
    options.symbolSize = SymbolSize;
    options.display = Display;
    options.regionChosen = Region != ConfidenceRegion::Tenvar;
    options.regionCurves = RegionCurves(Regions);
    for (const StructureType& type : FoliationTypes)
        options.foliationTypes.push_back(type.Letter);
    for (const StructureType& type : LineationTypes)
        options.lineationTypes.push_back(type.Letter);
    return options;
}

plot::ViewData DataSession::ViewData() const
{
    return {Data.ActiveRecords, &Statistics, ViewOptions()};
}

bool IsOneLetter(const std::string& text)
{
    return !text.empty() && model::LetterText(model::Cp1252Letter(text, 0, '?')) == text;
}

std::string_view CoordinateSystemName(CoordinateSystem system)
{
    switch (system) {
    case CoordinateSystem::Specimen:
        return "specimen";
    case CoordinateSystem::Geographic:
        return "geographic";
    case CoordinateSystem::Paleogeographic:
        return "paleogeographic";
    case CoordinateSystem::Tectonic:
        return "tectonic";
    }
    return "";
}

std::optional<CoordinateSystem> ParseCoordinateSystem(std::string_view text)
{
    for (auto system : {CoordinateSystem::Specimen, CoordinateSystem::Geographic,
                        CoordinateSystem::Paleogeographic, CoordinateSystem::Tectonic})
        if (text == CoordinateSystemName(system))
            return system;
    return std::nullopt;
}

} // namespace tesmor::app
