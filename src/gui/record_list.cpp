#include "gui/record_list.h"

#include <QFontDatabase>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace tesmor::gui {

void RecordListModel::setRows(std::vector<std::string> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    return QString::fromStdString(m_rows[std::size_t(index.row())]);
}

std::vector<int> TabStopDelegate::stopPixels(const QFontMetrics& metrics) const
{
    // A dialog unit is a quarter of the average character width; the fixed-pitch list font is
    // a little narrower than a dialog font, so 1.2 of its width keeps the columns apart.
    const double unit = 1.2 * metrics.horizontalAdvance(QLatin1Char('0')) / 4.0;
    std::vector<int> pixels;
    pixels.reserve(m_tabStops.size());
    for (int stop : m_tabStops)
        pixels.push_back(int(std::lround(stop * unit)));
    return pixels;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    QStyle* style = opt.widget ? opt.widget->style() : nullptr;
    if (style)
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const QFontMetrics metrics(opt.font);
    const std::vector<int> stops = stopPixels(metrics);
    const QRect area = opt.rect.adjusted(3, 0, 0, 0);
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
        opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    int field = 0;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\t'), start);
        if (end < 0)
            end = text.size();
        const int x = field == 0 ? 0 : stops[std::min<std::size_t>(field - 1, stops.size() - 1)];
        painter->drawText(QRect(area.left() + x, area.top(), area.width() - x, area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          text.mid(start, end - start));
        ++field;
        start = end + 1;
        if (stops.empty() && start <= text.size())
            break;
    }
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const QFontMetrics metrics(option.font);
    const std::vector<int> stops = stopPixels(metrics);
    const int last = stops.empty() ? 0 : stops.back();
    return {last + 12 * metrics.horizontalAdvance(QLatin1Char('0')), metrics.height() + 2};
}

RecordListView::RecordListView(QWidget* parent)
    : QListView(parent)
    , m_model(new RecordListModel(this))
    , m_delegate(new TabStopDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setLayoutMode(QListView::Batched);
    setBatchSize(2000);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    setFont(font);
}

void RecordListView::setRows(std::vector<std::string> rows)
{
    m_model->setRows(std::move(rows));
}

void RecordListView::setTabStops(std::vector<int> stops)
{
    m_delegate->setTabStops(std::move(stops));
    doItemsLayout();
    viewport()->update();
}

void RecordListView::setSelectedRows(const std::vector<bool>& selected)
{
    QItemSelection selection;
    const int rows = m_model->rowCount();
    const int n = std::min(rows, int(selected.size()));
    int row = 0;
    while (row < n) {
        if (!selected[std::size_t(row)]) {
            ++row;
            continue;
        }
        int last = row;
        while (last + 1 < n && selected[std::size_t(last + 1)])
            ++last;
        selection.select(m_model->index(row), m_model->index(last));
        row = last + 1;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

std::vector<bool> RecordListView::selectedRows() const
{
    std::vector<bool> selected(std::size_t(m_model->rowCount()), false);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected[std::size_t(row)] = true;
    }
    return selected;
}

int RecordListView::fullRowWidth() const
{
    QStyleOptionViewItem option;
    option.font = font();
    return m_delegate->sizeHint(option, {}).width() + verticalScrollBar()->sizeHint().width() + 4;
}

void RecordListView::keyReleaseEvent(QKeyEvent* event)
{
    QListView::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit selectionReleased();
}

void RecordListView::mouseReleaseEvent(QMouseEvent* event)
{
    QListView::mouseReleaseEvent(event);
    emit selectionReleased();
}

} // namespace tesmor::gui
