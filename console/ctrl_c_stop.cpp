#include "console/ctrl_c_stop.h"

#include <atomic>

namespace {

// The console calls its handler on a thread of its own, with nothing but the event: what
// it stops has to be found here. One run at a time has its Ctrl+C routed.
std::atomic<const std::function<void()>*> g_routedStop{nullptr};
std::atomic<bool> g_pressed{false};

}  // namespace

CtrlCStops::CtrlCStops(CheckContext& check) : CtrlCStops([&check] { check.RequestStop(); }) {}

CtrlCStops::CtrlCStops(std::function<void()> stop) : stop_(std::move(stop))
{
    g_pressed = false;
    g_routedStop = &stop_;
    SetConsoleCtrlHandler(Handle, TRUE);
}

CtrlCStops::~CtrlCStops()
{
    SetConsoleCtrlHandler(Handle, FALSE);
    g_routedStop = nullptr;
}

bool CtrlCStops::Pressed() const
{
    return g_pressed.load();
}

BOOL WINAPI CtrlCStops::Handle(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    const std::function<void()>* stop = g_routedStop.load();
    if (!stop)
        return FALSE;   // nothing to stop: the default handler ends the process
    g_pressed = true;
    (*stop)();
    return TRUE;
}
