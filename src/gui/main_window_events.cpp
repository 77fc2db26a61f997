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
        = {{"chcK1", &Browser::chcK1_Click},
           {"chcK2", &Browser::chcK2_Click},
           {"chcK3", &Browser::chcK3_Click},
           {"chcData", &Browser::chcData_Click},
           {"chcMean", &Browser::chcMean_Click},
           {"chcEllipses", &Browser::chcEllipses_Click},
           {"chcF1P", &Browser::chcF1P_Click},
           {"chcF1C", &Browser::chcF1C_Click},
           {"chcF1S", &Browser::chcF1S_Click},
           {"chcL1", &Browser::chcL1_Click},
           {"chcContours", &Browser::chcContours_Click}};
    for (const auto& [name, operation] : checks) {
        auto* box = findChild<QCheckBox*>(name);
        connect(box, &QCheckBox::clicked, this, [this, op = operation](bool checked) {
            run([this, op, checked] { (m_browser.*op)(checked); });
        });
    }

    connect(m_cboFoli, &QComboBox::activated, this,
            [this](int index) { run([this, index] { m_browser.cboFoli_Click(index); }); });
    connect(m_cboRegion, &QComboBox::activated, this,
            [this](int index) { run([this, index] { m_browser.cboRegion_Click(index); }); });
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

    connectPicture(m_picStereo, &Browser::picStereo_MouseDown, &Browser::picStereo_MouseMove,
                   &Browser::picStereo_MouseUp);
    connectPicture(m_picPlot1, &Browser::picPlot1_MouseDown, &Browser::picPlot1_MouseMove,
                   &Browser::picPlot1_MouseUp);
    connectPicture(m_picPlot2, &Browser::picPlot2_MouseDown, &Browser::picPlot2_MouseMove,
                   &Browser::picPlot2_MouseUp);
}

namespace {

// A mouse event in the pixels the picture was recorded in: the picture is drawn for the
// widget's size in device pixels, so a position in the widget's own pixels scales by the
// device pixel ratio.
app::MouseEvent PictureMouseEvent(const PictureWidget* picture, QPoint pos,
                                  Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    const qreal ratio = picture->devicePixelRatioF();
    int held = 0;
    if (buttons & Qt::LeftButton)
        held |= app::mouse::Left;
    if (buttons & Qt::RightButton)
        held |= app::mouse::Right;
    if (buttons & Qt::MiddleButton)
        held |= app::mouse::Middle;
    return {held,
            {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
             modifiers.testFlag(Qt::AltModifier)},
            pos.x() * ratio,
            pos.y() * ratio};
}

} // namespace

void MainWindow::connectPicture(PictureWidget* picture,
                                void (Browser::*down)(const app::MouseEvent&),
                                void (Browser::*move)(const app::MouseEvent&),
                                void (Browser::*up)(const app::MouseEvent&))
{
    connect(picture, &PictureWidget::mousePressed, this,
            [this, picture, down](QPoint pos, Qt::MouseButton button, Qt::MouseButtons,
                                  Qt::KeyboardModifiers modifiers) {
                (m_browser.*down)(PictureMouseEvent(picture, pos, button, modifiers));
            });
    connect(picture, &PictureWidget::mouseMoved, this,
            [this, picture, move](QPoint pos, Qt::MouseButtons buttons,
                                  Qt::KeyboardModifiers modifiers) {
                if (m_syncing)
                    return;
                (m_browser.*move)(PictureMouseEvent(picture, pos, buttons, modifiers));
                applyReadOuts();
            });
    connect(picture, &PictureWidget::mouseReleased, this,
            [this, picture, up](QPoint pos, Qt::MouseButton button, Qt::MouseButtons,
                                Qt::KeyboardModifiers modifiers) {
                const app::MouseEvent event = PictureMouseEvent(picture, pos, button, modifiers);
                run([this, up, &event] { (m_browser.*up)(event); });
            });
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
