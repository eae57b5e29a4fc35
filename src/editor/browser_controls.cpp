#include "editor/browser_controls.h"

#include <algorithm>

#include "modconfig/mod_scan.h"
#include "platform/platform_error.h"
#include "platform/win_find.h"

namespace corvane::ui {

namespace {

std::string Join(const std::string& szFolder, const std::string& szName) {
    return !szFolder.empty() && szFolder.back() == '\\' ? szFolder + szName : szFolder + "\\" + szName;
}

// The visible folders (bFolders) or the ordinary files in a folder, by name;
// nothing when it cannot be listed.
std::vector<std::string> NamesIn(const std::string& szFolder, bool bFolders) {
    std::vector<std::string> szNames;
    std::vector<FoundEntry> entries;
    try {
        entries = FindEntries(Join(szFolder, "*"));
    } catch (const PlatformError&) {
        return szNames;
    }
    for (FoundEntry& entry : entries) {
        const bool bFolder = (entry.lAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool bHidden = (entry.lAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        if (bFolder == bFolders && !bHidden && entry.szName != "." && entry.szName != "..")
            szNames.push_back(std::move(entry.szName));
    }
    std::sort(szNames.begin(), szNames.end(), NameLess);
    return szNames;
}

// The absolute form of a folder path, without a trailing backslash except
// at a drive root; "c:" stands for that drive's current folder.
std::string FullFolderPath(const std::string& szFolder) {
    std::string szFull(GetFullPathNameA(szFolder.c_str(), 0, nullptr, nullptr), '\0');
    const DWORD lLength = GetFullPathNameA(szFolder.c_str(), static_cast<DWORD>(szFull.size()), szFull.data(), nullptr);
    if (lLength == 0 || lLength >= szFull.size()) return "";
    szFull.resize(lLength);
    if (szFull.size() > 3 && szFull.back() == '\\') szFull.pop_back();
    return szFull;
}

// "C:\" of "C:\Games\Generals", "\\server\share\" of a network path.
size_t RootLength(const std::string& szPath) {
    if (szPath.rfind("\\\\", 0) != 0) return std::min<size_t>(3, szPath.size());
    size_t lAt = 1;
    for (int i = 0; i < 2 && lAt != std::string::npos; ++i) lAt = szPath.find('\\', lAt + 1);
    return lAt == std::string::npos ? szPath.size() : lAt + 1;
}

}  // namespace

void DriveList::Create(Window& parent) {
    CreateChild(parent, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
    char szSpec[] = "*.*";  // no folder in it: the process's current folder stays as it is
    DlgDirListComboBoxA(parent.Handle(), szSpec, Id(), 0, DDL_DRIVES | DDL_EXCLUSIVE);
}

void DriveList::OnCommand(WORD lCode) {
    if (lCode == CBN_SELCHANGE && onChange) onChange();
}

std::string DriveList::Drive() const {
    char szDrive[MAX_PATH] = {};
    DlgDirSelectComboBoxExA(GetParent(Handle()), szDrive, sizeof(szDrive), Id());
    return szDrive;
}

void DriveList::SetDriveOf(const std::string& szPath) {
    // The search ignores letter case.
    const std::string szItem = szPath.size() > 1 && szPath[1] == ':' ? "[-" + szPath.substr(0, 1) + "-]" : "";
    const LRESULT lIndex = SendMessageA(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(szItem.c_str()));
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(lIndex), 0);
}

void FolderList::Create(Window& parent) {
    ListBox::Create(parent);
    onDblClick = [this] { OpenLine(ListIndex()); };
}

void FolderList::OnReturnKey() { OpenLine(ListIndex()); }

void FolderList::OpenLine(int i) {
    if (i >= 0 && static_cast<size_t>(i) < szLineFolders.size()) SetPath(szLineFolders[i]);
}

bool FolderList::SetPath(const std::string& szFolder) {
    const std::string szFull = FullFolderPath(szFolder);
    const DWORD lAttributes = szFull.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(szFull.c_str());
    if (lAttributes == INVALID_FILE_ATTRIBUTES || !(lAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;

    szPath = szFull;
    szLineFolders.clear();
    Clear();
    const auto addLine = [this](size_t lDepth, const std::string& szName, const std::string& szFolderOfLine) {
        AddItem(std::string(2 * lDepth, ' ') + szName);
        szLineFolders.push_back(szFolderOfLine);
    };
    const size_t lRoot = RootLength(szPath);
    addLine(0, szPath.substr(0, lRoot), szPath.substr(0, lRoot));
    for (size_t lStart = lRoot; lStart < szPath.size();) {
        const size_t lEnd = std::min(szPath.find('\\', lStart), szPath.size());
        addLine(szLineFolders.size(), szPath.substr(lStart, lEnd - lStart), szPath.substr(0, lEnd));
        lStart = lEnd + 1;
    }
    const int lOpenLine = static_cast<int>(szLineFolders.size()) - 1;
    for (const std::string& szName : NamesIn(szPath, true)) addLine(lOpenLine + 1, szName, Join(szPath, szName));
    SetListIndex(lOpenLine);
    if (onChange) onChange();
    return true;
}

void FileList::SetPath(const std::string& szFolder) {
    szPath = szFolder;
    Clear();
    for (const std::string& szName : NamesIn(szPath, false)) AddItem(szName);
}

std::string FileList::FileName() const {
    const int i = ListIndex();
    return i < 0 ? "" : List(i);
}

}  // namespace corvane::ui
