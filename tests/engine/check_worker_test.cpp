#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "engine/check_worker.h"
#include "engine/run_state.h"
#include "engine/survey_reporter.h"
#include "engine/wmi_session.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "tests/support/recording_reporter.h"

namespace {

std::atomic<int> g_standardRuns{0};
std::atomic<int> g_classRuns{0};
std::string g_host;
int g_classId = 0;
std::string g_statusSeenByDriver;

int StandardDriver(const std::string& host)
{
    ++g_standardRuns;
    g_host = host;
    GetRunState().StatusText.Set("Checking reources : BIOS");
    return 0;
}

int ClassDriver(const std::string& host, int classId)
{
    ++g_classRuns;
    g_host = host;
    g_classId = classId;
    return 0;
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

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_CHECK_COMPLETE && wParam == 0 && lParam == 0) {
            ++completions;
            statusAtCompletion = GetRunState().StatusText.Get();
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

class CheckWorkerTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetRunState();
        SetTextLanguage(kEnglishLanguage);
        SetSurveyDrivers(StandardDriver, ClassDriver);
        SetSurveyReporter(&reporter_);
        g_standardRuns = g_classRuns = 0;
        GetRunState().ResultView = completion_.window;
    }
    void TearDown() override
    {
        SetSurveyDrivers(nullptr, nullptr);
        SetSurveyReporter(nullptr);
        SetComSecurityInitializer(nullptr);
        SetTextLanguage(0);
        ResetRunState();
    }
    DWORD RunToEnd(LPTHREAD_START_ROUTINE procedure)
    {
        DWORD start = GetTickCount();
        HANDLE thread = CreateThread(nullptr, 0, procedure, nullptr, 0, nullptr);
        EXPECT_TRUE(completion_.WaitForCompletion(10000));
        elapsedMs_ = GetTickCount() - start;
        WaitForSingleObject(thread, 5000);
        DWORD exitCode = 99;
        GetExitCodeThread(thread, &exitCode);
        CloseHandle(thread);
        return exitCode;
    }

    RecordingReporter reporter_;
    CompletionWindow completion_;
    DWORD elapsedMs_ = 0;
};

}  // namespace

TEST_F(CheckWorkerTest, StandardWorkerRunsItsDriverThenCompletesAfterHalfASecond)
{
    GetRunState().TargetComputer = "pc01";
    EXPECT_EQ(RunToEnd(StandardCheckThread), 0u);
    EXPECT_EQ(g_standardRuns, 1);
    EXPECT_EQ(g_classRuns, 0);
    EXPECT_EQ(g_host, "pc01");
    EXPECT_GE(elapsedMs_, kCompletionDelayMs - 20);
    EXPECT_EQ(CompletionWindow::statusAtCompletion, "") << "progress emptied before completion";
    EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(CheckWorkerTest, IndividualWorkerPassesTheSelectedClass)
{
    GetRunState().SelectedClassId = 1224;
    EXPECT_EQ(RunToEnd(ClassCheckThread), 0u);
    EXPECT_EQ(g_classRuns, 1);
    EXPECT_EQ(g_classId, 1224);
    EXPECT_EQ(g_host, "");
}

TEST_F(CheckWorkerTest, TwoChecksInOneProcessBothRun)
{
    RunToEnd(StandardCheckThread);
    CompletionWindow::completions = 0;
    RunToEnd(StandardCheckThread);
    EXPECT_EQ(g_standardRuns, 2);
    EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(CheckWorkerTest, ComSecurityFailureIsShownWithTheStopIconAndSkipsTheDriver)
{
    SetComSecurityInitializer([] { return E_ACCESSDENIED; });
    EXPECT_EQ(RunToEnd(StandardCheckThread), 0u);
    EXPECT_EQ(g_standardRuns, 0);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONHAND | MB_OK));
    EXPECT_EQ(reporter_.messages[0].text.rfind(LoadText(IDS_COM_SECURITY_FAILED) + "\n\n[Code]\n0x80070005", 0), 0u);
    EXPECT_EQ(CompletionWindow::completions, 1) << "the completion follows the message";
}
