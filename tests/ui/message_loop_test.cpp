#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/ui/ui_test_util.h"
#include "ui/message_loop.h"
#include "ui/subclassed_control.h"

namespace {

using Log = std::vector<std::string>;

class NamedFilter : public ui::MessageFilter {
public:
    NamedFilter(std::string name, Log& log, bool consumes) : name_(std::move(name)), log_(log), consumes_(consumes) {}
    bool PreTranslateMessage(MSG& message) override
    {
        if (message.message == WM_KEYDOWN)
            log_.push_back(name_);
        return message.message == WM_KEYDOWN && consumes_;
    }

private:
    std::string name_;
    Log& log_;
    bool consumes_;
};

// Counts the key-down messages that reach the control's window procedure.
class KeyCounter : public ui::SubclassedControl {
public:
    int keyDowns = 0;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN)
            ++keyDowns;
        return DefaultProc(message, wParam, lParam);
    }
};

// host (top level) > panel (child) > edit (child of the panel)
class FilterChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        RECT panelRect{0, 0, 300, 200};
        panel = ui::CreateChildWindow("STATIC", "", WS_VISIBLE, 0, panelRect, host.Handle(), 1);
        RECT editRect{10, 10, 200, 30};
        edit = ui::CreateChildWindow("EDIT", "", WS_VISIBLE, 0, editRect, panel.Handle(), 2);
        ASSERT_TRUE(edit.IsValid());
        ASSERT_TRUE(counter.Attach(edit.Handle()));
    }

    void PressEnterInEdit()
    {
        edit.PostMsg(WM_KEYDOWN, VK_RETURN, 0);
        ui::PumpMessagesUntil([&] {
            MSG message;
            return !PeekMessageA(&message, edit.Handle(), 0, 0, PM_NOREMOVE);
        }, 2000);
    }

    uitest::HostWindow host;
    ui::Window panel;
    ui::Window edit;
    KeyCounter counter;
    Log log;
};

TEST_F(FilterChain, OffersTheMessageFromTheInnermostWindowOutward)
{
    NamedFilter outer("host", log, false), middle("panel", log, false), inner("edit", log, false);
    ui::RegisterMessageFilter(host.Handle(), &outer);
    ui::RegisterMessageFilter(panel.Handle(), &middle);
    ui::RegisterMessageFilter(edit.Handle(), &inner);

    PressEnterInEdit();
    EXPECT_EQ(log, (Log{"edit", "panel", "host"}));
    EXPECT_EQ(counter.keyDowns, 1);
}

TEST_F(FilterChain, ConsumedMessageGoesNoFurther)
{
    NamedFilter outer("host", log, false), middle("panel", log, true), inner("edit", log, false);
    ui::RegisterMessageFilter(host.Handle(), &outer);
    ui::RegisterMessageFilter(panel.Handle(), &middle);
    ui::RegisterMessageFilter(edit.Handle(), &inner);

    PressEnterInEdit();
    EXPECT_EQ(log, (Log{"edit", "panel"}));
    EXPECT_EQ(counter.keyDowns, 0);
}

TEST_F(FilterChain, WindowsWithoutFilterArePassedOver)
{
    NamedFilter outer("host", log, true);
    ui::RegisterMessageFilter(host.Handle(), &outer);

    PressEnterInEdit();
    EXPECT_EQ(log, (Log{"host"}));
    EXPECT_EQ(counter.keyDowns, 0);
}

TEST_F(FilterChain, RegistrationEndsWithTheWindow)
{
    NamedFilter inner("edit", log, true);
    ASSERT_TRUE(ui::RegisterMessageFilter(edit.Handle(), &inner));
    HWND gone = edit.Handle();
    DestroyWindow(gone);

    MSG message{gone, WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_FALSE(ui::PreTranslate(message));
    EXPECT_TRUE(log.empty());
}

TEST_F(FilterChain, FilterThatGoesAwayIsNoLongerAsked)
{
    NamedFilter outer("host", log, false);
    ui::RegisterMessageFilter(host.Handle(), &outer);
    // Kept in place after destruction: calling it would hit its pure virtual.
    std::optional<NamedFilter> inner;
    inner.emplace("edit", log, true);
    ui::RegisterMessageFilter(edit.Handle(), &*inner);
    inner.reset();

    PressEnterInEdit();
    EXPECT_EQ(log, (Log{"host"}));
    EXPECT_EQ(counter.keyDowns, 1);
}

TEST_F(FilterChain, ReplacingAndRemovingAFilter)
{
    NamedFilter first("first", log, true), second("second", log, true);
    ui::RegisterMessageFilter(edit.Handle(), &first);
    ui::RegisterMessageFilter(edit.Handle(), &second);
    PressEnterInEdit();
    EXPECT_EQ(log, (Log{"second"}));

    ui::UnregisterMessageFilter(edit.Handle());
    PressEnterInEdit();
    EXPECT_EQ(log, (Log{"second"}));
    EXPECT_EQ(counter.keyDowns, 1);
}

int g_ticks = 0;

void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD)
{
    ++g_ticks;
}

TEST(PumpMessages, ProcessesTimersUntilTheConditionHolds)
{
    g_ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, CountTick);
    ULONGLONG start = GetTickCount64();
    bool done = ui::PumpMessagesUntil([] { return g_ticks >= 3; }, 5000);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(done);
    EXPECT_EQ(g_ticks, 3);
    EXPECT_LT(GetTickCount64() - start, 4000u);
}

TEST(PumpMessages, GivesUpAtTheTimeLimit)
{
    ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(ui::PumpMessagesUntil([] { return false; }, 150));
    ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_GE(elapsed, 140u);
    EXPECT_LT(elapsed, 2000u);
}

TEST(PumpMessages, LeavesAQuitMessageForTheOuterLoop)
{
    PostQuitMessage(7);
    ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(ui::PumpMessagesUntil([] { return false; }, 3000));
    EXPECT_LT(GetTickCount64() - start, 1000u);

    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
