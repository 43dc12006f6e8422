#pragma once
#include <windows.h>

#include <utility>

// Move-only owners of Windows handles: each handle is released exactly once.
// Traits name the handle type, its empty value and how it is released.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Null(); }
    Handle Release() { return std::exchange(handle_, Traits::Null()); }
    void Reset(Handle handle = Traits::Null()) {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Null()) Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Null();
};

namespace handle_traits {
template <typename H, auto CloseFunction>
struct NullIsEmpty {
    using Handle = H;
    static Handle Null() { return nullptr; }
    static void Close(Handle h) { CloseFunction(h); }
};
// CreateFile and FindFirstFile report failure as INVALID_HANDLE_VALUE, not null.
template <auto CloseFunction>
struct InvalidIsEmpty {
    using Handle = HANDLE;
    static Handle Null() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseFunction(h); }
};
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void CloseKey(HKEY h) { ::RegCloseKey(h); }
} // namespace handle_traits

using UniqueIcon = UniqueHandle<handle_traits::NullIsEmpty<HICON, ::DestroyIcon>>;
using UniqueMenu = UniqueHandle<handle_traits::NullIsEmpty<HMENU, ::DestroyMenu>>;
using UniqueFont = UniqueHandle<handle_traits::NullIsEmpty<HFONT, handle_traits::DeleteGdiObject>>;
using UniqueBrush = UniqueHandle<handle_traits::NullIsEmpty<HBRUSH, handle_traits::DeleteGdiObject>>;
using UniqueKey = UniqueHandle<handle_traits::NullIsEmpty<HKEY, handle_traits::CloseKey>>;
using UniqueModule = UniqueHandle<handle_traits::NullIsEmpty<HMODULE, ::FreeLibrary>>;
using UniqueKernelHandle = UniqueHandle<handle_traits::NullIsEmpty<HANDLE, ::CloseHandle>>;
using UniqueFile = UniqueHandle<handle_traits::InvalidIsEmpty<::CloseHandle>>;
using UniqueFind = UniqueHandle<handle_traits::InvalidIsEmpty<::FindClose>>;
