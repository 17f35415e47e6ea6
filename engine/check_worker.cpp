#include "engine/check_worker.h"

#include <string>

#include "engine/wmi_session.h"

namespace {

// COM is uninitialised on every path once CoInitializeEx was attempted.
class ComApartmentGuard {
public:
    ComApartmentGuard() = default;
    ComApartmentGuard(const ComApartmentGuard&) = delete;
    ComApartmentGuard& operator=(const ComApartmentGuard&) = delete;
    ~ComApartmentGuard() { CoUninitialize(); }
};

}  // namespace

struct CheckWorker::Launch {
    CheckContext* check;
    HWND notify;
    CheckJob job;
};

bool RunCheckOnThisThread(CheckContext& check, const CheckJob& job)
{
    ComApartmentGuard apartment;
    std::string errorText;
    HRESULT code = S_OK;
    if (InitializeComForCheck(check.Connector(), errorText, &code) != 0) {
        check.NoteProblem({CheckProblem::WmiError, code, errorText.substr(0, errorText.find('\n'))});
        check.ShowMessage(errorText, MB_ICONHAND | MB_OK);
        return false;
    }
    if (job)
        job(check);
    return true;
}

DWORD WINAPI CheckWorker::ThreadProc(LPVOID parameter)
{
    std::unique_ptr<Launch> launch(static_cast<Launch*>(parameter));
    RunCheckOnThisThread(*launch->check, launch->job);
    launch->check->Progress().Clear();
    Sleep(kCompletionDelayMs);
    if (launch->notify)
        PostMessageW(launch->notify, WM_CHECK_COMPLETE, 0, 0);
    return 0;
}

CheckWorker::~CheckWorker()
{
    if (thread_ && !HasEnded() && check_)
        check_->RequestStop();
    Join();
}

bool CheckWorker::Start(CheckContext& check, HWND notify, CheckJob job)
{
    if (thread_)
        return false;
    auto launch = std::make_unique<Launch>(Launch{&check, notify, std::move(job)});
    thread_ = CreateThread(nullptr, 0, ThreadProc, launch.get(), 0, nullptr);
    if (!thread_)
        return false;
    launch.release();   // the thread owns it now
    check_ = &check;
    return true;
}

bool CheckWorker::HasEnded() const
{
    if (!thread_)
        return true;
    // The exit code is also read: a thread that has ended but whose handle is not yet
    // signalled counts as ended.
    if (WaitForSingleObject(thread_, 0) != WAIT_TIMEOUT)
        return true;
    DWORD exitCode = STILL_ACTIVE;
    return GetExitCodeThread(thread_, &exitCode) && exitCode != STILL_ACTIVE;
}

void CheckWorker::Join()
{
    if (!thread_)
        return;
    while (!HasEnded())
        Sleep(1);
    CloseHandle(thread_);
    thread_ = nullptr;
    check_ = nullptr;
}
