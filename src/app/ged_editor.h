#pragma once

// The geological-data editor (frmGED) without a toolkit: the site header, the four orientation
// parameters and a grid of one row per specimen (its name, sampling azimuth and plunge, and two
// groups of structures), with the rules that turn the typed texts into a geological data file.
// The grid holds the loaded entries and 100 empty rows after them for new specimens.

#include "app/cell_text.h"
#include "app/user_interface.h"
#include "formats/ged_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tesmor::app {

// Data columns 1..13 of the grid; column 0 holds the row numbers.
inline constexpr int GedColumnCount = 13;
inline constexpr int GedSpareRows = 100;
inline constexpr std::array<const char*, GedColumnCount + 1> GedColumnTitles
    = {"#",     "Specimen", "Azimuth", "Plunge", "Code1", "F1Dec", "F1Inc",
       "L1Dec", "L1Inc",    "Code2",   "F2Dec",  "F2Inc", "L2Dec", "L2Inc"};

// The texts of the header boxes and of the four parameter selectors.
struct GedEditorHeader
{
    std::string txtSite, txtLat, txtLon, txtRock, txtStrat, txtLitho, txtRegio;
    std::string cboP1, cboP2, cboP3, cboP4;
};

class GedEditor
{
public:
    // An empty editor saving into `folder` (ending in '/') under `fileName` ("" until a name is
    // chosen); the selectors show the default orientation parameters.
    GedEditor(UserInterface& ui, std::string folder, std::string fileName,
              const std::array<std::int16_t, 4>& defaultP);

    // Header and rows from the entries (the header from the first entry); the grid gets
    // entries + 100 rows. Leaves the editor unmodified.
    void Fill(const formats::GedEntries& entries);

    std::string caption;

    const GedEditorHeader& Header() const { return m_header; }
    void SetHeaderText(std::string GedEditorHeader::*field, std::string text);

    int Rows() const { return static_cast<int>(m_cells.size()); }
    // The text of data row 1..Rows() in column 0..13 (column 0: the row number).
    std::string Cell(int row, int column) const;
    // Stores a typed text; true when it changed the cell.
    bool SetCell(int row, int column, std::string text);

    // The current cell, where deleting acts.
    GridCell Current() const { return m_current; }
    void SetCurrent(GridCell cell);

    // Whether anything was typed since the editor was filled or saved.
    bool Modified() const { return m_modified; }
    // The window has been closed by a button, or its closing was allowed.
    bool Closed() const { return m_closed; }
    const std::string& Folder() const { return m_folder; }
    const std::string& FileName() const { return m_fileName; }
    // The entries last saved.
    const formats::GedEntries& Entries() const { return m_entries; }

    // Buttons. Save writes to the editor's file (asking for a name when it has none), Save as
    // asks for one first; both close the editor only once the file is written. Cancel closes
    // without saving.
    void cmdSave_Click();
    void cmdGEDSaveAs_Click();
    void cmdGEDCancel_Click();
    // Removes the current row; the rows below move up and are numbered on.
    void cmdGEDDelete_Click();

    // Closing by the window's title bar: true when the window may close. With unsaved edits the
    // person chooses to save (closing only when the file is written), discard, or go back.
    bool QueryClose();

    // The entries the grid would save, or the message refusing them: every typed value is
    // checked, and nothing is taken from rows below the first empty "Specimen" cell.
    model::Result<formats::GedEntries> TableEntries() const;

private:
    using Row = std::array<std::string, GedColumnCount>;

    bool save(bool askName);
    bool confirmRowsBelowEnd();
    bool writeTo(const std::string& folder, const std::string& name);

    UserInterface& m_ui;
    std::string m_folder;
    std::string m_fileName;
    GedEditorHeader m_header;
    std::vector<Row> m_cells;
    GridCell m_current;
    formats::GedEntries m_entries;
    bool m_modified = false;
    bool m_closed = false;
};

} // namespace tesmor::app
