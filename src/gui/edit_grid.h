#pragma once

// An editing grid: a table of texts edited in place in a text field laid over the current cell.
// Enter stores the text and moves to the next column (from the last column to the next row, from
// the last cell back to the first); the arrow keys store it and move to the neighbouring cell; F2
// puts the focus back into the text field. Clicking a selected cell or typing starts editing it.
// The grid shows any table model whose cells are editable texts; its vertical header holds the
// row numbers.

#include "app/cell_text.h"

#include <QTableView>

namespace tesmor::gui {

// How the grid's keys work. The defaults keep the current cell always in its text field.
struct GridKeys
{
    // Moving opens the new cell's text field, its text all selected. Otherwise moving leaves the
    // grid in navigation mode, where typing or F2 opens it.
    bool editAfterMove = true;
    // Left and Right leave the text field for the neighbouring cell. Otherwise they move the caret
    // while a cell is being edited and move between cells only in navigation mode.
    bool arrowsLeaveText = true;
    // F2 selects the whole text; otherwise it puts the caret at the end of the text.
    bool f2SelectsAll = true;
};

class EditGrid : public QTableView
{
    Q_OBJECT
public:
    explicit EditGrid(QWidget* parent = nullptr, GridKeys keys = {});

    // Stores the text being typed into its cell, as leaving the cell would (before a save); in
    // navigation mode the text field closes.
    void FinishEditing();
    // Makes `row`, `column` (0-based model positions) the current cell, editing it unless in
    // navigation mode.
    void GoTo(int row, int column);
    // Acts on a key of the grid's own pressed in a cell's text field (`inText`) or in the grid;
    // false when the key is left to the text field or the table.
    bool HandleKey(int key, bool inText);

protected:
    // Escape outside a cell's text field goes to the window (it closes it), not into a cell.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void move(app::GridKey key);
    // F2: the current cell's text field, opened if need be, takes the focus.
    void editText();

    GridKeys m_keys;
};

} // namespace tesmor::gui
