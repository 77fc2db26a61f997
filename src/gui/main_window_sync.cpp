// Copying the browser's control state onto the widgets after every operation. Large contents
// (the record list and the pictures) carry revisions and are copied only when they changed.

#include "gui/main_window.h"
#include "gui/picture_replay.h"
#include "gui/picture_widget.h"
#include "gui/record_list.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace tesmor::gui {

namespace {

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

void applyControl(QWidget* widget, const app::Control& control)
{
    if (widget->isEnabled() != control.enabled)
        widget->setEnabled(control.enabled);
    if (widget->isVisibleTo(widget->parentWidget()) != control.visible)
        widget->setVisible(control.visible);
}

void applyCombo(QComboBox* box, const app::ComboBox& control)
{
    applyControl(box, control);
    QStringList items;
    for (const std::string& item : control.items)
        items << text(item);
    bool same = box->count() == items.size();
    for (int i = 0; same && i < box->count(); ++i)
        same = box->itemText(i) == items[i];
    if (!same) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(box->findText(text(control.text)));
}

void applyList(QListWidget* list, const app::ListBox& control)
{
    applyControl(list, control);
    bool same = list->count() == int(control.rows.size());
    for (int i = 0; same && i < list->count(); ++i)
        same = list->item(i)->text() == text(control.rows[std::size_t(i)]);
    if (!same) {
        list->clear();
        for (const std::string& row : control.rows)
            list->addItem(text(row));
    }
    for (int i = 0; i < list->count(); ++i) {
        const bool selected
            = std::size_t(i) < control.selected.size() && control.selected[std::size_t(i)];
        if (list->item(i)->isSelected() != selected)
            list->item(i)->setSelected(selected);
    }
}

// Checks the option of the group whose control is checked; none when no control is.
void applyGroup(QButtonGroup* group, const std::vector<std::pair<QRadioButton*, bool>>& states)
{
    group->setExclusive(false);
    for (const auto& [button, checked] : states) {
        if (button->isChecked() != checked)
            button->setChecked(checked);
    }
    group->setExclusive(true);
}

} // namespace

void MainWindow::applyControls()
{
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    const app::MainWindowControls& c = m_browser.Controls();
    setWindowTitle(text(c.frmMain.caption));

    applyList();
    applyPictures();
    applyOptionRows();
    applyCoordinateControls();
    applyDisplayControls();

    for (const FrameBinding& frame : m_frames)
        applyControl(frame.widget, frame.control(c));
    for (const LabelBinding& label : m_labels) {
        applyControl(label.widget, c.*label.control);
        label.widget->setText(text((c.*label.control).text));
    }
    m_cmdExpand->setText(text(c.cmdExpand.caption));
    applyReadOuts();

    // Containers follow their contents, so that hidden pictures and groups leave no gaps.
    for (PictureWidget* picture : {m_picStereo, m_picPlot1, m_picPlot2})
        picture->parentWidget()->setVisible(!picture->isHidden());
    bool anyShown = false;
    for (const char* name : {"picStereo", "picPlot1", "picPlot2", "fraCoor", "fraMeanTensor"})
        anyShown = anyShown || !m_middle->findChild<QWidget*>(name)->isHidden();
    m_middle->setVisible(anyShown);

    for (std::size_t i = 0; i < m_statusPanels.size(); ++i) {
        m_statusPanels[i]->setText(text(c.StatusBar1.panels[i]));
        m_statusPanels[i]->setToolTip(text(c.StatusBar1.panels[i]));
    }
    applyMenus();
    m_syncing = wasSyncing;
}

void MainWindow::applyList()
{
    const app::ListBox& list = m_browser.Controls().lstNames;
    applyControl(m_lstNames, list);
    if (list.rowsRevision != m_listRowsRevision) {
        m_lstNames->setTabStops(list.tabStops);
        m_lstNames->setRows(list.rows);
        m_listRowsRevision = list.rowsRevision;
        m_listSelectionRevision = ~std::uint64_t(0);
    }
    if (list.selectionRevision != m_listSelectionRevision) {
        m_lstNames->setSelectedRows(list.selected);
        m_listSelectionRevision = list.selectionRevision;
    }
    // Layout units are pixels at 96 dots per inch; the expanded list takes the free width.
    QWidget* column = m_lstNames->parentWidget();
    const double unit = logicalDpiX() / 96.0;
    const int width = int(list.width * unit);
    if (m_browser.State().ListExpanded) {
        column->setMinimumWidth(std::min(width, m_lstNames->fullRowWidth()));
        column->setMaximumWidth(QWIDGETSIZE_MAX);
    } else {
        column->setFixedWidth(std::max(width, 60));
    }
}

void MainWindow::applyPictures()
{
    for (PictureBinding& binding : m_pictures) {
        const app::Picture& picture = m_browser.Controls().*binding.control;
        if (picture.revision == binding.revision)
            continue;
        binding.revision = picture.revision;
        if (picture.picture) {
            binding.widget->setPainter([recording = picture.picture](QPainter& painter, QSize) {
                ReplayRecording(*recording, painter);
            });
        } else {
            binding.widget->setPainter({});
        }
    }
}

