#include "gui/qt_user_interface.h"

#include "app/open_multiple_dialog.h"
#include "gui/about_box.h"
#include "gui/copy_ged_dialog.h"
#include "gui/ged_editor_window.h"
#include "gui/open_multiple_window.h"
#include "gui/table_window.h"
#include "render/picture_export.h"
#include "render/printing.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace tesmor::gui {

namespace {

QMessageBox::Icon QtIcon(model::MessageIcon icon)
{
    switch (icon) {
    case model::MessageIcon::Critical:
        return QMessageBox::Critical;
    case model::MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case model::MessageIcon::Question:
        return QMessageBox::Question;
    case model::MessageIcon::Information:
        return QMessageBox::Information;
    case model::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void ShowMessageBox(QWidget* parent, const model::UserMessage& message)
{
    QMessageBox box(QtIcon(message.icon), QString::fromStdString(message.title),
                    QString::fromStdString(message.text), QMessageBox::Ok, parent);
    box.setObjectName("msgBox");
    box.exec();
}

void ShowStatus(QWidget* parent, const model::Status& status)
{
    if (status)
        ShowMessageBox(parent, *status);
}

QStringList QtFilters(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i];
        if (!text.contains(QLatin1Char('(')))
            text += " (" + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + ")";
        filters << text;
    }
    if (parts.size() == 1 && !parts[0].isEmpty())
        filters << parts[0];
    return filters;
}

QString FilterSuffix(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QtUserInterface::~QtUserInterface()
{
    delete m_gedWindow;
}

void QtUserInterface::ShowMessage(const model::UserMessage& message)
{
    ShowMessageBox(m_parent, message);
}

bool QtUserInterface::AskOkCancel(const model::UserMessage& question)
{
    QMessageBox box(QtIcon(question.icon), QString::fromStdString(question.title),
                    QString::fromStdString(question.text), QMessageBox::Ok | QMessageBox::Cancel,
                    m_parent);
    box.setObjectName("msgBox");
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

app::SaveChoice QtUserInterface::AskSaveDiscard(const model::UserMessage& question)
{
    QMessageBox box(QtIcon(question.icon), QString::fromStdString(question.title),
                    QString::fromStdString(question.text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QApplication::activeWindow() ? QApplication::activeWindow() : m_parent);
    box.setObjectName("msgBox");
    box.setDefaultButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return app::SaveChoice::Save;
    case QMessageBox::Discard:
        return app::SaveChoice::Discard;
    default:
        return app::SaveChoice::GoBack;
    }
}

app::FileDialogAnswer QtUserInterface::runFileDialog(const app::FileDialogRequest& request,
                                                     bool save)
{
    QFileDialog dialog(m_parent, QString::fromStdString(request.title),
                       QString::fromStdString(request.initialFolder));
    dialog.setObjectName(save ? "dlgSave" : "dlgOpen");
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = QtFilters(request.filter);
    dialog.setNameFilters(filters);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.initialName.empty())
        dialog.selectFile(QString::fromStdString(request.initialName));
    // A name typed without extension gets the extension of the chosen file type.
    if (save && !filters.isEmpty()) {
        dialog.setDefaultSuffix(FilterSuffix(filters.front()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& f) { dialog.setDefaultSuffix(FilterSuffix(f)); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    app::FileDialogAnswer answer;
    answer.path = dialog.selectedFiles().front().toStdString();
    answer.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1)
        answer.filterIndex = 1;
    return answer;
}

app::FileDialogAnswer QtUserInterface::OpenFileDialog(const app::FileDialogRequest& request)
{
    return runFileDialog(request, false);
}

app::FileDialogAnswer QtUserInterface::SaveFileDialog(const app::FileDialogRequest& request)
{
    return runFileDialog(request, true);
}

void QtUserInterface::RunOpenMultiple(app::OpenMultipleDialog& dialog)
{
    OpenMultipleWindow window(dialog, *this, m_parent);
    window.exec();
    if (!dialog.Closed())
        dialog.Cancel();
}

void QtUserInterface::RunTableView(app::TableView& view)
{
    // Questions and dialogs of the view open over it.
    TableWindow window(view, m_parent);
    QWidget* const parent = m_parent;
    m_parent = &window;
    window.exec();
    m_parent = parent;
}

void QtUserInterface::ShowWindow(app::WindowId window, bool modal)
{
    switch (window) {
    case app::WindowId::About: {
        AboutBox box(m_parent);
        box.exec();
        return;
    }
    case app::WindowId::Table:
    case app::WindowId::GedEditor:
        break;
    }
    (void)modal;
    ShowMessageBox(m_parent,
                   {"This window is not available in this version.", "Tesmor 42",
                    model::MessageIcon::Information});
}

// One editor window at a time: the window of the same editor is brought forward; a window left
// over from an editor that has been closed goes.
void QtUserInterface::ShowGedEditor(std::shared_ptr<app::GedEditor> editor, bool modal)
{
    if (m_gedWindow && &m_gedWindow->editor() == editor.get()) {
        m_gedWindow->show();
        m_gedWindow->raise();
        m_gedWindow->activateWindow();
        return;
    }
    if (m_gedWindow)
        m_gedWindow->done(QDialog::Rejected);
    auto* window = new GedEditorWindow(std::move(editor), m_parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_gedWindow = window;
    if (modal) {
        window->exec();
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

bool QtUserInterface::ChooseGedMatchMode(std::int16_t& mode)
{
    CopyGedDialog dialog(mode, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    mode = dialog.mode();
    return true;
}

model::Status QtUserInterface::PrintViews(const plot::ViewData& views, const std::string& title)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, m_parent);
    dialog.setObjectName("dlgPrint");
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return render::PrintViews(printer, views, title);
}

model::Status QtUserInterface::ExportViews(const std::string& path, const plot::ViewData& views,
                                           const std::string& title)
{
    return render::ExportPicture(path, views, title);
}

} // namespace tesmor::gui
