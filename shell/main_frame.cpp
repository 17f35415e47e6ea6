#include "shell/main_frame.h"

#include <algorithm>

#include "appearance/appearance_settings.h"
#include "appearance/visual_manager.h"
#include "base/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/layout_settings.h"
#include "ui/center_window.h"
#include "ui/dialog.h"
#include "ui/dpi.h"
#include "ui/menu.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"
#include "ui/wait_cursor.h"

namespace {

constexpr int kToolbarId = 0xE800;     // the framework's usual bar ids
constexpr int kStatusBarId = 0xE801;
constexpr COLORREF kToolbarMaskColor = RGB(255, 0, 255);
constexpr int kLockPanes[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
constexpr int kWherePane = 1;       // which computer the shown results come from
constexpr int kFirstLockPane = 2;
// The smallest frame, at 96 dpi, at which every control of both tabs stays usable.
constexpr SIZE kMinimumFrame = {560, 520};
constexpr int kLockKeys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};

const std::vector<ui::ToolButton> kToolbarButtons = {
    {ID_FILE_SAVE_TEXT, 0}, {ID_FILE_SAVE_CSV, 1}, {0, 0},          {ID_EDIT_COPY, 2},
    {ID_EDIT_PASTE, 3},     {ID_EDIT_FIND, 4},     {0, 0},          {ID_APP_ABOUT, 5},
};

// The part of a command prompt before (status line) or after (tooltip) its line break.
std::string PromptPart(UINT command, bool tooltip)
{
    std::string prompt = LoadText(command);
    size_t lineBreak = prompt.find('\n');
    if (lineBreak == std::string::npos)
        return tooltip ? std::string() : prompt;
    return tooltip ? prompt.substr(lineBreak + 1) : prompt.substr(0, lineBreak);
}

// Three quarters of the work area, but no less than the layout needs at the screen's
// dpi (760 x 560 pixels at 96 dpi), and never more than the work area; placed by the
// system.
RECT DefaultFrameRect()
{
    RECT work{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int workWidth = work.right - work.left;
    const int workHeight = work.bottom - work.top;
    const int dpi = static_cast<int>(ui::WindowDpi(nullptr));
    const int width = std::min(workWidth, std::max(workWidth * 3 / 4, MulDiv(760, dpi, 96)));
    const int height = std::min(workHeight, std::max(workHeight * 3 / 4, MulDiv(560, dpi, 96)));
    return RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + width, CW_USEDEFAULT + height};
}

bool IsLookCommand(int command)
{
    return command >= ID_VIEW_APPLOOK_WIN_2000 && command <= ID_VIEW_APPLOOK_OFF_2007_AQUA;
}

}  // namespace

MainFrame::MainFrame(std::string settingsKey) : settingsKey_(std::move(settingsKey)) {}

MainFrame::~MainFrame()
{
    // A frame that goes without being closed (the program object ends) keeps its layout too.
    if (hwnd_ && IsWindow(hwnd_))
        SaveLayout();
    if (TheApp().frame == this)
        TheApp() = AppWindows();
}

bool MainFrame::CreateFrame()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    smallIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    // The class keeps a shared icon: it outlives every frame.
    RegisterWindowClass(kClassName, CS_HREDRAW | CS_VREDRAW, GetSysColorBrush(COLOR_BTNFACE),
                        LoadCursor(nullptr, IDC_ARROW), LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME)));
    UniqueMenu menu = ui::LoadMenuResource(IDR_MAINFRAME);
    // The toolbar entry of the View menu names the one toolbar.
    ModifyMenuW(menu.Get(), ID_VIEW_TOOLBAR, MF_BYCOMMAND | MF_STRING, ID_VIEW_TOOLBAR,
                LoadTextW(IDS_TOOLBAR_STANDARD).c_str());
    RECT rect = DefaultFrameRect();
    TheApp().frame = this;
    // The window owns its menu from here on, and destroys it also when creation fails.
    HMENU menuBar = menu.Release();
    if (!Create(kClassName, LoadText(IDS_APP_TITLE), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, rect,
                nullptr, menuBar)) {
        if (IsMenu(menuBar))
            DestroyMenu(menuBar);
        return false;
    }
    ui::RegisterMessageFilter(hwnd_, this);
    SendMsg(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    RestorePlacement();
    return true;
}

