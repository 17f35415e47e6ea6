// The main view's side of the windows over the inventory store: opening History and the
// questions, and showing a stored check they name in the main tabs.
#include "shell/main_view.h"

#include "shell/app_windows.h"
#include "shell/history_window.h"
#include "shell/questions_window.h"
#include "shell/store_task.h"

namespace {

// Shows stored check `checkId` in the main tabs, read only.
// Not wired yet: the main view's OpenStoredCheck takes its place when it comes; until then
// nothing is shown.
bool OpenStoredCheckWhenAvailable(MainView& /*view*/, int64_t /*checkId*/)
{
    return true;
}

}  // namespace

void MainView::OpenHistory()
{
    ShowModelessWindow(history_, GetParent(hwnd_), [this] {
        return std::make_unique<HistoryWindow>(StoreInUse(), [this](int64_t id) {
            return OpenStoredCheckWhenAvailable(*this, id);
        });
    });
}

void MainView::OpenQuestions()
{
    ShowModelessWindow(questions_, GetParent(hwnd_), [this] {
        return std::make_unique<QuestionsWindow>(StoreInUse(), [this](int64_t id) {
            return OpenStoredCheckWhenAvailable(*this, id);
        });
    });
}
