#include "gui/ged_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace tesmor::gui {

namespace {

std::optional<app::GridKey> GridKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return app::GridKey::Enter;
    case Qt::Key_Left:
        return app::GridKey::Left;
    case Qt::Key_Right:
        return app::GridKey::Right;
    case Qt::Key_Up:
        return app::GridKey::Up;
    case Qt::Key_Down:
        return app::GridKey::Down;
    default:
        return std::nullopt;
    }
}

// The in-place text field: the grid's keys leave it for another cell; all other keys edit.
class CellDelegate : public QStyledItemDelegate
{
public:
    explicit CellDelegate(GedGrid* grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const std::optional<app::GridKey> move = GridKeyOf(key->key());
            const bool horizontal = move == app::GridKey::Left || move == app::GridKey::Right;
            if (move && (!horizontal || m_grid->arrowsLeaveEditor())) {
                m_grid->move(*move);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    GedGrid* m_grid;
};

} // namespace

GedGrid::GedGrid(QWidget* parent)
    : QTableView(parent)
{
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

app::GridCell GedGrid::currentCell() const
{
    const QModelIndex index = currentIndex();
    return {index.isValid() ? index.row() + 1 : 1, index.isValid() ? index.column() : 1};
}

void GedGrid::moveTo(app::GridCell cell)
{
    if (model() == nullptr)
        return;
    setCurrentIndex(model()->index(cell.row - 1, cell.column));
}

void GedGrid::commitEdit()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = QApplication::focusWidget(); editor != nullptr && isAncestorOf(editor)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void GedGrid::move(app::GridKey key)
{
    if (model() == nullptr || model()->rowCount() == 0)
        return;
    commitEdit();
    const int columns = model()->columnCount() - 1;
    moveTo(app::MoveInGrid(currentCell(), key, model()->rowCount(), std::max(columns, 1)));
    setFocus();
}

void GedGrid::keyPressEvent(QKeyEvent* event)
{
    if (const std::optional<app::GridKey> key = GridKeyOf(event->key());
        key && event->modifiers() == Qt::NoModifier) {
        move(*key);
        return;
    }
    if (event->key() == Qt::Key_F2 && currentIndex().isValid()) {
        edit(currentIndex());
        if (auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            line->deselect();
            line->end(false);
        }
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace tesmor::gui
