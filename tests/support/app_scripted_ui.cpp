#include "app_scripted_ui.h"

#include <algorithm>

namespace tesmor::testing {

namespace {

// The next scripted answer, or `none` (a person who cancels) when the queue is empty.
template<typename T> T Next(std::deque<T>& answers, T none)
{
    if (answers.empty())
        return none;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

void ScriptedUi::ShowMessage(const model::UserMessage& message)
{
    messages.push_back(message);
}

bool ScriptedUi::AskOkCancel(const model::UserMessage& question)
{
    questions.push_back(question);
    return Next(okAnswers, false);
}

app::SaveChoice ScriptedUi::AskSaveDiscard(const model::UserMessage& question)
{
    questions.push_back(question);
    return Next(saveChoices, app::SaveChoice::GoBack);
}

void ScriptedUi::RunTableView(app::TableView& view)
{
    if (auto step = Next(tableSteps, std::function<void(app::TableView&)> {}))
        step(view);
}

app::FileDialogAnswer ScriptedUi::OpenFileDialog(const app::FileDialogRequest& request)
{
    openRequests.push_back(request);
    return Next(openAnswers, app::FileDialogAnswer {});
}

app::FileDialogAnswer ScriptedUi::SaveFileDialog(const app::FileDialogRequest& request)
{
    saveRequests.push_back(request);
    return Next(saveAnswers, app::FileDialogAnswer {});
}

void ScriptedUi::RunOpenMultiple(app::OpenMultipleDialog& dialog)
{
    if (DialogStep step = Next(openMultipleSteps, DialogStep {}))
        step(dialog);
    if (!dialog.Closed())
        dialog.Cancel();
}

void ScriptedUi::ShowWindow(app::WindowId window, bool modal)
{
    windows.emplace_back(window, modal);
}

void ScriptedUi::ShowGedEditor(std::shared_ptr<app::GedEditor> editor, bool modal)
{
    windows.emplace_back(app::WindowId::GedEditor, modal);
    gedEditor = std::move(editor);
    if (auto step = Next(gedSteps, std::function<void(app::GedEditor&)> {}))
        step(*gedEditor);
}

bool ScriptedUi::ChooseGedMatchMode(std::int16_t& mode)
{
    matchModesShown.push_back(mode);
    const int answer = Next(matchAnswers, 0);
    if (answer != 0)
        mode = static_cast<std::int16_t>(answer);
    return answer != 0;
}

model::Status ScriptedUi::PrintViews(const plot::ViewData& views, const std::string& title)
{
    printed.emplace_back(title, views.records.size());
    return printFailure;
}

model::Status ScriptedUi::ExportViews(const std::string& path, const plot::ViewData&,
                                      const std::string& title)
{
    exported.emplace_back(path, title);
    return std::nullopt;
}

void ScriptedUi::ChooseFiles(const std::string& folder, int fileTypeIndex,
                             const std::vector<std::string>& names)
{
    openMultipleSteps.push_back([this, folder, fileTypeIndex, names](app::OpenMultipleDialog& d) {
        if (!folder.empty())
            d.ChangeFolder(folder);
        d.ChooseFileType(fileTypeIndex);
        const auto& entries = d.Entries();
        for (const std::string& name : names) {
            const auto it = std::find(entries.begin(), entries.end(), name);
            if (it != entries.end())
                d.SetSelected(static_cast<int>(it - entries.begin()), true);
        }
        if (model::Status refused = d.Open())
            ShowMessage(*refused);
    });
}

void ScriptedUi::CancelNextOpen()
{
    openMultipleSteps.push_back([](app::OpenMultipleDialog& d) { d.Cancel(); });
}

} // namespace tesmor::testing
