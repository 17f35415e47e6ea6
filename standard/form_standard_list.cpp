// Sorting and copying in the standard form's display list.
#include "standard/form_standard.h"

#include "resources/resource.h"
#include "standard/page_sort.h"
#include "ui/wait_cursor.h"

void FormStandard::SortByRememberedColumn()
{
    if (!IsSortablePage(currentPage_))
        return;
    const SortMemory sort = sorts_.Of(currentPage_);
    list_.ShowSortArrow(sort.column, sort.ascending);
    if (list_.Model().RowCount() > 0)
        list_.FollowSort(SortStandardModel(list_.Model(), currentPage_, sort.column, sort.ascending));
}

void FormStandard::StartUnsorted()
{
    sorts_ = PageSortMemory();
    list_.ShowSortArrow(kUnsorted, true);
}

void FormStandard::OnColumnClick(int column)
{
    ui::WaitCursor wait;
    if (!sorts_.Click(currentPage_, column))
        return;
    SortByRememberedColumn();
}

