#include "engine/check_worker.h"

#include <atomic>

#include "engine/run_state.h"
#include "engine/survey_reporter.h"
#include "engine/wmi_session.h"

namespace {

std::atomic<StandardSurveyDriver> g_standardDriver{nullptr};
std::atomic<ClassSurveyDriver> g_classDriver{nullptr};

// COM is uninitialised on every path once CoInitializeEx was attempted, as the worker's
// last step.
class ComApartmentGuard {
public:
    ComApartmentGuard() = default;
    ComApartmentGuard(const ComApartmentGuard&) = delete;
    ComApartmentGuard& operator=(const ComApartmentGuard&) = delete;
    ~ComApartmentGuard() { CoUninitialize(); }
};

template <class RunDriver>
DWORD RunCheck(RunDriver runDriver)
{
    RunState& run = GetRunState();
    ComApartmentGuard apartment;
    std::string errorText;
    if (InitializeComForCheck(errorText) != 0)
        ReportMessage(errorText, MB_ICONHAND | MB_OK);
    else
        runDriver(run);
    run.StatusText.Clear();
    Sleep(kCompletionDelayMs);
    PostMessageA(run.ResultView, WM_CHECK_COMPLETE, 0, 0);
    return 0;
}

}  // namespace

void SetSurveyDrivers(StandardSurveyDriver standard, ClassSurveyDriver individual)
{
    g_standardDriver = standard;
    g_classDriver = individual;
}

DWORD WINAPI StandardCheckThread(LPVOID)
{
    return RunCheck([](RunState& run) {
        if (StandardSurveyDriver driver = g_standardDriver.load())
            driver(std::string(run.TargetComputer));
    });
}

DWORD WINAPI ClassCheckThread(LPVOID)
{
    return RunCheck([](RunState& run) {
        if (ClassSurveyDriver driver = g_classDriver.load())
            driver(std::string(run.TargetComputer), run.SelectedClassId);
    });
}
