// The one way the program shows a message box.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "base/message_sink.h"

namespace ui {

// Shows `text` with the program's name as caption (string 57344) and the MB_* `flags`;
// returns the button chosen (IDOK, IDYES, ...). Callable from any thread.
int ShowMessageBox(HWND owner, const std::string& text, UINT flags);

// Test hook: while set, ShowMessageBox calls `handler` instead of showing anything
// and returns its answer. The handler runs on the thread that asks. nullptr (an
// empty function) restores the real message box.
using MessageBoxHandler = std::function<int(HWND owner, const std::string& text, UINT flags)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

// Messages of a window's own commands, in message boxes it owns (with an OK button).
class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(HWND owner) : owner_(owner) {}
    int ShowMessage(const std::string& text, UINT flags) override { return ShowMessageBox(owner_, text, flags | MB_OK); }

private:
    HWND owner_;
};

}  // namespace ui
