#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/ui_test_util.h"
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

}  // namespace
