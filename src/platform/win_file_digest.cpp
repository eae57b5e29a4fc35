#include "platform/win_file_digest.h"

#include <vector>

#include "platform/win32.h"
// After the Windows header, which it needs.
#include <wincrypt.h>
#include "platform/win_error.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

struct ProviderTraits {
    using Handle = HCRYPTPROV;
    static Handle Empty() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static void Close(Handle h) { CryptReleaseContext(h, 0); }
};

struct HashTraits {
    using Handle = HCRYPTHASH;
    static Handle Empty() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static void Close(Handle h) { CryptDestroyHash(h); }
};

constexpr DWORD kBlock = 1 << 20;

}  // namespace

std::string FileSha256(const std::string& szPath) {
    UniqueResource<ProviderTraits> hProvider;
    if (!CryptAcquireContextW(hProvider.Receive(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
        ThrowLastError("CryptAcquireContextW", szPath);
    UniqueResource<HashTraits> hHash;
    if (!CryptCreateHash(hProvider.Get(), CALG_SHA_256, 0, 0, hHash.Receive()))
        ThrowLastError("CryptCreateHash", szPath);
    const UniqueHandle hFile(CreateFileA(szPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!hFile.Valid()) ThrowLastError("CreateFileA", szPath);
    std::vector<BYTE> block(kBlock);
    for (;;) {
        DWORD lRead = 0;
        if (!ReadFile(hFile.Get(), block.data(), kBlock, &lRead, nullptr)) ThrowLastError("ReadFile", szPath);
        if (lRead == 0) break;
        if (!CryptHashData(hHash.Get(), block.data(), lRead, 0)) ThrowLastError("CryptHashData", szPath);
    }
    BYTE digest[32] = {};
    DWORD lSize = sizeof digest;
    if (!CryptGetHashParam(hHash.Get(), HP_HASHVAL, digest, &lSize, 0)) ThrowLastError("CryptGetHashParam", szPath);
    static const char kDigits[] = "0123456789abcdef";
    std::string szHex;
    for (DWORD i = 0; i < lSize; ++i) szHex += {kDigits[digest[i] >> 4], kDigits[digest[i] & 15]};
    return szHex;
}

}  // namespace corvane
