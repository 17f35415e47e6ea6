// The main view's side of the windows over the inventory store: opening History and the
// questions over the store Options chose, and showing a stored check they name in the main
// tabs.
#include "shell/main_view.h"

#include "shell/app_windows.h"
#include "shell/history_window.h"
#include "shell/questions_window.h"
#include "ui/message_box.h"

bool MainView::StoreForWindows(StoreLocation& location)
{
    std::string message;
    const HWND owner = GetParent(hwnd_);
    if (storeChoice_->CurrentLocation(owner, location, message))
        return true;
    if (!message.empty())
        ui::ShowMessageBox(owner, message, MB_ICONEXCLAMATION | MB_OK);
    return false;
}

void MainView::OpenHistory()
{
    StoreLocation location;
    if ((!history_ || !history_->IsValid()) && !StoreForWindows(location))
        return;
    ShowModelessWindow(history_, GetParent(hwnd_), [this, &location] {
        return std::make_unique<HistoryWindow>(location, [this](int64_t id) { return OpenStoredCheck(id); });
    });
}

void MainView::OpenQuestions()
{
    StoreLocation location;
    if ((!questions_ || !questions_->IsValid()) && !StoreForWindows(location))
        return;
    ShowModelessWindow(questions_, GetParent(hwnd_), [this, &location] {
        return std::make_unique<QuestionsWindow>(location, [this](int64_t id) { return OpenStoredCheck(id); });
    });
}
