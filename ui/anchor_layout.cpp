#include "ui/anchor_layout.h"

namespace ui {

void AnchorLayout::Start(HWND dialog)
{
    dialog_ = dialog;
    RECT client{};
    GetClientRect(dialog, &client);
    initial_ = {client.right, client.bottom};
    anchors_.clear();
}

void AnchorLayout::Add(int id, unsigned edges)
{
    HWND control = GetDlgItem(dialog_, id);
    if (!control)
        return;
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    anchors_.push_back({control, rect, edges});
}

void AnchorLayout::Apply(int width, int height) const
{
    if (anchors_.empty())
        return;
    const int dx = width - initial_.cx;
    const int dy = height - initial_.cy;
    HDWP positions = BeginDeferWindowPos(static_cast<int>(anchors_.size()));
    for (const Anchor& anchor : anchors_) {
        RECT rect = anchor.rect;
        OffsetRect(&rect, (anchor.edges & MoveX) ? dx : 0, (anchor.edges & MoveY) ? dy : 0);
        rect.right += (anchor.edges & GrowX) ? dx : 0;
        rect.bottom += (anchor.edges & GrowY) ? dy : 0;
        if (rect.right <= rect.left || rect.bottom <= rect.top)
            continue;
        if (positions)
            positions = DeferWindowPos(positions, anchor.control, nullptr, rect.left, rect.top, rect.right - rect.left,
                                       rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        else
            MoveWindow(anchor.control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    }
    if (positions)
        EndDeferWindowPos(positions);
}

}  // namespace ui