bool MainFrame::CreateView()
{
    if (!CreateBars())
        return false;
    visuals_->AttachBars(toolbar_.Handle(), statusBar_.Handle());
    const RECT client = ClientRect();
    OnSize(SIZE_RESTORED, client.right, client.bottom);   // the bars in their places
    view_ = std::make_unique<MainView>();
    view_->SetSettingsKey(settingsKey_);
    // Made where it stays, so that its controls are laid out once, while still hidden;
    // placing them paints nothing, and the bars keep the places they have.
    view_->SetInitialPlace(ViewPlace(client.right, client.bottom));
    // A form made later (the individual one, when its tab is first chosen) takes the look.
    view_->onFormCreated = [this](HWND form) { visuals_->AttachForm(form); };
    if (!view_->CreateModeless(hwnd_)) {
        view_.reset();
        return false;
    }
    visuals_->AttachForm(view_->Handle());
    visuals_->AttachTabControl(view_->Tab().Handle());
    visuals_->AttachForm(view_->StandardForm().Handle());
    RestoreViewLayout();
    view_->Show();
    // The toolbar and the status bar as the view's state has them, before anything paints.
    UpdateIdleState();
    return true;
}

int MainFrame::InitialShowCommand(int requested) const
{
    const bool normal = requested == SW_SHOWNORMAL || requested == SW_SHOWDEFAULT || requested == SW_SHOW;
    return startMaximized_ && normal ? SW_SHOWMAXIMIZED : requested;
}

SIZE MainFrame::MinimumSize() const
{
    const UINT dpi = ui::WindowDpi(hwnd_);
    return SIZE{MulDiv(kMinimumFrame.cx, static_cast<int>(dpi), 96), MulDiv(kMinimumFrame.cy, static_cast<int>(dpi), 96)};
}

void MainFrame::RestorePlacement()
{
    storedLayout_ = ReadLayout(HKEY_CURRENT_USER, settingsKey_, ui::WindowDpi(hwnd_));
    const StoredLayout& layout = storedLayout_;
    if (layout.hasPlacement && IsUsablePlacement(layout.normal)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(hwnd_, &placement);
        placement.showCmd = SW_HIDE;
        // A size saved on a larger screen, or at another dpi, is reduced onto this one.
        placement.rcNormalPosition = ui::FitPlacementIntoWorkArea(layout.normal);
        SetWindowPlacement(hwnd_, &placement);
        startMaximized_ = layout.maximized;
    }
}

void MainFrame::RestoreViewLayout()
{
    const StoredLayout& layout = storedLayout_;
    view_->StandardForm().ColumnWidths().FromText(layout.standardWidths);
    view_->StandardForm().SetTreeWidth(layout.treeWidth);
    view_->SetIndividualWidths(layout.individualWidths);
    view_->SetSeveralWindowShape(layout.several);
}

void MainFrame::SaveLayout() const
{
    StoredLayout layout;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(hwnd_, &placement)) {
        layout.hasPlacement = true;
        layout.normal = placement.rcNormalPosition;
        layout.maximized = placement.showCmd == SW_SHOWMAXIMIZED;
    }
    if (view_) {
        layout.treeWidth = view_->StandardForm().TreeWidth();
        layout.standardWidths = view_->StandardForm().ColumnWidths().ToText();
        layout.individualWidths = view_->IndividualWidths();
        layout.several = view_->SeveralWindowShape();
    }
    WriteLayout(HKEY_CURRENT_USER, settingsKey_, layout, ui::WindowDpi(hwnd_));
}

bool MainFrame::OnCreate(const CREATESTRUCTW&)
{
    // The bars come with the view, once the common controls are loaded.
    look_ = ReadApplicationLook();
    visuals_ = std::make_unique<VisualManager>();
    visuals_->AttachFrame(hwnd_, nullptr, nullptr);
    visuals_->Apply(look_);
    return true;
}

