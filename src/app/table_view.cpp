#include "app/table_view.h"

#include "app/cell_text.h"
#include "app/file_kinds.h"
#include "formats/ams_binary.h"
#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tesmor::app {

const std::array<const char*, TableView::Columns + 1> TableView::ColumnTitles
    = {"#",   "Name", "Mean", "Norm", "K11", "K22", "K33", "K12", "K23", "K13",
       "Co1", "F1d",  "F1i",  "L1d",  "L1i", "Co2", "F2d", "F2i", "L2d", "L2i"};

namespace {

enum Column {
    ColName = 1,
    ColMean = 2,
    ColNorm = 3,
    ColK11 = 4, // K11, K22, K33, K12, K23, K13 up to column 9
    ColCode1 = 10,
    ColF1d = 11, // F1d, F1i, L1d, L1i up to column 14
    ColCode2 = 15,
    ColF2d = 16, // F2d, F2i, L2d, L2i up to column 19
};

constexpr const char* AngleExpected = "an angle from -32768 to 32767";

bool IsAngleColumn(int column)
{
    return (column >= ColF1d && column < ColCode2) || column >= ColF2d;
}

using Record = model::SpecimenRecord;

// The float field of each number column; the plane columns name the dip direction.
constexpr std::array<float Record::*, TableView::Columns + 1> NumberFields
    = {nullptr,      nullptr,        &Record::FieldCode, &Record::NormFactor, &Record::K11,
       &Record::K22, &Record::K33,   &Record::K12,       &Record::K23,        &Record::K13,
       nullptr,      &Record::F1Dec, &Record::F1Inc,     &Record::L1Dec,      &Record::L1Inc,
       nullptr,      &Record::F2Dec, &Record::F2Inc,     &Record::L2Dec,      &Record::L2Inc};

// A number cell of a record. A plane column shows what the file stores: the strike when the
// record's planes are given by strike.
float NumberOf(const Record& r, int column)
{
    if (r.P4 == 90 && (column == ColF1d || column == ColF2d))
        return column == ColF1d ? r.F1Strike : r.F2Strike;
    return r.*NumberFields[static_cast<std::size_t>(column)];
}

// Stores a number column into the record. A plane gets the value as both dip direction and
// strike, so that the file receives it unchanged whichever convention its header names.
void SetNumber(Record& r, int column, float value)
{
    r.*NumberFields[static_cast<std::size_t>(column)] = value;
    if (column == ColF1d)
        r.F1Strike = value;
    if (column == ColF2d)
        r.F2Strike = value;
}

// The folder of a chosen path, with its separator, and the name after it.
std::pair<std::string, std::string> SplitPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

} // namespace

TableView::TableView(BrowserState& state, UserInterface& ui)
    : m_state(state)
    , m_ui(ui)
    , m_records(state.Data.LoadedRecords)
    , m_order(m_records.size())
    , m_deleted(m_records.size(), false)
{
    m_state.Cancelled = true;
    std::iota(m_order.begin(), m_order.end(), 0);
    m_rows = m_order;
    if (!m_records.empty())
        m_header = HeaderTextsOf<HeaderTexts>(m_records.front());
}

std::string TableView::recordCell(const model::SpecimenRecord& r, int column) const
{
    switch (column) {
    case ColName:
        return r.Name;
    case ColCode1:
        return r.Code1;
    case ColCode2:
        return r.Code2;
    default:
        return model::ShortestText(NumberOf(r, column));
    }
}

std::string TableView::Cell(int row, int column) const
{
    if (row < 1 || row > RowCount() || column < 1 || column > Columns)
        return {};
    const int source = m_rows[static_cast<std::size_t>(row - 1)];
    if (const auto edit = m_edits.find({source, column}); edit != m_edits.end())
        return edit->second;
    return recordCell(m_records[static_cast<std::size_t>(source)], column);
}

bool TableView::SetCell(int row, int column, std::string text)
{
    if (row < 1 || row > RowCount() || column < 1 || column > Columns || Cell(row, column) == text)
        return false;
    const int source = m_rows[static_cast<std::size_t>(row - 1)];
    // Typing a record's own text back makes the cell its record's value again.
    if (text == recordCell(m_records[static_cast<std::size_t>(source)], column))
        m_edits.erase({source, column});
    else
        m_edits[{source, column}] = std::move(text);
    m_modified = true;
    return true;
}

