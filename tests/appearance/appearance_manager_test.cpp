// The visual manager on real windows: a frame with the program's menu, toolbar and
// status bar, the main view with its tab control and the individual form, painted
// into memory bitmaps and inspected pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "appearance/appearance_styles.h"
#include "appearance/visual_manager.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "ui/dialog.h"
#include "ui/image_list.h"
#include "ui/menu.h"
#include "ui/status_bar.h"
#include "ui/tab_ctrl.h"
#include "ui/tool_bar.h"
#include "ui/window_base.h"

namespace {

constexpr const char* kFrameClass = "MirelAppearanceTestFrame";

class TestFrame : public ui::WindowBase {};

// A modeless form that stays open on Enter and Esc.
class Form : public ui::Dialog {
public:
    using ui::Dialog::Dialog;

protected:
    bool OnCommand(int id, int, HWND) override { return id == IDOK || id == IDCANCEL; }
};

// The program's main window in miniature, built from the real resources.
struct MainWindow {
    TestFrame frame;
    ui::ImageList images = ui::ImageList::LoadStrip(IDR_MAINFRAME_256, 16, RGB(255, 0, 255));
    ui::ToolBar toolBar;
    ui::StatusBar statusBar;
    Form view{IDD_MIREL_VIEW};
    Form form{IDD_FORM_INDIVIDUAL};
    ui::TabCtrl tab;

    MainWindow()
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        ui::WindowBase::RegisterWindowClass(kFrameClass);
        UniqueMenu menu = ui::LoadMenuResource(IDR_MAINFRAME);
        RECT rect{0, 0, 800, 560};
        if (!frame.Create(kFrameClass, "Mirel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, rect, nullptr,
                          menu.Get()))
            return;
        menu.Release();
        toolBar = ui::ToolBar::Create(frame.Handle(), 59392);
        toolBar.SetImageList(images.Handle());
        toolBar.AddButtons({{ID_FILE_SAVE_TEXT, 0}, {ID_FILE_SAVE_CSV, 1}, {}, {ID_EDIT_COPY, 2},
                            {ID_EDIT_PASTE, 3}, {ID_EDIT_FIND, 4}, {}, {ID_APP_ABOUT, 5}});
        toolBar.AutoSize();
        statusBar = ui::StatusBar::Create(frame.Handle(), 59393);
        statusBar.Move(0, 500, 800, 24);
        statusBar.SetParts({500, 560, 620, -1});
        statusBar.SetPartText(0, "Ready");
        statusBar.SetPartText(1, "CAP");
        view.CreateModeless(frame.Handle());
        view.Move(0, 40, 780, 440);
        tab.Attach(view.GetDlgItem(IDC_RESOURCE_TAB).Handle());
        tab.Move(10, 40, 700, 380);
        tab.InsertItem(0, "Standard Resources");
        tab.InsertItem(1, "Check individual resource");
        tab.SetCurSel(1);
        form.CreateModeless(tab.Handle());
        form.Move(5, 30, 600, 300);
    }

    bool Complete() const
    {
        return frame.IsValid() && toolBar.IsValid() && statusBar.IsValid() && view.IsValid() &&
               tab.IsValid() && form.IsValid();
    }
    HMENU Menu() const { return GetMenu(frame.Handle()); }

    void AttachAll(VisualManager& manager) const
    {
        manager.AttachFrame(frame.Handle(), toolBar.Handle(), statusBar.Handle());
        manager.AttachForm(view.Handle());
        manager.AttachTabControl(tab.Handle());
        manager.AttachForm(form.Handle());
    }
};

// A 32-bit memory bitmap selected into a DC, for painting and reading pixels back.
class Canvas {
public:
    Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ~Canvas()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // How many pixels of the rectangle have exactly `colour`.
    int Count(const RECT& rect, COLORREF colour) const
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += At(x, y) == colour;
        return count;
    }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

struct TopLevelItem {
    std::wstring text;
    UINT type = 0;
    ULONG_PTR data = 0;
};

