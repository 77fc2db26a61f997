// User events of the main window's controls: each forwards to the browser operation named
// after its control, then the window copies the control state back onto the widgets.

#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/record_list.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace tesmor::gui {

using app::Browser;

void MainWindow::connectControls()
{
    const std::vector<std::pair<const char*, void (Browser::*)()>> options
        = {{"optEqualAngle", &Browser::optEqualAngle_Click},
           {"optEqualArea", &Browser::optEqualArea_Click},
           {"optPKm", &Browser::optPKm_Click},
           {"optPjKm", &Browser::optPjKm_Click},
           {"optPLogKm", &Browser::optPLogKm_Click},
           {"optHKm", &Browser::optHKm_Click},
           {"optPT", &Browser::optPT_Click},
           {"optPjT", &Browser::optPjT_Click},
           {"optLF", &Browser::optLF_Click},
           {"optPU", &Browser::optPU_Click},
           {"optSpec", &Browser::optSpec_Click},
           {"optGeo", &Browser::optGeo_Click},
           {"optPaleo", &Browser::optPaleo_Click},
           {"optTecto", &Browser::optTecto_Click},
           {"optPaleoHorizontal", &Browser::optPaleoHorizontal_Click},
           {"optPaleoVertical", &Browser::optPaleoVertical_Click}};
    for (const auto& [name, operation] : options) {
        auto* option = findChild<QRadioButton*>(name);
        connect(option, &QRadioButton::clicked, this, [this, op = operation] { run(op); });
    }

    const std::vector<std::pair<const char*, void (Browser::*)(bool)>> checks
        = {{"chcK1", &Browser::chcK1_Click},     {"chcK2", &Browser::chcK2_Click},
           {"chcK3", &Browser::chcK3_Click},     {"chcData", &Browser::chcData_Click},
           {"chcMean", &Browser::chcMean_Click}, {"chcEllipses", &Browser::chcEllipses_Click},
           {"chcF1P", &Browser::chcF1P_Click},   {"chcF1C", &Browser::chcF1C_Click},
           {"chcF1S", &Browser::chcF1S_Click},   {"chcL1", &Browser::chcL1_Click}};
    for (const auto& [name, operation] : checks) {
        auto* box = findChild<QCheckBox*>(name);
        connect(box, &QCheckBox::clicked, this, [this, op = operation](bool checked) {
            run([this, op, checked] { (m_browser.*op)(checked); });
        });
    }

    connect(m_cboFoli, &QComboBox::activated, this,
            [this](int index) { run([this, index] { m_browser.cboFoli_Click(index); }); });
    connect(m_cboLine, &QComboBox::activated, this,
            [this](int index) { run([this, index] { m_browser.cboLine_Click(index); }); });
    connect(m_cmdDefault, &QPushButton::clicked, this, [this] { run(&Browser::cmdDefault_Click); });
    connect(m_cmdBW, &QPushButton::clicked, this, [this] { run(&Browser::cmdBW_Click); });
    connect(m_vslSymbolSize, &QSlider::valueChanged, this,
            [this](int value) { run([this, value] { m_browser.vslSymbolSize_Change(value); }); });
    connect(m_cmdExpand, &QPushButton::clicked, this, [this] { run(&Browser::cmdExpand_Click); });

    const std::vector<std::pair<const char*, void (Browser::*)()>> rowButtons
        = {{"cmdStereo", &Browser::cmdStereo_Click},
           {"cmdPlot1", &Browser::cmdPlot1_Click},
           {"cmdPlot2", &Browser::cmdPlot2_Click}};
    for (const auto& [name, operation] : rowButtons) {
        auto* button = findChild<QToolButton*>(name);
        connect(button, &QToolButton::clicked, this, [this, op = operation] { run(op); });
    }

    connect(m_txtMeanName, &QLineEdit::textEdited, this, [this](const QString& name) {
        run([this, name] { m_browser.txtMeanName_Change(name.toStdString()); });
    });

    connect(m_cmdSave, &QPushButton::clicked, this, [this] { run(&Browser::cmdSave_Click); });

    // The list's whole selection, read once by ranges, in one call.
    connect(m_lstNames, &RecordListView::selectionReleased, this, [this] {
        const std::vector<bool> rows = m_lstNames->selectedRows();
        run([this, &rows] { m_browser.lstNames_Release(rows); });
    });

    for (PictureWidget* picture : {m_picStereo, m_picPlot1, m_picPlot2})
        connect(picture, &PictureWidget::resized, this, [this] { pictureSizesChanged(); });
}

void MainWindow::pictureSizesChanged()
{
    // Resizes come in bursts while the layout settles; the pictures are recorded once for the
    // final sizes.
    if (m_sizesPending)
        return;
    m_sizesPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_sizesPending = false;
            if (!m_picStereo->isVisible())
                return;
            auto sizeOf = [](const PictureWidget* picture) {
                const QSize size = picture->devicePixelSize();
                return app::PictureSize {size.width(), size.height(), picture->devicePixelRatioF()};
            };
            run([this, &sizeOf] {
                m_browser.SetPictureSizes(sizeOf(m_picStereo), sizeOf(m_picPlot1),
                                          sizeOf(m_picPlot2));
            });
        },
        Qt::QueuedConnection);
}

} // namespace tesmor::gui
