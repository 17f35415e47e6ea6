#include "console/ctrl_c_stop.h"

#include <atomic>
#include <mutex>

namespace {

// The console calls its handler on a thread of its own, with nothing but the event: what
// it stops has to be found here. One run at a time has its Ctrl+C routed.
std::mutex g_routeLock;
const std::function<void()>* g_routedStop = nullptr;
std::atomic<int> g_runs{0};
std::atomic<bool> g_pressed{false};

}  // namespace

CtrlCRun::CtrlCRun()
{
    g_pressed = false;
    ++g_runs;
    SetConsoleCtrlHandler(CtrlCStops::Handle, TRUE);
}

CtrlCRun::~CtrlCRun()
{
    SetConsoleCtrlHandler(CtrlCStops::Handle, FALSE);
    --g_runs;
}

bool CtrlCRun::Pressed()
{
    return g_pressed.load();
}

CtrlCStops::CtrlCStops(CheckContext& check) : CtrlCStops([&check] { check.RequestStop(); }) {}

CtrlCStops::CtrlCStops(std::function<void()> stop) : stop_(std::move(stop))
{
    {
        std::lock_guard<std::mutex> hold(g_routeLock);
        g_routedStop = &stop_;
    }
    SetConsoleCtrlHandler(Handle, TRUE);
    if (g_pressed.load())
        stop_();   // pressed between two steps: this one does not start in earnest
}

CtrlCStops::~CtrlCStops()
{
    SetConsoleCtrlHandler(Handle, FALSE);
    std::lock_guard<std::mutex> hold(g_routeLock);
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
    std::lock_guard<std::mutex> hold(g_routeLock);
    if (!g_routedStop && g_runs.load() == 0)
        return FALSE;   // no run of ours: the default handler ends the process
    g_pressed = true;
    if (g_routedStop)
        (*g_routedStop)();
    return TRUE;
}
