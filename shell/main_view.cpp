#include "shell/main_view.h"

#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/history_window.h"
#include "shell/multi_check_window.h"
#include "shell/questions_window.h"
#include "shell/recent_computers.h"
#include "ui/tab_page.h"
#include "ui/dpi.h"
#include "ui/edit_keys.h"
#include "ui/ui_font.h"

namespace {

constexpr int kTabRightMargin = 15;
constexpr int kTabBottomMargin = 50;
constexpr int kNameFieldGap = 10;

}  // namespace

MainView::MainView()
    : ui::Dialog(IDD_MIREL_VIEW),
      storeChoice_(std::make_unique<StoreChoice>(kMirelSettingsKey)),
      keeper_(std::make_unique<CheckKeeper>())
{
}

void MainView::SetSettingsKey(std::string key)
{
    settingsKey_ = std::move(key);
    storeChoice_ = std::make_unique<StoreChoice>(settingsKey_);
}

MainView::~MainView() = default;

bool MainView::OnInitDialog()
{
    tab_.Attach(::GetDlgItem(hwnd_, IDC_RESOURCE_TAB));
    nameBox_.Attach(::GetDlgItem(hwnd_, IDC_COMPUTER_NAME));
    quietNameBox_.Attach(nameBox_.Handle());   // no empty list while no computer was checked
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    if (nameBox_.IsValid() && GetComboBoxInfo(nameBox_.Handle(), &parts))
        nameField_.Attach(parts.hwndItem);
    runButton_.Attach(::GetDlgItem(hwnd_, IDC_RUN));
    AppWindows& app = TheApp();
    app.view = this;
    if (tab_.IsValid()) {
        tab_.ModifyStyle(0, WS_CLIPCHILDREN);
        tab_.InsertItem(kStandardTab, LoadText(IDS_TAB_STANDARD));
        tab_.InsertItem(kIndividualTab, LoadText(IDS_TAB_INDIVIDUAL));
        app.tabControl = tab_.Handle();
        app.nameField = nameField_.Handle();
        // Sized before the forms are made: they fit into the tab as it will stay.
        if (!IsRectEmpty(&initialPlace_))
            Move(initialPlace_, false);
        standardForm_ = std::make_unique<FormStandard>(*this, run_.Stores);
        standardForm_->CreateModeless(tab_.Handle());
        app.standardForm = standardForm_.get();
        reporter_.SetStandardForm(standardForm_->Handle());
        ApplyTabSelection();
        ui::AddSelectAllKey(nameField_.Handle());
        nameFont_ = ui::CreateSystemUiFont();
        if (nameFont_)
            nameBox_.SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(nameFont_.Get()), TRUE);
        FillRecentComputers();
        if (nameField_.IsValid())
            nameField_.SetFocus();
    }
    accelerators_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    VerifyStoreOfTheDay();
    return false;   // the focus was placed above
}

void MainView::ShowTab(int tab)
{
    if (!standardForm_)
        return;
    // The individual form is made when its tab is first shown.
    ui::Dialog* individual = tab == kStandardTab ? individualForm_.get() : &IndividualForm();
    ui::Dialog* hidden = tab == kStandardTab ? individual : standardForm_.get();
    ui::Dialog* shown = tab == kStandardTab ? standardForm_.get() : individual;
    if (!shown->Handle())
        return;
    // The focus must not stay in a form nobody sees.
    HWND focus = GetFocus();
    if (hidden && focus && (focus == hidden->Handle() || IsChild(hidden->Handle(), focus)))
        tab_.SetFocus();
    shown->Show(SW_SHOW);
    if (hidden)
        hidden->Show(SW_HIDE);
    shownTab_ = tab;
    UpdateTitle();
    RedrawWindow(shown->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

FormIndividual& MainView::IndividualForm()
{
    if (individualForm_)
        return *individualForm_;
    individualForm_ = std::make_unique<FormIndividual>(*this);
    if (individualForm_->CreateModeless(tab_.Handle())) {
        TheApp().individualForm = individualForm_.get();
        individualForm_->ColumnWidths().FromText(individualWidths_);
        individualForm_->FitColumns();
        individualForm_->Layout();
        if (onFormCreated)
            onFormCreated(individualForm_->Handle());
    }
    return *individualForm_;
}

std::string MainView::IndividualWidths() const
{
    return individualForm_ ? individualForm_->ColumnWidths().ToText() : individualWidths_;
}

void MainView::SetIndividualWidths(const std::string& widths)
{
    individualWidths_ = widths;
    if (individualForm_) {
        individualForm_->ColumnWidths().FromText(widths);
        individualForm_->FitColumns();
    }
}

void MainView::ApplyTabSelection()
{
    if (TheApp().tabControl)
        ShowTab(tab_.CurSel() == kStandardTab ? kStandardTab : kIndividualTab);
}

bool MainView::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->hwndFrom == tab_.Handle() && header->code == TCN_SELCHANGE) {
        ApplyTabSelection();
        result = 0;
        return true;
    }
    return false;
}

