// The widgets of the main window and where they sit: the record list on the left, the three
// pictures with their option rows above the coordinate and mean-tensor groups, and on the right
// the display group, which stays visible when the list is expanded, above the symbol group. The
// whole window fits 1024 x 700 pixels with every text whole.

#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/record_list.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tesmor::gui {

using Controls = app::MainWindowControls;

QRadioButton* MainWindow::radio(const char* name, const QString& text)
{
    auto* button = new QRadioButton(text);
    button->setObjectName(name);
    return button;
}

QCheckBox* MainWindow::check(const char* name, const QString& text)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(name);
    return box;
}

QLabel* MainWindow::label(const char* name, const QString& text)
{
    auto* l = new QLabel(text);
    l->setObjectName(name);
    return l;
}

QWidget* MainWindow::buildCentralWidget()
{
    auto* central = new QWidget;
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(4, 4, 4, 2);
    row->setSpacing(6);
    row->addWidget(buildListColumn());

    // The net gets the larger left column with the coordinate and symbol groups under it; the
    // two plots share the right column above the statistics.
    m_middle = new QWidget;
    auto* grid = new QGridLayout(m_middle);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(6);
    grid->addWidget(
        buildPicturePanel(
            "picStereo", "cmdStereo", &Controls::cmdStereo, "lblStereo", "Projection:",
            {{"optEqualArea", "Equal-area"}, {"optEqualAngle", "Equal-angle"}}, m_projectionGroup,
            {{"lblStereoD", &Controls::lblStereoD}, {"lblStereoI", &Controls::lblStereoI}}),
        0, 0);
    auto* plots = new QVBoxLayout;
    plots->setSpacing(6);
    plots->addWidget(buildPicturePanel("picPlot1", "cmdPlot1", &Controls::cmdPlot1, "lblPlot1",
                                       "Plot:",
                                       {{"optPKm", "P-Km"},
                                        {"optPjKm", "Pj-Km"},
                                        {"optPLogKm", "P-LogKm"},
                                        {"optHKm", "H-Km"}},
                                       m_plot1Group,
                                       {{"lblPlot1X", &Controls::lblPlot1X},
                                        {"lblPlot1Y", &Controls::lblPlot1Y}}),
                     1);
    plots->addWidget(
        buildPicturePanel(
            "picPlot2", "cmdPlot2", &Controls::cmdPlot2, "lblPlot2",
            "Plot:", {{"optPT", "P-T"}, {"optPjT", "Pj-T"}, {"optLF", "L-F"}, {"optPU", "P-U"}},
            m_plot2Group,
            {{"lblPlot2X", &Controls::lblPlot2X}, {"lblPlot2Y", &Controls::lblPlot2Y}}),
        1);
    grid->addLayout(plots, 0, 1);
    grid->addWidget(buildCoordinateGroup(), 1, 0);
    grid->addWidget(buildMeanTensorGroup(), 1, 1);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 11);
    grid->setColumnStretch(1, 9);
    row->addWidget(m_middle, 1);

    // The display and symbol groups share the right column: under the net the coordinate group
    // alone leaves the net's column narrow enough for the statistics beside it.
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(buildDisplayGroup(), 1);
    right->addWidget(buildPropertiesGroup());
    row->addLayout(right);

    m_picStereo = central->findChild<PictureWidget*>("picStereo");
    m_picPlot1 = central->findChild<PictureWidget*>("picPlot1");
    m_picPlot2 = central->findChild<PictureWidget*>("picPlot2");
    m_picStereo->setBandButtons(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
    m_pictures = {{&Controls::picStereo, m_picStereo},
                  {&Controls::picPlot1, m_picPlot1},
                  {&Controls::picPlot2, m_picPlot2}};
    m_frames.push_back(
        {[](const Controls& c) -> const app::Control& { return c.picStereo; }, m_picStereo});
    m_frames.push_back(
        {[](const Controls& c) -> const app::Control& { return c.picPlot1; }, m_picPlot1});
    m_frames.push_back(
        {[](const Controls& c) -> const app::Control& { return c.picPlot2; }, m_picPlot2});
    return central;
}