bool MainFrame::CreateBars()
{
    toolbar_ = ui::ToolBar::Create(hwnd_, kToolbarId);
    if (!toolbar_.IsValid())
        return false;
    // 16-pixel images get hard to hit at high dpi: from 144 dpi on they grow with it.
    const int imageSize = ui::WindowDpi(hwnd_) >= 144 ? ui::ScalePixels(hwnd_, 16) : 16;
    toolbarImages_ = ui::ImageList::LoadStripScaled(IDR_MAINFRAME_256, 16, kToolbarMaskColor, imageSize);
    toolbar_.SendMsg(TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize, imageSize));
    toolbar_.SetImageList(toolbarImages_.Handle());
    toolbar_.AddButtons(kToolbarButtons);
    // No command can run before the view is there: the buttons start disabled, and the
    // idle-time update enables what the view allows.
    for (const ui::ToolButton& button : kToolbarButtons)
        if (button.command != 0 && button.command != ID_APP_ABOUT)
            toolbar_.EnableButton(button.command, false);
    toolbar_.AutoSize();

    statusBar_ = ui::StatusBar::Create(hwnd_, kStatusBarId);
    if (!statusBar_.IsValid())
        return false;
    TheApp().statusBar = statusBar_.Handle();
    statusBar_.SetPartText(0, LoadText(IDS_READY));
    // Hidden until a check runs; the frame's size handler places it in the message pane.
    progressBar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | PBS_SMOOTH, 0, 0, 0, 0,
                                   statusBar_.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    TheApp().progressBar = progressBar_;
    return true;
}

void MainFrame::OnSize(UINT type, int width, int height)
{
    if (type == SIZE_MINIMIZED || !statusBar_.IsValid())
        return;
    toolbar_.AutoSize();
    statusBar_.Resize();
    LayoutStatusPanes(width);
    PlaceView(width, height);
}

RECT MainFrame::ViewPlace(int width, int height) const
{
    // The bars' own style: IsWindowVisible would say no while the frame is hidden.
    int top = toolbar_.HasVisibleStyle() ? toolbar_.WindowRect().bottom - toolbar_.WindowRect().top : 0;
    int bottom = statusBar_.HasVisibleStyle() ? height - (statusBar_.WindowRect().bottom - statusBar_.WindowRect().top)
                                        : height;
    return RECT{0, top, width, bottom > top ? bottom : top};
}

void MainFrame::PlaceView(int width, int height)
{
    if (view_)
        view_->Move(ViewPlace(width, height));
}

void MainFrame::LayoutStatusPanes(int width)
{
    // Message pane, where the results come from (up to two thirds of the width: it stays
    // while the messages come and go, and in Japanese it is long), then CAP, NUM and SCRL,
    // each as wide as its text.
    std::vector<int> edges(5);
    int right = width - ui::ScalePixels(hwnd_, 20);
    {
        WindowDC dc(statusBar_.Handle());
        ScopedSelect font(dc.Get(), reinterpret_cast<HFONT>(statusBar_.SendMsg(WM_GETFONT)));
        auto widthOf = [&](const std::wstring& text) {
            SIZE size{};
            GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
            return static_cast<int>(size.cx) + ui::ScalePixels(hwnd_, 12);
        };
        for (int pane = 4; pane >= kFirstLockPane; --pane) {
            edges[static_cast<size_t>(pane)] = right;
            right -= widthOf(LoadTextW(static_cast<UINT>(kLockPanes[pane - kFirstLockPane])));
        }
        edges[kWherePane] = right;
        if (!whereText_.empty())
            right -= std::min(widthOf(ToWide(whereText_)), right * 2 / 3);
    }
    edges[0] = right;
    edges[4] = -1;
    statusBar_.SetParts(edges);
    PlaceProgressBar(edges[0]);
}

void MainFrame::ShowWhere(const std::string& text)
{
    if (text == whereText_)
        return;
    whereText_ = text;
    LayoutStatusPanes(ClientRect().right);
    statusBar_.SetPartText(kWherePane, text);
}

