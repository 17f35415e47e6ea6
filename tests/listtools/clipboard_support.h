// Reading and writing the real clipboard in tests, without disturbance by the other
// test programs that use it at the same time.
#pragma once
#include "base/handles.h"
#include "tests/support/clipboard_text.h"

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

namespace listtest {

using ::ClipboardText;
using ::PutClipboardText;

// Holds a lock shared by the passes of this test program (English and Japanese run at
// the same time) for its lifetime.
class ClipboardTestLock {
public:
    ClipboardTestLock() : mutex_(CreateMutexA(nullptr, FALSE, "MirelListToolsClipboardTests"))
    {
        if (mutex_)
            owned_ = WaitForSingleObject(mutex_.Get(), 30000) != WAIT_TIMEOUT;
    }
    ~ClipboardTestLock()
    {
        if (owned_)
            ReleaseMutex(mutex_.Get());
    }
    ClipboardTestLock(const ClipboardTestLock&) = delete;
    ClipboardTestLock& operator=(const ClipboardTestLock&) = delete;

private:
    UniqueHandle mutex_;
    bool owned_ = false;
};

struct CopyOutcome {
    int result = -1;             // what the copy returned
    std::string clipboard;       // the clipboard's text afterwards
    bool clipboardChanged = false;
};

// Puts `before` on the clipboard, runs `copy` and reads the clipboard back. Another
// program writing to the clipboard meanwhile (seen in its sequence number) makes it
// try again, up to five times.
inline CopyOutcome CopyAndReadBack(const std::string& before, const std::function<int()>& copy)
{
    CopyOutcome outcome;
    for (int attempt = 0; attempt < 5; ++attempt) {
        DWORD start = GetClipboardSequenceNumber();
        if (!PutClipboardText(before))
            continue;
        DWORD put = GetClipboardSequenceNumber();
        outcome.result = copy();
        DWORD copied = GetClipboardSequenceNumber();
        outcome.clipboard = ClipboardText();
        outcome.clipboardChanged = copied != put;
        bool undisturbed = GetClipboardSequenceNumber() == copied &&
                           (copied == put || copied - put == put - start);
        if (undisturbed)
            break;
    }
    return outcome;
}

}  // namespace listtest
