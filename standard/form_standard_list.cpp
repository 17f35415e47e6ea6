// Sorting and copying in the standard form's display list.
#include "standard/form_standard.h"

#include "listtools/sort_compare.h"
#include "listtools/sort_state.h"
#include "resources/resource.h"
#include "ui/handles.h"

void FormStandard::SortByRememberedColumn()
{
    if (!IsSortablePage(currentPage_) || list_.Model().RowCount() == 0)
        return;
    list_.FollowSort(SortStandardModel(list_.Model(), currentPage_, SortColumn(currentPage_)));
}

void FormStandard::OnColumnClick(int column)
{
    ui::WaitCursor wait;
    if (!ApplyStandardColumnClick(currentPage_, column))
        return;
    list_.FollowSort(SortStandardModel(list_.Model(), currentPage_, column));
}

