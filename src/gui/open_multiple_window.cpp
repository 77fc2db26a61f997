#include "gui/open_multiple_window.h"

#include "app/open_multiple_dialog.h"
#include "app/user_interface.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace tesmor::gui {

namespace {

QString fromUtf8(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

OpenMultipleWindow::OpenMultipleWindow(app::OpenMultipleDialog& dialog, app::UserInterface& ui,
                                       QWidget* parent)
    : QDialog(parent)
    , m_dialog(dialog)
    , m_ui(ui)
    , m_drives(new QComboBox)
    , m_folders(new QTreeView)
    , m_folderModel(new QFileSystemModel(this))
    , m_files(new QListWidget)
    , m_fileTypes(new QComboBox)
{
    setObjectName("frmOpenMulti");
    setModal(true);
    m_drives->setObjectName("Drive1");
    m_folders->setObjectName("Dir1");
    m_files->setObjectName("File1");
    m_fileTypes->setObjectName("cboFileType");

    m_folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folderModel->setRootPath(QDir::rootPath());
    m_folders->setModel(m_folderModel);
    for (int column = 1; column < m_folderModel->columnCount(); ++column)
        m_folders->hideColumn(column);
    m_folders->header()->hide();
    m_folders->setMinimumSize(260, 300);

    m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_files->setMinimumSize(240, 300);
    for (const char* entry : app::FileTypeEntries)
        m_fileTypes->addItem(entry);

    auto* open = new QPushButton("Open");
    open->setObjectName("cmdOpen");
    open->setDefault(true);
    auto* selectAll = new QPushButton("Select all");
    selectAll->setObjectName("cmdSelectAll");
    auto* clear = new QPushButton("Clear selection");
    clear->setObjectName("cmdClearSelection");
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("cmdCancel");

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Drive:"), 0, 0);
    grid->addWidget(m_drives, 1, 0);
    grid->addWidget(new QLabel("Folder:"), 2, 0);
    grid->addWidget(m_folders, 3, 0);
    grid->addWidget(new QLabel("Files:"), 0, 1);
    grid->addWidget(m_files, 1, 1, 3, 1);
    grid->addWidget(new QLabel("File type:"), 4, 0, 1, 2);
    grid->addWidget(m_fileTypes, 5, 0, 1, 2);
    grid->setRowStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectAll);
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(open);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_folderModel, &QFileSystemModel::directoryLoaded, this, [this] { revealFolder(); });
    connect(m_drives, &QComboBox::activated, this, [this](int index) {
        m_dialog.ChangeDrive(m_drives->itemText(index).toStdString());
        refresh();
    });
    // A folder chosen with the mouse or the keyboard becomes the current folder.
    auto chooseFolder = [this](const QModelIndex& index) {
        if (m_syncing || !index.isValid())
            return;
        m_dialog.ChangeFolder(m_folderModel->filePath(index).toStdString());
        refresh();
    };
    connect(m_folders, &QTreeView::clicked, this, chooseFolder);
    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this, chooseFolder);
    connect(m_fileTypes, &QComboBox::activated, this, [this](int index) {
        m_dialog.ChooseFileType(index);
        refresh();
    });
    connect(m_files, &QListWidget::itemSelectionChanged, this, [this] { forwardSelection(); });
    connect(m_files, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        showStatus(m_dialog.DoubleClick(m_files->row(item)));
        finishIfClosed();
    });
    connect(selectAll, &QPushButton::clicked, this, [this] {
        m_dialog.SelectAll();
        refresh();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        m_dialog.ClearSelection();
        refresh();
    });
    connect(open, &QPushButton::clicked, this, [this] { this->open(); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_dialog.Cancel();
        finishIfClosed();
    });
    resize(620, 480);
    refresh();
}

void OpenMultipleWindow::refresh()
{
    m_syncing = true;
    setWindowTitle(fromUtf8(m_dialog.Caption()));

    m_drives->clear();
    for (const std::string& drive : m_dialog.Drives())
        m_drives->addItem(fromUtf8(drive));
    m_drives->setCurrentIndex(m_drives->findText(fromUtf8(m_dialog.Drive())));

    revealFolder();
    m_fileTypes->setCurrentIndex(m_dialog.FileTypeIndex());

    m_files->clear();
    const auto& entries = m_dialog.Entries();
    const auto& selected = m_dialog.Selected();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto* item = new QListWidgetItem(fromUtf8(entries[i]), m_files);
        item->setSelected(i < selected.size() && selected[i]);
    }
    m_syncing = false;
}

void OpenMultipleWindow::revealFolder()
{
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    revealFolderPath();
    m_syncing = wasSyncing;
}

void OpenMultipleWindow::revealFolderPath()
{
    // The folder model loads folders in the background: the current folder is revealed again
    // each time one of the folders on its path has been read.
    const QModelIndex folder = m_folderModel->index(fromUtf8(m_dialog.Folder()));
    if (!folder.isValid())
        return;
    for (QModelIndex parent = folder.parent(); parent.isValid(); parent = parent.parent())
        m_folders->expand(parent);
    m_folders->setCurrentIndex(folder);
    m_folders->scrollTo(folder, QAbstractItemView::PositionAtCenter);
}

void OpenMultipleWindow::forwardSelection()
{
    if (m_syncing)
        return;
    for (int row = 0; row < m_files->count(); ++row)
        m_dialog.SetSelected(row, m_files->item(row)->isSelected());
}

void OpenMultipleWindow::open()
{
    forwardSelection();
    showStatus(m_dialog.Open());
    finishIfClosed();
}

void OpenMultipleWindow::showStatus(const model::Status& status)
{
    if (status)
        m_ui.ShowMessage(*status);
}

void OpenMultipleWindow::finishIfClosed()
{
    if (m_dialog.Closed())
        done(m_dialog.Result().Cancelled ? QDialog::Rejected : QDialog::Accepted);
}

void OpenMultipleWindow::reject()
{
    // Escape and the window's close command leave the dialog cancelled.
    m_dialog.Cancel();
    QDialog::reject();
}

void OpenMultipleWindow::closeEvent(QCloseEvent* event)
{
    if (!m_dialog.Closed())
        m_dialog.Cancel();
    QDialog::closeEvent(event);
}

} // namespace tesmor::gui
