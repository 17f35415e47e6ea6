#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "engine/check_worker.h"
#include "engine/survey_reporter.h"
#include "engine/wmi_session.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "tests/support/recording_reporter.h"

namespace {

std::atomic<int> g_runs{0};
std::string g_host;

// A job as a survey driver would be: it reads the check's host and sets its progress line.
void RecordingJob(CheckContext& check)
{
    ++g_runs;
    g_host = check.Host();
    check.Progress().Set("Checking resources : BIOS");
}

// A hidden window that records when the completion message arrives.
class CompletionWindow {
public:
    CompletionWindow()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MirelCompletionTest";
        RegisterClassA(&windowClass);
        window = CreateWindowA("MirelCompletionTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
        completions = 0;
    }
    ~CompletionWindow() { DestroyWindow(window); }

    // Pumps messages until the completion arrives or the time is up; returns whether it came.
    bool WaitForCompletion(DWORD limitMs)
    {
        DWORD start = GetTickCount();
        MSG message;
        while (completions == 0 && GetTickCount() - start < limitMs) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(5);
        }
        return completions > 0;
    }

    HWND window;
    static inline int completions = 0;
    static inline std::string statusAtCompletion;
    static inline const CheckContext* watched = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_CHECK_COMPLETE && wParam == 0 && lParam == 0) {
            ++completions;
            statusAtCompletion = watched ? watched->Progress().Get() : "(none)";
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

class CheckWorkerTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        g_runs = 0;
        g_host.clear();
    }
    void TearDown() override
    {
        CompletionWindow::watched = nullptr;
        SetTextLanguage(0);
    }
    // Runs `job` on a worker for a check of `host` until its completion message.
    void RunToEnd(const std::string& host, CheckJob job, WmiConnector connector = {})
    {
        CheckContext check(host, &reporter_, std::move(connector));
        CompletionWindow::watched = &check;
        DWORD start = GetTickCount();
        CheckWorker worker;
        ASSERT_TRUE(worker.Start(check, completion_.window, std::move(job)));
        EXPECT_TRUE(completion_.WaitForCompletion(10000));
        elapsedMs_ = GetTickCount() - start;
        worker.Join();
        EXPECT_TRUE(worker.HasEnded());
        CompletionWindow::watched = nullptr;
    }

    RecordingReporter reporter_;
    CompletionWindow completion_;
    DWORD elapsedMs_ = 0;
};

}  // namespace

TEST_F(CheckWorkerTest, WorkerRunsItsJobThenCompletesWithoutPausing)
{
    RunToEnd("pc01", RecordingJob);
    EXPECT_EQ(g_runs, 1);
    EXPECT_EQ(g_host, "pc01");
    // The results count as complete as soon as the job returns: no fixed pause of half a
    // second or more lies between (the bound leaves room for a busy machine).
    EXPECT_LT(elapsedMs_, 450u);
    EXPECT_EQ(CompletionWindow::statusAtCompletion, "") << "progress emptied before completion";
    EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(CheckWorkerTest, TwoChecksInOneProcessBothRun)
{
    RunToEnd("", RecordingJob);
    CompletionWindow::completions = 0;
    RunToEnd("", RecordingJob);
    EXPECT_EQ(g_runs, 2);
    EXPECT_EQ(g_host, "");
    EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(CheckWorkerTest, ComSecurityFailureIsShownWithTheStopIconAndSkipsTheJob)
{
    WmiConnector refusing;
    refusing.initializeSecurity = [] { return static_cast<HRESULT>(E_ACCESSDENIED); };
    RunToEnd("", RecordingJob, refusing);
    EXPECT_EQ(g_runs, 0);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONHAND | MB_OK));
    EXPECT_EQ(reporter_.messages[0].text.rfind(LoadText(IDS_COM_SECURITY_FAILED) + "\n\n[Code]\n0x80070005", 0), 0u);
    EXPECT_EQ(CompletionWindow::completions, 1) << "the completion follows the message";
}

TEST_F(CheckWorkerTest, DestroyingARunningWorkerStopsItsCheckAndWaits)
{
    CheckContext check("", &reporter_);
    std::atomic<bool> sawStop{false};
    {
        CheckWorker worker;
        ASSERT_TRUE(worker.Start(check, nullptr, [&](CheckContext& running) {
            while (!running.IsStopRequested())
                Sleep(5);
            sawStop = true;
        }));
        Sleep(50);
        EXPECT_FALSE(worker.HasEnded());
    }
    EXPECT_TRUE(sawStop.load());
    EXPECT_TRUE(check.IsStopRequested());
}
