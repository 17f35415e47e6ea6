// The subclass chains kept by the thread: what happens when a subclass goes away while a
// message is on its way through it, and when somebody else subclassed the window after us.
#include <gtest/gtest.h>

#include "tests/ui/ui_test_util.h"
#include "ui/subclass_chain.h"

namespace {

constexpr UINT kOuter = WM_APP + 1;   // sends kInner to the same window while it is handled
constexpr UINT kInner = WM_APP + 2;

struct Seen {
    int outer = 0;
    int inner = 0;
};

// Counts kOuter, and while handling it sends kInner to the same window.
LRESULT CALLBACK SendsANestedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data)
{
    if (message == kOuter) {
        ++reinterpret_cast<Seen*>(data)->outer;
        SendMessageW(window, kInner, 0, 0);
    }
    return ui::CallNextSubclass(window, message, wParam, lParam);
}

// Counts kInner and removes itself when it sees it.
LRESULT CALLBACK LeavesOnTheNestedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR data)
{
    if (message == kInner) {
        ++reinterpret_cast<Seen*>(data)->inner;
        ui::RemoveSubclass(window, LeavesOnTheNestedMessage, id);
    }
    return ui::CallNextSubclass(window, message, wParam, lParam);
}

// Answers kOuter with its data, so that a test can see who answered.
LRESULT CALLBACK Answers(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (message == kOuter)
        return static_cast<LRESULT>(data);
    return ui::CallNextSubclass(window, message, wParam, lParam);
}

WNDPROC gTheirPrevious = nullptr;
LRESULT CALLBACK TheirProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(gTheirPrevious, window, message, wParam, lParam);
}

class SubclassChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        RECT rect{0, 0, 100, 20};
        edit = ui::CreateChildWindow("EDIT", "", WS_VISIBLE, 0, rect, host.Handle(), 1001);
        ASSERT_TRUE(edit.IsValid());
        own = GetWindowLongPtrW(edit.Handle(), GWLP_WNDPROC);
    }

    uitest::HostWindow host;
    ui::Window edit;
    LONG_PTR own = 0;
};

}  // namespace

TEST_F(SubclassChain, ASubclassLeavingMidMessageLetsItFinishAndGivesTheWindowBack)
{
    Seen seen;
    const auto data = reinterpret_cast<DWORD_PTR>(&seen);
    ASSERT_TRUE(ui::AddSubclass(edit.Handle(), LeavesOnTheNestedMessage, 1, data));
    ASSERT_TRUE(ui::AddSubclass(edit.Handle(), Answers, 2, 7));
    ASSERT_TRUE(ui::AddSubclass(edit.Handle(), SendsANestedMessage, 3, data));
    // The lowest subclass leaves while the outer message waits in the highest: the outer
    // message goes on to the one below, once.
    EXPECT_EQ(edit.SendMsg(kOuter), 7);
    EXPECT_EQ(seen.outer, 1);
    EXPECT_EQ(seen.inner, 1);
    EXPECT_FALSE(ui::FindSubclass(edit.Handle(), LeavesOnTheNestedMessage, 1, nullptr));
    edit.SendMsg(kOuter);
    EXPECT_EQ(seen.inner, 1) << "a removed subclass was called again";
    ASSERT_TRUE(ui::RemoveSubclass(edit.Handle(), Answers, 2));
    ASSERT_TRUE(ui::RemoveSubclass(edit.Handle(), SendsANestedMessage, 3));
    EXPECT_EQ(GetWindowLongPtrW(edit.Handle(), GWLP_WNDPROC), own);
    EXPECT_EQ(edit.SendMsg(kOuter), 0);
}

TEST_F(SubclassChain, ASubclassOfSomebodyElseAboveOursKeepsTheWindowWorking)
{
    ASSERT_TRUE(ui::AddSubclass(edit.Handle(), Answers, 1, 5));
    gTheirPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TheirProcedure)));
    EXPECT_EQ(edit.SendMsg(kOuter), 5);
    ASSERT_TRUE(ui::RemoveSubclass(edit.Handle(), Answers, 1));
    EXPECT_EQ(GetWindowLongPtrW(edit.Handle(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(TheirProcedure));
    edit.SetText("still an edit");
    EXPECT_EQ(edit.Text(), "still an edit");
    // Subclassing it again works through the chain that stayed.
    ASSERT_TRUE(ui::AddSubclass(edit.Handle(), Answers, 1, 6));
    EXPECT_EQ(edit.SendMsg(kOuter), 6);
    DestroyWindow(edit.Handle());
    EXPECT_FALSE(ui::FindSubclass(edit.Handle(), Answers, 1, nullptr)) << "the chain outlived its window";
}
