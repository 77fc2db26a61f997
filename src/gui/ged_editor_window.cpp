#include "gui/ged_editor_window.h"

#include "gui/edit_grid.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tesmor::gui {

GedEditorWindow::GedEditorWindow(std::shared_ptr<app::GedEditor> editor, QWidget* parent)
    : QDialog(parent)
    , m_editor(std::move(editor))
    , m_model(new CellGridModel(
          {.rows = [e = m_editor.get()] { return e->Rows(); },
           .cell = [e = m_editor.get()](int row, int column) { return e->Cell(row, column); },
           .setCell =
               [e = m_editor.get()](int row, int column, std::string text) {
                   return e->SetCell(row, column, std::move(text));
               },
           .titles = {app::GedColumnTitles.begin() + 1, app::GedColumnTitles.end()}},
          this))
    , m_grid(new EditGrid(
          this, {.editAfterMove = false, .arrowsLeaveText = false, .f2SelectsAll = false}))
{
    setObjectName("frmGED");
    setWindowTitle(QString::fromStdString(m_editor->caption));
    setSizeGripEnabled(true);

    using H = app::GedEditorHeader;
    auto* site = new QGroupBox("Sampling site", this);
    auto* siteForm = new QFormLayout(site);
    siteForm->addRow("Site name", addText("txtSite", &H::txtSite));
    siteForm->addRow("Latitude", addText("txtLat", &H::txtLat));
    siteForm->addRow("Longitude", addText("txtLon", &H::txtLon));
    auto* rock = new QGroupBox("Rock characteristics", this);
    auto* rockForm = new QFormLayout(rock);
    rockForm->addRow("Rock", addText("txtRock", &H::txtRock));
    rockForm->addRow("Strat", addText("txtStrat", &H::txtStrat));
    rockForm->addRow("Litho", addText("txtLitho", &H::txtLitho));
    rockForm->addRow("Region", addText("txtRegio", &H::txtRegio));
    auto* parameters = new QGroupBox("Orientation parameters", this);
    parameters->setToolTip("Pause cursor on each parameters for definition");
    auto* parameterForm = new QFormLayout(parameters);
    const QStringList clock = {"0", "3", "6", "9", "12"};
    parameterForm->addRow(
        "P1",
        addSelector("cboP1", &H::cboP1, clock,
                    "Clock value of orientation of the arrow drawn on the frontal side of "
                    "specimen (X axis of the specimen)"));
    parameterForm->addRow(
        "P2",
        addSelector("cboP2", &H::cboP2, {"0", "90"},
                    "0 - Dip of the frontal side is measured; 90 - Plunge of the cylinder "
                    "axis is measured"));
    parameterForm->addRow("P3", addSelector("cboP3", &H::cboP3, clock, nullptr));
    parameterForm->addRow(
        "P4",
        addSelector("cboP4", &H::cboP4, {"0", "90"},
                    "0 - Dip direction and Dip; 90 - Strike (right-hand rule) and Dip"));
    auto* header = new QHBoxLayout;
    header->addWidget(site, 3);
    header->addWidget(rock, 2);
    header->addWidget(parameters, 2);

    m_grid->setObjectName("Grid1");
    m_grid->setTabKeyNavigation(false);
    m_grid->setModel(m_model);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setDefaultSectionSize(58);
    m_grid->setColumnWidth(0, 110);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& cell) {
                m_editor->SetCurrent({cell.row() + 1, cell.column() + 1});
            });
    m_grid->GoTo(0, 0);

    const auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* save = button("cmdSave", "&Save");
    QPushButton* saveAs = button("cmdGEDSaveAs", "Save &as");
    QPushButton* remove = button("cmdGEDDelete", "&Delete record");
    QPushButton* cancel = button("cmdGEDCancel", "&Cancel");
    connect(save, &QPushButton::clicked, this,
            [this] { runButton(&app::GedEditor::cmdSave_Click); });
    connect(saveAs, &QPushButton::clicked, this,
            [this] { runButton(&app::GedEditor::cmdGEDSaveAs_Click); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { runButton(&app::GedEditor::cmdGEDCancel_Click); });
    connect(remove, &QPushButton::clicked, this, [this] {
        m_grid->FinishEditing();
        // Deleting the last row leaves one empty row: the whole grid is shown again.
        m_model->Rebuild([this] { m_editor->cmdGEDDelete_Click(); });
        const app::GridCell cell = m_editor->Current();
        m_grid->GoTo(cell.row - 1, cell.column - 1);
        m_grid->setFocus();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(saveAs);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(960, 640);
}

GedEditorWindow::~GedEditorWindow() = default;

QLineEdit* GedEditorWindow::addText(const char* name, std::string app::GedEditorHeader::*field)
{
    auto* box = new QLineEdit(QString::fromStdString(m_editor->Header().*field), this);
    box->setObjectName(name);
    connect(box, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        m_editor->SetHeaderText(field, text.toStdString());
    });
    return box;
}

QComboBox* GedEditorWindow::addSelector(const char* name, std::string app::GedEditorHeader::*field,
                                        const QStringList& items, const char* hint)
{
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setEditText(QString::fromStdString(m_editor->Header().*field));
    if (hint != nullptr)
        box->setToolTip(hint);
    connect(box, &QComboBox::editTextChanged, this, [this, field](const QString& text) {
        m_editor->SetHeaderText(field, text.toStdString());
    });
    return box;
}

void GedEditorWindow::runButton(void (app::GedEditor::*operation)())
{
    m_grid->FinishEditing();
    ((*m_editor).*operation)();
    if (m_editor->Closed())
        done(QDialog::Accepted);
}

// The title bar's close and Escape: the editor decides, asking about unsaved edits.
void GedEditorWindow::reject()
{
    m_grid->FinishEditing();
    if (m_editor->Closed() || m_editor->QueryClose())
        QDialog::reject();
}

} // namespace tesmor::gui