void MainFrame::PlaceProgressBar(int messagePaneRight)
{
    if (!progressBar_)
        return;
    RECT pane{};
    statusBar_.SendMsg(SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
    const int width = std::min(ui::ScalePixels(hwnd_, 160), messagePaneRight / 3);
    const int inset = ui::ScalePixels(hwnd_, 2);
    MoveWindow(progressBar_, messagePaneRight - width - inset, pane.top + inset, width,
               std::max(0, static_cast<int>(pane.bottom - pane.top) - 2 * inset), TRUE);
}

void MainFrame::ToggleBar(const ui::Window& bar)
{
    bar.Show(bar.IsVisible() ? SW_HIDE : SW_SHOW);
    RECT client = ClientRect();
    OnSize(SIZE_RESTORED, client.right, client.bottom);
    // The view moved under (or out from under) the bar: nothing of the bar may linger.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void MainFrame::RunCommand(int command)
{
    if (IsLookCommand(command)) {
        OnApplicationLook(command);
        return;
    }
    switch (command) {
    case ID_VIEW_TOOLBAR: ToggleBar(toolbar_); return;
    case ID_VIEW_STATUS_BAR: ToggleBar(statusBar_); return;
    case ID_APP_EXIT: PostMsg(WM_CLOSE); return;
    case ID_APP_ABOUT: ui::Dialog(IDD_ABOUTBOX).RunModal(hwnd_); return;
    case ID_HELP_FINDER:
    case ID_HELP: OpenHelp(); return;
    case ID_CONTEXT_HELP: return;
    default: break;
    }
    if (!view_)
        return;
    MainView::CommandState state = view_->QueryCommand(command);
    if (state.handled && !state.enabled)
        return;   // a shortcut of a disabled command does nothing
    view_->RunCommand(command);
}

bool MainFrame::OnCommand(int id, int code, HWND control)
{
    if (control != nullptr && control != toolbar_.Handle())
        return false;
    (void)code;
    RunCommand(id);
    return true;
}

void MainFrame::OpenHelp()
{
    if (!help_)
        help_ = std::make_unique<HelpWindow>();
    help_->Open(hwnd_);
}

void MainFrame::OnApplicationLook(int lookId)
{
    ui::WaitCursor wait;
    look_ = lookId;
    if (visuals_)
        visuals_->Apply(lookId);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WriteApplicationLook(lookId);
}

void MainFrame::UpdateMenuPopup(HMENU popup)
{
    ui::Menu menu(popup);
    for (int position = 0; position < menu.ItemCount(); ++position) {
        int command = menu.ItemId(position);
        if (command <= 0)
            continue;
        if (IsLookCommand(command)) {
            // By command, so that the Office 2007 submenu below is marked as well.
            for (int look = ID_VIEW_APPLOOK_WIN_2000; look <= ID_VIEW_APPLOOK_OFF_2007_AQUA; ++look)
                menu.CheckItem(static_cast<UINT>(look), look == look_);
        } else if (command == ID_VIEW_TOOLBAR) {
            menu.CheckItem(static_cast<UINT>(command), toolbar_.IsVisible());
        } else if (command == ID_VIEW_STATUS_BAR) {
            menu.CheckItem(static_cast<UINT>(command), statusBar_.IsVisible());
        } else if (view_) {
            MainView::CommandState state = view_->QueryCommand(command);
            if (!state.handled)
                continue;
            menu.EnableItem(static_cast<UINT>(command), state.enabled);
            menu.CheckItem(static_cast<UINT>(command), state.checked);
        }
    }
}

void MainFrame::ShowMenuPrompt(UINT command, UINT flags)
{
    if (flags == 0xFFFF)
        ShowStatusText(LoadText(IDS_READY));   // the menu closed
    else if (flags & (MF_POPUP | MF_SEPARATOR))
        ShowStatusText("");
    else
        ShowStatusText(PromptPart(command, false));
}

void MainFrame::UpdateIdleState()
{
    UpdateLockIndicators();
    if (!view_)
        return;
    ShowWhere(view_->WhereText());
    for (const ui::ToolButton& button : kToolbarButtons) {
        if (button.command == 0 || button.command == ID_APP_ABOUT)
            continue;
        bool enabled = view_->QueryCommand(button.command).enabled;
        if (toolbar_.IsButtonEnabled(button.command) != enabled)
            toolbar_.EnableButton(button.command, enabled);
    }
}

void MainFrame::UpdateLockIndicators()
{
    std::string indicators;
    for (int pane = 0; pane < 3; ++pane)
        indicators += (GetKeyState(kLockKeys[pane]) & 1) ? '1' : '0';
    if (indicators != lockIndicators_) {
        lockIndicators_ = indicators;
        for (int pane = 0; pane < 3; ++pane)
            statusBar_.SetPartText(pane + kFirstLockPane, indicators[static_cast<size_t>(pane)] == '1'
                                                 ? LoadText(static_cast<UINT>(kLockPanes[pane]))
                                                 : std::string());
    }
}

std::string MainFrame::ToolTipOf(int command) const
{
    return PromptPart(static_cast<UINT>(command), true);
}

bool MainFrame::PreTranslateMessage(MSG& message)
{
    // Keys reach the frame itself only when no window has the focus (the focused control
    // was disabled): the shortcuts still work then.
    if (message.hwnd != hwnd_ || (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN))
        return false;
    MSG key = message;
    if (key.message == WM_SYSKEYDOWN && (GetKeyState(VK_MENU) & 0x8000) == 0)
        key.message = WM_KEYDOWN;
    return view_ && view_->TranslateShortcut(key);
}

bool MainFrame::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->hwndFrom == toolbar_.Handle() && header->code == TBN_HOTITEMCHANGE) {
        // Fly-by help: the prompt of the button under the mouse.
        const NMTBHOTITEM* hot = reinterpret_cast<const NMTBHOTITEM*>(header);
        if (hot->dwFlags & HICF_LEAVING)
            ShowStatusText(LoadText(IDS_READY));
        else
            ShowStatusText(PromptPart(static_cast<UINT>(hot->idNew), false));
        result = 0;
        return true;
    }
    std::wstring& storage = toolTipText_;
    if (ui::ToolBar::ServeToolTip(header, [this](int command) { return ToolTipOf(command); }, storage)) {
        result = 0;
        return true;
    }
    return false;
}

