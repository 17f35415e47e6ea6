#include "console/ctrl_c_stop.h"

#include <atomic>

namespace {

// The console calls its handler on a thread of its own, with nothing but the event: the
// check it stops has to be found here. One check at a time runs under a handler.
std::atomic<CheckContext*> g_routedCheck{nullptr};
std::atomic<bool> g_pressed{false};

}  // namespace

CtrlCStops::CtrlCStops(CheckContext& check)
{
    g_pressed = false;
    g_routedCheck = &check;
    SetConsoleCtrlHandler(Handle, TRUE);
}

CtrlCStops::~CtrlCStops()
{
    SetConsoleCtrlHandler(Handle, FALSE);
    g_routedCheck = nullptr;
}

bool CtrlCStops::Pressed() const
{
    return g_pressed.load();
}

BOOL WINAPI CtrlCStops::Handle(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    CheckContext* check = g_routedCheck.load();
    if (!check)
        return FALSE;   // no check to stop: the default handler ends the process
    g_pressed = true;
    check->RequestStop();
    return TRUE;
}
