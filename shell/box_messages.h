// Messages of a window's own commands (saves, copies), in message boxes the window owns,
// on the window's thread. A check's messages go through its WindowReporter instead.
#pragma once
#include <windows.h>

#include "base/message_sink.h"
#include "ui/message_box.h"

class BoxMessages : public MessageSink {
public:
    explicit BoxMessages(HWND owner) : owner_(owner) {}
    int ShowMessage(const std::string& text, UINT flags) override
    {
        return ui::ShowMessageBox(owner_, text, flags | MB_OK);
    }

private:
    HWND owner_;
};
