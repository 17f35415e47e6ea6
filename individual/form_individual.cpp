#include "individual/form_individual.h"

#include <algorithm>
#include <utility>

#include "base/text_util.h"
#include "individual/class_catalog.h"
#include "individual/class_hierarchy.h"
#include "listtools/context_menu.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "ui/tab_page.h"
#include "ui/dpi.h"
#include "ui/edit_keys.h"
#include "ui/ui_font.h"

namespace {

constexpr int kFormMargin = 15;

struct ResultColumnSpec {
    UINT headerId;
    bool rightAligned;
    int width;
};
constexpr ResultColumnSpec kResultColumns[] = {
    {IDS_COLUMN_GROUP, true, 50},
    {IDS_COLUMN_NAME, false, 150},
    {IDS_COLUMN_TYPE, false, 100},
    {IDS_COLUMN_VALUE, false, 300},
};

int SelectedCode(const ui::ComboBox& list)
{
    int selected = list.CurSel();
    return selected < 0 ? kNoSelectionCode : static_cast<int>(list.ItemData(selected));
}

}  // namespace

void FillDropDownList(const ui::ComboBox& list, const std::vector<ListEntry>& entries)
{
    list.Reset();
    for (const ListEntry& entry : entries)
        list.AddString(entry.text, entry.code);
    list.SelectStringPrefix(LoadText(kNoSelectionStringId));
}

FormIndividual::FormIndividual(ui::FormHost& host) : ui::Dialog(IDD_FORM_INDIVIDUAL), host_(host) {}

bool FormIndividual::OnInitDialog()
{
    level1_.Attach(::GetDlgItem(hwnd_, IDC_LEVEL1));
    level2_.Attach(::GetDlgItem(hwnd_, IDC_LEVEL2));
    level3_.Attach(::GetDlgItem(hwnd_, IDC_LEVEL3));
    description_.Attach(::GetDlgItem(hwnd_, IDC_DESCRIPTION));
    classLine_.Attach(::GetDlgItem(hwnd_, IDC_RESULT_CLASS));
    findField_.Attach(::GetDlgItem(hwnd_, IDC_CLASS_FIND));
    findCount_.Attach(::GetDlgItem(hwnd_, IDC_CLASS_FIND_COUNT));
    ui::AddSelectAllKey(description_.Handle());
    ui::AddSelectAllKey(findField_.Handle());
    list_.Attach(::GetDlgItem(hwnd_, IDC_RESULT_LIST));
    list_.onColumnClick = [this](int column) { OnColumnClick(column); };
    // The system's own interface font in the list, and rows (of the list and of the
    // Level lists) that leave room for its underscores.
    uiFont_ = ui::CreateSystemUiFont();
    list_.UseFont(uiFont_.Get());
    for (const ui::ComboBox* level : {&level1_, &level2_, &level3_}) {
        if (uiFont_)
            level->SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.Get()), TRUE);
        ui::FitComboRowsToFont(level->Handle());
    }
    if (uiFont_) {
        for (const ui::Window* field : {&description_, &classLine_, &findField_, &findCount_})
            field->SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.Get()), TRUE);
    }
    InitResultList();
    FillGroupList();
    Layout();
    return true;
}

void FormIndividual::InitResultList()
{
    ResultModel& model = list_.Model();
    model.Clear();
    for (const ResultColumnSpec& column : kResultColumns)
        model.AddColumn({LoadText(column.headerId), column.rightAligned, ui::ScalePixels(hwnd_, column.width)});
    list_.View().ModifyStyle(LVS_TYPEMASK | LVS_SINGLESEL, LVS_REPORT | LVS_AUTOARRANGE);
    list_.View().SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                                  LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list_.ShowFittedColumnsAndRows(widths_.Of(0));
}

void FormIndividual::FillGroupList()
{
    FillDropDownList(level1_, GroupListEntries());
    level2_.Enable(false);
    level3_.Enable(false);
}

void FormIndividual::OnLevel1Changed()
{
    int group = SelectedCode(level1_);
    if (group == kNoSelectionCode) {
        level2_.Reset();
        level2_.Enable(false);
    } else {
        FillDropDownList(level2_, CategoryListEntries(group));
        level2_.Enable(true);
    }
    level3_.Reset();
    level3_.Enable(false);
    description_.SetText("");
}

