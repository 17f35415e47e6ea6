#include "standard/form_standard.h"

#include <algorithm>
#include <cstring>

#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "listtools/context_menu.h"
#include "resources/text.h"
#include "ui/tab_page.h"
#include "standard/category_catalog.h"
#include "ui/dpi.h"
#include "ui/ui_font.h"

namespace {

constexpr int kSplitterId = 0xE900;
constexpr int kTreeId = 0xE901;
constexpr int kListId = 0xE902;
constexpr int kPaneIdealWidth = 150;
constexpr int kPaneMinimumWidth = 10;
constexpr int kListMinimumWidth = 210;
constexpr int kTreeMaximumWidth = 360;
constexpr int kTreeLabelMargin = 24;   // icon gap and text margins

// The icon resources in the order they enter the image list, with their pages.
struct PageIcon {
    int iconId;
    int page;
};

std::vector<PageIcon> PageIconsInListOrder()
{
    std::vector<PageIcon> icons = {{318, 0}, {320, 1}, {321, 2}, {319, 3}};
    for (int page = kFirstCategoryPage; page < kPageCount; ++page)
        icons.push_back({PageIconId(page), page});
    return icons;
}

}  // namespace

FormStandard::FormStandard(ui::FormHost& host, const StandardStores& stores)
    : ui::Dialog(IDD_FORM_STANDARD), host_(host), stores_(stores)
{
}

bool FormStandard::OnInitDialog()
{
    RECT none{0, 0, 0, 0};
    splitter_.Create(hwnd_, kSplitterId, none);
    tree_.Attach(CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                     TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                 0, 0, 0, 0, splitter_.Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)),
                                 GetModuleHandleW(nullptr), nullptr));
    BuildTree();
    list_.Create(splitter_.Handle(), kListId, LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS);
    // Set up without drawing: the list lays itself out (and moves its header) once, at the end.
    const ui::RedrawPause quietList(list_.View());
    list_.View().SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list_.View().SetImageList(images_.Handle(), LVSIL_SMALL);
    list_.View().SetImageList(images_.Handle(), LVSIL_NORMAL);
    // The system's own interface font, with rows that leave its underscores room.
    uiFont_ = ui::CreateSystemUiFont();
    if (uiFont_) {
        tree_.SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.Get()), TRUE);
        tree_.SendMsg(TVM_SETITEMHEIGHT, std::max(ui::RoomyRowHeight(tree_.Handle()), ui::ScalePixels(hwnd_, 18)));
    }
    list_.UseFont(uiFont_.Get());
    list_.onColumnClick = [this](int column) { OnColumnClick(column); };
    list_.onDoubleClick = [this](int row) { NavigateToCategory(list_.Model().Cell(row, 0)); };
    ShowRootPage();

    splitter_.SetPanes(tree_.Handle(), list_.Handle());
    // Wide enough for every category label (in either language), not wider than a
    // sensible share of the window.
    int ideal = std::clamp(LongestLabelWidth(), ui::ScalePixels(hwnd_, kPaneIdealWidth),
                           ui::ScalePixels(hwnd_, kTreeMaximumWidth));
    int minimum = ui::ScalePixels(hwnd_, kPaneMinimumWidth);
    splitter_.SetColumnInfo(0, ideal, minimum);
    splitter_.SetColumnInfo(1, ideal, ui::ScalePixels(hwnd_, kListMinimumWidth));
    splitter_.RecalcLayout();
    Layout();
    return true;
}

void FormStandard::BuildTree()
{
    const int iconSize = ui::ScalePixels(hwnd_, 16);
    images_ = ui::ImageList::Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, 32, 32);
    const std::vector<PageIcon> icons = PageIconsInListOrder();
    std::vector<UINT> iconIds;
    for (const PageIcon& icon : icons)
        iconIds.push_back(static_cast<UINT>(icon.iconId));
    const int first = images_.AddIconResources(iconIds);
    for (size_t index = 0; index < icons.size(); ++index)
        pageIcons_[icons[index].page] = first < 0 ? -1 : first + static_cast<int>(index);
    TreeView_SetImageList(tree_.Handle(), images_.Handle(), TVSIL_NORMAL);

    auto insert = [this](HTREEITEM parent, int page) {
        pageItems_[page] = tree_.InsertItem(parent, LoadText(PageLabelStringId(page)), pageIcons_[page],
                                            pageIcons_[page]);
        return pageItems_[page];
    };
    HTREEITEM root = insert(TVI_ROOT, kRootPage);
    for (CategoryGroup group : kGroupsInTreeOrder)
        insert(root, GroupPage(group));
    for (const StandardCategory& category : kStandardCategories)
        insert(pageItems_[GroupPage(category.group)], category.page);
    tree_.Expand(root);
}

