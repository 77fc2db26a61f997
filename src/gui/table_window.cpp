#include "gui/table_window.h"

#include "app/table_view.h"
#include "gui/edit_grid.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tesmor::gui {

using app::TableView;

namespace {

using Field = TableView::HeaderField;

QLineEdit* HeaderEdit(TableView& view, Field field, const char* name, int width)
{
    auto* edit = new QLineEdit(QString::fromStdString(view.Header(field)));
    edit->setObjectName(name);
    edit->setMaxLength(width);
    return edit;
}

} // namespace

TableWindow::TableWindow(TableView& view, QWidget* parent)
    : QDialog(parent)
    , m_view(view)
    , m_model(new CellGridModel(
          {.rows = [&view] { return view.RowCount(); },
           .cell = [&view](int row, int column) { return view.Cell(row, column); },
           .setCell
           = [&view](int row, int column,
                     std::string text) { return view.SetCell(row, column, std::move(text)); },
           .titles = {TableView::ColumnTitles.begin() + 1, TableView::ColumnTitles.end()}},
          this))
    , m_grid(new EditGrid(this))
{
    setObjectName("frmTable");
    setWindowTitle("Tesmor 42 - Edit data");
    auto* layout = new QVBoxLayout(this);
    buildHeader(layout);

    m_grid->setObjectName("Grid1");
    m_grid->setModel(m_model);
    // Columns wide enough for the longest shortest text of a float, an angle or a code.
    const QFontMetrics metrics = m_grid->fontMetrics();
    const int number = metrics.horizontalAdvance("-1.2345678e-05") + 12;
    for (int column = 0; column < TableView::Columns; ++column) {
        const bool code = column == 9 || column == 14;
        const bool angle = column >= 10 && !code;
        m_grid->setColumnWidth(column,
                               column == 0 ? metrics.horizontalAdvance("WWWWWWWWW") + 12
                                   : code  ? metrics.horizontalAdvance("WW") + 14
                                   : angle ? metrics.horizontalAdvance("-3276") + 12
                                           : number);
    }
    connect(m_model, &QAbstractItemModel::dataChanged, this, &TableWindow::showModified);
    layout->addWidget(m_grid, 1);

    buildButtons(layout);
    showModified();
    resize(1270, 640);
}

void TableWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_grid->currentIndex().isValid())
        m_grid->GoTo(0, 0);
}