void FormIndividual::OnLevel2Changed()
{
    int category = SelectedCode(level2_);
    if (category == kNoSelectionCode) {
        level3_.Reset();
        description_.SetText("");
        level3_.Enable(false);
        return;
    }
    FillDropDownList(level3_, ClassListEntries(category));
    level3_.Enable(true);
    description_.SetText("");
}

void FormIndividual::OnLevel3Changed()
{
    int classId = SelectedCode(level3_);
    description_.SetText(classId == kNoSelectionCode ? std::string() : LoadClassDescription(classId));
    ShowRowsClass();
}

void FormIndividual::BeginCheck()
{
    awaitingRows_ = true;
    checkedClassCode_ = SelectedClassCode();
    checkedClassText_ = SelectedClassText();
}

void FormIndividual::AdoptCheckedClass()
{
    rowsClassCode_ = checkedClassCode_;
    rowsClassText_ = checkedClassText_;
    ShowRowsClass();
}

void FormIndividual::ShowRowsClass()
{
    if (rowsClassCode_ < 0) {
        classLine_.SetText("");
        return;
    }
    // Another class chosen above (also none) leaves the rows where they are, marked.
    const bool same = SelectedClassCode() == rowsClassCode_;
    classLine_.SetText(FillIn(LoadText(same ? IDS_CLASS_OF_ROWS : IDS_CLASS_OF_ROWS_OTHER), rowsClassText_));
}

bool FormIndividual::OnCommand(int id, int code, HWND)
{
    if (id == IDC_CLASS_FIND && code == EN_CHANGE) {
        OnFindTextChanged();
        return true;
    }
    if (id != IDC_LEVEL1 && id != IDC_LEVEL2 && id != IDC_LEVEL3)
        return false;
    if (OnLevelNotify(id, code))
        return true;
    if (code != CBN_SELCHANGE)
        return false;
    switch (id) {
    case IDC_LEVEL1: OnLevel1Changed(); return true;
    case IDC_LEVEL2: OnLevel2Changed(); return true;
    default: OnLevel3Changed(); return true;
    }
}

bool FormIndividual::OnLevelNotify(int id, int code)
{
    switch (code) {
    case CBN_DROPDOWN:
        levelOpen_ = true;
        levelChosen_ = false;
        return true;
    case CBN_SELENDOK:
        levelChosen_ = levelOpen_;
        return true;
    case CBN_SELENDCANCEL:
        levelChosen_ = false;
        return true;
    case CBN_CLOSEUP:
        // The list sends its last notifications after this one: act once they are done.
        PostMessageW(hwnd_, WM_LEVEL_CLOSED, static_cast<WPARAM>(id), 0);
        return true;
    default:
        return false;
    }
}

void FormIndividual::FocusAfterChoice(int id)
{
    const ui::ComboBox& next = id == IDC_LEVEL1 ? level2_ : level3_;
    if (id != IDC_LEVEL3 && next.IsEnabled())
        next.SetFocus();
}

bool FormIndividual::ChooseEntry(int listId, int code)
{
    const ui::ComboBox& list = listId == IDC_LEVEL1 ? level1_ : listId == IDC_LEVEL2 ? level2_ : level3_;
    for (int index = 0; index < list.Count(); ++index) {
        if (static_cast<int>(list.ItemData(index)) == code) {
            list.SetCurSel(index);
            OnCommand(listId, CBN_SELCHANGE, list.Handle());
            FocusAfterChoice(listId);
            return true;
        }
    }
    return false;
}

void FormIndividual::SelectClass(int classId)
{
    int group = 0;
    int category = 0;
    if (!LocateClass(classId, group, category))
        return;
    const std::pair<const ui::ComboBox*, int> steps[] = {{&level1_, group}, {&level2_, category}, {&level3_, classId}};
    for (const auto& [list, code] : steps) {
        if (SelectedCode(*list) == code)
            continue;   // unchanged: the lists below it stay as they are
        for (int index = 0; index < list->Count(); ++index)
            if (static_cast<int>(list->ItemData(index)) == code) {
                list->SetCurSel(index);
                OnCommand(GetDlgCtrlID(list->Handle()), CBN_SELCHANGE, list->Handle());
                break;
            }
    }
}

void FormIndividual::OnFindTextChanged()
{
    const std::string text = findField_.Text();
    matches_ = finder_.Find(text);
    if (matches_.empty()) {
        findCount_.SetText(TrimWhiteSpace(text).empty() ? std::string() : LoadText(IDS_CLASS_FIND_NONE));
        return;
    }
    ShowMatch(0);
}

