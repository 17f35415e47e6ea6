#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/ui_test_util.h"
#include "ui/subclass_chain.h"
#include "ui/subclassed_control.h"

namespace {

// Swallows digits typed into the control.
class NoDigits : public ui::SubclassedControl {
protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CHAR && wParam >= '0' && wParam <= '9')
            return 0;
        return DefaultProc(message, wParam, lParam);
    }
};

// Counts the characters it sees.
class CharCounter : public ui::SubclassedControl {
public:
    int chars = 0;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        chars += message == WM_CHAR;
        return DefaultProc(message, wParam, lParam);
    }
};

class SubclassedEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        RECT rect{0, 0, 200, 20};
        edit = ui::CreateChildWindow("EDIT", "", WS_VISIBLE, 0, rect, host.Handle(), 1001);
        ASSERT_TRUE(edit.IsValid());
    }
    void Type(const char* text)
    {
        for (; *text; ++text)
            edit.SendMsg(WM_CHAR, static_cast<BYTE>(*text), 1);
    }

    uitest::HostWindow host;
    ui::Window edit;
};

TEST_F(SubclassedEdit, HandlesItsOwnMessagesAndPassesTheRestOn)
{
    NoDigits filter;
    ASSERT_TRUE(filter.Attach(edit.Handle()));
    EXPECT_FALSE(filter.Attach(edit.Handle()));  // attached already
    Type("PC-01a");
    EXPECT_EQ(edit.Text(), "PC-a");
}

TEST_F(SubclassedEdit, LeavesTheControlsUserDataAlone)
{
    SetWindowLongPtrA(edit.Handle(), GWLP_USERDATA, 0x5A5A);
    NoDigits filter;
    ASSERT_TRUE(filter.Attach(edit.Handle()));
    EXPECT_EQ(GetWindowLongPtrA(edit.Handle(), GWLP_USERDATA), 0x5A5A);
}

TEST_F(SubclassedEdit, EndsWithTheControl)
{
    NoDigits filter;
    ASSERT_TRUE(filter.Attach(edit.Handle()));
    DestroyWindow(edit.Handle());
    EXPECT_EQ(filter.Handle(), nullptr);
}

TEST_F(SubclassedEdit, ObjectGoneFirstLeavesTheControlWorking)
{
    auto filter = std::make_unique<NoDigits>();
    ASSERT_TRUE(filter->Attach(edit.Handle()));
    filter.reset();
    Type("42");
    EXPECT_EQ(edit.Text(), "42");
}

TEST_F(SubclassedEdit, TwoObjectsOnOneControl)
{
    CharCounter counter;
    NoDigits filter;
    ASSERT_TRUE(counter.Attach(edit.Handle()));
    ASSERT_TRUE(filter.Attach(edit.Handle()));
    Type("a1b");
    EXPECT_EQ(edit.Text(), "ab");
    EXPECT_EQ(counter.chars, 2);  // the later subclass sees the message first

    filter.Detach();
    Type("2");
    EXPECT_EQ(edit.Text(), "ab2");
    EXPECT_EQ(counter.chars, 3);
}

// The chains underneath, kept by the thread: a subclass that goes away while a message is
// on its way through it, and a subclass of somebody else's above ours.
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

TEST_F(SubclassedEdit, ASubclassLeavingMidMessageLetsItFinishAndGivesTheWindowBack)
{
    const LONG_PTR own = GetWindowLongPtrW(edit.Handle(), GWLP_WNDPROC);
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

TEST_F(SubclassedEdit, ASubclassOfSomebodyElseAboveOursKeepsTheWindowWorking)
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

}  // namespace