int FormStandard::LongestLabelWidth() const
{
    WindowDC dc(tree_.Handle());
    ScopedSelect font(dc.Get(), reinterpret_cast<HFONT>(tree_.SendMsg(WM_GETFONT)));
    const int indent = static_cast<int>(tree_.SendMsg(TVM_GETINDENT));
    const int icon = ui::ScalePixels(hwnd_, 16);
    int widest = 0;
    for (int page = 0; page < kPageCount; ++page) {
        // A category's label leaves room for a count of four digits.
        const std::wstring label = ToWide(page < kFirstCategoryPage
                                              ? LoadText(PageLabelStringId(page))
                                              : FillIn(LoadText(IDS_CATEGORY_COUNT), LoadText(PageLabelStringId(page)),
                                                       "0000") + LoadText(IDS_INCOMPLETE_MARK));
        SIZE size{};
        GetTextExtentPoint32W(dc.Get(), label.c_str(), static_cast<int>(label.size()), &size);
        const int depth = page == kRootPage ? 1 : page < kFirstCategoryPage ? 2 : 3;
        widest = std::max(widest, static_cast<int>(size.cx) + depth * indent + icon);
    }
    // Room for the vertical scroll bar too: an expanded group is taller than the pane.
    return widest + ui::ScalePixels(hwnd_, kTreeLabelMargin) + GetSystemMetrics(SM_CXVSCROLL);
}

void FormStandard::SetTreeWidth(int width)
{
    if (width <= 0)
        return;
    splitter_.SetColumnInfo(0, width, ui::ScalePixels(hwnd_, kPaneMinimumWidth));
    splitter_.RecalcLayout();
    list_.FillLastColumn();
}

void FormStandard::Layout()
{
    if (!FitIntoTabPage(hwnd_, host_.TabControl()))
        return;
    if (splitter_.IsValid()) {
        RECT client = ClientRect();
        splitter_.Move(client);
        RepaintPanes();
    }
}

void FormStandard::RepaintPanes() const
{
    list_.FillLastColumn();
    tree_.UpdateNow();
    list_.View().UpdateNow();
}

void FormStandard::OnSize(UINT, int, int)
{
    if (splitter_.IsValid()) {
        splitter_.Move(ClientRect());
        RepaintPanes();
    }
}

bool FormStandard::OnHeaderNotify(NMHDR* header)
{
    if (header->hwndFrom != list_.View().Header() ||
        (header->code != HDN_ENDTRACKA && header->code != HDN_ENDTRACKW))
        return false;
    const NMHEADERA* track = reinterpret_cast<const NMHEADERA*>(header);
    if (track->pitem && (track->pitem->mask & HDI_WIDTH)) {
        widths_.Set(currentPage_, track->iItem, track->pitem->cxy);
        list_.NoteUserWidth(track->iItem, track->pitem->cxy);
        PostMessageW(hwnd_, WM_FILL_LAST_COLUMN, 0, 0);   // once the header applied the width
    }
    return false;   // the header goes on with its own handling
}

void FormStandard::EnableControls(bool enable)
{
    Enable(enable);
    splitter_.Enable(enable);
    tree_.Enable(enable);
    list_.View().Enable(enable);
}

void FormStandard::LabelCategories(bool counted)
{
    // Only the labels that change: each label set is measured and drawn again.
    for (const StandardCategory& category : kStandardCategories) {
        std::string label = LoadText(PageLabelStringId(category.page));
        const CategoryStore* store = stores_.Store(category.storeIndex);
        if (counted && store && stores_.WasRead(category.storeIndex))
            label = FillIn(LoadText(IDS_CATEGORY_COUNT), label, std::to_string(store->RowCount()));
        if (stores_.IsIncomplete(category.storeIndex))
            label += LoadText(IDS_INCOMPLETE_MARK);
        if (tree_.ItemText(pageItems_[category.page]) != label)
            tree_.SetItemText(pageItems_[category.page], label);
    }
}

std::string FormStandard::RootText() const
{
    return tree_.ItemText(pageItems_[kRootPage]);
}

