#include "gui/edit_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include <optional>

namespace tesmor::gui {

CellGridModel::CellGridModel(Source source, QObject* parent)
    : QAbstractTableModel(parent)
    , m_source(std::move(source))
{
}

int CellGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_source.rows();
}

int CellGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_source.titles.size());
}

QVariant CellGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return QString::fromStdString(m_source.cell(index.row() + 1, index.column() + 1));
}

bool CellGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole
        || !m_source.setCell(index.row() + 1, index.column() + 1, value.toString().toStdString()))
        return false;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags CellGridModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant CellGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return QString(m_source.titles.at(static_cast<std::size_t>(section)));
    return section + 1;
}

void CellGridModel::Rebuild(const std::function<void()>& change)
{
    beginResetModel();
    if (change)
        change();
    endResetModel();
}

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

// The text field laid over the current cell; the grid's keys go to the grid.
class GridCellEditor : public QStyledItemDelegate
{
public:
    explicit GridCellEditor(EditGrid* grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(object)
            && m_grid->HandleKey(static_cast<QKeyEvent*>(event)->key(), true))
            return true;
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    EditGrid* m_grid;
};

} // namespace

EditGrid::EditGrid(QWidget* parent, GridKeys keys)
    : QTableView(parent)
    , m_keys(keys)
{
    setItemDelegate(new GridCellEditor(this));
    const EditTriggers triggers = QAbstractItemView::SelectedClicked
        | QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed;
    setEditTriggers(keys.editAfterMove ? triggers | QAbstractItemView::CurrentChanged : triggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Fixed sizes: a grid of tens of thousands of rows must not measure every row.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

void EditGrid::FinishEditing()
{
    QWidget* editor = indexWidget(currentIndex());
    if (editor == nullptr)
        return;
    commitData(editor);
    if (!m_keys.editAfterMove)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void EditGrid::GoTo(int row, int column)
{
    if (!model() || row < 0 || column < 0 || row >= model()->rowCount()
        || column >= model()->columnCount())
        return;
    const QModelIndex index = model()->index(row, column);
    if (index != currentIndex())
        setCurrentIndex(index); // stores the previous cell (and edits this one)
    else if (m_keys.editAfterMove)
        edit(index);
}

bool EditGrid::HandleKey(int key, bool inText)
{
    if (key == Qt::Key_F2) {
        editText();
        return true;
    }
    const std::optional<app::GridKey> gridKey = GridKeyOf(key);
    const bool leftOrRight = gridKey == app::GridKey::Left || gridKey == app::GridKey::Right;
    if (!gridKey || (inText && leftOrRight && !m_keys.arrowsLeaveText))
        return false;
    move(*gridKey);
    return true;
}

void EditGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    if (!HandleKey(event->key(), false))
        QTableView::keyPressEvent(event);
}

void EditGrid::move(app::GridKey key)
{
    if (!model() || model()->rowCount() == 0)
        return;
    FinishEditing();
    const QModelIndex current = currentIndex();
    const app::GridCell to = app::MoveInGrid({current.row() + 1, current.column() + 1}, key,
                                             model()->rowCount(), model()->columnCount());
    GoTo(to.row - 1, to.column - 1);
}

void EditGrid::editText()
{
    const QModelIndex index = currentIndex();
    if (!index.isValid()
        || (indexWidget(index) == nullptr
            && !edit(index, QAbstractItemView::AllEditTriggers, nullptr)))
        return;
    auto* text = qobject_cast<QLineEdit*>(indexWidget(index));
    if (text == nullptr)
        return;
    text->setFocus();
    if (m_keys.f2SelectsAll) {
        text->selectAll();
    } else {
        text->deselect();
        text->end(false);
    }
}

} // namespace tesmor::gui
