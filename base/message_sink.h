// Where a piece of the program that has no window of its own shows a message: a message
// box of the window program, standard error of the report tool, a recorder in tests.
#pragma once
#include <windows.h>

#include <string>

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows `text` with the MB_ICON*/MB_YESNO `flags`; returns the button chosen (IDOK,
    // IDYES, IDNO).
    virtual int ShowMessage(const std::string& text, UINT flags) = 0;
};
