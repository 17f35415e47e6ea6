// The real clipboard's text, read and written by tests without the code under test.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>

#include "base/handles.h"
#include "base/narrow.h"
#include "ui/clipboard_session.h"

// The clipboard's text in `format` as it stands, as bytes; "<none>" when it holds no
// text, "<busy>" when it cannot be opened.
inline std::string ClipboardBytes(UINT format)
{
    ui::ClipboardSession clipboard;
    if (!clipboard.IsOpen())
        return "<busy>";
    HANDLE data = GetClipboardData(format);
    if (!data)
        return "<none>";
    const void* locked = GlobalLock(data);
    std::string copy = !locked ? "<unreadable>"
                       : format == CF_UNICODETEXT ? ToNarrow(static_cast<const wchar_t*>(locked))
                                                  : std::string(static_cast<const char*>(locked));
    GlobalUnlock(data);
    return copy;
}

// The clipboard's Unicode text (CF_UNICODETEXT), as UTF-8.
inline std::string ClipboardText()
{
    return ClipboardBytes(CF_UNICODETEXT);
}

// The clipboard's ANSI text (CF_TEXT), in the ANSI code page.
inline std::string ClipboardAnsiText()
{
    return ClipboardBytes(CF_TEXT);
}

// Puts UTF-8 `text` on the clipboard as CF_UNICODETEXT; false on failure.
inline bool PutClipboardText(const std::string& text)
{
    ui::ClipboardSession clipboard;
    if (!clipboard.IsOpen() || !EmptyClipboard())
        return false;
    const std::wstring wide = ToWide(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block)
        return false;
    std::memcpy(GlobalLock(block.Get()), wide.c_str(), bytes);
    GlobalUnlock(block.Get());
    if (!SetClipboardData(CF_UNICODETEXT, block.Get()))
        return false;
    block.Release();
    return true;
}
