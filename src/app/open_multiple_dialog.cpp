#include "app/open_multiple_dialog.h"

#include "model/number_text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace tesmor::app {

namespace {

bool lessWithoutCase(const std::string& a, const std::string& b)
{
    const std::string la = model::ToLower(a), lb = model::ToLower(b);
    return la != lb ? la < lb : a < b;
}

// Mount points of real volumes: the root and everything mounted outside the kernel's own trees.
bool isVolume(const std::string& point, const std::string& type)
{
    static const char* const pseudo[]
        = {"proc",        "sysfs",          "devpts",   "cgroup",      "cgroup2",    "securityfs",
           "debugfs",     "tracefs",        "mqueue",   "pstore",      "bpf",        "configfs",
           "fusectl",     "hugetlbfs",      "autofs",   "binfmt_misc", "devtmpfs",   "nsfs",
           "squashfs",    "overlay",        "efivarfs", "ramfs",       "rpc_pipefs", "selinuxfs",
           "fuse.portal", "fuse.gvfsd-fuse"};
    for (const char* name : pseudo) {
        if (type == name)
            return false;
    }
    for (const char* tree :
         {"/proc", "/sys", "/dev", "/run/user", "/boot/efi", "/snap", "/var/lib"}) {
        if (point.rfind(tree, 0) == 0)
            return false;
    }
    if (point.rfind("/run", 0) == 0 && point.rfind("/run/media", 0) != 0)
        return false;
    return type != "tmpfs" || point.rfind("/media", 0) == 0 || point.rfind("/mnt", 0) == 0;
}

// Mount points in /proc/self/mounts write blanks and tabs as octal escapes.
std::string unescapeMountPoint(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()
            && std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
            out += char((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string driveOf(const std::string& folder, const std::vector<std::string>& drives)
{
    std::string best = "/";
    for (const std::string& drive : drives) {
        if (folder.rfind(drive, 0) == 0 && drive.size() > best.size())
            best = drive;
    }
    return best;
}

} // namespace

std::string CollapseSeparators(std::string path)
{
    std::size_t at;
    while ((at = path.find("//")) != std::string::npos)
        path.erase(at, 1);
    return path;
}

std::string WithTrailingSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::vector<std::string> AvailableDrives()
{
    std::vector<std::string> drives = {"/"};
    std::ifstream mounts("/proc/self/mounts");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, point, type;
        fields >> device >> point >> type;
        point = unescapeMountPoint(point);
        if (point.empty() || point == "/" || !isVolume(point, type))
            continue;
        point = WithTrailingSeparator(point);
        if (std::find(drives.begin(), drives.end(), point) == drives.end())
            drives.push_back(point);
    }
    std::sort(drives.begin() + 1, drives.end());
    return drives;
}

void OpenMultipleDialog::Load(const std::string& folder, int fileTypeIndex,
                              const std::string& fallbackFolder)
{
    m_result = OpenMultipleResult {};
    m_closed = false;
    m_drives = AvailableDrives();
    std::error_code error;
    std::string start = CollapseSeparators(folder);
    if (!std::filesystem::is_directory(start, error))
        start = fallbackFolder;
    m_fileTypeIndex = std::clamp(fileTypeIndex, 0, int(FileTypeEntries.size()) - 1);
    ChangeFolder(start);
}

void OpenMultipleDialog::ChangeDrive(const std::string& drive)
{
    ChangeFolder(drive);
}

void OpenMultipleDialog::ChangeFolder(const std::string& folder)
{
    m_folder = WithTrailingSeparator(CollapseSeparators(folder));
    m_drive = driveOf(m_folder, m_drives);
    m_caption = "Open multiple - [ " + m_folder + "]";
    listFolder();
}

void OpenMultipleDialog::ChooseFileType(int index)
{
    if (index < 0 || index >= int(FileTypeEntries.size()))
        return;
    m_fileTypeIndex = index;
    listFolder();
}

void OpenMultipleDialog::listFolder()
{
    m_entries.clear();
    const std::string pattern = FileTypePattern(FileTypeEntries[m_fileTypeIndex]);
    std::error_code error;
    std::filesystem::directory_iterator it(m_folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string name = it->path().filename().string();
        if (!name.empty() && name.front() != '.' && MatchesPattern(name, pattern))
            m_entries.push_back(name);
    }
    std::sort(m_entries.begin(), m_entries.end(), lessWithoutCase);
    m_selected.assign(m_entries.size(), false);
}

void OpenMultipleDialog::SetSelected(int row, bool selected)
{
    if (row >= 0 && row < int(m_selected.size()))
        m_selected[row] = selected;
}

void OpenMultipleDialog::SelectAll()
{
    m_selected.assign(m_entries.size(), true);
}

void OpenMultipleDialog::ClearSelection()
{
    m_selected.assign(m_entries.size(), false);
}

model::Status OpenMultipleDialog::Open()
{
    OpenMultipleResult result;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const std::string path = m_folder + m_entries[i];
        result.ListedFiles.push_back(path);
        if (m_selected[i]) {
            result.ChosenFiles.push_back(path);
            result.CurrentPosition = static_cast<std::int16_t>(std::min<std::size_t>(i + 1, 32767));
        }
    }
    if (result.ChosenFiles.empty())
        return model::UserMessage {"No file(s) selected!"};
    const std::string& first = result.ChosenFiles.front();
    result.Extension = first.substr(first.size() >= 3 ? first.size() - 3 : 0);
    result.Folder = m_folder;
    result.Kind = static_cast<model::FileKind>(m_fileTypeIndex + 1);
    result.Cancelled = false;
    m_result = std::move(result);
    m_closed = true;
    return std::nullopt;
}

model::Status OpenMultipleDialog::DoubleClick(int row)
{
    SetSelected(row, true);
    return Open();
}

void OpenMultipleDialog::Cancel()
{
    m_result = OpenMultipleResult {};
    m_closed = true;
}

} // namespace tesmor::app
