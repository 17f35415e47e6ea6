// The clipboard, open for the length of a scope.
#pragma once
#include <windows.h>

namespace ui {

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
