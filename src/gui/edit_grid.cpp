#include "gui/edit_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

namespace tesmor::gui {

QWidget* GridCellEditor::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    m_editor = editor;
    return editor;
}

void GridCellEditor::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->selectAll();
}

bool GridCellEditor::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit moveRequested(app::GridKey::Enter);
            return true;
        case Qt::Key_Left:
            emit moveRequested(app::GridKey::Left);
            return true;
        case Qt::Key_Right:
            emit moveRequested(app::GridKey::Right);
            return true;
        case Qt::Key_Up:
            emit moveRequested(app::GridKey::Up);
            return true;
        case Qt::Key_Down:
            emit moveRequested(app::GridKey::Down);
            return true;
        case Qt::Key_F2:
            editor->setFocus();
            editor->selectAll();
            return true;
        default:
            break;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

EditGrid::EditGrid(QWidget* parent)
    : QTableView(parent)
    , m_editor(new GridCellEditor(this))
{
    setItemDelegate(m_editor);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Fixed sizes: a grid of tens of thousands of rows must not measure every row.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(m_editor, &GridCellEditor::moveRequested, this, &EditGrid::move);
}

void EditGrid::FinishEditing()
{
    if (QLineEdit* editor = m_editor->openEditor())
        commitData(editor);
}

void EditGrid::GoTo(int row, int column)
{
    if (!model() || row < 0 || column < 0 || row >= model()->rowCount()
        || column >= model()->columnCount())
        return;
    const QModelIndex index = model()->index(row, column);
    if (index == currentIndex()) {
        edit(index);
        return;
    }
    setCurrentIndex(index); // stores the previous cell and edits this one
}

void EditGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QTableView::keyPressEvent(event);
}

void EditGrid::move(app::GridKey key)
{
    if (!model())
        return;
    FinishEditing();
    const QModelIndex current = currentIndex();
    const app::GridCell to = app::MoveInGrid({current.row() + 1, current.column() + 1}, key,
                                             model()->rowCount(), model()->columnCount());
    GoTo(to.row - 1, to.column - 1);
}

} // namespace tesmor::gui
