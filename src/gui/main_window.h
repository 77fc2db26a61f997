#pragma once

// The main window frmMain. It builds the widgets (object names are the control names),
// forwards every user event to the browser operation of the same name and afterwards copies
// the browser's control state onto the widgets. Behaviour lives in app::Browser.

#include "app/browser.h"
#include "gui/qt_user_interface.h"

#include <QAction>
#include <QMainWindow>
#include <QSet>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;

namespace tesmor::gui {

class PictureWidget;
class RecordListView;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // `programFolder` holds the settings file when writable; otherwise `configFolder` does.
    // `ui` replaces the Qt dialogs (tests script them); null uses real dialogs.
    MainWindow(const std::string& programFolder, const std::string& configFolder,
               std::unique_ptr<app::UserInterface> ui = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    app::Browser& browser() { return m_browser; }
    app::UserInterface& userInterface() { return *m_ui; }

    // Runs a browser operation and then copies the control state onto the widgets.
    void run(const std::function<void()>& operation);
    // How many operations the window has run: tests see that a control reaches one.
    int operationsRun() const { return m_operationsRun; }
    void run(void (app::Browser::*operation)());
    // Copies the control state onto the widgets.
    void applyControls();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Bindings between a control of the state and its widget, with the operation it starts.
    struct OptionBinding
    {
        app::OptionButton app::MainWindowControls::*control;
        QRadioButton* widget;
    };
    struct CheckBinding
    {
        app::CheckBox app::MainWindowControls::*control;
        QCheckBox* widget;
    };
    struct LabelBinding
    {
        app::Label app::MainWindowControls::*control;
        QLabel* widget;
    };
    struct FrameBinding
    {
        std::function<const app::Control&(const app::MainWindowControls&)> control;
        QWidget* widget;
    };
    struct MenuBinding
    {
        app::MenuItem app::MainWindowControls::*control;
        QAction* action;
    };
    struct PictureBinding
    {
        app::Picture app::MainWindowControls::*control;
        PictureWidget* widget;
        std::uint64_t revision = ~std::uint64_t(0);
    };
    struct RowButtonBinding
    {
        app::Button app::MainWindowControls::*control;
        QToolButton* widget;
        QString hint; // shown beside the arrow while the row is hidden
        QString shown = {}; // icon file and tag last shown
    };

    // main_window_layout.cpp
    QWidget* buildCentralWidget();
    QWidget* buildListColumn();
    QWidget* buildPicturePanel(
        const char* name, const char* buttonName,
        app::Button app::MainWindowControls::*buttonControl, const char* labelName,
        const QString& caption, const std::vector<std::pair<const char*, QString>>& options,
        QButtonGroup*& group,
        const std::vector<std::pair<const char*, app::Label app::MainWindowControls::*>>& readOuts);
    QGroupBox* buildCoordinateGroup();
    QGroupBox* buildDisplayGroup();
    QGroupBox* buildPropertiesGroup();
    QGroupBox* buildMeanTensorGroup();
    void buildStatusBar();
    QRadioButton* radio(const char* name, const QString& text);
    QCheckBox* check(const char* name, const QString& text);
    QLabel* label(const char* name, const QString& text = {});

    // main_window_menus.cpp
    void buildMenus();
    QAction* action(QMenu* menu, const char* name, const QString& text,
                    const QKeySequence& shortcut = {});
    void connectMenus();

    // main_window_events.cpp
    void connectControls();
    void pictureSizesChanged();

    // main_window_sync.cpp
    void applyList();
    void applyPictures();
    void applyOptionRows();
    void applyCoordinateControls();
    void applyDisplayControls();
    void applyMenus();
    void applyFocus();
    // The read-outs of the position under the mouse, alone: a mouse move changes nothing else.
    void applyReadOuts();
    void connectPicture(PictureWidget* picture, void (app::Browser::*down)(const app::MouseEvent&),
                        void (app::Browser::*move)(const app::MouseEvent&),
                        void (app::Browser::*up)(const app::MouseEvent&));
    QWidget* widgetOf(const std::string& controlName) const;

    std::unique_ptr<app::UserInterface> m_ui;
    app::Browser m_browser;
    bool m_syncing = false;
    int m_operationsRun = 0;
    bool m_sizesPending = false;

    RecordListView* m_lstNames = nullptr;
    QPushButton* m_cmdExpand = nullptr;
    QWidget* m_middle = nullptr; // the pictures and the groups beside the list
    PictureWidget* m_picStereo = nullptr;
    PictureWidget* m_picPlot1 = nullptr;
    PictureWidget* m_picPlot2 = nullptr;
    QButtonGroup* m_projectionGroup = nullptr;
    QButtonGroup* m_plot1Group = nullptr;
    QButtonGroup* m_plot2Group = nullptr;
    QButtonGroup* m_coordGroup = nullptr;
    QButtonGroup* m_paleoGroup = nullptr;
    QComboBox* m_cboFoli = nullptr;
    QComboBox* m_cboLine = nullptr;
    QComboBox* m_cboRegion = nullptr;
    QListWidget* m_lstFoli = nullptr;
    QListWidget* m_lstLine = nullptr;
    QPushButton* m_cmdDefault = nullptr;
    QPushButton* m_cmdBW = nullptr;
    QSlider* m_vslSymbolSize = nullptr;
    QLineEdit* m_txtSymbolSize = nullptr;
    QLineEdit* m_txtMeanName = nullptr;
    QPushButton* m_cmdSave = nullptr;
    std::vector<QLabel*> m_statusPanels;
    // Menu items whose operations do not exist yet: always disabled.
    QSet<const QObject*> m_withoutOperation;

    std::vector<OptionBinding> m_options;
    std::vector<CheckBinding> m_checks;
    std::vector<LabelBinding> m_labels;
    std::vector<LabelBinding> m_readOuts;
    std::vector<FrameBinding> m_frames;
    std::vector<MenuBinding> m_menus;
    std::vector<PictureBinding> m_pictures;
    std::vector<RowButtonBinding> m_rowButtons;
    std::string m_meanNameShown; // the browser's txtMeanName text last copied to the widget
    std::uint64_t m_listRowsRevision = ~std::uint64_t(0);
    std::uint64_t m_listSelectionRevision = ~std::uint64_t(0);
};

// Opens the files named on the command line (kind by extension) as the open dialog would.
void OpenCommandLineFiles(MainWindow& window, const std::vector<std::string>& paths);

} // namespace tesmor::gui
