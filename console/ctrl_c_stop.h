// Ctrl+C (and Ctrl+Break, and closing the console) while mirelrep runs. It never ends the
// process half-way through a file or a recording, and never lets a run pass for a success:
// the running check, or every check of a run over many computers, is asked to stop, as the
// window program's Stop does; at a moment with nothing to stop, the run goes on to its next
// step, which sees that it was interrupted. What was read is still written, marked
// incomplete or stopped, and the run ends with the interruption's exit code.
#pragma once
#include <windows.h>

#include <functional>

#include "engine/check_context.h"

// For the life of a whole run: Ctrl+C is taken by mirelrep, not by the default handler.
class CtrlCRun {
public:
    CtrlCRun();
    CtrlCRun(const CtrlCRun&) = delete;
    CtrlCRun& operator=(const CtrlCRun&) = delete;
    ~CtrlCRun();

    // True when Ctrl+C came during the run.
    static bool Pressed();
};

class CtrlCStops {
public:
    // Routes Ctrl+C to `check` for the life of the object.
    explicit CtrlCStops(CheckContext& check);
    // Routes Ctrl+C to `stop` (called on the console's own thread) for the life of the
    // object; `stop` is called at once when Ctrl+C came before.
    explicit CtrlCStops(std::function<void()> stop);
    CtrlCStops(const CtrlCStops&) = delete;
    CtrlCStops& operator=(const CtrlCStops&) = delete;
    ~CtrlCStops();

    // True when Ctrl+C came while this object routed it, or before in the same run.
    bool Pressed() const;

    // What the console's handler does (tests call it instead of pressing the keys).
    static BOOL WINAPI Handle(DWORD event);

private:
    std::function<void()> stop_;
};
