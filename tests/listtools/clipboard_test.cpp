// Copy Cell, Copy Line and the clipboard primitive, on the real clipboard.
#include <gtest/gtest.h>

#include "base/handles.h"
#include "listtools/clipboard.h"
#include "listtools/result_list.h"
#include "resources/resource.h"
#include "standard/page_sort.h"
#include "tests/listtools/clipboard_support.h"
#include "tests/listtools/list_test_util.h"

#include <atomic>
#include <thread>

namespace {

using listtest::CopyAndReadBack;
using listtest::CopyOutcome;

class Clipboard : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }

    listtest::ClipboardTestLock lock_;
};

// The System category's page with one row of 21 cells, some empty, one with blanks.
ResultModel SystemPage()
{
    const StandardCategory* system = CategoryByStoreIndex(19);
    ResultModel model = listtest::CategoryPageModel(*system);
    std::vector<std::string> cells;
    for (int column = 0; column < system->columnCount; ++column)
        cells.push_back(std::string("v").append(std::to_string(column)));
    cells[5] = "";
    cells[7] = "Microsoft Windows 10 Pro";
    cells[20] = "";
    listtest::AppendRows(model, {{"z", "second row"}, cells});
    return model;
}

TEST_F(Clipboard, CopiesTheText)
{
    CopyOutcome outcome = CopyAndReadBack("before", [] { return CopyTextToClipboard("Intel(R) Core(TM) i7 @ 3.40GHz"); });
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.clipboard, "Intel(R) Core(TM) i7 @ 3.40GHz");

    const std::string large(200000, 'x');
    outcome = CopyAndReadBack("before", [&] { return CopyTextToClipboard(large); });
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.clipboard, large);
}

TEST_F(Clipboard, EmptyTextLeavesTheClipboardAlone)
{
    CopyOutcome outcome = CopyAndReadBack("previous", [] { return CopyTextToClipboard(""); });
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.clipboard, "previous");
    EXPECT_FALSE(outcome.clipboardChanged);
}

// A result list with rows on screen, in a window of its own; its context menu answers
// with `command` instead of opening.
class ListWindow {
public:
    ListWindow(const std::vector<std::vector<std::string>>& rows, int command)
        : parent_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr))
    {
        list.Create(parent_.Get(), 1, 0);
        MoveWindow(list.Handle(), 0, 0, 400, 300, FALSE);
        list.Model() = listtest::ModelWithColumns(2);
        listtest::AppendRows(list.Model(), rows);
        list.ShowColumnsAndRows();
        list.SetMenuChooser([command](HWND, POINT) { return command; });
    }

    void RightClickCell(int row, int column)
    {
        RECT rect = list.View().SubItemRect(row, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS);
        POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(list.Handle(), &point);
        list.OpenContextMenu(point);
    }

    ResultList list;

private:
    UniqueResource<handle_traits::NullIsEmpty<HWND, DestroyWindow>> parent_;
};

TEST_F(Clipboard, CopyCellCopiesTheLastRightClickedCell)
{
    ListWindow window({{"C:\\Windows\\system32", "x"}, {"y", "z"}}, 0);
    // Right after start no cell was right-clicked: nothing is copied.
    CopyOutcome outcome = CopyAndReadBack("previous", [&] { return window.list.CopyClickedCell(); });
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.clipboard, "previous");
    EXPECT_FALSE(outcome.clipboardChanged);

    window.RightClickCell(0, 0);   // the menu closes without a command
    ASSERT_EQ(window.list.ClickedCellText(), "C:\\Windows\\system32");
    outcome = CopyAndReadBack("previous", [&] { return window.list.CopyClickedCell(); });
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.clipboard, "C:\\Windows\\system32");
}

