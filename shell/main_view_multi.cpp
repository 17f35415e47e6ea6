// The main view's side of the window that checks several computers: opening it, and
// showing the standard results of one of its computers in the Standard tab.
#include "shell/main_view.h"

#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/multi_check_window.h"

namespace {
}

void MainView::OpenMultiCheck()
{
    ShowModelessWindow(multiCheck_, GetParent(hwnd_), [this] {
        return std::make_unique<MultiCheckWindow>(connector_, [this](const std::string& computer,
                                                                     const StandardStores& stores) {
            return ShowStandardResults(computer, stores);
        });
    });
}

bool MainView::ShowStandardResults(const std::string& computer, const StandardStores& stores)
{
    if (run_.RunningCheck != CheckKind::None)
        return false;
    run_.Stores = stores;
    run_.TargetComputer = computer;
    nameField_.SetText(computer);
    ShowTab(kStandardTab);
    tab_.SetCurSel(kStandardTab);
    standardForm_->MarkIncompleteCategories();
    standardForm_->ShowStandardPage(standardForm_->CurrentPage());
    standardForm_->SortByRememberedColumn();
    standardForm_->SetRootText(computer.empty() ? LoadText(IDS_LOCAL_COMPUTER) : "[" + computer + "]");
    SetForegroundWindow(GetParent(hwnd_));
    return true;
}
