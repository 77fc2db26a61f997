#include "app/ged_editor.h"

#include "model/number_text.h"

#include <algorithm>
#include <cmath>

namespace tesmor::app {

namespace {

// Grid columns (1-based data columns) that hold whole numbers, and their entry fields. An angle
// goes into a 4-character field of the file, so it lies between -999 and 9999.
struct AngleColumn
{
    int column;
    std::int16_t formats::GedEntry::*member;
};
constexpr std::array<AngleColumn, 10> AngleColumns = {{
    {2, &formats::GedEntry::Azimuth},
    {3, &formats::GedEntry::Plunge},
    {5, &formats::GedEntry::F1Dec},
    {6, &formats::GedEntry::F1Inc},
    {7, &formats::GedEntry::L1Dec},
    {8, &formats::GedEntry::L1Inc},
    {10, &formats::GedEntry::F2Dec},
    {11, &formats::GedEntry::F2Inc},
    {12, &formats::GedEntry::L2Dec},
    {13, &formats::GedEntry::L2Inc},
}};
constexpr int NameColumn = 1;
constexpr int Code1Column = 4;
constexpr int Code2Column = 9;

constexpr const char* EditorTitle = "Geological file";

model::UserMessage Refusal(std::string text)
{
    return model::InputError(std::move(text) + "\r\nNothing was saved.",
                             model::MessageIcon::Exclamation);
}

bool Blank(const std::string& text)
{
    return model::Trim(text).empty();
}

// A whole number from `lowest` to `highest` after rounding to nearest, ties to even.
std::optional<std::int16_t> WholeIn(std::string_view text, int lowest, int highest)
{
    const std::optional<std::int16_t> value = CellInt16(text);
    if (!value || *value < lowest || *value > highest)
        return std::nullopt;
    return value;
}

// Latitude or longitude as the file keeps it: the number's shortest single-precision text, "0"
// for an empty box; nothing when the text is not a number or its text is wider than the field.
std::optional<std::string> Coordinate(std::string_view text)
{
    if (Blank(std::string(text)))
        return std::string("0");
    const std::optional<float> value = CellFloat(text);
    if (!value)
        return std::nullopt;
    std::string decimal = model::ShortestText(*value);
    if (decimal.size() > 7)
        return std::nullopt;
    return decimal;
}

std::string RowList(const std::vector<int>& rows)
{
    constexpr std::size_t Shown = 10;
    std::string list;
    for (std::size_t i = 0; i < rows.size() && i < Shown; ++i)
        list += (i == 0 ? "" : ", ") + std::to_string(rows[i]);
    if (rows.size() > Shown)
        list += " and " + std::to_string(rows.size() - Shown) + " more";
    return list;
}

} // namespace

GedEditor::GedEditor(UserInterface& ui, std::string folder, std::string fileName,
                     const std::array<std::int16_t, 4>& defaultP)
    : m_ui(ui)
    , m_folder(std::move(folder))
    , m_fileName(std::move(fileName))
    , m_cells(GedSpareRows)
{
    m_header.cboP1 = std::to_string(defaultP[0]);
    m_header.cboP2 = std::to_string(defaultP[1]);
    m_header.cboP3 = std::to_string(defaultP[2]);
    m_header.cboP4 = std::to_string(defaultP[3]);
}

void GedEditor::Fill(const formats::GedEntries& entries)
{
    m_cells.assign(entries.size() + GedSpareRows, Row {});
    if (!entries.empty())
        m_header = HeaderTextsOf<GedEditorHeader>(entries.front());
    // Codes are shown without the blanks that pad them in the file; saving pads them again.
    const auto code
        = [](const std::string& text) { return text.substr(0, text.find_last_not_of(' ') + 1); };
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const formats::GedEntry& e = entries[k];
        Row& row = m_cells[k];
        row[NameColumn - 1] = e.Name;
        row[Code1Column - 1] = code(e.Code1);
        row[Code2Column - 1] = code(e.Code2);
        for (const AngleColumn& a : AngleColumns)
            row[static_cast<std::size_t>(a.column - 1)] = std::to_string(e.*a.member);
    }
    m_entries = entries;
    m_modified = false;
}

void GedEditor::SetHeaderText(std::string GedEditorHeader::*field, std::string text)
{
    if (m_header.*field == text)
        return;
    m_header.*field = std::move(text);
    m_modified = true;
}

