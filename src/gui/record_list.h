#pragma once

// The record list lstNames: tens of thousands of tab-separated rows in a fixed-pitch font.
// A model/view list with uniform item sizes keeps it fast; the delegate places the fields of a
// row at the list's tab stops (dialog units, a quarter of an average character wide).

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>

#include <string>
#include <vector>

namespace tesmor::gui {

class RecordListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setRows(std::vector<std::string> rows);
    const std::vector<std::string>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<std::string> m_rows; // UTF-8
};

class TabStopDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Tab stops in dialog units, ascending.
    void setTabStops(std::vector<int> stops) { m_tabStops = std::move(stops); }
    // Pixel position of each tab stop for a font.
    std::vector<int> stopPixels(const QFontMetrics& metrics) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    std::vector<int> m_tabStops;
};

// A multi-select list view of tab-separated rows.
class RecordListView : public QListView
{
    Q_OBJECT

public:
    explicit RecordListView(QWidget* parent = nullptr);

    RecordListModel* recordModel() const { return m_model; }
    TabStopDelegate* tabDelegate() const { return m_delegate; }

    void setRows(std::vector<std::string> rows);
    void setTabStops(std::vector<int> stops);
    // Makes the selected rows exactly those flagged, in one selection (never row by row).
    void setSelectedRows(const std::vector<bool>& selected);
    std::vector<bool> selectedRows() const;

    // Width that shows every field of a row (the expanded list).
    int fullRowWidth() const;

signals:
    // A key or mouse button was released over the list: the user may have changed the
    // selection.
    void selectionReleased();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    RecordListModel* m_model;
    TabStopDelegate* m_delegate;
};

} // namespace tesmor::gui
