#include "app_scripted_ui.h"

#include <algorithm>

namespace tesmor::testing {

void ScriptedUi::ShowMessage(const model::UserMessage& message)
{
    messages.push_back(message);
}

bool ScriptedUi::AskOkCancel(const model::UserMessage& question)
{
    questions.push_back(question);
    if (okAnswers.empty())
        return false;
    const bool answer = okAnswers.front();
    okAnswers.pop_front();
    return answer;
}

app::FileDialogAnswer ScriptedUi::OpenFileDialog(const app::FileDialogRequest& request)
{
    openRequests.push_back(request);
    if (openAnswers.empty())
        return {};
    app::FileDialogAnswer answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

app::FileDialogAnswer ScriptedUi::SaveFileDialog(const app::FileDialogRequest& request)
{
    saveRequests.push_back(request);
    if (saveAnswers.empty())
        return {};
    app::FileDialogAnswer answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

void ScriptedUi::RunOpenMultiple(app::OpenMultipleDialog& dialog)
{
    openMultipleCaptions.push_back(dialog.Caption());
    if (!openMultipleSteps.empty()) {
        DialogStep step = std::move(openMultipleSteps.front());
        openMultipleSteps.pop_front();
        step(dialog);
    }
    if (!dialog.Closed())
        dialog.Cancel();
}

void ScriptedUi::ShowWindow(app::WindowId window, bool modal)
{
    windows.emplace_back(window, modal);
}

bool ScriptedUi::ChooseGedMatchMode(std::int16_t& mode)
{
    matchModesShown.push_back(mode);
    const int answer = matchAnswers.empty() ? 0 : matchAnswers.front();
    if (!matchAnswers.empty())
        matchAnswers.pop_front();
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