QWidget* MainWindow::buildListColumn()
{
    auto* column = new QWidget;
    column->setObjectName("colNames");
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_cmdExpand = new QPushButton(">>");
    m_cmdExpand->setObjectName("cmdExpand");
    m_cmdExpand->setToolTip("Show every column of the record list");
    auto* caption = new QHBoxLayout;
    caption->addWidget(new QLabel("Records"));
    caption->addStretch();
    caption->addWidget(m_cmdExpand);
    layout->addLayout(caption);
    m_lstNames = new RecordListView;
    m_lstNames->setObjectName("lstNames");
    layout->addWidget(m_lstNames, 1);
    m_frames.push_back(
        {[](const Controls& c) -> const app::Control& { return c.lstNames; }, m_lstNames});
    m_frames.push_back(
        {[](const Controls& c) -> const app::Control& { return c.cmdExpand; }, m_cmdExpand});
    return column;
}

QWidget* MainWindow::buildPicturePanel(
    const char* name, const char* buttonName, app::Button Controls::*buttonControl,
    const char* labelName, const QString& caption,
    const std::vector<std::pair<const char*, QString>>& options, QButtonGroup*& group,
    const std::vector<std::pair<const char*, app::Label Controls::*>>& readOuts)
{
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* picture = new PictureWidget;
    picture->setObjectName(name);
    layout->addWidget(picture, 1);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    auto* button = new QToolButton;
    button->setObjectName(buttonName);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setToolTip("Show or hide the options of this picture");
    row->addWidget(button);
    row->addWidget(label(labelName, caption));
    group = new QButtonGroup(this);
    int id = 1;
    for (const auto& [optionName, text] : options) {
        QRadioButton* option = radio(optionName, text);
        group->addButton(option, id++);
        row->addWidget(option);
    }
    // The read-outs share the room left of the row and ask for none: a text of any length
    // never moves the options or the picture.
    for (const auto& [readOutName, control] : readOuts) {
        QLabel* readOut = label(readOutName);
        readOut->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        readOut->setMinimumWidth(0);
        row->addWidget(readOut, 1);
        m_readOuts.push_back({control, readOut});
    }
    layout->addLayout(row);
    m_rowButtons.push_back({buttonControl, button, caption.chopped(1) + " options"});
    return panel;
}

QGroupBox* MainWindow::buildCoordinateGroup()
{
    auto* group = new QGroupBox;
    group->setObjectName("fraCoor");
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    QLabel* caption = label("lblCoor", "Coordinate system");
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    grid->addWidget(caption, 0, 0, 1, 2);

    m_coordGroup = new QButtonGroup(this);
    const std::vector<std::pair<const char*, QString>> systems = {{"optSpec", "Specimen"},
                                                                  {"optGeo", "Geographic"},
                                                                  {"optPaleo", "Paleogeographic"},
                                                                  {"optTecto", "Tectonic"}};
    int row = 1;
    for (const auto& [name, text] : systems) {
        QRadioButton* option = radio(name, text);
        m_coordGroup->addButton(option, row);
        grid->addWidget(option, row++, 0, 1, 2);
    }
    auto* reference = new QWidget;
    auto* referenceRow = new QHBoxLayout(reference);
    referenceRow->setContentsMargins(16, 0, 0, 0);
    m_paleoGroup = new QButtonGroup(this);
    QRadioButton* horizontal = radio("optPaleoHorizontal", "Paleohorizontal");
    QRadioButton* vertical = radio("optPaleoVertical", "Paleovertical");
    m_paleoGroup->addButton(horizontal, 1);
    m_paleoGroup->addButton(vertical, 2);
    auto* referenceColumn = new QVBoxLayout;
    referenceColumn->setSpacing(0);
    referenceColumn->addWidget(horizontal);
    referenceColumn->addWidget(vertical);
    referenceRow->addLayout(referenceColumn);
    grid->addWidget(reference, row++, 0, 1, 2);

    m_cboFoli = new QComboBox;
    m_cboFoli->setObjectName("cboFoli");
    m_cboLine = new QComboBox;
    m_cboLine->setObjectName("cboLine");
    for (QComboBox* box : {m_cboFoli, m_cboLine})
        box->setMinimumContentsLength(3);
    grid->addWidget(new QLabel("Foliation"), row, 0);
    grid->addWidget(m_cboFoli, row++, 1);
    grid->addWidget(new QLabel("Lineation"), row, 0);
    grid->addWidget(m_cboLine, row++, 1);
    grid->setRowStretch(row, 1);

    m_frames.push_back({[](const Controls& c) -> const app::Control& { return c.fraCoor; }, group});
    return group;
}