std::string GedEditor::Cell(int row, int column) const
{
    if (row < 1 || row > Rows() || column < 0 || column > GedColumnCount)
        return {};
    if (column == 0)
        return std::to_string(row);
    return m_cells[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

bool GedEditor::SetCell(int row, int column, std::string text)
{
    if (row < 1 || row > Rows() || column < 1 || column > GedColumnCount)
        return false;
    std::string& cell
        = m_cells[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
    if (cell == text)
        return false;
    cell = std::move(text);
    m_modified = true;
    return true;
}

void GedEditor::SetCurrent(GridCell cell)
{
    m_current.row = std::clamp(cell.row, 1, Rows());
    m_current.column = std::clamp(cell.column, 1, GedColumnCount);
}

model::Result<formats::GedEntries> GedEditor::TableEntries() const
{
    formats::GedEntry header;
    header.Site = m_header.txtSite;
    header.Rock = m_header.txtRock;
    header.Strat = m_header.txtStrat;
    header.Litho = m_header.txtLitho;
    header.Region = m_header.txtRegio;
    const std::pair<const std::string*, std::string formats::GedEntry::*> coordinates[] = {
        {&m_header.txtLat, &formats::GedEntry::Lat}, {&m_header.txtLon, &formats::GedEntry::Lon}};
    for (const auto& [text, member] : coordinates) {
        const std::optional<std::string> value = Coordinate(*text);
        if (!value)
            return Refusal(std::string(member == &formats::GedEntry::Lat ? "Latitude" : "Longitude")
                           + ": \"" + *text
                           + "\" is not a number that fits the file's 7 characters.");
        header.*member = *value;
    }
    const std::pair<const std::string*, std::int16_t formats::GedEntry::*> parameters[]
        = {{&m_header.cboP1, &formats::GedEntry::P1},
           {&m_header.cboP2, &formats::GedEntry::P2},
           {&m_header.cboP3, &formats::GedEntry::P3},
           {&m_header.cboP4, &formats::GedEntry::P4}};
    for (std::size_t i = 0; i < std::size(parameters); ++i) {
        const std::string& text = *parameters[i].first;
        const std::optional<double> number = CellNumber(text);
        const std::optional<std::int16_t> value = WholeIn(text, -99, 999);
        if (!number || !value || *number != std::floor(*number))
            return Refusal("P" + std::to_string(i + 1) + ": \"" + text
                           + "\" is not a whole number from -99 to 999.");
        header.*parameters[i].second = *value;
    }

    formats::GedEntries entries;
    for (std::size_t k = 0; k < m_cells.size() && !Blank(m_cells[k][NameColumn - 1]); ++k) {
        const Row& row = m_cells[k];
        const int rowNumber = static_cast<int>(k) + 1;
        formats::GedEntry e = header;
        e.Name = model::Trim(row[NameColumn - 1]);
        e.Code1 = Blank(row[Code1Column - 1]) ? "00" : row[Code1Column - 1];
        e.Code2 = Blank(row[Code2Column - 1]) ? "00" : row[Code2Column - 1];
        // An empty angle is 0: a new row often holds only the name, azimuth and plunge.
        for (const AngleColumn& a : AngleColumns) {
            const std::string& text = row[static_cast<std::size_t>(a.column - 1)];
            if (Blank(text))
                continue;
            const std::optional<std::int16_t> value = WholeIn(text, -999, 9999);
            if (!value)
                return Refusal(CellErrorMessage(rowNumber, GedColumnTitles[a.column], text,
                                                "an angle from -999 to 9999"));
            e.*a.member = *value;
        }
        entries.push_back(std::move(e));
    }
    if (entries.empty())
        return Refusal("Row 1 has no specimen name: there is no entry to save.");
    return entries;
}

// The first empty "Specimen" cell ends the table. Rows below it that hold anything would be
// lost without a word: the person is asked first, naming them.
bool GedEditor::confirmRowsBelowEnd()
{
    std::size_t end = 0;
    while (end < m_cells.size() && !Blank(m_cells[end][NameColumn - 1]))
        ++end;
    std::vector<int> filled;
    for (std::size_t k = end; k < m_cells.size(); ++k)
        if (std::any_of(m_cells[k].begin(), m_cells[k].end(),
                        [](const std::string& text) { return !Blank(text); }))
            filled.push_back(static_cast<int>(k) + 1);
    if (filled.empty())
        return true;
    const std::string endRow = std::to_string(end + 1);
    return m_ui.AskOkCancel({"Row " + endRow + " has no specimen name, so the table ends there.\r\n"
                                 + (filled.size() == 1 ? "Row " : "Rows ") + RowList(filled)
                                 + (filled.size() == 1 ? " holds" : " hold")
                                 + " entries that will not be saved.\r\n\r\nSave rows 1 to "
                                 + std::to_string(end) + " only?",
                             EditorTitle, model::MessageIcon::Question});
}

bool GedEditor::save(bool askName)
{
    const model::Result<formats::GedEntries> entries = TableEntries();
    if (!entries) {
        m_ui.ShowMessage(entries.error());
        return false;
    }
    if (!confirmRowsBelowEnd())
        return false;
    if (askName || m_fileName.empty()) {
        const FileDialogAnswer answer = m_ui.SaveFileDialog(SaveDialogRequest(
            "Save geological file as", m_folder, m_fileName, "Geological file (*.ged)|*.ged"));
        if (answer.path.empty())
            return false;
        const std::size_t slash = answer.path.rfind('/');
        m_folder = slash == std::string::npos ? std::string() : answer.path.substr(0, slash + 1);
        m_fileName = answer.path.substr(slash == std::string::npos ? 0 : slash + 1);
    }
    if (const model::Status failed = formats::WriteGedFile(m_folder + m_fileName, *entries)) {
        m_ui.ShowMessage(*failed);
        return false;
    }
    m_entries = *entries;
    m_modified = false;
    m_closed = true;
    return true;
}

void GedEditor::cmdSave_Click()
{
    save(false);
}

void GedEditor::cmdGEDSaveAs_Click()
{
    save(true);
}

void GedEditor::cmdGEDCancel_Click()
{
    m_closed = true;
}

void GedEditor::cmdGEDDelete_Click()
{
    m_cells.erase(m_cells.begin() + (m_current.row - 1));
    if (m_cells.empty())
        m_cells.emplace_back();
    m_current.row = std::min(m_current.row, Rows());
    m_modified = true;
}

bool GedEditor::QueryClose()
{
    if (m_modified) {
        switch (m_ui.AskSaveDiscard({"The geological file has changes that are not saved.\r\n"
                                     "Save them before closing?",
                                     EditorTitle, model::MessageIcon::Question})) {
        case SaveChoice::Save:
            return save(false);
        case SaveChoice::Discard:
            break;
        case SaveChoice::GoBack:
            return false;
        }
    }
    m_closed = true;
    return true;
}

} // namespace tesmor::app