bool MainView::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_RUN && code == BN_CLICKED) {
        OnRunButton();
        return true;
    }
    if (control == nullptr && RunCommand(id))
        return true;
    return false;   // IDOK/IDCANCEL of a child dialog must not end anything
}

void MainView::OnSize(UINT type, int width, int height)
{
    // Showing the window repeats the size it was laid out for while hidden: nothing moves.
    if (type == SIZE_MINIMIZED || (width == laidOut_.cx && height == laidOut_.cy))
        return;
    laidOut_ = {width, height};
    LayoutControls(width, height);
}

void MainView::LayoutControls(int width, int height)
{
    if (!tab_.IsValid())
        return;
    RECT tabRect = tab_.WindowRect();
    ScreenToClient(tabRect);
    int tabWidth = width - ui::ScalePixels(hwnd_, kTabRightMargin);
    int tabHeight = height - ui::ScalePixels(hwnd_, kTabBottomMargin);
    if (tabWidth <= 0)
        tabWidth = tabRect.right - tabRect.left;
    if (tabHeight <= 0)
        tabHeight = tabRect.bottom - tabRect.top;
    tab_.Move(tabRect.left, tabRect.top, tabWidth, tabHeight);
    const int tabRight = tabRect.left + tabWidth;
    if (standardForm_)
        standardForm_->Layout();
    if (individualForm_)
        individualForm_->Layout();

    RECT button = runButton_.WindowRect();
    ScreenToClient(button);
    int buttonWidth = button.right - button.left;
    runButton_.Move(tabRight - buttonWidth, button.top, buttonWidth, button.bottom - button.top);
    RECT name = nameBox_.WindowRect();
    ScreenToClient(name);
    int nameRight = tabRight - buttonWidth - ui::ScalePixels(hwnd_, kNameFieldGap);
    // A drop-down's height is that of its opened list, which the message gives.
    RECT dropped{};
    nameBox_.SendMsg(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const int boxHeight = dropped.bottom > dropped.top ? dropped.bottom - dropped.top : name.bottom - name.top;
    nameBox_.Move(name.left, name.top, nameRight - name.left, boxHeight);
}

INT_PTR MainView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CHECK_COMPLETE:
        // The number is also the dialog manager's DM_SETDEFID: the dialog procedure must
        // not see it, or the Run button would stop being the default button.
        OnCheckComplete();
        return TRUE;
    case WM_TIMER:
        OnTimer();
        break;
    default:
        break;
    }
    return ui::Dialog::OnMessage(message, wParam, lParam);
}

bool MainView::HandleNavigationKey(const MSG& message)
{
    if (!IsKeyDown(message, VK_TAB))
        return false;
    bool shift = IsShiftDown();
    if (!shift && message.hwnd == tab_.Handle()) {
        if (tab_.CurSel() == kStandardTab)
            standardForm_->Tree().SetFocus();
        else
            IndividualForm().Level1().SetFocus();
        return true;
    }
    if (shift && message.hwnd == nameField_.Handle()) {
        if (tab_.CurSel() == kStandardTab)
            standardForm_->DisplayList().View().SetFocus();
        else
            IndividualForm().ResultListControl().View().SetFocus();
        return true;
    }
    return false;
}

bool MainView::PreTranslateMessage(MSG& message)
{
    if (HandleNavigationKey(message) || quietNameBox_.IsEmptyOpenKey(message))
        return true;
    if (IsKeyDown(message, VK_RETURN)) {
        // An opened drop-down takes Enter: the computer chosen, the check follows a
        // second Enter.
        if (nameBox_.SendMsg(CB_GETDROPPEDSTATE))
            nameBox_.SendMsg(CB_SHOWDROPDOWN, FALSE);
        else
            OnRunButton();
        return true;
    }
    if (TranslateShortcut(message))
        return true;
    return ui::Dialog::PreTranslateMessage(message);
}

bool MainView::TranslateShortcut(MSG& message)
{
    // In a text field the editing keys edit the text; elsewhere they are commands.
    if (ui::IsEditingShortcut(message))
        return false;
    HWND frame = GetParent(hwnd_);
    return accelerators_ && frame && TranslateAcceleratorW(frame, accelerators_, &message) != 0;
}

void MainView::FillRecentComputers()
{
    recentComputers_ = ReadRecentComputers(HKEY_CURRENT_USER, settingsKey_);
    nameBox_.Reset();
    for (const std::string& name : recentComputers_)
        nameBox_.AddString(name);
}

void MainView::RememberComputer(const std::string& name)
{
    if (name.empty() || settingsKey_.empty())
        return;
    const std::string typed = nameField_.Text();
    recentComputers_ = WithRecentComputer(ReadRecentComputers(HKEY_CURRENT_USER, settingsKey_), name);
    WriteRecentComputers(HKEY_CURRENT_USER, settingsKey_, recentComputers_);
    nameBox_.Reset();
    for (const std::string& known : recentComputers_)
        nameBox_.AddString(known);
    nameField_.SetText(typed);   // emptying the list may have taken the field's text
}
