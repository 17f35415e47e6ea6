// The standard form: the category tree and the display list side by side in a splitter,
// inside the first tab of the main view. Selecting a tree node shows that node's page:
// for the root and the groups a list of the nodes below them, for a category a copy of
// its category store, sorted by the column last chosen for that page.
#pragma once
#include <windows.h>

#include <string>

#include "base/handles.h"
#include "listtools/column_memory.h"
#include "listtools/result_list.h"
#include "standard/category_store.h"
#include "standard/page_sort.h"
#include "ui/dialog.h"
#include "ui/form_host.h"
#include "ui/image_list.h"
#include "ui/splitter.h"
#include "ui/tree_view.h"

// Sent by the worker (through the reporter) when the stores were emptied: the tree's root
// reads "[Resources]" again.
inline constexpr UINT WM_STANDARD_STORES_CLEARED = WM_APP + 10;
// Posted after the user sized a column: the last column fills the rest again.
inline constexpr UINT WM_FILL_LAST_COLUMN = WM_APP + 11;

class FormStandard : public ui::Dialog {
public:
    // `stores`: the results of the last standard check, which the category pages show.
    FormStandard(ui::FormHost& host, const StandardStores& stores);

    // Shows page 0..31 in the display list; any other value does nothing.
    void ShowStandardPage(int page);
    // On the root and group pages, shows the page of the node named `text` (ignoring
    // case) and selects it in the tree.
    void NavigateToCategory(const std::string& text);
    void SelectPageInTree(int page);
    // The text of the tree's root item (the icon stays).
    void SetRootText(const std::string& text);
    // Each category's label in the tree: with the number of objects the shown check read
    // of it when `counted` ("Service (214)"; none for a category it did not read), and
    // " (incomplete)" where its reading broke off.
    void LabelCategories(bool counted);
    // The text of the tree's root item.
    std::string RootText() const;
    // The shown check read nothing: `failure` (its result and error) stands where its
    // categories would be, in the lists' empty text, and the tree shows only its root.
    // Empty: the categories are shown again.
    void ShowFailure(std::string failure);
    const std::string& Failure() const { return failure_; }
    // Sorts the display list by the current page's remembered column and direction, and
    // shows them in the header.
    void SortByRememberedColumn();
    // A new check's rows: every page forgets its sort and shows the rows as read.
    void StartUnsorted();
    // Fits the form into the tab control and the splitter into the form.
    void Layout();
    void EnableControls(bool enable);

    int CurrentPage() const { return currentPage_; }
    // The objects the shown page holds: a category's rows; on the root and a group page
    // those of every category below it.
    int ObjectsOnCurrentPage() const;
    ResultList& DisplayList() { return list_; }
    // What each page was last sorted by; kept until the next check's results arrive.
    const PageSortMemory& PageSorts() const { return sorts_; }
    const ui::TreeView& Tree() const { return tree_; }
    // The widths the user gave the columns of each page (key: page).
    ColumnWidthMemory& ColumnWidths() { return widths_; }
    // The tree's width: as the user dragged the splitter, else wide enough for the
    // longest category label.
    int TreeWidth() const { return splitter_.IdealWidth(0); }
    void SetTreeWidth(int width);
    HTREEITEM PageItem(int page) const { return page >= 0 && page < 32 ? pageItems_[page] : nullptr; }

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnSize(UINT type, int width, int height) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void BuildTree();
    void ShowRootPage();
    void ShowGroupPage(int page);
    void ShowCategoryPage(int page);
    void ShowNodeList(int headerStringId, const int* pages, int count);
    void SelectFirstRow();
    void OnTreeSelectionChanged();
    void OnColumnClick(int column);
    bool HandleTreeKey(const MSG& message);
    // The category tree's context menu: `item` is selected (its page shown) and the
    // menu opens at the mouse, or for the keyboard beside the item.
    void OpenTreeMenu(HTREEITEM item, bool atMouse);
    HTREEITEM TreeItemUnderCursor() const;
    bool HandleListKey(const MSG& message);
    bool OnHeaderNotify(NMHDR* header);
    void RepaintPanes() const;
    int LongestLabelWidth() const;

    ui::FormHost& host_;
    const StandardStores& stores_;
    ui::Splitter splitter_;
    ui::TreeView tree_;
    ResultList list_;
    ui::ImageList images_;
    UniqueFont uiFont_;
    int pageIcons_[32] = {};
    HTREEITEM pageItems_[32] = {};
    int currentPage_ = 0;
    std::string failure_;   // see ShowFailure
    PageSortMemory sorts_;
    ColumnWidthMemory widths_;
};
