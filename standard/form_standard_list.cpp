// Sorting and copying in the standard form's display list.
#include "standard/form_standard.h"

#include "standard/page_sort.h"
#include "resources/resource.h"
#include "ui/handles.h"

void FormStandard::SortByRememberedColumn()
{
    if (!IsSortablePage(currentPage_) || list_.Model().RowCount() == 0)
        return;
    const SortMemory sort = sorts_.Of(currentPage_);
    list_.FollowSort(SortStandardModel(list_.Model(), currentPage_, sort.column, sort.ascending));
}

void FormStandard::OnColumnClick(int column)
{
    ui::WaitCursor wait;
    if (!sorts_.Click(currentPage_, column))
        return;
    list_.FollowSort(SortStandardModel(list_.Model(), currentPage_, column, sorts_.Of(currentPage_).ascending));
}

