// The menus of the main window, their shortcuts and the operations they start.

#include "gui/main_window.h"

#include <QMenu>
#include <QMenuBar>

namespace tesmor::gui {

using app::Browser;
using Controls = app::MainWindowControls;

QAction* MainWindow::action(QMenu* menu, const char* name, const QString& text,
                            const QKeySequence& shortcut)
{
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    if (!shortcut.isEmpty())
        item->setShortcut(shortcut);
    return item;
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto menu = [bar](const char* name, const QString& title) {
        QMenu* m = bar->addMenu(title);
        m->setObjectName(name);
        m->menuAction()->setObjectName(QString(name) + "Action");
        return m;
    };
    auto bind = [this](app::MenuItem Controls::*member, QAction* item) {
        m_menus.push_back({member, item});
    };

    QMenu* file = menu("mnuFile", "&File");
    bind(&Controls::mnuFile, file->menuAction());
    QMenu* newMenu = file->addMenu("&New");
    newMenu->setObjectName("mnuNew");
    bind(&Controls::mnuNew, newMenu->menuAction());
    bind(&Controls::mnuNewGED,
         action(newMenu, "mnuNewGED", "&Geological file", Qt::CTRL | Qt::Key_N));
    bind(&Controls::mnuOpen, action(file, "mnuOpen", "&Open", Qt::CTRL | Qt::Key_O));
    bind(&Controls::mnuPrevious,
         action(file, "mnuPrevious", "Open &previous file", Qt::CTRL | Qt::Key_Q));
    bind(&Controls::mnuNext, action(file, "mnuNext", "Open &next file", Qt::CTRL | Qt::Key_A));
    file->addSeparator();
    bind(&Controls::mnuSave, action(file, "mnuSave", "&Save", Qt::CTRL | Qt::Key_S));
    bind(&Controls::mnuSaveAs, action(file, "mnuSaveAs", "Save &as", Qt::CTRL | Qt::Key_W));
    bind(&Controls::mnuSaveSelectedRecords,
         action(file, "mnuSaveSelectedRecords", "Save selected &records as", Qt::CTRL | Qt::Key_R));
    bind(&Controls::mnuRefresf, action(file, "mnuRefresf", "Refresh file list"));
    QAction* separator = file->addSeparator();
    separator->setObjectName("mnuSS");
    bind(&Controls::mnuSS, separator);
    bind(&Controls::mnuClose, action(file, "mnuClose", "&Close", Qt::CTRL | Qt::Key_Z));
    bind(&Controls::mnuExit, action(file, "mnuExit", "E&xit", Qt::CTRL | Qt::Key_X));

    QMenu* edit = menu("mnuEdit", "&Edit");
    bind(&Controls::mnuEdit, edit->menuAction());
    bind(&Controls::mnuEditData, action(edit, "mnuEditData", "&Edit data", Qt::Key_F1));
    bind(&Controls::mnuRot_SpecToGeo,
         action(edit, "mnuRot_SpecToGeo", "&Specimen to geographic coordinate system"));
    bind(&Controls::mnuRot_GeoToSpec,
         action(edit, "mnuRot_GeoToSpec", "&Geographic to specimen coordinate system"));

    QMenu* graphics = menu("mnuGraphics", "&Graphics");
    bind(&Controls::mnuGraphics, graphics->menuAction());
    bind(&Controls::mnuCopy, action(graphics, "mnuCopy", "&Copy", Qt::CTRL | Qt::Key_C));
    bind(&Controls::mnuExport, action(graphics, "mnuExport", "&Export", Qt::CTRL | Qt::Key_E));
    bind(&Controls::mnuPrint, action(graphics, "mnuPrint", "&Print", Qt::CTRL | Qt::Key_P));
    bind(&Controls::mnuGraphPrint, action(graphics, "mnuGraphPrint", "Print &all"));

    QMenu* selection = menu("mnuSelection", "&Selection");
    bind(&Controls::mnuSelection, selection->menuAction());
    bind(&Controls::mnuInvertSelection,
         action(selection, "mnuInvertSelection", "&Invert selection"));
    bind(&Controls::mnuDisregardSelectedRecords,
         action(selection, "mnuDisregardSelectedRecords", "&Disregard selected records"));
    bind(&Controls::mnuRestoreAllRecords,
         action(selection, "mnuRestoreAllRecords", "&Restore all records"));
    selection->addSeparator();
    bind(&Controls::mnuClearSelection, action(selection, "mnuClearSelection", "&Clear selection"));

    QMenu* tools = menu("mnuTools", "&Tools");
    bind(&Controls::mnuTools, tools->menuAction());
    action(tools, "mnuASCIIRecovery", "ASCII file data recovery");
    action(tools, "mnuFoliationFromLineations", "Foliation from two lineations");
    action(tools, "mnuIntersectionLineation", "Intersection lineation");
    action(tools, "mnuTensorSubtraction", "Tensor subtraction");
    tools->addSeparator();
    action(tools, "mnuSettings", "Settings", Qt::Key_F12);

    QAction* about = bar->addAction("&About");
    about->setObjectName("mnuAbout");
    bind(&Controls::mnuAbout, about);
}

void MainWindow::connectMenus()
{
    const auto item = [this](const char* name, void (Browser::*operation)()) {
        connect(findChild<QAction*>(name), &QAction::triggered, this,
                [this, operation] { run(operation); });
    };
    item("mnuNewGED", &Browser::mnuNewGED_Click);
    item("mnuOpen", &Browser::mnuOpen_Click);
    item("mnuPrevious", &Browser::mnuPrevious_Click);
    item("mnuNext", &Browser::mnuNext_Click);
    item("mnuSave", &Browser::mnuSave_Click);
    item("mnuSaveAs", &Browser::mnuSaveAs_Click);
    item("mnuSaveSelectedRecords", &Browser::mnuSaveSelectedRecords_Click);
    item("mnuClose", &Browser::mnuClose_Click);
    item("mnuEditData", &Browser::mnuEditData_Click);
    item("mnuRot_SpecToGeo", &Browser::mnuRot_SpecToGeo_Click);
    item("mnuRot_GeoToSpec", &Browser::mnuRot_GeoToSpec_Click);
    item("mnuExport", &Browser::mnuExport_Click);
    item("mnuPrint", &Browser::mnuPrint_Click);
    item("mnuInvertSelection", &Browser::mnuInvertSelection_Click);
    item("mnuDisregardSelectedRecords", &Browser::mnuDisregardSelectedRecords_Click);
    item("mnuRestoreAllRecords", &Browser::mnuRestoreAllRecords_Click);
    item("mnuClearSelection", &Browser::mnuClearSelection_Click);
    item("mnuAbout", &Browser::mnuAbout_Click);
    connect(findChild<QAction*>("mnuExit"), &QAction::triggered, this, [this] { close(); });

    // Commands whose operations the browser does not have yet: they stay disabled whatever the
    // browser's state says, until they are connected above like the others.
    for (const char* name : {"mnuRefresf", "mnuCopy", "mnuGraphPrint", "mnuASCIIRecovery",
                             "mnuFoliationFromLineations", "mnuIntersectionLineation",
                             "mnuTensorSubtraction", "mnuSettings"}) {
        auto* action = findChild<QAction*>(name);
        action->setEnabled(false);
        m_withoutOperation.insert(action);
    }
}

} // namespace tesmor::gui