void TableView::SetHeader(HeaderField field, std::string text)
{
    std::string& held = m_header[static_cast<std::size_t>(field)];
    if (held == text)
        return;
    held = std::move(text);
    m_modified = true;
}

model::Status TableView::SaveTable(const std::string& path) const
{
    model::SpecimenRecord header;
    const std::array<std::string*, 7> texts
        = {&header.Site,  &header.Lat,   &header.Lon,   &header.Rock,
           &header.Strat, &header.Litho, &header.Region};
    for (std::size_t i = 0; i < texts.size(); ++i)
        *texts[i] = m_header[i];
    const std::array<std::int16_t*, 4> parameters
        = {&header.P1, &header.P2, &header.P3, &header.P4};
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const std::string& text = m_header[static_cast<std::size_t>(HeaderField::P1) + i];
        const auto value = CellNumber(text);
        if (!value || *value != std::floor(*value) || std::fabs(*value) > 999)
            return model::InputError("Orientation parameter P" + std::to_string(i + 1) + ": \""
                                     + text + "\" is not a whole number.");
        *parameters[i] = static_cast<std::int16_t>(*value);
    }

    model::Records records;
    records.reserve(m_rows.size());
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const int source = m_rows[row];
        model::SpecimenRecord r = m_records[static_cast<std::size_t>(source)];
        // Unedited cells keep their record's values exactly; planes are taken as stored.
        for (int column : {ColF1d, ColF2d})
            SetNumber(r, column, NumberOf(r, column));
        for (auto edit = m_edits.lower_bound({source, 0});
             edit != m_edits.end() && edit->first.first == source; ++edit) {
            const int column = edit->first.second;
            const std::string& text = edit->second;
            if (column == ColName) {
                r.Name = text;
            } else if (column == ColCode1 || column == ColCode2) {
                (column == ColCode1 ? r.Code1 : r.Code2) = text.empty() ? "00" : text;
            } else if (IsAngleColumn(column)) {
                const auto value = CellInt16(text);
                if (!value)
                    return model::InputError(CellErrorMessage(
                        static_cast<int>(row) + 1, ColumnTitles[column], text, AngleExpected));
                SetNumber(r, column, *value);
            } else {
                const auto value = CellFloat(text);
                if (!value)
                    return model::InputError(CellErrorMessage(
                        static_cast<int>(row) + 1, ColumnTitles[column], text, "a number"));
                SetNumber(r, column, *value);
            }
        }
        records.push_back(std::move(r));
    }
    if (records.empty())
        return model::InputError("There is no record to save.");
    // The header of the file comes from its first record.
    model::SpecimenRecord& first = records.front();
    first.Site = header.Site;
    first.Lat = header.Lat;
    first.Lon = header.Lon;
    first.Rock = header.Rock;
    first.Strat = header.Strat;
    first.Litho = header.Litho;
    first.Region = header.Region;
    first.P1 = header.P1;
    first.P2 = header.P2;
    first.P3 = header.P3;
    first.P4 = header.P4;
    return formats::WriteAmsBinaryFile(path, records, false);
}

// The measuring field of a record for sorting: from its Mean and Norm cells when they were
// edited into numbers, else the field read with the record.
float TableView::fieldOfRow(int source) const
{
    const model::SpecimenRecord& r = m_records[static_cast<std::size_t>(source)];
    const auto mean = m_edits.find({source, ColMean});
    const auto norm = m_edits.find({source, ColNorm});
    if (mean == m_edits.end() && norm == m_edits.end())
        return r.Field;
    const auto A = mean == m_edits.end() ? r.FieldCode : CellFloat(mean->second);
    const auto B = norm == m_edits.end() ? r.NormFactor : CellFloat(norm->second);
    if (!A || !B)
        return r.Field;
    model::SpecimenRecord derived;
    formats::DeriveInstrument(derived, *A, *B, r.Instrument == "VX6");
    return derived.Field;
}