void TableWindow::buildHeader(QVBoxLayout* layout)
{
    auto* header = new QHBoxLayout;
    auto bind = [this](QLineEdit* edit, Field field) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            m_view.SetHeader(field, text.toStdString());
            showModified();
        });
        return edit;
    };

    auto* site = new QGroupBox("Sampling site");
    auto* siteGrid = new QGridLayout(site);
    siteGrid->addWidget(new QLabel("Site name"), 0, 0);
    siteGrid->addWidget(bind(HeaderEdit(m_view, Field::Site, "txtSite", 16), Field::Site), 0, 1, 1,
                        3);
    siteGrid->addWidget(new QLabel("Latitude"), 1, 0);
    siteGrid->addWidget(bind(HeaderEdit(m_view, Field::Lat, "txtLat", 7), Field::Lat), 1, 1);
    siteGrid->addWidget(new QLabel("Longitude"), 1, 2);
    siteGrid->addWidget(bind(HeaderEdit(m_view, Field::Lon, "txtLon", 7), Field::Lon), 1, 3);
    header->addWidget(site, 2);

    auto* rock = new QGroupBox("Rock characteristics");
    auto* rockGrid = new QGridLayout(rock);
    const std::array<std::tuple<const char*, const char*, Field>, 4> rockFields
        = {{{"Rock", "txtRock", Field::Rock},
            {"Strat", "txtStrat", Field::Strat},
            {"Litho", "txtLitho", Field::Litho},
            {"Region", "txtRegio", Field::Region}}};
    for (int i = 0; i < 4; ++i) {
        const auto& [label, name, field] = rockFields[static_cast<std::size_t>(i)];
        rockGrid->addWidget(new QLabel(label), 0, i);
        rockGrid->addWidget(bind(HeaderEdit(m_view, field, name, 4), field), 1, i);
    }
    header->addWidget(rock, 2);

    auto* orientation = new QGroupBox("Orientation parameters");
    orientation->setToolTip("Pause cursor on each parameters for definition");
    auto* orientationGrid = new QGridLayout(orientation);
    const QStringList clock = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    const QStringList angle = {"0", "90"};
    const std::array<std::tuple<const char*, Field, QStringList, const char*>, 4> selectors = {{
        {"cboP1", Field::P1, clock,
         "Clock value of orientation of the arrow drawn on the frontal side of specimen (X axis "
         "of the specimen)"},
        {"cboP2", Field::P2, angle,
         "0 - Dip of the frontal side is measured; 90 - Plunge of the cylinder axis is measured"},
        {"cboP3", Field::P3, clock, ""},
        {"cboP4", Field::P4, angle,
         "0 - Dip direction and Dip; 90 - Strike (right-hand rule) and Dip"},
    }};
    for (int i = 0; i < 4; ++i) {
        const auto& [name, field, items, hint] = selectors[static_cast<std::size_t>(i)];
        auto* box = new QComboBox;
        box->setObjectName(name);
        box->setEditable(true);
        box->addItems(items);
        box->setCurrentText(QString::fromStdString(m_view.Header(field)));
        if (*hint)
            box->setToolTip(hint);
        connect(box, &QComboBox::editTextChanged, this, [this, f = field](const QString& text) {
            m_view.SetHeader(f, text.toStdString());
            showModified();
        });
        orientationGrid->addWidget(new QLabel(QString("P%1").arg(i + 1)), 0, i);
        orientationGrid->addWidget(box, 1, i);
    }
    header->addWidget(orientation, 2);
    layout->addLayout(header);
}

void TableWindow::buildButtons(QVBoxLayout* layout)
{
    auto* buttons = new QHBoxLayout;
    auto button = [buttons](const char* name, const char* text) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    connect(button("cmdSortName", "Sort by name"), &QPushButton::clicked, this,
            [this] { reorder(&TableView::cmdSortName_Click); });
    connect(button("cmdSortField", "Sort field"), &QPushButton::clicked, this,
            [this] { reorder(&TableView::cmdSortField_Click); });
    connect(button("cmdGEDDelete", "Delete record"), &QPushButton::clicked, this, [this] {
        const QModelIndex current = m_grid->currentIndex();
        m_grid->FinishEditing();
        m_view.cmdGEDDelete_Click(current.row() + 1);
        m_model->Rebuild();
        m_grid->GoTo(std::min(current.row(), m_view.RowCount() - 1), current.column());
        showModified();
    });
    buttons->addStretch(1);
    m_save = button("cmdSave", "Save");
    connect(m_save, &QPushButton::clicked, this, [this] { run(&TableView::cmdSave_Click); });
    connect(button("cmdSaveAs", "Save As"), &QPushButton::clicked, this,
            [this] { run(&TableView::cmdSaveAs_Click); });
    connect(button("cmdClose", "Close"), &QPushButton::clicked, this,
            [this] { run(&TableView::cmdClose_Click); });
    layout->addLayout(buttons);
}

void TableWindow::run(bool (TableView::*operation)())
{
    m_grid->FinishEditing();
    if ((m_view.*operation)())
        QDialog::reject();
}

void TableWindow::reorder(void (TableView::*operation)())
{
    m_grid->FinishEditing();
    (m_view.*operation)();
    m_model->Rebuild();
    m_grid->GoTo(0, 0);
    showModified();
}

void TableWindow::showModified()
{
    if (m_save)
        m_save->setEnabled(m_view.Modified());
}

void TableWindow::reject()
{
    m_grid->FinishEditing();
    if (m_view.QueryClose())
        QDialog::reject();
}

void TableWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    reject();
}

} // namespace tesmor::gui
