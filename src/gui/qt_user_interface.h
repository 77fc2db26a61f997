#pragma once

// The browser's dialogs as real Qt dialogs and message boxes.

#include "app/user_interface.h"

#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace tesmor::gui {

class GedEditorWindow;

// A message box for `message` (no box for an empty status).
void ShowMessageBox(QWidget* parent, const model::UserMessage& message);
void ShowStatus(QWidget* parent, const model::Status& status);

// "Varkel AMS format (*.ran)|*.ran|ASCII text file (*.txt)|*.txt" as Qt's filter list
// "Varkel AMS format (*.ran);;ASCII text file (*.txt)".
QStringList QtFilters(const std::string& filter);
// The extension of the first pattern of a Qt filter ("ran" for "... (*.ran)"), "" for none.
QString FilterSuffix(const QString& filter);

class QtUserInterface : public app::UserInterface
{
public:
    explicit QtUserInterface(QWidget* parent = nullptr)
        : m_parent(parent)
    {
    }
    // The editor's window goes with the interface, also when it has no parent window.
    ~QtUserInterface() override;
    void setParent(QWidget* parent) { m_parent = parent; }

    void ShowMessage(const model::UserMessage& message) override;
    bool AskOkCancel(const model::UserMessage& question) override;
    app::SaveChoice AskSaveDiscard(const model::UserMessage& question) override;
    app::FileDialogAnswer OpenFileDialog(const app::FileDialogRequest& request) override;
    app::FileDialogAnswer SaveFileDialog(const app::FileDialogRequest& request) override;
    void RunOpenMultiple(app::OpenMultipleDialog& dialog) override;
    void RunTableView(app::TableView& view) override;
    void ShowWindow(app::WindowId window, bool modal) override;
    void ShowGedEditor(std::shared_ptr<app::GedEditor> editor, bool modal) override;
    bool ChooseGedMatchMode(std::int16_t& mode) override;
    model::Status PrintViews(const plot::ViewData& views, const std::string& title) override;
    model::Status ExportViews(const std::string& path, const plot::ViewData& views,
                              const std::string& title) override;

private:
    app::FileDialogAnswer runFileDialog(const app::FileDialogRequest& request, bool save);

    QWidget* m_parent;
    QPointer<GedEditorWindow> m_gedWindow; // the editor's window while it is open
};

} // namespace tesmor::gui