// Sorts the loaded records of the data set (deleted rows among them) ascending by name or by
// field, equal keys keeping their order, and the grid with them. Typed cells move with their
// rows and count as what the row holds: a renamed specimen sorts by its new name.
void TableView::sort(bool byName)
{
    const std::size_t n = m_records.size();
    std::vector<std::string> names;
    std::vector<float> fields;
    if (byName) {
        names.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            const auto edit = m_edits.find({static_cast<int>(i), ColName});
            names[i] = edit != m_edits.end() ? edit->second : m_records[i].Name;
        }
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            return names[static_cast<std::size_t>(a)] < names[static_cast<std::size_t>(b)];
        });
    } else {
        fields.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            fields[i] = fieldOfRow(static_cast<int>(i));
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            return fields[static_cast<std::size_t>(a)] < fields[static_cast<std::size_t>(b)];
        });
    }
    m_rows.clear();
    for (int source : m_order)
        if (!m_deleted[static_cast<std::size_t>(source)])
            m_rows.push_back(source);

    model::Records& loaded = m_state.Data.LoadedRecords;
    if (loaded.size() == n) {
        for (std::size_t i = 0; i < n; ++i) {
            loaded[i] = m_records[static_cast<std::size_t>(m_order[i])];
            loaded[i].Index = static_cast<std::int16_t>(i + 1);
        }
    }
    m_modified = true;
}

void TableView::cmdSortName_Click()
{
    sort(true);
}

void TableView::cmdSortField_Click()
{
    sort(false);
}

void TableView::cmdGEDDelete_Click(int row)
{
    if (row < 1 || row > RowCount())
        return;
    if (RowCount() == 1) {
        m_ui.ShowMessage(
            {"You cannot delete all records!", "Delete error", model::MessageIcon::Exclamation});
        return;
    }
    const auto at = m_rows.begin() + (row - 1);
    m_deleted[static_cast<std::size_t>(*at)] = true;
    m_rows.erase(at);
    m_modified = true;
}

bool TableView::saveTo(const std::string& path)
{
    if (const model::Status failure = SaveTable(path)) {
        m_ui.ShowMessage(*failure);
        return false;
    }
    m_state.FilesToOpen = {path};
    return true;
}

bool TableView::saveWithDialog(const char* title)
{
    BrowserState& s = m_state;
    const FileDialogAnswer answer = m_ui.SaveFileDialog(
        SaveDialogRequest(title, s.DataFolder, s.BaseName, "Varkel AMS format (*.ran)|*.ran"));
    if (answer.path.empty() || !saveTo(answer.path))
        return false;
    const auto [folder, name] = SplitPath(answer.path);
    s.DataFolder = folder;
    s.BaseName = name.size() > 4 ? name.substr(0, name.size() - 4) : "";
    return true;
}

bool TableView::cmdSave_Click()
{
    BrowserState& s = m_state;
    if (!s.BaseName.empty() && IsBinaryKind(s.FileKind)) {
        // The file that is open, even when a text export has since moved the data folder.
        const std::string path
            = s.Data.FileNames.size() == 1 ? s.Data.FileNames.front() : s.DataFolder + s.FileName;
        if (!m_ui.AskOkCancel({"Overwrite existing  <<" + path + ">> file?", "File already exists",
                               model::MessageIcon::Question})
            || !saveTo(path))
            return false;
    } else if (!saveWithDialog("Save")) {
        return false;
    }
    s.FileKind = model::FileKind::BinaryAll;
    s.Cancelled = false;
    return true;
}

bool TableView::cmdSaveAs_Click()
{
    if (!saveWithDialog("Save As"))
        return false;
    m_state.FileKind = model::FileKind::BinaryAll;
    m_state.Cancelled = false;
    return true;
}

bool TableView::cmdClose_Click()
{
    m_state.Cancelled = true;
    return true;
}

bool TableView::QueryClose()
{
    if (!m_modified)
        return cmdClose_Click();
    switch (m_ui.AskSaveDiscard({"The table holds changes that are not saved. Save them?",
                                 "Tesmor 42 - Edit data", model::MessageIcon::Question})) {
    case SaveChoice::Save:
        return cmdSave_Click();
    case SaveChoice::Discard:
        return cmdClose_Click();
    case SaveChoice::GoBack:
        break;
    }
    return false;
}

} // namespace tesmor::app
