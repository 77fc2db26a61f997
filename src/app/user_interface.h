#pragma once

// Everything in the browser that needs a person: message boxes, the overwrite question, file
// dialogs, the open-multiple dialog and the other windows. The window implements it with real
// dialogs; tests implement it with a script of answers.

#include "model/result.h"
#include "plot/view_options.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace tesmor::app {

class GedEditor;
class OpenMultipleDialog;
class TableView;

struct FileDialogRequest
{
    std::string title;
    std::string initialFolder; // ending in '/'
    std::string initialName;
    // Filter list as pairs of text and patterns joined by '|':
    // "Varkel AMS format (*.ran)|*.ran|ASCII text file (*.txt)|*.txt".
    std::string filter;
    bool confirmOverwrite = false;
    bool folderMustExist = false;
    bool hideReadOnly = false;
};

// The save dialog of the data and picture commands: it asks before overwriting a file, needs an
// existing folder and hides the read-only option.
inline FileDialogRequest SaveDialogRequest(std::string title, std::string folder, std::string name,
                                           std::string filter)
{
    return {
        std::move(title), std::move(folder), std::move(name), std::move(filter), true, true, true};
}

struct FileDialogAnswer
{
    std::string path; // full path, "" when the dialog was cancelled
    int filterIndex = 1; // 1-based entry of the filter list chosen
};

// The answer to closing a window that holds unsaved edits.
enum class SaveChoice { Save, Discard, GoBack };

// The windows that the browser shows beside itself.
enum class WindowId {
    About, // frmAbout
    Table, // frmTable
    GedEditor, // frmGED
};

class UserInterface
{
public:
    virtual ~UserInterface() = default;

    // A message box with the message's text, title and icon and the button OK.
    virtual void ShowMessage(const model::UserMessage& message) = 0;
    // A question with the buttons OK and Cancel; true for OK.
    virtual bool AskOkCancel(const model::UserMessage& question) = 0;
    // A question with the buttons Save, Discard and Cancel (go back).
    virtual SaveChoice AskSaveDiscard(const model::UserMessage& question) = 0;

    virtual FileDialogAnswer OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual FileDialogAnswer SaveFileDialog(const FileDialogRequest& request) = 0;

    // Shows the loaded dialog modally; returns once it is closed (Open or Cancel).
    virtual void RunOpenMultiple(OpenMultipleDialog& dialog) = 0;

    // Shows the table view of the open data set modally; returns once it is closed.
    virtual void RunTableView(TableView& view) = 0;

    // Shows a window, modally (returning when it closes) or not, kept above the others.
    virtual void ShowWindow(WindowId window, bool modal) = 0;

    // Shows the geological-data editor on `editor`: modally (returning when it closes) or kept
    // above the main window without waiting. The window shares the editor while it is open.
    virtual void ShowGedEditor(std::shared_ptr<GedEditor> editor, bool modal) = 0;

    // The name-matching dialog of geological merges (frmCopyGED), shown modally with the option
    // of `mode` (1 match from the left, 2 full match) selected. Continue stores the chosen option
    // in `mode` and gives true; Cancel gives false and leaves `mode` as it was.
    virtual bool ChooseGedMatchMode(std::int16_t& mode) = 0;

    // Lets the person choose a printer (or a PDF file) and prints the views on one page under
    // the title. Nothing happens when the choice is cancelled; a failure is returned.
    virtual model::Status PrintViews(const plot::ViewData& views, const std::string& title) = 0;

    // Writes the views as a picture file, the format chosen by the path's extension.
    virtual model::Status ExportViews(const std::string& path, const plot::ViewData& views,
                                      const std::string& title)
        = 0;
};

} // namespace tesmor::app