QGroupBox* MainWindow::buildDisplayGroup()
{
    auto* group = new QGroupBox("Display");
    group->setObjectName("fraDisplay");
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(2);
    const std::vector<std::pair<const char*, QString>> boxes
        = {{"chcData", "Data"},
           {"chcK1", "K1 (maximum)"},
           {"chcK2", "K2 (intermediate)"},
           {"chcK3", "K3 (minimum)"},
           {"chcMean", "Mean directions"},
           {"chcEllipses", "Confidence ellipses"},
           {"chcF1P", "Foliation poles"},
           {"chcF1C", "Foliation great circles"},
           {"chcF1S", "Foliation strikes"},
           {"chcL1", "Lineations"},
           {"chcContours", "Density contours"}};
    for (const auto& [name, text] : boxes)
        layout->addWidget(check(name, text));
    m_cboRegion = new QComboBox;
    m_cboRegion->setObjectName("cboRegion");
    m_cboRegion->setToolTip("Confidence region of the ellipses");
    layout->addWidget(m_cboRegion);

    m_lstFoli = new QListWidget;
    m_lstFoli->setObjectName("lstFoli");
    m_lstLine = new QListWidget;
    m_lstLine->setObjectName("lstLine");
    for (QListWidget* list : {m_lstFoli, m_lstLine}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        // Room for five type letters; more scroll.
        const int row = list->fontMetrics().height() + 2;
        list->setMinimumHeight(2 * row + 6);
        list->setMaximumHeight(5 * row + 6);
    }
    layout->addSpacing(6);
    layout->addWidget(new QLabel("Foliation types"));
    layout->addWidget(m_lstFoli);
    layout->addSpacing(4);
    layout->addWidget(new QLabel("Lineation types"));
    layout->addWidget(m_lstLine);
    layout->addStretch(1);
    group->setMaximumWidth(200);
    m_frames.push_back(
        {[](const Controls& c) -> const app::Control& { return c.fraDisplay; }, group});
    return group;
}

QGroupBox* MainWindow::buildPropertiesGroup()
{
    auto* group = new QGroupBox("Symbols");
    group->setObjectName("fraProperties");
    auto* layout = new QVBoxLayout(group);
    m_cmdDefault = new QPushButton("Colour");
    m_cmdDefault->setObjectName("cmdDefault");
    m_cmdDefault->setToolTip("Default colour scheme");
    m_cmdBW = new QPushButton("Black && white");
    m_cmdBW->setObjectName("cmdBW");
    m_cmdBW->setToolTip("Black-and-white scheme");
    layout->addWidget(m_cmdDefault);
    layout->addWidget(m_cmdBW);
    layout->addSpacing(6);
    layout->addWidget(new QLabel("Size"));
    auto* sizeRow = new QHBoxLayout;
    m_vslSymbolSize = new QSlider(Qt::Horizontal);
    m_vslSymbolSize->setObjectName("vslSymbolSize");
    m_vslSymbolSize->setPageStep(2);
    m_txtSymbolSize = new QLineEdit;
    m_txtSymbolSize->setObjectName("txtSymbolSize");
    m_txtSymbolSize->setReadOnly(true);
    m_txtSymbolSize->setAlignment(Qt::AlignRight);
    m_txtSymbolSize->setMaximumWidth(m_txtSymbolSize->fontMetrics().horizontalAdvance("0000") + 12);
    sizeRow->addWidget(m_vslSymbolSize, 1);
    sizeRow->addWidget(m_txtSymbolSize);
    layout->addLayout(sizeRow);
    layout->addStretch();
    group->setMaximumWidth(200);
    m_frames.push_back(
        {[](const Controls& c) -> const app::Control& { return c.fraProperties; }, group});
    return group;
}

