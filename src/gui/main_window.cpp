#include "gui/main_window.h"

#include "app/command_line_files.h"
#include "app/listing.h"
#include "gui/picture_widget.h"
#include "gui/record_list.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>

namespace tesmor::gui {

using Controls = app::MainWindowControls;

MainWindow::MainWindow(const std::string& programFolder, const std::string& configFolder,
                       std::unique_ptr<app::UserInterface> ui, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(ui ? std::move(ui) : std::make_unique<QtUserInterface>(this))
    , m_browser(*m_ui)
{
    setObjectName("frmMain");
    setCentralWidget(buildCentralWidget());
    buildStatusBar();
    buildMenus();

    const std::vector<std::pair<const char*, app::OptionButton Controls::*>> options
        = {{"optEqualAngle", &Controls::optEqualAngle},
           {"optEqualArea", &Controls::optEqualArea},
           {"optPKm", &Controls::optPKm},
           {"optPjKm", &Controls::optPjKm},
           {"optPLogKm", &Controls::optPLogKm},
           {"optHKm", &Controls::optHKm},
           {"optPT", &Controls::optPT},
           {"optPjT", &Controls::optPjT},
           {"optLF", &Controls::optLF},
           {"optPU", &Controls::optPU},
           {"optSpec", &Controls::optSpec},
           {"optGeo", &Controls::optGeo},
           {"optPaleo", &Controls::optPaleo},
           {"optTecto", &Controls::optTecto},
           {"optPaleoHorizontal", &Controls::optPaleoHorizontal},
           {"optPaleoVertical", &Controls::optPaleoVertical}};
    for (const auto& [name, member] : options)
        m_options.push_back({member, findChild<QRadioButton*>(name)});

    const std::vector<std::pair<const char*, app::CheckBox Controls::*>> checks
        = {{"chcK1", &Controls::chcK1},
           {"chcK2", &Controls::chcK2},
           {"chcK3", &Controls::chcK3},
           {"chcData", &Controls::chcData},
           {"chcMean", &Controls::chcMean},
           {"chcEllipses", &Controls::chcEllipses},
           {"chcF1P", &Controls::chcF1P},
           {"chcF1C", &Controls::chcF1C},
           {"chcF1S", &Controls::chcF1S},
           {"chcL1", &Controls::chcL1},
           {"chcContours", &Controls::chcContours}};
    for (const auto& [name, member] : checks)
        m_checks.push_back({member, findChild<QCheckBox*>(name)});

    m_labels.push_back({&Controls::lblStatisticsInfo, findChild<QLabel*>("lblStatisticsInfo")});
    m_labels.push_back({&Controls::lblRegion, findChild<QLabel*>("lblRegion")});
    for (const app::StatisticsLabel& label : app::StatisticsLabels())
        m_labels.push_back({label.Control, findChild<QLabel*>(label.Name)});

    connectControls();
    connectMenus();

    m_browser.Load(programFolder, configFolder);
    applyControls();

    // The window fits the screen it opens on (1366 x 768 at the least).
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    resize(std::min(available.width(), 1366), std::min(available.height(), 768));
}

MainWindow::~MainWindow()
{
    // The settings file is written when the window is finally released.
    m_browser.Unload();
}

void MainWindow::run(const std::function<void()>& operation)
{
    if (m_syncing)
        return;
    const std::string focusBefore = m_browser.Controls().focus;
    ++m_operationsRun;
    operation();
    applyControls();
    // The browser names the control that an operation gives the input focus to; the name stays
    // until another operation names another one, so only a change moves the focus.
    if (m_browser.Controls().focus != focusBefore)
        applyFocus();
}

void MainWindow::run(void (app::Browser::*operation)())
{
    run([this, operation] { (m_browser.*operation)(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
}

void OpenCommandLineFiles(MainWindow& window, const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    if (model::Status error = app::PrepareCommandLineFiles(window.browser().State(), paths)) {
        window.userInterface().ShowMessage(*error);
        return;
    }
    window.run(&app::Browser::OpenFiles);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    pictureSizesChanged();
}

} // namespace tesmor::gui