std::vector<TopLevelItem> TopLevelItems(HMENU menu)
{
    std::vector<TopLevelItem> items;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[128] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_DATA;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, position, TRUE, &info);
        items.push_back({text, info.fType, info.dwItemData});
    }
    return items;
}

COLORREF BrushColour(LRESULT brush)
{
    LOGBRUSH logical{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(logical), &logical);
    return logical.lbColor;
}

// The brush a form gets for its background (WM_CTLCOLORDLG).
LRESULT FormBrush(const ui::Window& form)
{
    HDC dc = CreateCompatibleDC(nullptr);
    LRESULT brush = form.SendMsg(WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(form.Handle()));
    DeleteDC(dc);
    return brush;
}

HBRUSH MenuBackground(HMENU menu)
{
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND;
    GetMenuInfo(menu, &info);
    return info.hbrBack;
}

class AppearanceManager : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }
};

TEST_F(AppearanceManager, MenuBarItemsBecomeOwnerDrawnAndKeepTheirTexts)
{
    MainWindow window;
    ASSERT_TRUE(window.Complete());
    MENUITEMINFOW data{};
    data.cbSize = sizeof(data);
    data.fMask = MIIM_DATA;
    data.dwItemData = 0x5eed;
    SetMenuItemInfoW(window.Menu(), 1, TRUE, &data);
    std::vector<TopLevelItem> before = TopLevelItems(window.Menu());
    ASSERT_EQ(before.size(), 4u);
    EXPECT_EQ(before[0].text, L"&File");

    VisualManager manager;
    ASSERT_TRUE(manager.AttachFrame(window.frame.Handle(), window.toolBar.Handle(), window.statusBar.Handle()));
    std::vector<TopLevelItem> drawn = TopLevelItems(window.Menu());
    ASSERT_EQ(drawn.size(), before.size());
    for (size_t index = 0; index < drawn.size(); ++index) {
        EXPECT_TRUE(drawn[index].type & MFT_OWNERDRAW) << index;
        EXPECT_EQ(drawn[index].text, before[index].text) << index;
    }
    char narrow[64] = "";
    GetMenuStringA(window.Menu(), 2, narrow, sizeof(narrow), MF_BYPOSITION);
    EXPECT_STREQ(narrow, "&View");

    // The native look gives the items back as they were, item data included.
    manager.Apply(212);
    std::vector<TopLevelItem> plain = TopLevelItems(window.Menu());
    for (size_t index = 0; index < plain.size(); ++index) {
        EXPECT_FALSE(plain[index].type & MFT_OWNERDRAW) << index;
        EXPECT_EQ(plain[index].text, before[index].text) << index;
        EXPECT_EQ(plain[index].data, before[index].data) << index;
    }
    manager.Apply(215);
    EXPECT_TRUE(TopLevelItems(window.Menu())[3].type & MFT_OWNERDRAW);
}

TEST_F(AppearanceManager, JapaneseMenuTextsSurviveOwnerDrawing)
{
    SetTextLanguage(kJapaneseLanguage);
    MainWindow window;
    ASSERT_TRUE(window.Complete());
    std::vector<TopLevelItem> before = TopLevelItems(window.Menu());
    ASSERT_FALSE(before.empty());
    EXPECT_NE(before[0].text.find(L"\x30d5\x30a1\x30a4\x30eb"), std::wstring::npos)  // ファイル
        << "the Japanese menu is loaded";

    VisualManager manager;
    manager.AttachFrame(window.frame.Handle(), nullptr, nullptr);
    std::vector<TopLevelItem> drawn = TopLevelItems(window.Menu());
    for (size_t index = 0; index < drawn.size(); ++index)
        EXPECT_EQ(drawn[index].text, before[index].text) << index;
}

