// Move-only owners of Win32 handles, for every layer: kernel objects, modules, menus, image
// lists, icons, GDI objects, memory blocks, and a window's device context.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>


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
using UniqueMemoryDC = UniqueResource<handle_traits::NullIsEmpty<HDC, DeleteDC>>;
using UniqueModule = UniqueResource<handle_traits::NullIsEmpty<HMODULE, FreeLibrary>>;

// The device context of a window's client area (or of the whole window, frame included),
// or of the screen for a null window, from GetDC or GetWindowDC, released when it goes.
class WindowDC {
public:
    enum class Area { Client, Whole };
    explicit WindowDC(HWND window, Area area = Area::Client)
        : window_(window), dc_(area == Area::Client ? GetDC(window) : GetWindowDC(window))
    {
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for the scope and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

