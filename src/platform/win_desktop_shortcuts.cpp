#include "platform/win_desktop_shortcuts.h"

#include "platform/win32.h"
#include "platform/win_code_page.h"
#include "platform/win_error.h"

// Left out by the lean Windows headers.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace corvane {

namespace {

// The shell's link object and the two of its interfaces used here, by their
// fixed ids, so that the program needs no GUID library.
constexpr GUID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidShellLinkW = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

void Check(HRESULT hr, const char* szOperation, const std::string& szPath) {
    if (FAILED(hr)) ThrowWindowsError(szOperation, szPath, static_cast<unsigned long>(hr));
}

// COM for the length of one shortcut. ole32 is loaded only then: Corvane
// imports no more than the system libraries every one of its windows needs.
class Com {
public:
    Com() : hOle32(LoadLibraryA("ole32.dll")) {
        if (!hOle32) ThrowLastError("LoadLibraryA", "ole32.dll");
        using InitializeFn = HRESULT(WINAPI*)(void*, DWORD);
        const HRESULT hr = Function<InitializeFn>("CoInitializeEx")(nullptr, COINIT_APARTMENTTHREADED);
        // A thread that has COM already, in another model, can still use it.
        if (FAILED(hr) && hr != RPC_E_CHANGED_MODE) {
            FreeLibrary(hOle32);
            Check(hr, "CoInitializeEx", "");
        }
        bUninitialize = SUCCEEDED(hr);
    }
    ~Com() {
        using UninitializeFn = void(WINAPI*)();
        if (bUninitialize) Function<UninitializeFn>("CoUninitialize")();
        FreeLibrary(hOle32);
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;

    void CreateInstance(const GUID& clsid, const GUID& iid, void** ppObject, const std::string& szPath) {
        using CreateFn = HRESULT(WINAPI*)(const GUID&, IUnknown*, DWORD, const GUID&, void**);
        Check(Function<CreateFn>("CoCreateInstance")(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, ppObject),
              "CoCreateInstance", szPath);
    }

private:
    template <typename Fn>
    Fn Function(const char* szName) {
        FARPROC pFunction = GetProcAddress(hOle32, szName);
        if (!pFunction) ThrowLastError("GetProcAddress", szName);
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(pFunction));
    }

    HMODULE hOle32;
    bool bUninitialize = false;
};

// One reference to a COM object, released when it goes.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p) p->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* operator->() const { return p; }
    void** Receive() { return reinterpret_cast<void**>(&p); }

private:
    Interface* p = nullptr;
};

}  // namespace

std::string WinDesktopShortcuts::DesktopFolder() {
    char szFolder[MAX_PATH] = {};
    Check(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, szFolder),
          "SHGetFolderPathA", "Desktop");
    std::string szPath = szFolder;
    if (!szPath.empty() && szPath.back() == '\\') szPath.pop_back();
    return szPath;
}

void WinDesktopShortcuts::Save(const std::string& szPath, const ShortcutLink& link) {
    Com com;  // first made, last gone: the objects are released before COM ends
    ComRef<IShellLinkW> shellLink;
    com.CreateInstance(kClsidShellLink, kIidShellLinkW, shellLink.Receive(), szPath);
    Check(shellLink->SetPath(ProgramTextToWide(link.szTarget).c_str()), "IShellLinkW::SetPath", link.szTarget);
    Check(shellLink->SetArguments(ProgramTextToWide(link.szArguments).c_str()), "IShellLinkW::SetArguments", szPath);
    Check(shellLink->SetWorkingDirectory(ProgramTextToWide(link.szWorkingFolder).c_str()),
          "IShellLinkW::SetWorkingDirectory", link.szWorkingFolder);
    Check(shellLink->SetIconLocation(ProgramTextToWide(link.szIconFile).c_str(), 0), "IShellLinkW::SetIconLocation",
          link.szIconFile);
    ComRef<IPersistFile> file;
    Check(shellLink->QueryInterface(kIidPersistFile, file.Receive()), "IShellLinkW::QueryInterface", szPath);
    Check(file->Save(ProgramTextToWide(szPath).c_str(), TRUE), "IPersistFile::Save", szPath);
}

}  // namespace corvane