QGroupBox* MainWindow::buildMeanTensorGroup()
{
    auto* group = new QGroupBox("Mean tensor (Tenvar statistics)");
    group->setObjectName("fraMeanTensor");
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(3);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Name"));
    m_txtMeanName = new QLineEdit;
    m_txtMeanName->setObjectName("txtMeanName");
    nameRow->addWidget(m_txtMeanName, 1);
    m_cmdSave = new QPushButton("Save");
    m_cmdSave->setObjectName("cmdSave");
    m_cmdSave->setToolTip("Append the mean tensor to a file");
    nameRow->addWidget(m_cmdSave);
    nameRow->addSpacing(12);
    nameRow->addWidget(new QLabel("N ="));
    QLabel* n = label("lblN");
    n->setMinimumWidth(n->fontMetrics().horizontalAdvance("00000"));
    nameRow->addWidget(n);
    layout->addLayout(nameRow);

    QLabel* info = label("lblStatisticsInfo");
    info->setStyleSheet("color: #a00000");
    layout->addWidget(info);

    const QFont fixed = m_lstNames->font();
    auto* axes = new QGridLayout;
    axes->setHorizontalSpacing(10);
    axes->setVerticalSpacing(1);
    axes->addWidget(new QLabel("Value"), 0, 1);
    axes->addWidget(new QLabel("Dec / Inc"), 0, 2);
    axes->addWidget(new QLabel("Confidence angles"), 0, 3);
    const char* names[3][3] = {{"lblK1", "lblK1d", "lblK1ca"},
                               {"lblK2", "lblK2d", "lblK2ca"},
                               {"lblK3", "lblK3d", "lblK3ca"}};
    for (int axis = 0; axis < 3; ++axis) {
        axes->addWidget(new QLabel(QString("K%1").arg(axis + 1)), axis + 1, 0);
        for (int column = 0; column < 3; ++column) {
            QLabel* value = label(names[axis][column]);
            value->setFont(fixed);
            // Room for the widest text, so that the table keeps its shape while empty.
            const char* widest[] = {"0.000", "000.0 / -00.0", "00.0 / 00.0"};
            value->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(widest[column]));
            axes->addWidget(value, axis + 1, column + 1);
        }
    }
    axes->setColumnStretch(4, 1);
    layout->addLayout(axes);
    QLabel* region = label("lblRegion");
    region->setFont(fixed);
    region->setVisible(false);
    layout->addWidget(region);

    auto* parameters = new QGridLayout;
    parameters->setHorizontalSpacing(8);
    parameters->setVerticalSpacing(1);
    const QStringList headers = {"Km", "L", "F", "P", "Pj", "T", "U"};
    for (int column = 0; column < headers.size(); ++column)
        parameters->addWidget(new QLabel(headers[int(column)]), 0, int(column) + 1, Qt::AlignRight);
    const char* rows[3][7]
        = {{"lblKmmean", "lblLmean", "lblFmean", "lblPmean", "lblPJmean", "lblTmean", "lblUmean"},
           {"lblKmaver", "lblLaver", "lblFAver", "lblPaver", "lblPjaver", "lblTaver", "lblUaver"},
           {"lblKmsd", "lblLsd", "lblFsd", "lblPsd", "lblPJsd", "lblTsd", "lblUsd"}};
    const QStringList rowNames = {"Mean tensor", "Average", "Std. dev."};
    for (int r = 0; r < 3; ++r) {
        parameters->addWidget(new QLabel(rowNames[r]), r + 1, 0);
        for (int column = 0; column < 7; ++column) {
            QLabel* value = label(rows[r][column]);
            value->setFont(fixed);
            value->setMinimumWidth(
                QFontMetrics(fixed).horizontalAdvance(column == 0 ? "0.00E-100" : "-0.000"));
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            parameters->addWidget(value, r + 1, column + 1);
        }
    }
    parameters->setColumnStretch(8, 1);
    layout->addLayout(parameters);
    layout->addStretch();
    m_frames.push_back(
        {[](const Controls& c) -> const app::Control& { return c.fraMeanTensor; }, group});
    return group;
}

void MainWindow::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    for (int panel = 1; panel <= 8; ++panel) {
        QLabel* l = label(QString("StatusBar1Panel%1").arg(panel).toLatin1().constData());
        // A panel is never narrower than its text: the header fields are short, and all eight
        // fit the smallest window.
        l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        bar->addWidget(l, panel == 7 ? 2 : 1);
        m_statusPanels.push_back(l);
    }
}

} // namespace tesmor::gui
