#pragma once

// An editing grid: a table of texts edited in place in a text field laid over the current cell.
// Enter stores the text and moves to the next column (from the last column to the next row, from
// the last cell back to the first); the arrow keys store it and move to the neighbouring cell; F2
// puts the focus back into the text field. Clicking a selected cell or typing starts editing it.
// The grid shows any table model whose cells are editable texts; its vertical header holds the
// row numbers.

#include "app/cell_text.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>
#include <string>
#include <vector>

namespace tesmor::gui {

// The cells of an editing window's app model as a Qt table, read as they are painted so that
// tens of thousands of rows cost nothing per cell. Rows and columns of the app model count from
// 1; the row numbers are the vertical header.
class CellGridModel : public QAbstractTableModel
{
public:
    struct Source
    {
        std::function<int()> rows;
        std::function<std::string(int row, int column)> cell;
        // Stores a typed text; true when it changed the cell.
        std::function<bool(int row, int column, std::string text)> setCell;
        std::vector<const char*> titles; // of the data columns
    };

    CellGridModel(Source source, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Runs a change of the app model that moves or removes rows, and shows its result.
    void Rebuild(const std::function<void()>& change = {});

private:
    Source m_source;
};

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
