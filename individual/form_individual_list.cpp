// Sorting, column widths and copying in the individual form's result list.
#include "individual/form_individual.h"

#include "individual/individual_sort.h"
#include "resources/resource.h"
#include "ui/wait_cursor.h"

namespace {
constexpr int kMinimumColumnWidth = 10;
constexpr int kMaximumColumnWidth = 4096;

int Clamped(int width)
{
    return width < kMinimumColumnWidth ? kMinimumColumnWidth
                                       : (width > kMaximumColumnWidth ? kMaximumColumnWidth : width);
}
}  // namespace

void FormIndividual::SortByRememberedColumn()
{
    list_.ShowSortArrow(sort_.column, sort_.ascending);
    if (list_.Model().RowCount() > 0)
        list_.FollowSort(SortIndividualModel(list_.Model(), sort_.column, sort_.ascending));
}

void FormIndividual::OnColumnClick(int column)
{
    ui::WaitCursor wait;
    sort_.Click(column);
    SortByRememberedColumn();
}

// Column widths stay between 10 and 4096 pixels, dragged or sized to their content.
bool FormIndividual::OnHeaderNotify(NMHDR* header)
{
    if (header->hwndFrom != list_.View().Header())
        return false;
    switch (header->code) {
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW: {
        HDITEMA* item = reinterpret_cast<NMHEADERA*>(header)->pitem;
        const int column = reinterpret_cast<NMHEADERA*>(header)->iItem;
        if (item && (item->mask & HDI_WIDTH)) {
            item->cxy = Clamped(item->cxy);
            widths_.Set(0, column, item->cxy);
            list_.NoteUserWidth(column, item->cxy);
        }
        // Not every header reads the width back from the notification: check again once
        // the width is applied.
        PostMessageW(hwnd_, WM_CLAMP_COLUMN_WIDTH, static_cast<WPARAM>(reinterpret_cast<NMHEADERA*>(header)->iItem), 0);
        SetMessageResult(0);
        return true;
    }
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
        // Whatever changed the width (tracking, sizing to content), it stays in bounds.
        if (const HDITEMA* item = reinterpret_cast<NMHEADERA*>(header)->pitem; item && (item->mask & HDI_WIDTH) &&
            item->cxy != Clamped(item->cxy))
            PostMessageW(hwnd_, WM_CLAMP_COLUMN_WIDTH, static_cast<WPARAM>(reinterpret_cast<NMHEADERA*>(header)->iItem), 0);
        return false;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        // The list sizes the column to its content after this notification.
        PostMessageW(hwnd_, WM_CLAMP_COLUMN_WIDTH, static_cast<WPARAM>(reinterpret_cast<NMHEADERA*>(header)->iItem), 0);
        SetMessageResult(0);
        return true;
    default:
        return false;
    }
}

void FormIndividual::ClampColumnWidth(int column)
{
    int width = list_.View().ColumnWidth(column);
    if (width != Clamped(width))
        list_.View().SetColumnWidth(column, Clamped(width));
    list_.FillLastColumn();
}

bool FormIndividual::OnNotify(NMHDR* header, LRESULT& result)
{
    if (OnHeaderNotify(header)) {
        result = 0;
        return true;
    }
    return list_.HandleNotify(header, result);
}