void FormIndividual::ShowMatch(int index)
{
    if (matches_.empty())
        return;
    const int count = static_cast<int>(matches_.size());
    matchIndex_ = (index % count + count) % count;
    SelectClass(matches_[static_cast<size_t>(matchIndex_)]);
    findCount_.SetText(FillIn(LoadText(IDS_CLASS_FIND_MATCHES), std::to_string(matchIndex_ + 1), std::to_string(count)));
}

bool FormIndividual::HandleFindKey(const MSG& message)
{
    if (message.hwnd != findField_.Handle() || message.message != WM_KEYDOWN)
        return false;
    switch (message.wParam) {
    case VK_DOWN: ShowMatch(matchIndex_ + 1); return true;
    case VK_UP: ShowMatch(matchIndex_ - 1); return true;
    case VK_RETURN:
        if (SelectedClassCode() != kNoSelectionCode)
            level3_.SetFocus();
        return true;
    default: return false;
    }
}

int FormIndividual::SelectedClassCode() const
{
    return SelectedCode(level3_);
}

std::string FormIndividual::SelectedClassText() const
{
    int selected = level3_.CurSel();
    return selected < 0 ? std::string() : level3_.ItemText(selected);
}

void FormIndividual::ClearResults()
{
    // The control drops the selection with its rows; clearing "all rows" while it still
    // had the old ones would walk every one of them.
    list_.Model().DeleteAllRows();
    objectCount_ = 0;
    list_.ShowRows();
    list_.View().SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

void FormIndividual::ShowNoObjects(const std::string& why)
{
    ClearResults();
    list_.SetEmptyText(why.empty() ? LoadText(IDS_NO_OBJECTS) : why);
    AdoptCheckedClass();
}

void FormIndividual::AppendRows(const std::vector<ClassResultRow>& rows)
{
    if (std::exchange(awaitingRows_, false)) {
        ClearResults();
        list_.SetEmptyText({});
        sort_ = SortMemory();
        list_.ShowSortArrow(kUnsorted, true);
        AdoptCheckedClass();
    }
    ResultModel& model = list_.Model();
    for (const ClassResultRow& row : rows) {
        objectCount_ = std::max(objectCount_, static_cast<int>(row.objectNumber));
        model.AppendRow({{std::to_string(row.objectNumber), row.name, row.typeText, row.value},
                         row.itemData, -1});
    }
    list_.ShowRows();
    list_.FitColumns(widths_.Of(0));
}

void FormIndividual::EnableControls(bool enable)
{
    Enable(enable);
    level1_.Enable(enable);
    // An empty Level 2 or Level 3 list stays disabled, as before the check.
    level2_.Enable(enable && level2_.Count() > 0);
    level3_.Enable(enable && level3_.Count() > 0);
    findField_.Enable(enable);
    list_.View().Enable(enable);
}

INT_PTR FormIndividual::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLASS_ROWS_READY:
        AppendRows(*reinterpret_cast<const std::vector<ClassResultRow>*>(wParam));
        return TRUE;
    case WM_SELECT_FIRST_CLASS_ROW:
        if (list_.Model().RowCount() > 0)
            list_.SelectRow(0, true);
        return TRUE;
    case WM_CLAMP_COLUMN_WIDTH:
        ClampColumnWidth(static_cast<int>(wParam));
        return TRUE;
    case WM_LEVEL_CLOSED:
        if (std::exchange(levelOpen_, false) && std::exchange(levelChosen_, false))
            FocusAfterChoice(static_cast<int>(wParam));
        return TRUE;
    case WM_GET_CLASS_TEXT:
        *reinterpret_cast<std::string*>(wParam) = level3_.Text();
        return TRUE;
    default:
        return ui::Dialog::OnMessage(message, wParam, lParam);
    }
}