void MainWindow::applyOptionRows()
{
    const app::MainWindowControls& c = m_browser.Controls();
    for (RowButtonBinding& binding : m_rowButtons) {
        const app::Button& button = c.*binding.control;
        applyControl(binding.widget, button);
        const QString shown = text(button.picture) + QString::number(button.tag);
        if (shown == binding.shown)
            continue;
        binding.shown = shown;
        // The icon file beside the program is shown when it exists; otherwise an arrow says
        // whether the row is shown (up: click to hide) or hidden (down: click to show).
        const QString file = text(button.picture);
        const QIcon icon = !file.isEmpty() && QFileInfo::exists(file) ? QIcon(file) : QIcon();
        if (!icon.isNull() && !icon.availableSizes().isEmpty()) {
            binding.widget->setArrowType(Qt::NoArrow);
            binding.widget->setIcon(icon);
        } else {
            binding.widget->setIcon({});
            binding.widget->setArrowType(button.tag == 1 ? Qt::UpArrow : Qt::DownArrow);
        }
        // While the row is hidden the button says what it would show.
        binding.widget->setText(button.tag == 1 ? QString() : binding.hint);
    }
    const std::pair<const char*, const app::Label*> captions[] = {{"lblStereo", &c.lblStereo},
                                                                  {"lblPlot1", &c.lblPlot1},
                                                                  {"lblPlot2", &c.lblPlot2},
                                                                  {"lblCoor", &c.lblCoor}};
    for (const auto& [name, control] : captions)
        applyControl(findChild<QLabel*>(name), *control);
    for (const OptionBinding& option : m_options)
        applyControl(option.widget, c.*option.control);
    for (QButtonGroup* group :
         {m_projectionGroup, m_plot1Group, m_plot2Group, m_coordGroup, m_paleoGroup}) {
        std::vector<std::pair<QRadioButton*, bool>> states;
        for (const OptionBinding& option : m_options) {
            if (group->buttons().contains(option.widget))
                states.emplace_back(option.widget, (c.*option.control).checked);
        }
        applyGroup(group, states);
    }
}

void MainWindow::applyCoordinateControls()
{
    const app::MainWindowControls& c = m_browser.Controls();
    applyCombo(m_cboFoli, c.cboFoli);
    applyCombo(m_cboLine, c.cboLine);
    applyCombo(m_cboRegion, c.cboRegion);
}

void MainWindow::applyDisplayControls()
{
    const app::MainWindowControls& c = m_browser.Controls();
    for (const CheckBinding& check : m_checks) {
        const app::CheckBox& control = c.*check.control;
        applyControl(check.widget, control);
        if (check.widget->isChecked() != control.checked)
            check.widget->setChecked(control.checked);
    }
    gui::applyList(m_lstFoli, c.lstFoli);
    gui::applyList(m_lstLine, c.lstLine);

    applyControl(m_cmdDefault, c.cmdDefault);
    applyControl(m_cmdBW, c.cmdBW);
    applyControl(m_vslSymbolSize, c.vslSymbolSize);
    m_vslSymbolSize->setRange(c.vslSymbolSize.minimum, c.vslSymbolSize.maximum);
    if (m_vslSymbolSize->value() != c.vslSymbolSize.value)
        m_vslSymbolSize->setValue(c.vslSymbolSize.value);
    applyControl(m_txtSymbolSize, c.txtSymbolSize);
    m_txtSymbolSize->setText(text(c.txtSymbolSize.text));

    // The name is the user's to edit: it is replaced only when the browser sets a new one.
    applyControl(m_txtMeanName, c.txtMeanName);
    if (c.txtMeanName.text != m_meanNameShown) {
        if (m_txtMeanName->text() != text(c.txtMeanName.text))
            m_txtMeanName->setText(text(c.txtMeanName.text));
        m_meanNameShown = c.txtMeanName.text;
    }
    applyControl(m_cmdSave, c.cmdSave);
}

void MainWindow::applyMenus()
{
    const app::MainWindowControls& c = m_browser.Controls();
    for (const MenuBinding& menu : m_menus) {
        const app::MenuItem& item = c.*menu.control;
        menu.action->setVisible(item.visible);
        menu.action->setEnabled(item.enabled && !m_withoutOperation.contains(menu.action));
    }
}

QWidget* MainWindow::widgetOf(const std::string& controlName) const
{
    if (controlName.empty())
        return nullptr;
    return findChild<QWidget*>(text(controlName));
}

void MainWindow::applyFocus()
{
    if (QWidget* widget = widgetOf(m_browser.Controls().focus)) {
        if (widget->isVisible() && widget->isEnabled())
            widget->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::applyReadOuts()
{
    const app::MainWindowControls& c = m_browser.Controls();
    for (const LabelBinding& readOut : m_readOuts) {
        const QString shown = text((c.*readOut.control).text);
        if (readOut.widget->text() != shown)
            readOut.widget->setText(shown);
    }
}

} // namespace tesmor::gui
