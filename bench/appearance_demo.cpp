// A main window built like Mirel's (menu bar, toolbar, status bar, the main view with
// its tab control and the individual form), painted by the visual manager in the
// appearance given on the command line. Used for screenshots of the nine looks
// (tools/appearance-screenshots.sh); the View > Appearance menu switches at run time.
//
//   appearance_demo.exe [look 210..218] [close after milliseconds] [open]
// "open" shows the hot and selected states: a toolbar button is made hot and the Help
// menu is opened from the keyboard, as Alt+H would.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "appearance/appearance_styles.h"
#include "appearance/visual_manager.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "ui/combo_box.h"
#include "ui/dialog.h"
#include "ui/image_list.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/message_loop.h"
#include "ui/status_bar.h"
#include "ui/tab_ctrl.h"
#include "ui/tool_bar.h"
#include "ui/window_base.h"

namespace {

constexpr const char* kFrameClass = "MirelAppearanceDemo";
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT_PTR kOpenMenuTimer = 2;

// A modeless child form that ignores Enter and Esc instead of closing.
class DemoForm : public ui::Dialog {
public:
    using ui::Dialog::Dialog;

protected:
    bool OnCommand(int id, int, HWND) override { return id == IDOK || id == IDCANCEL; }
};

// A status-bar pane text centred in its pane.
std::string Centred(UINT textId)
{
    std::string text(1, '\t');
    text.append(LoadText(textId));
    return text;
}

class DemoFrame : public ui::WindowBase {
public:
    DemoFrame(int look, UINT closeAfterMs, bool openMenu)
        : look_(look), closeAfterMs_(closeAfterMs), openMenu_(openMenu) {}

protected:
    bool OnCreate(const CREATESTRUCTW&) override;
    void OnSize(UINT, int width, int height) override;
    bool OnCommand(int id, int, HWND) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override { PostQuitMessage(0); }

private:
    bool CreateBars();
    bool CreateView();
    void FillIndividualForm();
    void ApplyLook(int look);

