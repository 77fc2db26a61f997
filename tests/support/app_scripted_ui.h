#pragma once

// A stand-in for the person in front of the browser: answers come from queues filled by the
// test, and everything the browser showed is recorded. An empty queue answers as a person who
// cancels.

#include "app/ged_editor.h"
#include "app/open_multiple_dialog.h"
#include "app/table_view.h"
#include "app/user_interface.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tesmor::testing {

class ScriptedUi : public app::UserInterface
{
public:
    using DialogStep = std::function<void(app::OpenMultipleDialog&)>;

    void ShowMessage(const model::UserMessage& message) override;
    bool AskOkCancel(const model::UserMessage& question) override;
    app::SaveChoice AskSaveDiscard(const model::UserMessage& question) override;
    app::FileDialogAnswer OpenFileDialog(const app::FileDialogRequest& request) override;
    app::FileDialogAnswer SaveFileDialog(const app::FileDialogRequest& request) override;
    void RunOpenMultiple(app::OpenMultipleDialog& dialog) override;
    // Runs the next scripted step on the table view (none: it is closed at once).
    void RunTableView(app::TableView& view) override;
    void ShowWindow(app::WindowId window, bool modal) override;
    // Recorded in `windows` as WindowId::GedEditor; the next `gedSteps` entry acts on it.
    void ShowGedEditor(std::shared_ptr<app::GedEditor> editor, bool modal) override;
    bool ChooseGedMatchMode(std::int16_t& mode) override;
    model::Status PrintViews(const plot::ViewData& views, const std::string& title) override;
    model::Status ExportViews(const std::string& path, const plot::ViewData& views,
                              const std::string& title) override;

    // Scripts the next open-multiple dialog: move to `folder` (when not empty), choose the
    // file-type entry, select the named entries and press Open.
    void ChooseFiles(const std::string& folder, int fileTypeIndex,
                     const std::vector<std::string>& names);
    // Scripts the next open-multiple dialog to be cancelled.
    void CancelNextOpen();

    std::deque<bool> okAnswers;
    std::deque<app::SaveChoice> saveChoices; // empty: go back
    std::deque<std::function<void(app::TableView&)>> tableSteps;
    std::deque<app::FileDialogAnswer> openAnswers;
    std::deque<app::FileDialogAnswer> saveAnswers;
    std::deque<DialogStep> openMultipleSteps;
    std::deque<std::function<void(app::GedEditor&)>> gedSteps;
    std::deque<int> matchAnswers; // the option chosen in frmCopyGED before Continue; 0 cancels

    std::vector<model::UserMessage> messages;
    std::vector<model::UserMessage> questions;
    std::vector<app::FileDialogRequest> openRequests;
    std::vector<app::FileDialogRequest> saveRequests;
    std::vector<std::pair<app::WindowId, bool>> windows;
    std::shared_ptr<app::GedEditor> gedEditor; // the editor last shown
    std::vector<int> matchModesShown; // the option frmCopyGED opened with, each time
    // Each page printed: its title and the number of records drawn; `printFailure` is returned.
    std::vector<std::pair<std::string, std::size_t>> printed;
    model::Status printFailure;
    // Each picture exported: path and title.
    std::vector<std::pair<std::string, std::string>> exported;
};

} // namespace tesmor::testing
