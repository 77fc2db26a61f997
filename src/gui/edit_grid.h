#pragma once

// An editing grid: a table whose current cell is always being edited in a text field laid over
// it, holding the cell's text all selected. Enter stores the text and moves to the next column
// (from the last column to the next row, from the last cell back to the first); the arrow keys
// store it and move to the neighbouring cell; F2 puts the focus back into the text field with its
// text selected. Clicking or entering a cell starts editing it. The grid shows any table model
// whose cells are editable texts; its vertical header holds the row numbers.

#include "app/cell_text.h"

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

namespace tesmor::gui {

// The text field laid over the current cell, and the keys that move out of it.
class GridCellEditor : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

    // The text field now open, if any.
    QLineEdit* openEditor() const { return m_editor; }

signals:
    void moveRequested(app::GridKey key);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    mutable QPointer<QLineEdit> m_editor;
};

class EditGrid : public QTableView
{
    Q_OBJECT
public:
    explicit EditGrid(QWidget* parent = nullptr);

    // Stores the text being typed into its cell, as leaving the cell would (before a save).
    void FinishEditing();
    // Makes `row`, `column` (0-based model positions) the current cell and edits it.
    void GoTo(int row, int column);

protected:
    // Escape outside a cell's text field goes to the window (it closes it), not into a cell.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void move(app::GridKey key);

    GridCellEditor* m_editor;
};

} // namespace tesmor::gui
