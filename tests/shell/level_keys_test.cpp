// The three Level lists from the keyboard: arrows choose without moving on, an opened
// list takes Enter and Esc, Enter on a closed list moves on (on the last, runs the check),
// the main view never sees them; the finder beside them chooses a class as the user types.
#include "tests/shell/app_fixture.h"

#include <cstdio>

#include "individual/class_catalog.h"
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

namespace {

std::string ChosenClassName(FormIndividual& form)
{
    const ClassCatalogEntry* entry = FindClass(form.SelectedClassCode());
    return entry ? entry->className : "";
}

TEST_F(LevelKeysTest, FinderChoosesAsYouTypeAndEnterOnTheLastListRuns)
{
    HWND field = Individual().FindField();
    SetFocus(field);
    SetWindowTextA(field, "disk");
    EXPECT_EQ(ChosenClassName(Individual()), "Win32_DiskDrive") << "the first match chosen in the Level lists";
    EXPECT_EQ(Individual().FindCountText().rfind("1 of ", 0), 0u) << Individual().FindCountText();
    EXPECT_EQ(GetFocus(), field) << "typing goes on in the field";
    EXPECT_TRUE(IsWindowEnabled(Level(3)));

    PressKey(field, VK_DOWN);
    EXPECT_EQ(Individual().FindCountText().rfind("2 of ", 0), 0u);
    const std::string second = ChosenClassName(Individual());
    EXPECT_NE(second, "Win32_DiskDrive");
    PressKey(field, VK_UP);
    PressKey(field, VK_UP);   // before the first: the last
    int shown = 0, count = 0;
    ASSERT_EQ(sscanf(Individual().FindCountText().c_str(), "%d of %d", &shown, &count), 2);
    EXPECT_EQ(shown, count) << "Up before the first match goes round to the last";

    SetWindowTextA(field, "no class says this");
    EXPECT_EQ(Individual().FindCountText(), "No class found");
    EXPECT_FALSE(ChosenClassName(Individual()).empty()) << "the lists keep the last class found";

    SetWindowTextW(field, L"\u30C7\u30A3\u30B9\u30AF");   // Japanese, in the English interface
    EXPECT_FALSE(ChosenClassName(Individual()).empty());
    SetWindowTextA(field, "Win32_LogicalDisk");
    EXPECT_EQ(ChosenClassName(Individual()), "Win32_LogicalDisk");

    PressKey(field, VK_RETURN);
    EXPECT_EQ(GetFocus(), Level(3)) << "Enter in the field goes on to the class";
    EXPECT_FALSE(CheckRunning());
    ASSERT_EQ(Individual().ObjectCount(), 0);
    PressKey(Level(3), VK_RETURN);   // runs the check (a local one may end at once)
    PumpUntil([&] { return !CheckRunning() && Individual().ObjectCount() > 0; });
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
