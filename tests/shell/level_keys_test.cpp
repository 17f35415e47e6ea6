// The three Level lists from the keyboard: arrows choose without moving on, an opened
// list takes Enter and Esc, Enter on a closed list moves on, the main view never sees them.
#include "tests/shell/app_fixture.h"

#include "resources/resource.h"

namespace {

class LevelKeysTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Frame().RunCommand(ID_VIEW_INDIVIDUAL);
        PumpFor(20);
    }
    HWND Level(int n)
    {
        return (n == 1 ? Individual().Level1() : n == 2 ? Individual().Level2() : Individual().Level3()).Handle();
    }
    bool Dropped(HWND list) { return SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }
};

}  // namespace

TEST_F(LevelKeysTest, ArrowKeysChooseWithoutMovingTheFocus)
{
    SetFocus(Level(1));
    PressKey(Level(1), VK_DOWN);
    EXPECT_EQ(GetFocus(), Level(1)) << "the focus stays for the next arrow key";
    const int first = Individual().Level1().CurSel();
    EXPECT_GT(first, 0) << "the placeholder is no longer chosen";
    EXPECT_TRUE(IsWindowEnabled(Level(2)));
    EXPECT_GT(Individual().Level2().Count(), 1) << "Level 2 offers the group's categories";

    PressKey(Level(1), VK_DOWN);
    EXPECT_EQ(Individual().Level1().CurSel(), first + 1);
    EXPECT_EQ(GetFocus(), Level(1));

    PressKey(Level(1), VK_TAB);
    EXPECT_EQ(GetFocus(), Level(2)) << "Tab moves on";
}

TEST_F(LevelKeysTest, OpenedListTakesEnterAndEscClosedListMovesOnWithEnter)
{
    SetFocus(Level(1));
    SendMessageA(Level(1), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(Dropped(Level(1)));
    PressKey(Level(1), VK_ESCAPE);
    EXPECT_FALSE(Dropped(Level(1))) << "Esc closes the opened list";
    EXPECT_EQ(GetFocus(), Level(1));

    PressKey(Level(1), VK_DOWN);
    SendMessageA(Level(1), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(Dropped(Level(1)));
    PressKey(Level(1), VK_RETURN);
    EXPECT_FALSE(Dropped(Level(1)));
    EXPECT_EQ(GetFocus(), Level(2)) << "Enter takes the entry and moves on";
    EXPECT_FALSE(CheckRunning()) << "and runs no check";

    PressKey(Level(2), VK_DOWN);
    PressKey(Level(2), VK_ESCAPE);   // closed: Esc does nothing
    EXPECT_EQ(GetFocus(), Level(2));
    PressKey(Level(2), VK_RETURN);   // closed: Enter moves on as Tab does
    EXPECT_EQ(GetFocus(), Level(3));
    EXPECT_FALSE(CheckRunning());
    EXPECT_TRUE(Messages().empty());
}
