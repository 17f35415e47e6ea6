#include "ui/splitter.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/dpi.h"

namespace ui {
namespace {

constexpr int kBarPixels = 5;  // at 96 DPI

}  // namespace

int SplitterLeftWidth(int width, int barWidth, const SplitterColumn& left, const SplitterColumn& right)
{
    int available = std::max(0, width - barWidth);
    int leftWidth = std::min(left.ideal, available - right.minimum);
    leftWidth = std::max(leftWidth, left.minimum);
    return std::clamp(leftWidth, 0, available);
}

bool Splitter::Create(HWND parent, int id, const RECT& rect, DWORD style)
{
    if (!RegisterWindowClass(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                             LoadCursor(nullptr, IDC_ARROW)))
        return false;
    return WindowBase::Create(kClassName, "", style | WS_CHILD | WS_CLIPCHILDREN, 0, rect, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void Splitter::SetPanes(HWND left, HWND right)
{
    panes_[0] = left;
    panes_[1] = right;
    RecalcLayout();
}

void Splitter::SetColumnInfo(int column, int ideal, int minimum)
{
    if (column == 0 || column == 1)
        columns_[column] = SplitterColumn{ideal, minimum};
}

int Splitter::BarWidth() const
{
    return ScalePixels(hwnd_, kBarPixels);
}

int Splitter::ColumnWidth(int column) const
{
    if (column == 0)
        return leftWidth_;
    int width = ClientRect().right;
    return column == 1 ? std::max(0, width - leftWidth_ - BarWidth()) : 0;
}

void Splitter::RecalcLayout()
{
    if (!hwnd_)
        return;
    RECT client = ClientRect();
    int bar = BarWidth();
    leftWidth_ = SplitterLeftWidth(client.right, bar, columns_[0], columns_[1]);
    int rightLeft = leftWidth_ + bar;
    if (panes_[0])
        MoveWindow(panes_[0], 0, 0, leftWidth_, client.bottom, TRUE);
    if (panes_[1])
        MoveWindow(panes_[1], rightLeft, 0, std::max(0, static_cast<int>(client.right) - rightLeft),
                   client.bottom, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Splitter::OnSize(UINT type, int, int)
{
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void Splitter::BeginDrag(int x)
{
    if (x < leftWidth_ || x >= leftWidth_ + BarWidth())
        return;
    dragging_ = true;
    grabOffset_ = x - leftWidth_;
    SetCapture(hwnd_);
}

void Splitter::DragTo(int x)
{
    const int ideal = std::max(x - grabOffset_, columns_[0].minimum);
    if (ideal == columns_[0].ideal)
        return;
    columns_[0].ideal = ideal;
    RecalcLayout();
    NMHDR moved{hwnd_, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_)), kSplitterMoved};
    SendMessageW(GetParent(hwnd_), WM_NOTIFY, moved.idFrom, reinterpret_cast<LPARAM>(&moved));
    RepaintPanes();
}

void Splitter::RepaintPanes() const
{
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    for (HWND pane : panes_)
        if (pane)
            RedrawWindow(pane, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool Splitter::SetSplitCursor(WPARAM wParam, LPARAM lParam) const
{
    if (reinterpret_cast<HWND>(wParam) != hwnd_ || LOWORD(lParam) != HTCLIENT)
        return false;
    SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    return true;
}

LRESULT Splitter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        BeginDrag(GET_X_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_)
            DragTo(GET_X_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (dragging_)
            ReleaseCapture();  // WM_CAPTURECHANGED ends the drag
        dragging_ = false;
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return 0;
    case WM_SETCURSOR:
        if (SetSplitCursor(wParam, lParam))
            return TRUE;
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
        // The panes' parent is the splitter; their owner is the splitter's parent.
        return SendMessageW(GetParent(hwnd_), message, wParam, lParam);
    }
    return WindowBase::OnMessage(message, wParam, lParam);
}

}  // namespace ui