void MainFrame::RememberOrRestoreFocus(bool active)
{
    if (!view_)
        return;
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(view_->Handle(), focus))
            lastFocus_ = focus;
        return;
    }
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(view_->Handle(), lastFocus_))
        ::SetFocus(lastFocus_);
    else if (view_->NameField())
        ::SetFocus(view_->NameField());
}

bool MainFrame::ConfirmClose()
{
    if (!view_ || (!view_->ChecksRunning() && !view_->Recording()))
        return true;
    const UINT question = view_->ChecksRunning() ? IDS_CONFIRM_QUIT : IDS_CONFIRM_QUIT_RECORDING;
    if (ui::ShowMessageBox(hwnd_, LoadText(question), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    // Every wait of a worker ends within a second of the stop. The check may also have
    // ended while the question was open: then the frame closes now; otherwise the
    // check's completion closes it again, with nothing left running.
    return view_->EndAfterChecks();
}

bool MainFrame::OnClose()
{
    return !ConfirmClose();   // true keeps the window
}

void MainFrame::OnDestroy()
{
    SaveLayout();
    PostQuitMessage(0);
}

LRESULT MainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITMENUPOPUP:
        UpdateMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MENUSELECT:
        ShowMenuPrompt(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        RememberOrRestoreFocus(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        RememberOrRestoreFocus(true);
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        const SIZE minimum = MinimumSize();
        limits->ptMinTrackSize.x = std::max(limits->ptMinTrackSize.x, minimum.cx);
        limits->ptMinTrackSize.y = std::max(limits->ptMinTrackSize.y, minimum.cy);
        return 0;
    }
    default:
        return ui::WindowBase::OnMessage(message, wParam, lParam);
    }
}
