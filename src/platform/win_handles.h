// Move-only owners of the Windows handles the platform layer opens: each
// handle is closed exactly once, on every way out of the code that opened it.
#pragma once

#include <utility>

#include "platform/win32.h"

namespace corvane {

template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle hOwned) : h(hOwned) {}
    ~UniqueResource() { Reset(); }

    UniqueResource(UniqueResource&& other) noexcept : h(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Handle Get() const { return h; }
    bool Valid() const { return Traits::IsValid(h); }

    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(h, Traits::Empty()); }
    // Closes the owned handle, if any, and takes hNew.
    void Reset(Handle hNew = Traits::Empty()) {
        const Handle hOld = std::exchange(h, hNew);
        if (Traits::IsValid(hOld)) Traits::Close(hOld);
    }
    // For the Windows calls that hand a new handle back through a pointer.
    Handle* Receive() {
        Reset();
        return &h;
    }

private:
    Handle h = Traits::Empty();
};

// Kernel objects: files, processes, threads. Some calls report failure with
// NULL, others with INVALID_HANDLE_VALUE; neither is ever closed.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFindHandle = UniqueResource<FindHandleTraits>;
using UniqueKey = UniqueResource<RegistryKeyTraits>;

}  // namespace corvane
