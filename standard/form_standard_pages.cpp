// The pages of the standard form's display list: the root and group pages list the
// nodes below them; a category page is a copy of the category's store.
#include "standard/form_standard.h"

#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "standard/category_store.h"
#include "standard/short_labels.h"
#include "ui/dpi.h"

namespace {

constexpr int kNodeColumnWidth = 200;
constexpr int kCategoryHeaderStringId = 1609;   // "Category"
constexpr int kNameHeaderStringId = 1600;       // "Name"
constexpr int kGroupPages[] = {kHardwarePage, kOperatingSystemPage, kSoftwarePage};

std::vector<int> CategoryPagesOf(int groupPage)
{
    std::vector<int> pages;
    for (CategoryGroup group : kGroupsInTreeOrder)
        if (GroupPage(group) == groupPage)
            for (const StandardCategory* category : CategoriesOfGroup(group))
                pages.push_back(category->page);
    return pages;
}

using ShortLabelList = std::vector<std::pair<std::string, std::string>>;

// A cell as the list shows it: the column's short label for its text, where it has one.
const std::string& ShownCell(const std::string& text, const ShortLabelList& labels)
{
    for (const auto& [longText, shortText] : labels)
        if (text == longText)
            return shortText;
    return text;
}

}  // namespace

void FormStandard::ShowStandardPage(int page)
{
    if (page < 0 || page >= kPageCount)
        return;
    if (page == kRootPage)
        ShowRootPage();
    else if (page < kFirstCategoryPage)
        ShowGroupPage(page);
    else
        ShowCategoryPage(page);
}

void FormStandard::ShowNodeList(int headerStringId, const int* pages, int count)
{
    ResultModel& model = list_.Model();
    model.Clear();
    model.AddColumn({LoadText(headerStringId), false, ui::ScalePixels(hwnd_, kNodeColumnWidth)});
    // A check that read nothing shows what became of it instead of its categories.
    for (int index = 0; failure_.empty() && index < count; ++index)
        model.AppendRow({{LoadText(PageLabelStringId(pages[index]))}, 0, pageIcons_[pages[index]]});
    list_.ShowFittedColumnsAndRows({});
    list_.SetEmptyText(failure_);
    SelectFirstRow();
}

void FormStandard::ShowRootPage()
{
    ShowNodeList(kCategoryHeaderStringId, kGroupPages, 3);
    currentPage_ = kRootPage;
}

void FormStandard::ShowGroupPage(int page)
{
    std::vector<int> pages = CategoryPagesOf(page);
    ShowNodeList(kNameHeaderStringId, pages.data(), static_cast<int>(pages.size()));
    currentPage_ = page;
}

void FormStandard::ShowCategoryPage(int page)
{
    const StandardCategory* category = CategoryByPage(page);
    const CategoryStore* store = category ? stores_.Store(category->storeIndex) : nullptr;
    if (!store)
        return;
    ResultModel& model = list_.Model();
    model.Clear();
    for (int column = 0; column < store->ColumnCount(); ++column)
        model.AddColumn({store->ColumnHeader(column).substr(0, 258), store->ColumnRightAligned(column),
                         store->ColumnWidth(column)});
    // Where an administrator reads a word, the column shows it instead of the long text.
    std::vector<ShortLabelList> shortLabels(static_cast<size_t>(store->ColumnCount()));
    for (int column = 0; column < store->ColumnCount() && category->propertyNames[column]; ++column)
        shortLabels[static_cast<size_t>(column)] = ShortLabelsOf(category->propertyNames[column]);
    std::vector<ResultRow> rows(static_cast<size_t>(store->RowCount()));
    for (int row = 0; row < store->RowCount(); ++row) {
        ResultRow& copy = rows[static_cast<size_t>(row)];
        copy.cells.reserve(static_cast<size_t>(store->ColumnCount()));
        for (int column = 0; column < store->ColumnCount(); ++column)
            copy.cells.push_back(ShownCell(store->Cell(row, column), shortLabels[static_cast<size_t>(column)]));
        copy.itemData = row;
        copy.image = pageIcons_[page];
    }
    model.ReplaceRows(std::move(rows));
    list_.ShowFittedColumnsAndRows(widths_.Of(page));
    // Before the first check every category is empty; after one, emptiness is a finding,
    // but only where the check read the category.
    list_.SetEmptyText(!failure_.empty()                        ? failure_
                       : !stores_.WasRead(category->storeIndex) ? LoadText(IDS_NOT_READ)
                       : stores_.HasData()                    ? LoadText(IDS_NO_OBJECTS)
                                                              : std::string());
    if (model.RowCount() > 0)
        SelectFirstRow();
    currentPage_ = page;
    SortByRememberedColumn();
}

int FormStandard::ObjectsOnCurrentPage() const
{
    int objects = 0;
    for (const StandardCategory& category : kStandardCategories) {
        const bool below = currentPage_ == kRootPage || category.page == currentPage_ ||
                           GroupPage(category.group) == currentPage_;
        const CategoryStore* store = stores_.Store(category.storeIndex);
        if (below && store)
            objects += store->RowCount();
    }
    return objects;
}

void FormStandard::SelectFirstRow()
{
    if (list_.Model().RowCount() > 0)
        list_.SelectRow(0);
}

void FormStandard::NavigateToCategory(const std::string& text)
{
    int target = -1;
    if (currentPage_ == kRootPage) {
        for (int page : kGroupPages)
            if (EqualsNoCase(text, LoadText(PageLabelStringId(page))))
                target = page;
    } else if (currentPage_ < kFirstCategoryPage) {
        for (int page : CategoryPagesOf(currentPage_))
            if (EqualsNoCase(text, LoadText(PageLabelStringId(page))))
                target = page;
    }
    if (target < 0)
        return;
    ShowStandardPage(target);
    SelectPageInTree(target);
}
