#pragma once

// The table view ("Edit data"): the loaded records of the open data set as an editable grid
// under the file's header, sorted by name or by field, written back as a binary data file that
// then becomes the open data set.
//
// The grid's cells are texts. A cell that nobody has edited is shown from its record and written
// back from the record's own value, so that a file opened and saved unchanged keeps every byte;
// an edited cell holds the typed text until the save turns it into a field or refuses it, naming
// the row and the column.

#include "app/browser_state.h"
#include "app/user_interface.h"
#include "model/result.h"

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tesmor::app {

class TableView
{
public:
    // Data columns 1..19 of the grid; column 0 holds the row numbers.
    static constexpr int Columns = 19;
    static const std::array<const char*, Columns + 1> ColumnTitles; // "#", "Name", ... "L2i"

    // The header fields above the grid, in the order of HeaderTexts.
    enum class HeaderField { Site, Lat, Lon, Rock, Strat, Litho, Region, P1, P2, P3, P4 };
    static constexpr int HeaderFields = 11;
    using HeaderTexts = std::array<std::string, HeaderFields>;

    // Opening: Cancelled is set, the header fields come from loaded record 1 and the grid from
    // every loaded record.
    TableView(BrowserState& state, UserInterface& ui);

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    // The text of data cell (row 1..RowCount, column 1..Columns).
    std::string Cell(int row, int column) const;
    // Stores a typed text into a data cell; true when it differs from what the cell held.
    bool SetCell(int row, int column, std::string text);

    const HeaderTexts& Header() const { return m_header; }
    const std::string& Header(HeaderField field) const
    {
        return m_header[static_cast<std::size_t>(field)];
    }
    void SetHeader(HeaderField field, std::string text);

    // Something has changed since opening: a cell or header text, the order of the rows or a
    // deleted row. "Save" is enabled then, and closing by the title bar asks first.
    bool Modified() const { return m_modified; }

    // Writes the header fields and the grid rows to `path` as a binary data file, through a
    // temporary file. A cell or header text that is not a value of its field refuses the save
    // with a message naming the row and column (or the field); nothing is written then.
    model::Status SaveTable(const std::string& path) const;

    // The buttons. Each returns true when the view closes.
    void cmdSortName_Click();
    void cmdSortField_Click();
    bool cmdSave_Click();
    bool cmdSaveAs_Click();
    bool cmdClose_Click();
    // "Delete record": removes grid row `row` (1-based); the file loses it when saved. The last
    // row is kept, as a data file needs one specimen.
    void cmdGEDDelete_Click(int row);
    // Closing by the title bar: with unsaved changes asks whether to save, discard or go back.
    // True when the view may close.
    bool QueryClose();

private:
    void sort(bool byName);
    bool saveWithDialog(const char* title);
    bool saveTo(const std::string& path);
    std::string recordCell(const model::SpecimenRecord& r, int column) const;
    float fieldOfRow(int source) const;

    BrowserState& m_state;
    UserInterface& m_ui;
    model::Records m_records; // the loaded records at opening, never reordered
    std::vector<int> m_order; // the loaded records' current order, as indices into m_records
    std::vector<int> m_rows; // the grid rows, as indices into m_records
    std::vector<bool> m_deleted; // by index into m_records
    std::map<std::pair<int, int>, std::string> m_edits; // (record, column) -> typed text
    HeaderTexts m_header;
    bool m_modified = false;
};

} // namespace tesmor::app
