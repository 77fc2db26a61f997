#pragma once

// The open-multiple dialog frmOpenMulti: drive list, folder tree, a multi-select file list
// filtered by file type. The widgets forward every event to app::OpenMultipleDialog, which
// keeps the dialog's state and builds what it returns.

#include "model/result.h"

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QListWidget;
class QPushButton;
class QTreeView;

namespace tesmor::app {
class OpenMultipleDialog;
class UserInterface;
} // namespace tesmor::app

namespace tesmor::gui {

class OpenMultipleWindow : public QDialog
{
    Q_OBJECT

public:
    // Messages of the dialog ("No file(s) selected!") are shown through `ui`.
    OpenMultipleWindow(app::OpenMultipleDialog& dialog, app::UserInterface& ui,
                       QWidget* parent = nullptr);

    // Copies the dialog's state (caption, drive, folder, file list, selection) onto the widgets.
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void forwardSelection();
    void revealFolder();
    void revealFolderPath();
    void open();
    void finishIfClosed();

    void showStatus(const model::Status& status);

    app::OpenMultipleDialog& m_dialog;
    app::UserInterface& m_ui;
    QComboBox* m_drives;
    QTreeView* m_folders;
    QFileSystemModel* m_folderModel;
    QListWidget* m_files;
    QComboBox* m_fileTypes;
    bool m_syncing = false;
};

} // namespace tesmor::gui
