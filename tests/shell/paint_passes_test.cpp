// The window paints each of its controls once when it is painted whole: the first paint
// after start-up, and every repaint, cost one drawing pass per control.
#include "tests/shell/app_fixture.h"

#include <map>

namespace {

// Counts the WM_PAINT messages each window of this thread receives while it lives.
class PaintCounter {
public:
    PaintCounter() : hook_(SetWindowsHookExW(WH_CALLWNDPROC, Count, nullptr, GetCurrentThreadId()))
    {
        counts_ = &counts;
    }
    ~PaintCounter()
    {
        UnhookWindowsHookEx(hook_);
        counts_ = nullptr;
    }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    std::map<HWND, int> counts;

private:
    static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && counts_ && message->message == WM_PAINT)
            ++(*counts_)[message->hwnd];
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline std::map<HWND, int>* counts_ = nullptr;
    HHOOK hook_;
};

class PaintPassesTest : public AppFixture {};

}  // namespace

TEST_F(PaintPassesTest, RepaintingTheWindowPaintsEveryControlOnce)
{
    PumpFor(100);
    PaintCounter painted;
    Frame().UpdateNow();
    const HWND list = Standard().DisplayList().Handle();
    const HWND tree = Standard().Tree().Handle();
    ASSERT_GT(painted.counts[list], 0) << "the display list was not painted: the window is not on screen";
    EXPECT_GT(painted.counts[tree], 0);
    for (const auto& [window, count] : painted.counts) {
        char name[64] = "";
        GetClassNameA(window, name, sizeof name);
        EXPECT_EQ(count, 1) << name << " was painted " << count << " times";
    }
}