void FormStandard::ShowFailure(std::string failure)
{
    const bool wasFailure = !failure_.empty();
    failure_ = std::move(failure);
    const HTREEITEM root = pageItems_[kRootPage];
    if (!failure_.empty()) {
        tree_.Expand(root, TVE_COLLAPSE);
        tree_.Select(root);
    } else if (wasFailure) {
        tree_.Expand(root);
    }
    ShowStandardPage(currentPage_);
}

void FormStandard::SetRootText(const std::string& text)
{
    tree_.SetItemText(pageItems_[kRootPage], text);
}

void FormStandard::SelectPageInTree(int page)
{
    if (page >= 0 && page < kPageCount)
        tree_.Select(pageItems_[page]);
}

void FormStandard::OnTreeSelectionChanged()
{
    HTREEITEM selected = tree_.Selection();
    for (int page = 0; page < kPageCount; ++page) {
        if (pageItems_[page] == selected) {
            ShowStandardPage(page);
            return;
        }
    }
}

bool FormStandard::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->hwndFrom == splitter_.Handle() && header->code == ui::kSplitterMoved) {
        list_.FillLastColumn();
        return true;
    }
    if (OnHeaderNotify(header))
        return true;
    if (header->hwndFrom == tree_.Handle() && header->code == NM_RCLICK) {
        OpenTreeMenu(TreeItemUnderCursor(), true);
        result = 1;   // no WM_CONTEXTMENU after it
        return true;
    }
    if (header->hwndFrom == tree_.Handle() && (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
        OnTreeSelectionChanged();
        result = 0;
        return true;
    }
    return list_.HandleNotify(header, result);
}

INT_PTR FormStandard::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_STANDARD_STORES_CLEARED:
        SetRootText(LoadText(kRootLabelStringId));
        return TRUE;
    case WM_FILL_LAST_COLUMN:
        list_.FillLastColumn();
        return TRUE;
    default:
        return ui::Dialog::OnMessage(message, wParam, lParam);
    }
}

bool FormStandard::HandleTreeKey(const MSG& message)
{
    if (IsKeyDown(message, VK_RETURN)) {
        OnTreeSelectionChanged();
        return true;
    }
    if (IsKeyDown(message, VK_TAB)) {
        if (IsShiftDown())
            ::SetFocus(host_.TabControl());
        else
            list_.View().SetFocus();
        return true;
    }
    return IsKeyDown(message, VK_ESCAPE);
}

bool FormStandard::HandleListKey(const MSG& message)
{
    if (IsKeyDown(message, VK_RETURN)) {
        int row = list_.SelectedRow();
        NavigateToCategory(row >= 0 ? list_.Model().Cell(row, 0) : std::string());
        return true;
    }
    if (IsKeyDown(message, VK_TAB)) {
        if (IsShiftDown())
            tree_.SetFocus();
        else
            ::SetFocus(host_.NameField());
        return true;
    }
    return IsKeyDown(message, VK_ESCAPE);
}

bool FormStandard::PreTranslateMessage(MSG& message)
{
    if (message.hwnd == list_.Handle() && list_.HandleContextMenuKey(message))
        return true;
    bool opens = false;
    if (message.hwnd == tree_.Handle() && IsContextMenuKey(message, opens)) {
        if (opens)
            OpenTreeMenu(tree_.Selection(), false);
        return true;
    }
    if (message.message == WM_KEYDOWN) {
        if (message.hwnd == tree_.Handle() && HandleTreeKey(message))
            return true;
        if (message.hwnd == list_.Handle() && HandleListKey(message))
            return true;
    }
    if (host_.TranslateShortcut(message))
        return true;
    return ui::Dialog::PreTranslateMessage(message);
}

HTREEITEM FormStandard::TreeItemUnderCursor() const
{
    TVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    tree_.ScreenToClient(hit.pt);
    return reinterpret_cast<HTREEITEM>(tree_.SendMsg(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void FormStandard::OpenTreeMenu(HTREEITEM item, bool atMouse)
{
    if (!item)
        return;
    tree_.Select(item);
    POINT point{};
    if (atMouse) {
        GetCursorPos(&point);
    } else {
        RECT label{};
        std::memcpy(&label, &item, sizeof item);   // the message takes the item in the rectangle
        tree_.SendMsg(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label));
        point = POINT{label.left, label.bottom};
        tree_.ClientToScreen(point);
    }
    const int command = ChooseFromPopupMenu(IDR_POPUP_TREE, GetAncestor(hwnd_, GA_ROOT), point);
    if (command != 0)
        SendCommandToTopLevel(tree_.Handle(), command);
}
