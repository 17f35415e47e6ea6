// Ctrl+C (and Ctrl+Break, and closing the console) while mirelrep checks: the running
// check, or every check of a run over many computers, is asked to stop, as the window
// program's Stop does, instead of the process ending at once. What was read is still
// written, marked incomplete or stopped.
#pragma once
#include <windows.h>

#include <functional>

#include "engine/check_context.h"

class CtrlCStops {
public:
    // Routes Ctrl+C to `check` for the life of the object.
    explicit CtrlCStops(CheckContext& check);
    // Routes Ctrl+C to `stop` (called on the console's own thread) for the life of the object.
    explicit CtrlCStops(std::function<void()> stop);
    CtrlCStops(const CtrlCStops&) = delete;
    CtrlCStops& operator=(const CtrlCStops&) = delete;
    ~CtrlCStops();

    // True when Ctrl+C came while this object routed it.
    bool Pressed() const;

    // What the console's handler does (tests call it instead of pressing the keys).
    static BOOL WINAPI Handle(DWORD event);

private:
    std::function<void()> stop_;
};
