#pragma once

// The real Qt open-multiple window driven by a script, with every other dialog answered like a
// person who cancels and every message recorded instead of shown (a modal box would wait for
// ever without a display).

#include "app/open_multiple_dialog.h"
#include "gui/open_multiple_window.h"
#include "gui/qt_user_interface.h"
#include "gui/table_window.h"

#include <functional>
#include <string>
#include <vector>

namespace tesmor::test {

class ScriptedQtUi : public gui::QtUserInterface
{
public:
    // Runs on the open window of the next "Open", instead of the person.
    std::function<void(gui::OpenMultipleWindow&)> openScript;

    // Runs on the table window of the next "Edit data", which is then left as by its title bar.
    std::function<void(gui::TableWindow&)> tableScript;

    std::vector<model::UserMessage> messages;

    void ShowMessage(const model::UserMessage& message) override { messages.push_back(message); }
    bool AskOkCancel(const model::UserMessage& question) override
    {
        messages.push_back(question);
        return false;
    }
    app::SaveChoice AskSaveDiscard(const model::UserMessage& question) override
    {
        messages.push_back(question);
        return app::SaveChoice::GoBack;
    }
    app::FileDialogAnswer OpenFileDialog(const app::FileDialogRequest&) override { return {}; }
    app::FileDialogAnswer SaveFileDialog(const app::FileDialogRequest&) override { return {}; }
    void ShowWindow(app::WindowId, bool) override { }
    bool ChooseGedMatchMode(std::int16_t&) override { return false; }
    model::Status PrintViews(const plot::ViewData&, const std::string&) override { return {}; }

    void RunTableView(app::TableView& view) override
    {
        gui::TableWindow window(view);
        if (tableScript)
            tableScript(window);
        window.reject();
    }

    void RunOpenMultiple(app::OpenMultipleDialog& dialog) override
    {
        gui::OpenMultipleWindow window(dialog, *this);
        if (openScript)
            openScript(window);
        if (!dialog.Closed())
            dialog.Cancel();
    }
};

} // namespace tesmor::test
