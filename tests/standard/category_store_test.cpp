#include <gtest/gtest.h>

#include <string>

#include "base/narrow.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "standard/category_store.h"

TEST(CategoryStore, KeepsColumnsAndCells)
{
    CategoryStore store;
    EXPECT_EQ(store.AddColumn("Name", false, 100), 0);
    EXPECT_EQ(store.AddColumn("Size (Bytes)", true, 120), 1);
    EXPECT_EQ(store.ColumnCount(), 2);
    EXPECT_EQ(store.ColumnHeader(1), "Size (Bytes)");
    EXPECT_TRUE(store.ColumnRightAligned(1));
    EXPECT_FALSE(store.ColumnRightAligned(0));
    EXPECT_EQ(store.ColumnWidth(1), 120);

    EXPECT_EQ(store.RowCount(), 0);
    EXPECT_EQ(store.AppendRow(), 0);
    EXPECT_EQ(store.AppendRow(), 1);
    EXPECT_EQ(store.Cell(1, 1), "");   // new rows have empty cells
    EXPECT_TRUE(store.SetCell(1, 1, "4096"));
    EXPECT_TRUE(store.SetCell(0, 0, "C:"));
    EXPECT_EQ(store.Cell(1, 1), "4096");
    EXPECT_EQ(store.Cell(0, 0), "C:");
    EXPECT_TRUE(store.SetCell(0, 0, ""));
    EXPECT_EQ(store.Cell(0, 0), "");
}

TEST(CategoryStore, OutOfRangeReadsAreEmptyAndWritesRefused)
{
    CategoryStore store;
    EXPECT_EQ(store.Cell(0, 0), "");
    EXPECT_EQ(store.ColumnHeader(0), "");
    EXPECT_EQ(store.ColumnWidth(-1), 0);
    EXPECT_FALSE(store.ColumnRightAligned(3));
    store.AddColumn("A", false, 100);
    store.AppendRow();
    EXPECT_FALSE(store.SetCell(0, 1, "x"));
    EXPECT_FALSE(store.SetCell(1, 0, "x"));
    EXPECT_FALSE(store.SetCell(-1, 0, "x"));
    EXPECT_EQ(store.Cell(0, -1), "");
    EXPECT_EQ(store.Cell(5, 0), "");
    EXPECT_FALSE(store.DeleteRow(1));
    EXPECT_FALSE(store.DeleteRow(-1));
    EXPECT_EQ(store.RowCount(), 1);
}

TEST(CategoryStore, DeletingRowsKeepsColumnsAndOrder)
{
    CategoryStore store;
    store.AddColumn("HotFix ID", false, 100);
    for (const char* text : {"KB1", "File 1", "KB2", "file 1"})
        store.SetCell(store.AppendRow(), 0, text);
    // Deleting from the end keeps the earlier indexes valid.
    EXPECT_TRUE(store.DeleteRow(3));
    EXPECT_TRUE(store.DeleteRow(1));
    ASSERT_EQ(store.RowCount(), 2);
    EXPECT_EQ(store.Cell(0, 0), "KB1");
    EXPECT_EQ(store.Cell(1, 0), "KB2");
    store.DeleteAllRows();
    EXPECT_EQ(store.RowCount(), 0);
    EXPECT_EQ(store.ColumnCount(), 1);
    EXPECT_EQ(store.AppendRow(), 0);
}

TEST(CategoryStore, ColumnAddedLaterExtendsExistingRows)
{
    CategoryStore store;
    store.AddColumn("A", false, 100);
    store.SetCell(store.AppendRow(), 0, "a");
    store.AddColumn("B", false, 100);
    EXPECT_TRUE(store.SetCell(0, 1, "b"));
    EXPECT_EQ(store.Cell(0, 1), "b");
    store.Reset();
    EXPECT_EQ(store.ColumnCount(), 0);
    EXPECT_EQ(store.RowCount(), 0);
}

TEST(CategoryStore, CellsKeepTextAsGiven)
{
    CategoryStore store;
    store.AddColumn("Description", false, 100);
    const std::string japanese = "ディスク サービス café ✓ 𝄞";
    const std::string odd = "a \"quoted\", tabbed\tand\r\nbroken text";
    const std::string huge(100000, 'x');
    int row = store.AppendRow();
    store.SetCell(row, 0, japanese);
    EXPECT_EQ(store.Cell(row, 0), japanese);
    store.SetCell(row, 0, odd);
    EXPECT_EQ(store.Cell(row, 0), odd);
    store.SetCell(row, 0, huge);
    EXPECT_EQ(store.Cell(row, 0).size(), huge.size());
}

// Run under the Japanese locale as well (see the japanese filter file).
TEST(CategoryStores, CreatedWithTheCatalogColumnsOnceEach)
{
    StandardStores stores;
    const int expectedColumns[kCategoryCount] = {9, 6, 10, 10, 4, 4, 13, 6, 6, 19, 11, 10, 11, 10,
                                                 22, 16, 5, 9, 10, 21, 9, 4, 12, 13, 6, 11, 5, 8};
    for (int i = 0; i < kCategoryCount; ++i) {
        const CategoryStore* store = stores.Store(i);
        const StandardCategory* category = CategoryByStoreIndex(i);
        ASSERT_NE(store, nullptr);
        ASSERT_EQ(store->ColumnCount(), expectedColumns[i]) << i;
        EXPECT_EQ(store->RowCount(), 0);
        for (int column = 0; column < store->ColumnCount(); ++column) {
            const CategoryColumn& catalogued = category->columns[column];
            EXPECT_EQ(store->ColumnWidth(column), 100);
            EXPECT_EQ(store->ColumnRightAligned(column), catalogued.rightAligned);
            EXPECT_EQ(store->ColumnHeader(column), LoadText(catalogued.headerStringId));
            EXPECT_FALSE(store->ColumnHeader(column).empty());
        }
    }
    EXPECT_EQ(stores.Store(-1), nullptr);
    EXPECT_EQ(stores.Store(kCategoryCount), nullptr);
}

TEST(CategoryStores, HeadersFollowTheTextLanguage)
{
    SetTextLanguage(kEnglishLanguage);
    StandardStores english;
    EXPECT_EQ(english.Store(15)->ColumnHeader(15), "Architecture");
    EXPECT_EQ(english.Store(18)->ColumnHeader(4), "Form Factor");
    EXPECT_EQ(english.Store(27)->ColumnHeader(0), "Hotfix ID");
    EXPECT_EQ(english.Store(25)->ColumnCount(), 11);   // Product reads "*" but shows 11
    SetTextLanguage(kJapaneseLanguage);
    StandardStores japanese;
    EXPECT_EQ(japanese.Store(0)->ColumnHeader(0), ToNarrow(L"\u540d\u524d"));
    SetTextLanguage(0);
}

TEST(CategoryStores, ClearingEmptiesEveryStoreButKeepsColumns)
{
    StandardStores stores;
    for (int i = 0; i < kCategoryCount; ++i) {
        CategoryStore* store = stores.Store(i);
        store->SetCell(store->AppendRow(), 0, "row of " + std::to_string(i));
    }
    EXPECT_EQ(stores.Store(27)->Cell(0, 0), "row of 27");
    stores.ClearAllRows();
    EXPECT_FALSE(stores.HasData());
    for (int i = 0; i < kCategoryCount; ++i) {
        EXPECT_EQ(stores.Store(i)->RowCount(), 0);
        EXPECT_GT(stores.Store(i)->ColumnCount(), 0);
    }
}
