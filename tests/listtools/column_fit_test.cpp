// Fitting a result list's columns as they are made: the widths follow the content and the
// user's widths, and the last column fills the list.
#include <gtest/gtest.h>

#include "base/handles.h"
#include "listtools/result_list.h"
#include "tests/listtools/list_test_util.h"

namespace {

class ColumnFit : public testing::Test {
protected:
    void SetUp() override
    {
        parent_.Reset(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300, nullptr, nullptr,
                                      nullptr, nullptr));
        ASSERT_TRUE(list.Create(parent_.Get(), 1, 0));
        MoveWindow(list.Handle(), 0, 0, 500, 300, FALSE);
        list.Model() = listtest::ModelWithColumns(3);
        listtest::AppendRows(list.Model(), {{"a", std::string(12, 'W'), "b"}, {"c", "d", "e"}});
    }

    int Width(int column) const { return list.View().ColumnWidth(column); }

    ResultList list;

private:
    UniqueResource<handle_traits::NullIsEmpty<HWND, DestroyWindow>> parent_;
};

}  // namespace

TEST_F(ColumnFit, ColumnsFitTheirTextsAndTheLastFillsTheList)
{
    list.ShowFittedColumnsAndRows({});
    ASSERT_EQ(list.View().ColumnCount(), 3);
    EXPECT_GT(Width(1), 2 * Width(0)) << "the long texts' column is no wider than the short one's";
    RECT client{};
    GetClientRect(list.Handle(), &client);
    EXPECT_EQ(Width(0) + Width(1) + Width(2), client.right);
    // The user's width of a column holds over the fit.
    list.ShowFittedColumnsAndRows({0, 77});
    EXPECT_EQ(Width(1), 77);
}
