// How quickly the window answers while a check waits for a name server that never
// answers: the window program runs in this process (headless), a standard check of a
// named computer starts, and another thread sends the frame WM_NULL with
// SendMessageTimeout every 50 ms until the check has ended, timing each answer. Prints
// how long Run took to return, the check's length, the number of probes and the worst and
// median answer. Run it through bench/window_answer_bench.sh, which provides the name
// server that never answers (a network namespace of its own, loopback only).
//
//   window_answer_bench.exe [computer name]     (default pc01.stalled.example)
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "shell/application.h"
#include "shell/main_frame.h"
#include "shell/main_view.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string computer = argc > 1 ? argv[1] : "pc01.stalled.example";
    ui::SetMessageBoxHandler([](HWND, const std::string& text, UINT) {
        std::printf("message: %s\n", text.c_str());
        return IDOK;
    });
    const std::string settingsKey = "Software\\Tollbrook\\MirelBench\\" + std::to_string(GetCurrentProcessId());
    int exitCode = 1;
    {
        MirelApplication app(settingsKey);
        if (!app.Start(SW_SHOWNORMAL))
            return 1;
        MainView& view = app.Frame().View();
        const HWND frame = app.Frame().Handle();
        SetWindowTextA(view.NameField(), computer.c_str());

        std::atomic<bool> done{false};
        std::mutex lock;
        std::vector<double> answers;
        std::thread prober([&] {
            while (!done) {
                const Clock::time_point sent = Clock::now();
                DWORD_PTR result = 0;
                SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
                const double took = MillisecondsSince(sent);
                {
                    std::lock_guard<std::mutex> hold(lock);
                    answers.push_back(took);
                }
                Sleep(50);
            }
        });
        const Clock::time_point start = Clock::now();
        view.OnRunButton();
        const double runReturned = MillisecondsSince(start);
        const bool ended = ui::PumpMessagesUntil([&] { return view.Run().RunningCheck == CheckKind::None; }, 180000);
        const double checkTook = MillisecondsSince(start);
        ui::PumpMessagesUntil([] { return false; }, 200);   // the last probes
        done = true;
        prober.join();

        std::sort(answers.begin(), answers.end());
        const double worst = answers.empty() ? 0 : answers.back();
        const double median = answers.empty() ? 0 : answers[answers.size() / 2];
        std::printf("Run returned after %.1f ms; the check of %s %s after %.1f s\n", runReturned, computer.c_str(),
                    ended ? "ended" : "had not ended", checkTook / 1000);
        std::printf("%zu WM_NULL probes: worst answer %.1f ms, median %.1f ms\n", answers.size(), worst, median);
        exitCode = ended && worst < 100 ? 0 : 1;
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, settingsKey.c_str());
    return exitCode;
}
