#include "platform/app_info.h"

#include <vector>

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/argument_text.h"

namespace corvane {

std::string ProgramFile() {
    // The program may live deeper than MAX_PATH; grow until the name fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD lLength =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (lLength == 0) ThrowLastError("GetModuleFileNameA", "");
        if (lLength < buffer.size()) return std::string(buffer.data(), lLength);
        buffer.resize(buffer.size() * 2);
    }
}

std::string FolderOfProgramFile(const std::string& szProgramFile) {
    const size_t lSlash = szProgramFile.find_last_of('\\');
    if (lSlash == std::string::npos) return "";
    std::string szFolder = szProgramFile.substr(0, lSlash);
    if (szFolder.size() == 2 && szFolder[1] == ':') szFolder += '\\';
    return szFolder;
}

std::string AppPath() { return FolderOfProgramFile(ProgramFile()); }

std::string ArgumentText() { return ArgumentTextOf(GetCommandLineA()); }

bool FindTopLevelWindow(const std::string& szTitle) {
    return FindWindowA(nullptr, szTitle.c_str()) != nullptr;
}

}  // namespace corvane
