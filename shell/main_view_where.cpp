// Where the shown results come from, for the status bar: the computer, when its check
// started and how many objects the shown list holds, or what became of a check that read
// nothing.
#include "shell/main_view.h"

#include "base/shown_time.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

std::string MainView::WhereText() const
{
    const bool standard = tab_.CurSel() == kStandardTab;
    if (!standardForm_ || (!standard && !individualForm_))
        return {};
    const ResultsOrigin& origin = standard ? run_.StandardOrigin : run_.ClassOrigin;
    if (origin.checkedAt.empty())
        return {};
    const std::string computer = origin.computer.empty() ? LoadText(IDS_LOCAL_COMPUTER) : origin.computer;
    if (!origin.failure.empty())
        return FillIn(LoadText(IDS_WHERE_FAILED), {computer, ShownTime(origin.checkedAt), origin.failure});
    const int objects = standard ? standardForm_->ObjectsOnCurrentPage() : individualForm_->ObjectCount();
    return FillIn(LoadText(objects == 1 ? IDS_WHERE_RESULTS_ONE : IDS_WHERE_RESULTS),
                  {computer, ShownTime(origin.checkedAt), std::to_string(objects)});
}
