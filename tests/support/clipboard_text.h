// The real clipboard's text, read and written by tests without the code under test.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>

#include "ui/handles.h"

// The clipboard's CF_TEXT; "<none>" when it holds no text, "<busy>" when it cannot be
// opened.
inline std::string ClipboardText()
{
    ui::ClipboardSession clipboard;
    if (!clipboard.IsOpen())
        return "<busy>";
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data)
        return "<none>";
    const char* text = static_cast<const char*>(GlobalLock(data));
    std::string copy = text ? text : "<unreadable>";
    GlobalUnlock(data);
    return copy;
}

// Puts `text` on the clipboard as CF_TEXT; false on failure.
inline bool PutClipboardText(const std::string& text)
{
    ui::ClipboardSession clipboard;
    if (!clipboard.IsOpen() || !EmptyClipboard())
        return false;
    ui::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!block)
        return false;
    std::memcpy(GlobalLock(block.Get()), text.c_str(), text.size() + 1);
    GlobalUnlock(block.Get());
    if (!SetClipboardData(CF_TEXT, block.Get()))
        return false;
    block.Release();
    return true;
}