    int look_;
    UINT closeAfterMs_;
    bool openMenu_;
    ui::ImageList images_;
    ui::ToolBar toolBar_;
    ui::StatusBar statusBar_;
    DemoForm view_{IDD_MIREL_VIEW};
    DemoForm form_{IDD_FORM_INDIVIDUAL};
    ui::TabCtrl tab_;
    std::wstring tipStorage_;
    VisualManager appearance_;
};

bool DemoFrame::OnCreate(const CREATESTRUCTW&)
{
    if (!CreateBars() || !CreateView())
        return false;
    appearance_.AttachFrame(hwnd_, toolBar_.Handle(), statusBar_.Handle());
    appearance_.AttachForm(view_.Handle());
    appearance_.AttachTabControl(tab_.Handle());
    appearance_.AttachForm(form_.Handle());
    ApplyLook(look_);
    if (closeAfterMs_)
        SetTimer(hwnd_, kCloseTimer, closeAfterMs_, nullptr);
    if (openMenu_)
        SetTimer(hwnd_, kOpenMenuTimer, 1000, nullptr);
    return true;
}

void DemoFrame::OnTimer(UINT_PTR id)
{
    KillTimer(hwnd_, id);
    if (id == kCloseTimer) {
        // Closes an open menu first, then the window.
        EndMenu();
        PostMsg(WM_CLOSE);
    } else if (id == kOpenMenuTimer) {
        toolBar_.SendMsg(TB_SETHOTITEM, 4);
        PostMsg(WM_SYSCOMMAND, SC_KEYMENU, 'h');
    }
}

bool DemoFrame::CreateBars()
{
    images_ = ui::ImageList::LoadStrip(IDR_MAINFRAME_256, 16, RGB(255, 0, 255));
    toolBar_ = ui::ToolBar::Create(hwnd_, 59392);
    statusBar_ = ui::StatusBar::Create(hwnd_, 59393);
    if (!toolBar_.IsValid() || !statusBar_.IsValid())
        return false;
    toolBar_.SetImageList(images_.Handle());
    toolBar_.AddButtons({{ID_FILE_SAVE_TEXT, 0}, {ID_FILE_SAVE_CSV, 1}, {}, {ID_EDIT_COPY, 2},
                         {ID_EDIT_PASTE, 3}, {ID_EDIT_FIND, 4}, {}, {ID_APP_ABOUT, 5}});
    toolBar_.AutoSize();
    return true;
}

bool DemoFrame::CreateView()
{
    if (!view_.CreateModeless(hwnd_))
        return false;
    tab_.Attach(view_.GetDlgItem(IDC_RESOURCE_TAB).Handle());
    tab_.InsertItem(0, LoadText(IDS_TAB_STANDARD));
    tab_.InsertItem(1, LoadText(IDS_TAB_INDIVIDUAL));
    tab_.SetCurSel(1);
    if (!form_.CreateModeless(tab_.Handle()))
        return false;
    FillIndividualForm();
    view_.Show();
    form_.Show();
    view_.GetDlgItem(IDC_COMPUTER_NAME).SetText("localhost");
    return true;
}

void DemoFrame::FillIndividualForm()
{
    const char* levels[] = {"CIM_LogicalElement", "CIM_LogicalDevice", "Win32_Processor"};
    for (int index = 0; index < 3; ++index) {
        ui::ComboBox level(form_.GetDlgItem(IDC_LEVEL1 + index).Handle());
        level.AddString(levels[index]);
        level.SetCurSel(0);
    }
    form_.GetDlgItem(IDC_DESCRIPTION).SetText("The Win32_Processor class represents a device that "
                                              "can interpret a sequence of instructions.");
    ui::ListView list(form_.GetDlgItem(IDC_RESULT_LIST).Handle());
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.InsertColumn(0, LoadText(IDS_COLUMN_NAME), 140);
    list.InsertColumn(1, LoadText(IDS_COLUMN_VALUE), 260);
    const char* rows[][2] = {{"Name", "Example CPU @ 2.40GHz"}, {"NumberOfCores", "4"},
                             {"Status", "OK"}, {"Architecture", "x64"}};
    for (int row = 0; row < 4; ++row) {
        list.InsertItem(row, rows[row][0]);
        list.SetItemText(row, 1, rows[row][1]);
    }
}

void DemoFrame::OnSize(UINT, int width, int height)
{
    if (!toolBar_.IsValid() || !statusBar_.IsValid())
        return;
    toolBar_.AutoSize();
    statusBar_.Resize();
    int edge = width - 3 * 45 - 20;
    statusBar_.SetParts({edge > 100 ? edge : 100, edge + 45, edge + 90, -1});
    statusBar_.SetPartText(0, LoadText(IDS_READY));
    statusBar_.SetPartText(1, Centred(ID_INDICATOR_CAPS));
    statusBar_.SetPartText(2, Centred(ID_INDICATOR_NUM));
    statusBar_.SetPartText(3, Centred(ID_INDICATOR_SCRL));

    RECT bar = toolBar_.WindowRect();
    RECT status = statusBar_.WindowRect();
    int top = bar.bottom - bar.top;
    int viewHeight = height - top - (status.bottom - status.top);
    view_.Move(0, top, width, viewHeight > 0 ? viewHeight : 0);
    RECT tabRect = tab_.WindowRect();
    view_.ScreenToClient(tabRect);
    tab_.Move(tabRect.left, tabRect.top, width - 15 > 0 ? width - 15 : 1, viewHeight - 50 > 0 ? viewHeight - 50 : 1);
    ui::Window run = view_.GetDlgItem(IDC_RUN);
    RECT runRect = run.WindowRect();
    view_.ScreenToClient(runRect);
    int runWidth = runRect.right - runRect.left;
    run.SetWindowPos(nullptr, tabRect.left + width - 15 - runWidth, runRect.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    RECT page = tab_.ClientRect();
    tab_.AdjustRect(false, page);
    form_.Move(page.left + 2, page.top + 2, page.right - page.left - 4, page.bottom - page.top - 4);
}

bool DemoFrame::OnCommand(int id, int, HWND)
{
    if (IsValidLook(id)) {
        ApplyLook(id);
        return true;
    }
    if (id == ID_APP_EXIT) {
        PostMsg(WM_CLOSE);
        return true;
    }
    return false;
}

bool DemoFrame::OnNotify(NMHDR* header, LRESULT& result)
{
    result = 0;
    auto tipOf = [](int command) {
        std::string prompt = LoadText(static_cast<UINT>(command));
        size_t lineBreak = prompt.find('\n');
        return lineBreak == std::string::npos ? prompt : prompt.substr(lineBreak + 1);
    };
    return ui::ToolBar::ServeToolTip(header, tipOf, tipStorage_);
}

void DemoFrame::ApplyLook(int look)
{
    appearance_.Apply(look);
    ui::Menu(GetMenu(hwnd_)).CheckRadio(kFirstLook, kLastLook, appearance_.CurrentLook());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    int look = __argc > 1 ? std::atoi(__argv[1]) : kDefaultLook;
    UINT closeAfterMs = __argc > 2 ? static_cast<UINT>(std::atoi(__argv[2])) : 0;
    bool openMenu = __argc > 3 && std::string(__argv[3]) == "open";

    DemoFrame frame(look, closeAfterMs, openMenu);
    UniqueMenu menu = ui::LoadMenuResource(IDR_MAINFRAME);
    if (!ui::WindowBase::RegisterWindowClass(kFrameClass, CS_HREDRAW | CS_VREDRAW,
                                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return 1;
    RECT rect{20, 20, 20 + 820, 20 + 540};
    if (!frame.Create(kFrameClass, LoadText(IDS_APP_TITLE), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, rect,
                      nullptr, menu.Get()))
        return 1;
    menu.Release();  // the frame owns its menu now
    frame.Show(showCommand);
    UpdateWindow(frame.Handle());
    return ui::RunMessageLoop();
}
