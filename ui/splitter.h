// Splitter: two panes side by side with a draggable bar between them.
//
// The panes are child windows of the splitter; it lays them out on every size change
// and while the bar is dragged. The left column gets its ideal width, reduced so that
// the right column keeps its minimum, but never below its own minimum; the right
// column takes the rest. Notifications and commands of the panes go on to the
// splitter's parent, so the parent handles its controls as if they were its own.
#pragma once
#include <windows.h>

#include "ui/window_base.h"

namespace ui {

// Sent to the splitter's parent (WM_NOTIFY, an NMHDR from the splitter) when a drag of
// the bar moved the panes.
inline constexpr UINT kSplitterMoved = 0x5E01;

struct SplitterColumn {
    int ideal = 0;    // pixels
    int minimum = 0;  // pixels
};

// The width of the left column in a splitter `width` pixels wide with a bar of
// `barWidth` pixels.
int SplitterLeftWidth(int width, int barWidth, const SplitterColumn& left, const SplitterColumn& right);

class Splitter : public WindowBase {
public:
    static constexpr const char* kClassName = "MirelSplitter";

    bool Create(HWND parent, int id, const RECT& rect, DWORD style = WS_CHILD | WS_VISIBLE);

    // The windows of the two columns; both must be children of the splitter.
    void SetPanes(HWND left, HWND right);
    // Column 0 (left) or 1 (right).
    void SetColumnInfo(int column, int ideal, int minimum);
    // Lays the panes out for the current size.
    void RecalcLayout();

    // The current widths: of a column, and of the bar (scaled to the window's DPI).
    int ColumnWidth(int column) const;
    // The width the user dragged column 0 to, or the one SetColumnInfo gave.
    int IdealWidth(int column) const { return column == 0 || column == 1 ? columns_[column].ideal : 0; }
    int BarWidth() const;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int width, int height) override;

private:
    void BeginDrag(int x);
    void DragTo(int x);
    // Both panes and everything in them redrawn at once, so that no stale pixels of the
    // old layout stay behind.
    void RepaintPanes() const;
    bool SetSplitCursor(WPARAM wParam, LPARAM lParam) const;

    HWND panes_[2] = {nullptr, nullptr};
    SplitterColumn columns_[2];
    int leftWidth_ = 0;
    bool dragging_ = false;
    int grabOffset_ = 0;
};

}  // namespace ui
