#include "engine/check_worker.h"

#include <new>
#include <string>

#include "engine/com_ptr.h"
#include "engine/wmi_session.h"
#include "resources/resource.h"
#include "resources/text.h"

struct CheckWorker::Launch {
    CheckContext* check;
    HWND notify;
    CheckJob job;
};

namespace {

// A job that threw ended the check without its result: a failure, never a success.
void NoteBrokenJob(CheckContext& check, HRESULT code)
{
    const std::string message = LoadText(code == E_OUTOFMEMORY ? IDS_OUT_OF_MEMORY : IDS_CHECK_BROKE);
    std::string errorText;
    ComposeErrorText(errorText, message, code);
    check.NoteProblem({CheckProblem::WmiError, code, message});
    check.ShowMessage(errorText, MB_ICONHAND | MB_OK);
}

}  // namespace

bool RunCheckOnThisThread(CheckContext& check, const CheckJob& job)
{
    try {
        ComApartment apartment;
        std::string errorText;
        HRESULT code = S_OK;
        if (!InitializeComForCheck(apartment, check.Connector(), errorText, &code)) {
            check.NoteProblem({CheckProblem::WmiError, code, errorText.substr(0, errorText.find('\n'))});
            check.ShowMessage(errorText, MB_ICONHAND | MB_OK);
            return false;
        }
        if (job)
            job(check);
        return true;
    } catch (const std::bad_alloc&) {
        NoteBrokenJob(check, E_OUTOFMEMORY);
    } catch (...) {
        NoteBrokenJob(check, E_UNEXPECTED);
    }
    return false;
}

DWORD WINAPI CheckWorker::ThreadProc(LPVOID parameter)
{
    std::unique_ptr<Launch> launch(static_cast<Launch*>(parameter));
    try {
        RunCheckOnThisThread(*launch->check, launch->job);
    } catch (...) {
        // Showing the failure failed too: the completion still tells the window.
    }
    launch->check->Progress().Clear();
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
    thread_.Reset(CreateThread(nullptr, 0, ThreadProc, launch.get(), 0, nullptr));
    if (!thread_)
        return false;
    launch.release();   // the thread owns it now
    check_ = &check;
    return true;
}

bool CheckWorker::HasEnded() const
{
    return !thread_ || WaitForSingleObject(thread_.Get(), 0) != WAIT_TIMEOUT;
}

void CheckWorker::Join()
{
    if (!thread_)
        return;
    WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    check_ = nullptr;
}
