// Move-only owners of Win32 handles, and two scoped helpers: the wait cursor and an
// open clipboard.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace ui {

// Owns one handle and releases it with Traits::Close. Traits provides
//   using Handle = ...; static Handle Empty(); static bool IsValid(Handle);
//   static void Close(Handle);
template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() noexcept = default;
    explicit UniqueResource(Handle handle) noexcept : handle_(handle) {}
    ~UniqueResource() { Reset(); }

    UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return Traits::IsValid(handle_); }

    // Gives up ownership without closing.
    Handle Release() noexcept { return std::exchange(handle_, Traits::Empty()); }

    // Closes the owned handle (if any) and takes `handle`.
    void Reset(Handle handle = Traits::Empty()) noexcept
    {
        Handle old = std::exchange(handle_, handle);
        if (Traits::IsValid(old))
            Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Empty();
};

namespace handle_traits {

template <typename T, auto CloseFunction>
struct NullIsEmpty {
    using Handle = T;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { CloseFunction(handle); }
};

// Kernel handles: both null and INVALID_HANDLE_VALUE mean "none".
struct Kernel {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

template <typename T>
struct GdiObject {
    using Handle = T;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { DeleteObject(handle); }
};

}  // namespace handle_traits

using UniqueMenu = UniqueResource<handle_traits::NullIsEmpty<HMENU, DestroyMenu>>;
using UniqueImageList = UniqueResource<handle_traits::NullIsEmpty<HIMAGELIST, ImageList_Destroy>>;
using UniqueIcon = UniqueResource<handle_traits::NullIsEmpty<HICON, DestroyIcon>>;
using UniqueGlobal = UniqueResource<handle_traits::NullIsEmpty<HGLOBAL, GlobalFree>>;
using UniqueHandle = UniqueResource<handle_traits::Kernel>;
using UniqueFont = UniqueResource<handle_traits::GdiObject<HFONT>>;
using UniqueBrush = UniqueResource<handle_traits::GdiObject<HBRUSH>>;
using UniquePen = UniqueResource<handle_traits::GdiObject<HPEN>>;
using UniqueBitmap = UniqueResource<handle_traits::GdiObject<HBITMAP>>;

// Shows the hourglass for its lifetime and then puts the previous cursor back.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// Opens the clipboard for its lifetime. IsOpen() tells whether opening succeeded;
// only then may the clipboard be read or written.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner = nullptr) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession()
    {
        if (open_)
            CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool IsOpen() const { return open_; }

private:
    bool open_;
};

}  // namespace ui
