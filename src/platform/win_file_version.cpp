#include "platform/win_file_version.h"

#include <cstring>
#include <string_view>

#include "platform/win32.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

constexpr DWORD kFixedInfoSignature = 0xFEEF04BD;

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};

// The fixed part of a version resource follows its key "VS_VERSION_INFO" at
// the next 32-bit boundary; it is found by its signature, so a resource
// laid out a little differently is read too.
std::optional<FileVersion> FixedVersionIn(std::string_view resource) {
    for (size_t lAt = 0; lAt + sizeof(VS_FIXEDFILEINFO) <= resource.size(); lAt += 4) {
        VS_FIXEDFILEINFO fixed{};
        std::memcpy(&fixed, resource.data() + lAt, sizeof(fixed));
        if (fixed.dwSignature != kFixedInfoSignature) continue;
        return FileVersion{HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS)};
    }
    return std::nullopt;
}

}  // namespace

std::optional<FileVersion> WinFileVersions::Of(const std::string& szPath) {
    const UniqueResource<LibraryTraits> hFile(
        LoadLibraryExA(szPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!hFile.Valid()) return std::nullopt;
    HRSRC hInfo = FindResourceA(hFile.Get(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    HGLOBAL hLoaded = hInfo ? LoadResource(hFile.Get(), hInfo) : nullptr;
    const void* pData = hLoaded ? LockResource(hLoaded) : nullptr;
    if (!pData) return std::nullopt;
    return FixedVersionIn({static_cast<const char*>(pData), SizeofResource(hFile.Get(), hInfo)});
}

}  // namespace corvane
