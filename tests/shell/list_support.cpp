#include "base/narrow.h"
#include "tests/shell/list_support.h"

#include <cstring>

#include "base/handles.h"
#include "resources/resource.h"
#include "standard/category_catalog.h"
#include "standard/category_store.h"
#include "ui/clipboard_session.h"
#include "ui/message_loop.h"

namespace listui {
namespace {

// The cursor goes to the point first: the list reads it on a right click.
void PostMouse(HWND window, POINT client, UINT message, WPARAM keys)
{
    POINT screen = client;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(window, message, keys, MAKELPARAM(client.x, client.y));
}

POINT ToClient(HWND window, POINT screen)
{
    ScreenToClient(window, &screen);
    return screen;
}

// The context menu being answered.
int g_menuDowns = 0;
MenuSeen* g_menuSeen = nullptr;
UINT_PTR g_menuTimer = 0;

void CALLBACK MenuTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow))
        return;
    KillTimer(nullptr, timer);
    g_menuTimer = 0;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    if (g_menuSeen) {
        g_menuSeen->opened = true;
        for (int item = 0; menu && item < GetMenuItemCount(menu); ++item) {
            char text[256] = {};
            GetMenuStringA(menu, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
            g_menuSeen->texts.push_back(text);
            g_menuSeen->ids.push_back(GetMenuItemID(menu, item));
        }
    }
    for (int down = 0; down < g_menuDowns; ++down)
        PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, g_menuDowns > 0 ? VK_RETURN : VK_ESCAPE, 0);
}

// The Find dialog of a running test: the script and whether it ran.
std::function<void(HWND)> g_findScript;
bool g_findScriptRan = false;

HWND FindDialogOfThisThread()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            if (IsWindowVisible(window) && GetDlgItem(window, IDC_FIND_NEXT) && GetDlgItem(window, IDC_MATCH_CASE)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK FindDialogTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindDialogOfThisThread();
    if (!dialog || g_findScriptRan)
        return;
    KillTimer(nullptr, timer);
    g_findScriptRan = true;
    g_findScript(dialog);
    if (IsWindow(dialog))
        Click(dialog, IDCANCEL);
}

void ProcessPendingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ui::ProcessMessage(message);
    }
}

}  // namespace

void GiveFrameARealSize(HWND frame)
{
    SetWindowPos(frame, nullptr, 0, 0, 1024, 740, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(frame);
}

void FillStorePage(StandardStores& stores, int page, const Rows& rows)
{
    const StandardCategory* category = CategoryByPage(page);
    CategoryStore* store = category ? stores.Store(category->storeIndex) : nullptr;
    if (!store)
        return;
    store->DeleteAllRows();
    for (const std::vector<std::string>& cells : rows) {
        int row = store->AppendRow();
        for (size_t column = 0; column < cells.size(); ++column)
            store->SetCell(row, static_cast<int>(column), cells[column]);
    }
}

void ClickColumnHeader(const ResultList& list, int column)
{
    HWND header = list.View().Header();
    RECT rect{};
    Header_GetItemRect(header, column, &rect);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    PostMouse(header, point, WM_LBUTTONDOWN, MK_LBUTTON);
    PostMouse(header, point, WM_LBUTTONUP, 0);
    ProcessPendingMessages();
}

void RightClickAt(const ResultList& list, POINT screenPoint)
{
    POINT client = ToClient(list.Handle(), screenPoint);
    PostMouse(list.Handle(), client, WM_RBUTTONDOWN, MK_RBUTTON);
    PostMouse(list.Handle(), client, WM_RBUTTONUP, 0);
    ProcessPendingMessages();
}

void ClickAt(const ResultList& list, POINT screenPoint, WPARAM keys)
{
    POINT client = ToClient(list.Handle(), screenPoint);
    PostMouse(list.Handle(), client, WM_LBUTTONDOWN, MK_LBUTTON | keys);
    PostMouse(list.Handle(), client, WM_LBUTTONUP, keys);
    ProcessPendingMessages();
}

void DoubleClickAt(const ResultList& list, POINT screenPoint)
{
    POINT client = ToClient(list.Handle(), screenPoint);
    PostMouse(list.Handle(), client, WM_LBUTTONDOWN, MK_LBUTTON);
    PostMouse(list.Handle(), client, WM_LBUTTONUP, 0);
    PostMouse(list.Handle(), client, WM_LBUTTONDBLCLK, MK_LBUTTON);
    PostMouse(list.Handle(), client, WM_LBUTTONUP, 0);
    ProcessPendingMessages();
}

void AnswerNextMenu(int downs, MenuSeen* seen)
{
    StopAnsweringMenus();
    g_menuDowns = downs;
    g_menuSeen = seen;
    g_menuTimer = SetTimer(nullptr, 0, 20, MenuTimer);
}

void StopAnsweringMenus()
{
    if (g_menuTimer)
        KillTimer(nullptr, g_menuTimer);
    g_menuTimer = 0;
}

POINT CellCentre(const ResultList& list, int row, int column)
{
    list.View().EnsureVisible(row, false);
    RECT rect = list.View().SubItemRect(row, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(list.Handle(), &point);
    return point;
}

POINT BelowLastRow(const ResultList& list)
{
    int last = list.View().ItemCount() - 1;
    RECT rect = list.View().ItemRect(last, LVIR_LABEL);
    POINT point{rect.left + 5, rect.bottom + (rect.bottom - rect.top) * 2};
    ClientToScreen(list.Handle(), &point);
    return point;
}

std::vector<std::string> ShownColumn(const ResultList& list, int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < list.View().ItemCount(); ++row)
        texts.push_back(list.View().ItemText(row, column));
    return texts;
}

std::vector<int> SelectedRows(const ResultList& list)
{
    std::vector<int> rows;
    for (int row = list.View().FirstSelected(); row >= 0; row = list.View().NextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

std::vector<LPARAM> Tags(const ResultList& list)
{
    std::vector<LPARAM> tags;
    for (int row = 0; row < list.Model().RowCount(); ++row)
        tags.push_back(list.Model().ItemData(row));
    return tags;
}

bool PutClipboardNonText()
{
    UINT format = RegisterClipboardFormatA("MirelTestNotText");
    ui::ClipboardSession clipboard;
    if (!clipboard.IsOpen() || !EmptyClipboard())
        return false;
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, 4));
    if (!block)
        return false;
    std::memset(GlobalLock(block.Get()), 0x7F, 4);
    GlobalUnlock(block.Get());
    if (!SetClipboardData(format, block.Get()))
        return false;
    block.Release();
    return true;
}

bool WithFindDialog(const std::function<void()>& open, const std::function<void(HWND dialog)>& script)
{
    g_findScript = script;
    g_findScriptRan = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, FindDialogTimer);
    open();   // returns when the modal dialog has closed, or at once when none opened
    KillTimer(nullptr, timer);
    g_findScript = nullptr;
    return g_findScriptRan;
}

void SetFindText(HWND dialog, const std::string& text)
{
    SetDlgItemTextW(dialog, IDC_FIND_TEXT, ToWide(text).c_str());
}

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

}  // namespace listui