TEST_F(AppearanceManager, MenuBarItemsAreMeasuredAndDrawnInTheStyle)
{
    MainWindow window;
    ASSERT_TRUE(window.Complete());
    VisualManager manager;
    MENUITEMINFOW rename{};
    rename.cbSize = sizeof(rename);
    rename.fMask = MIIM_STRING;
    rename.dwTypeData = const_cast<wchar_t*>(L"&Help with a much longer text");
    SetMenuItemInfoW(window.Menu(), 3, TRUE, &rename);
    window.AttachAll(manager);
    manager.Apply(216);
    const AppearanceStyle& style = StyleForLook(216);
    std::vector<TopLevelItem> items = TopLevelItems(window.Menu());

    auto measure = [&](size_t index) {
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemData = items[index].data;
        EXPECT_TRUE(window.frame.SendMsg(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
        return measure.itemWidth;
    };
    EXPECT_GT(measure(0), 20u);
    EXPECT_GT(measure(3), measure(0) + 80) << "the width follows the text";

    Canvas canvas(120, 30);
    auto draw = [&](UINT state) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hwndItem = reinterpret_cast<HWND>(window.Menu());
        draw.hDC = canvas.Dc();
        draw.rcItem = {10, 2, 70, 22};
        draw.itemData = items[0].data;
        EXPECT_TRUE(window.frame.SendMsg(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    };
    draw(0);
    EXPECT_EQ(canvas.At(12, 4), style.menuBar);
    EXPECT_GT(canvas.Count({10, 2, 70, 22}, style.menuNormal.text), 5) << "the text is drawn in white";
    EXPECT_EQ(canvas.At(100, 10), RGB(0, 0, 0)) << "nothing outside the item";
    draw(ODS_SELECTED);
    EXPECT_EQ(canvas.At(12, 4), style.menuSelected.background);
    EXPECT_EQ(canvas.At(10, 2), style.menuSelected.border);
    draw(ODS_HOTLIGHT);
    EXPECT_EQ(canvas.At(12, 4), style.menuHot.background);
}

TEST_F(AppearanceManager, MnemonicsOfTheOwnerDrawnBarAreAnswered)
{
    MainWindow window;
    ASSERT_TRUE(window.Complete());
    VisualManager manager;
    manager.AttachFrame(window.frame.Handle(), window.toolBar.Handle(), window.statusBar.Handle());
    LPARAM menu = reinterpret_cast<LPARAM>(window.Menu());
    EXPECT_EQ(window.frame.SendMsg(WM_MENUCHAR, MAKEWPARAM('v', MF_POPUP), menu), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(window.frame.SendMsg(WM_MENUCHAR, MAKEWPARAM('H', MF_POPUP), menu), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(window.frame.SendMsg(WM_MENUCHAR, MAKEWPARAM('z', MF_POPUP), menu), 0);
    EXPECT_EQ(window.frame.SendMsg(WM_MENUCHAR, MAKEWPARAM('f', MF_SYSMENU), menu), 0);
}

TEST_F(AppearanceManager, ApplyChangesTheLookAndTheFormBrushes)
{
    MainWindow window;
    ASSERT_TRUE(window.Complete());
    VisualManager manager;
    EXPECT_EQ(manager.CurrentLook(), 214);
    window.AttachAll(manager);
    Canvas canvas(10, 10);
    WPARAM dc = reinterpret_cast<WPARAM>(canvas.Dc());
    HWND label = GetWindow(window.form.Handle(), GW_CHILD);  // "Level 1"
    HWND description = window.form.GetDlgItem(IDC_DESCRIPTION).Handle();

    manager.Apply(216);
    EXPECT_EQ(manager.CurrentLook(), 216);
    LRESULT black = window.view.SendMsg(WM_CTLCOLORDLG, dc, reinterpret_cast<LPARAM>(window.view.Handle()));
    EXPECT_EQ(BrushColour(black), StyleForLook(216).formBackground);
    EXPECT_EQ(window.form.SendMsg(WM_CTLCOLORSTATIC, dc, reinterpret_cast<LPARAM>(label)), black);
    EXPECT_EQ(GetTextColor(canvas.Dc()), StyleForLook(216).formText);
    LRESULT editBrush = window.form.SendMsg(WM_CTLCOLORSTATIC, dc, reinterpret_cast<LPARAM>(description));
    EXPECT_EQ(BrushColour(editBrush), GetSysColor(COLOR_WINDOW)) << "the read-only edit field stays white";
    EXPECT_EQ(GetBkColor(canvas.Dc()), GetSysColor(COLOR_WINDOW));

    manager.Apply(210);
    EXPECT_EQ(manager.CurrentLook(), 210);
    LRESULT classic = window.view.SendMsg(WM_CTLCOLORDLG, dc, reinterpret_cast<LPARAM>(window.view.Handle()));
    EXPECT_EQ(BrushColour(classic), StyleForLook(210).formBackground);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(black)), 0u) << "the black brush is deleted";

    manager.Apply(212);
    LRESULT native = window.view.SendMsg(WM_CTLCOLORDLG, dc, reinterpret_cast<LPARAM>(window.view.Handle()));
    EXPECT_NE(native, classic);
    EXPECT_EQ(BrushColour(native), GetSysColor(COLOR_BTNFACE)) << "the system's own dialog colour";

    manager.Apply(999);
    EXPECT_EQ(manager.CurrentLook(), 214);
}

TEST_F(AppearanceManager, StatusBarIsPaintedInTheStyleAndKeepsItsTexts)
{
    MainWindow window;
    ASSERT_TRUE(window.Complete());
    VisualManager manager;
    window.AttachAll(manager);
    manager.Apply(213);
    const AppearanceStyle& style = StyleForLook(213);
    RECT client = window.statusBar.ClientRect();
    Canvas canvas(client.right, client.bottom);
    window.statusBar.SendMsg(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);

    EXPECT_EQ(canvas.At(client.right / 2, 0), style.statusPaneBorder) << "top line";
    COLORREF nearTop = canvas.At(client.right / 3, 1);  // between the top line and the panes
    EXPECT_LE(std::abs(GetBValue(nearTop) - GetBValue(style.statusBar.top)), 16);
    RECT pane{};
    window.statusBar.SendMsg(SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
    EXPECT_EQ(canvas.At(pane.left, (pane.top + pane.bottom) / 2), style.statusPaneBorder) << "pane border";
    EXPECT_GT(canvas.Count(pane, style.statusText), 10) << "\"Ready\" in white";

    window.statusBar.SetPartText(0, "Checking 192.0.2.1");
    EXPECT_EQ(window.statusBar.PartText(0), "Checking 192.0.2.1");
    EXPECT_EQ(window.statusBar.PartText(1), "CAP");

    manager.Apply(212);
    Canvas native(client.right, client.bottom);
    window.statusBar.SendMsg(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(native.Dc()), PRF_CLIENT);
    EXPECT_EQ(native.Count(pane, style.statusText), 0) << "no white text on the native bar";
}

TEST_F(AppearanceManager, ToolBarBackgroundAndHotButtonFollowTheStyle)
{
    MainWindow window;
    ASSERT_TRUE(window.Complete());
    VisualManager manager;
    window.AttachAll(manager);
    manager.Apply(215);
    const AppearanceStyle& style = StyleForLook(215);
    RECT client = window.toolBar.ClientRect();
    Canvas canvas(client.right, client.bottom);
    window.toolBar.SendMsg(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()));
    EXPECT_EQ(canvas.At(client.right - 2, 0), style.toolBar.top);
    EXPECT_EQ(canvas.At(client.right - 2, client.bottom - 1), style.toolBarBorder);

    window.toolBar.SendMsg(TB_SETHOTITEM, 4);
    window.toolBar.SendMsg(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    RECT hot = window.toolBar.ButtonRect(4);
    EXPECT_EQ(canvas.At(hot.left + 1, hot.top + 1), style.toolButtonHot.background);
    EXPECT_EQ(canvas.At(hot.left, hot.top + 3), style.toolButtonHot.border);
    RECT separator = window.toolBar.ButtonRect(2);
    EXPECT_EQ(canvas.At((separator.left + separator.right) / 2, (separator.top + separator.bottom) / 2),
              style.toolBarSeparator);
}

TEST_F(AppearanceManager, TabControlFrameAndFormsArePaintedInTheStyle)
{
    MainWindow window;
    ASSERT_TRUE(window.Complete());
    VisualManager manager;
    window.AttachAll(manager);
    manager.Apply(218);
    const AppearanceStyle& style = StyleForLook(218);

    RECT client = window.tab.ClientRect();
    Canvas canvas(client.right, client.bottom);
    window.tab.SendMsg(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    RECT selected = window.tab.ItemRect(1);
    RECT other = window.tab.ItemRect(0);
    EXPECT_EQ(canvas.At(selected.left + 4, selected.bottom), style.tabSelected.bottom) << "open into the page";
    EXPECT_EQ(canvas.At(other.left + 4, other.bottom), style.tabBorder) << "page frame below the other tab";
    COLORREF otherFace = canvas.At(other.left + 4, other.top + 2);
    EXPECT_LE(std::abs(GetRValue(otherFace) - GetRValue(style.tabUnselected.top)), 12);
    EXPECT_EQ(canvas.At(client.right - 3, selected.top + 2), style.tabBackground) << "strip beside the tabs";
    EXPECT_EQ(canvas.At(client.right - 3, client.bottom - 3), style.formBackground) << "page";
    EXPECT_GT(canvas.Count(selected, style.tabSelectedText), 5) << "the tab's text";

    RECT frame = window.frame.ClientRect();
    Canvas frameCanvas(frame.right, frame.bottom);
    window.frame.SendMsg(WM_ERASEBKGND, reinterpret_cast<WPARAM>(frameCanvas.Dc()));
    EXPECT_EQ(frameCanvas.At(frame.right - 1, frame.bottom - 1), style.frameBackground);
}

// Wine's GetGuiResources always answers 0: the brushes the manager hands out are
// checked one by one as well (a deleted GDI handle is no object any more).
TEST_F(AppearanceManager, RepeatedApplyReleasesEveryFormerBrush)
{
    MainWindow window;
    ASSERT_TRUE(window.Complete());
    VisualManager manager;
    window.AttachAll(manager);
    manager.Apply(214);
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::vector<HGDIOBJ> former;
    for (int round = 0; round < 3; ++round) {
        for (int look = kFirstLook; look <= kLastLook; ++look) {
            manager.Apply(look);
            if (look == 212)
                continue;
            former.push_back(reinterpret_cast<HGDIOBJ>(FormBrush(window.view)));
            former.push_back(MenuBackground(window.Menu()));
            EXPECT_EQ(GetObjectType(former.back()), static_cast<DWORD>(OBJ_BRUSH)) << look;
        }
    }
    manager.Apply(214);
    for (HGDIOBJ brush : former)
        EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetObjectType(MenuBackground(window.Menu())), static_cast<DWORD>(OBJ_BRUSH));
    if (before != 0) {  // the system counts GDI objects
        EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
    }
}

TEST_F(AppearanceManager, DestroyingTheWindowsReleasesBrushesAndSubclasses)
{
    VisualManager manager;
    LRESULT brush = 0;
    HBRUSH menuBrush = nullptr;
    HWND form = nullptr;
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    {
        MainWindow window;
        ASSERT_TRUE(window.Complete());
        window.AttachAll(manager);
        manager.Apply(217);
        brush = FormBrush(window.form);
        ASSERT_EQ(BrushColour(brush), StyleForLook(217).formBackground);
        menuBrush = MenuBackground(window.Menu());
        ASSERT_EQ(GetObjectType(menuBrush), static_cast<DWORD>(OBJ_BRUSH));
        form = window.form.Handle();
        window.frame.Destroy();
        EXPECT_FALSE(IsWindow(form));
    }
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(brush)), 0u) << "the form brush went with the windows";
    EXPECT_EQ(GetObjectType(menuBrush), 0u) << "and the menu bar's";
    if (before != 0) {  // the system counts GDI objects
        EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
    }

    // The manager lives on without windows, and serves new ones.
    manager.Apply(215);
    EXPECT_EQ(manager.CurrentLook(), 215);
    MainWindow again;
    ASSERT_TRUE(again.Complete());
    again.AttachAll(manager);
    EXPECT_EQ(BrushColour(FormBrush(again.form)), StyleForLook(215).formBackground);
    EXPECT_TRUE(TopLevelItems(again.Menu())[0].type & MFT_OWNERDRAW);
}

}  // namespace