TEST_F(Clipboard, EachListCopiesItsOwnClickedCell)
{
    ListWindow first({{"first a", "first b"}}, ID_COPY_CELL);
    ListWindow second({{"second a", "second b"}}, ID_COPY_CELL);
    CopyOutcome outcome = CopyAndReadBack("previous", [&] {
        first.RightClickCell(0, 1);
        return 1;
    });
    EXPECT_EQ(outcome.clipboard, "first b");
    EXPECT_EQ(second.list.ClickedCellText(), "");

    second.RightClickCell(0, 0);
    EXPECT_EQ(first.list.ClickedCellText(), "first b");
    outcome = CopyAndReadBack("previous", [&] { return first.list.CopyClickedCell(); });
    EXPECT_EQ(outcome.clipboard, "first b");
}

TEST_F(Clipboard, CopyLineOfASystemRow)
{
    ResultModel model = SystemPage();
    ASSERT_EQ(model.ColumnCount(), 21);
    SortStandardModel(model, CategoryByStoreIndex(19)->page, 0, true);   // rows move, columns do not
    ASSERT_EQ(model.Cell(0, 0), "v0");
    const std::string expected =
        "v0 v1 v2 v3 v4  v6 Microsoft Windows 10 Pro v8 v9 v10 v11 v12 v13 v14 v15 v16 v17 v18 v19 ";
    EXPECT_EQ(LineOfRow(model, 0), expected);
    CopyOutcome outcome = CopyAndReadBack("before", [&] { return CopyLineOfRow(model, 0); });
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.clipboard, expected);
    // A row shorter than the header still gives a blank per column.
    EXPECT_EQ(LineOfRow(model, 1), "z second row" + std::string(19, ' '));
}

TEST_F(Clipboard, LinesOfFewColumns)
{
    ResultModel model = listtest::ModelWithColumns(3);
    listtest::AppendRows(model, {{"a", "", "c"}, {"", "", ""}});
    EXPECT_EQ(LineOfRow(model, 0), "a  c");
    EXPECT_EQ(LineOfRow(model, 1), "  ");
    EXPECT_EQ(LineOfRow(model, 2), "");
    EXPECT_EQ(LineOfRow(model, -1), "");

    ResultModel individual = listtest::ModelWithColumns(4);
    listtest::AppendRows(individual, {{"3", "Description", "string", "Standard  disk drives "}});
    EXPECT_EQ(LineOfRow(individual, 0), "3 Description string Standard  disk drives ");

    ResultModel single = listtest::ModelWithColumns(1);
    listtest::AppendRows(single, {{"only", "hidden"}, {""}});
    EXPECT_EQ(LineOfRow(single, 0), "only");
    CopyOutcome outcome = CopyAndReadBack("before", [&] { return CopyLineOfRow(single, 1); });
    EXPECT_EQ(outcome.result, 0);   // an empty line copies nothing
    EXPECT_EQ(outcome.clipboard, "before");
}

TEST_F(Clipboard, CopyLineWithoutSelectionDoesNothing)
{
    ResultModel model = SystemPage();
    CopyOutcome outcome = CopyAndReadBack("previous", [&] { return CopyLineOfRow(model, -1); });
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.clipboard, "previous");
    EXPECT_FALSE(outcome.clipboardChanged);
}

// Another thread holds the clipboard through its window for `holdMs`; `copy` runs
// while it does.
int CopyWhileHeld(DWORD holdMs, const std::function<int()>& copy)
{
    std::atomic<bool> held{false};
    std::thread holder([&] {
        HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        held = OpenClipboard(owner) != FALSE;
        Sleep(holdMs);
        CloseClipboard();
        DestroyWindow(owner);
    });
    while (!held)
        Sleep(1);
    int result = copy();
    holder.join();
    return result;
}

TEST_F(Clipboard, WaitsBrieflyForAnotherHolder)
{
    CopyOutcome outcome = CopyAndReadBack("before", [] {
        return CopyWhileHeld(40, [] { return CopyTextToClipboard("after the wait"); });
    });
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.clipboard, "after the wait");
}

TEST_F(Clipboard, GivesUpWhenTheClipboardStaysBusy)
{
    CopyOutcome outcome = CopyAndReadBack("before", [] {
        return CopyWhileHeld(1000, [] { return CopyTextToClipboard("too late"); });
    });
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.clipboard, "before");
    EXPECT_FALSE(outcome.clipboardChanged);
}

}  // namespace
