#pragma once

// A grid of texts edited in place: column 0 of the model holds the row numbers and is not
// edited, data rows are model rows 0.. and data columns are model columns 1... Enter stores the
// text and moves to the next cell (on to the next row, from the last cell back to the first);
// the arrows move to the neighbouring cell; F2 edits the current cell with the caret at the end
// of its text; typing starts editing the current cell.

#include "app/cell_text.h"

#include <QTableView>

namespace tesmor::gui {

class GedGrid : public QTableView
{
public:
    explicit GedGrid(QWidget* parent = nullptr);

    // Whether Left and Right leave a cell being edited for its neighbour; otherwise they move
    // the caret, and move between cells only while no cell is being edited.
    void setArrowsLeaveEditor(bool leave) { m_arrowsLeaveEditor = leave; }
    bool arrowsLeaveEditor() const { return m_arrowsLeaveEditor; }

    // The current data cell (rows from 1, columns from 1), and moving it.
    app::GridCell currentCell() const;
    void moveTo(app::GridCell cell);
    // Stores an edit in progress into the model.
    void commitEdit();
    // Moves as `key` says from the current cell, ending an edit in progress first.
    void move(app::GridKey key);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_arrowsLeaveEditor = true;
};

} // namespace tesmor::gui
