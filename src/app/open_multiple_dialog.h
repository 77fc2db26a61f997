#pragma once

// The open-multiple dialog without a toolkit: a drive list, the current folder, a file list
// filtered by the chosen file type with several entries selectable, and what the dialog returns
// when it closes. The window (or a test script) drives it through these operations.

#include "app/file_kinds.h"
#include "model/data_set.h"
#include "model/result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tesmor::app {

// Every doubled '/' replaced by a single one, repeatedly.
std::string CollapseSeparators(std::string path);

// The folder with one '/' at its end.
std::string WithTrailingSeparator(std::string folder);

// The file-system roots and mounted volumes offered by the drive list, each ending in '/'.
std::vector<std::string> AvailableDrives();

// What the dialog gives back to the main window when it closes.
struct OpenMultipleResult
{
    std::vector<std::string> ChosenFiles; // full paths of the selected entries, list order
    std::vector<std::string> ListedFiles; // full paths of every listed entry, list order
    std::int16_t CurrentPosition = 0; // 1-based position of the last selected entry
    std::string Folder; // ending in '/'
    model::FileKind Kind = model::FileKind::None;
    std::string Extension; // last 3 characters of the first chosen path
    bool Cancelled = true;
};

class OpenMultipleDialog
{
public:
    // Loads the dialog on `folder` with the file-type entry `fileTypeIndex` (0-based). A folder
    // that no longer exists is replaced by `fallbackFolder`.
    void Load(const std::string& folder, int fileTypeIndex, const std::string& fallbackFolder);

    // Drive1: the chosen drive becomes the current folder.
    void ChangeDrive(const std::string& drive);
    // Dir1: lists `folder` and makes it current.
    void ChangeFolder(const std::string& folder);
    // cboFileType: shows only the files matching the entry's pattern.
    void ChooseFileType(int index);

    void SetSelected(int row, bool selected);
    void SelectAll(); // cmdSelectAll
    void ClearSelection(); // cmdClearSelection

    // cmdOpen: closes the dialog with the selected files, or returns "No file(s) selected!"
    // and stays open.
    model::Status Open();
    // A double click on an entry: selects it, then as cmdOpen.
    model::Status DoubleClick(int row);
    void Cancel(); // cmdCancel or the window's close command

    const std::string& Caption() const { return m_caption; }
    const std::string& Folder() const { return m_folder; }
    const std::string& Drive() const { return m_drive; }
    const std::vector<std::string>& Drives() const { return m_drives; }
    int FileTypeIndex() const { return m_fileTypeIndex; }
    const std::vector<std::string>& Entries() const { return m_entries; } // File1, names only
    const std::vector<bool>& Selected() const { return m_selected; }
    bool Closed() const { return m_closed; }
    const OpenMultipleResult& Result() const { return m_result; }

private:
    void listFolder();

    std::string m_folder;
    std::string m_caption;
    std::string m_drive;
    std::vector<std::string> m_drives;
    int m_fileTypeIndex = 0;
    std::vector<std::string> m_entries;
    std::vector<bool> m_selected;
    bool m_closed = false;
    OpenMultipleResult m_result;
};

} // namespace tesmor::app