void FormIndividual::Layout()
{
    if (!FitIntoTabPage(hwnd_, host_.TabControl()))
        return;

    RECT client = ClientRect();
    const int margin = ui::ScalePixels(hwnd_, kFormMargin);
    auto placeOf = [&](HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    // The finder keeps its width at the right edge; the Level lists reach up to it.
    const RECT findPlace = placeOf(findField_.Handle());
    const int findLeft = client.right - margin - (findPlace.right - findPlace.left);
    for (int id : {IDC_CLASS_FIND_LABEL, IDC_CLASS_FIND, IDC_CLASS_FIND_COUNT}) {
        const RECT rect = placeOf(::GetDlgItem(hwnd_, id));
        ::SetWindowPos(::GetDlgItem(hwnd_, id), nullptr, findLeft, rect.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    auto stretch = [&](HWND control, bool toBottom, int right) {
        if (!control)
            return;
        RECT rect = placeOf(control);
        rect.right = right;
        if (toBottom)
            rect.bottom = client.bottom - margin;
        // A drop-down list's height is that of its opened list, which the message gives
        // (field and list together).
        RECT dropped{};
        SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        if (dropped.bottom > dropped.top)
            rect.bottom = rect.top + (dropped.bottom - dropped.top);
        MoveWindow(control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    };
    const int right = client.right - margin;
    const int levelsRight = findLeft - ui::ScalePixels(hwnd_, kFormMargin / 2);
    stretch(list_.Handle(), true, right);
    stretch(level1_.Handle(), false, levelsRight);
    stretch(level2_.Handle(), false, levelsRight);
    stretch(level3_.Handle(), false, levelsRight);
    stretch(description_.Handle(), false, right);
    stretch(classLine_.Handle(), false, right);
    for (const ui::ComboBox* level : {&level1_, &level2_, &level3_})
        CentreLabelOf(level->Handle());
    list_.FillLastColumn();
}

void FormIndividual::CentreLabelOf(HWND control) const
{
    // The label comes right before its list in the template. The lists' fields grow
    // with their font; their labels keep level with the text in them.
    HWND label = GetWindow(control, GW_HWNDPREV);
    if (!label || GetDlgCtrlID(label) != -1)
        return;
    RECT field{};
    RECT text{};
    GetWindowRect(control, &field);
    GetWindowRect(label, &text);
    const int fieldHeight = static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) +
                            2 * GetSystemMetrics(SM_CYEDGE);
    const int top = field.top + (fieldHeight - (text.bottom - text.top)) / 2;
    POINT corner{text.left, top};
    ::ScreenToClient(hwnd_, &corner);
    ::SetWindowPos(label, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormIndividual::OnSize(UINT, int, int)
{
    Layout();
}

bool FormIndividual::HandleLevelKey(MSG& message)
{
    if (!IsKeyDown(message, VK_RETURN) && !IsKeyDown(message, VK_ESCAPE))
        return false;
    HWND list = message.hwnd;
    if (GetParent(list) == level1_.Handle() || GetParent(list) == level2_.Handle() ||
        GetParent(list) == level3_.Handle())
        list = GetParent(list);
    const bool level = list == level1_.Handle() || list == level2_.Handle() || list == level3_.Handle();
    if (!level)
        return false;
    if (!SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0)) {
        // A closed list: Enter moves on as Tab does, and on the last list runs the check
        // (as the Run button would); Esc does nothing.
        if (IsKeyDown(message, VK_RETURN) && list == level3_.Handle())
            SendCommandToTopLevel(hwnd_, ID_CHECK_RUN);
        else if (IsKeyDown(message, VK_RETURN))
            SendMessageW(hwnd_, WM_NEXTDLGCTL, 0, FALSE);
        return true;
    }
    // An opened list: Enter takes the entry, Esc closes the list without it. The keys
    // go to the list itself and no further (the main view would run a check on Enter).
    // The selection already followed the arrow keys (each change filled the lists below).
    SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
    levelChosen_ = IsKeyDown(message, VK_RETURN);
    return true;
}

bool FormIndividual::PreTranslateMessage(MSG& message)
{
    if (HandleLevelKey(message) || HandleFindKey(message))
        return true;
    if (message.hwnd == list_.Handle() && list_.HandleContextMenuKey(message))
        return true;
    // Enter and Esc elsewhere in the form neither run a check nor close anything.
    if (IsKeyDown(message, VK_RETURN) || IsKeyDown(message, VK_ESCAPE))
        return true;
    if (IsKeyDown(message, VK_TAB)) {
        bool shift = IsShiftDown();
        if (!shift && message.hwnd == list_.Handle()) {
            ::SetFocus(host_.NameField());
            return true;
        }
        if (shift && (message.hwnd == level1_.Handle() || GetParent(message.hwnd) == level1_.Handle())) {
            ::SetFocus(host_.TabControl());
            return true;
        }
    }
    if (host_.TranslateShortcut(message))
        return true;
    return ui::Dialog::PreTranslateMessage(message);
}
