// The main view's side of the window that checks several computers: opening it, and
// showing the standard results of one of its computers in the Standard tab.
#include "shell/main_view.h"

#include "resources/resource.h"
#include "resources/text.h"
#include "shell/multi_check_window.h"

namespace {
}

void MainView::OpenMultiCheck()
{
    if (multiCheck_ && multiCheck_->IsValid()) {
        multiCheck_->Show(SW_SHOWNORMAL);
        SetForegroundWindow(multiCheck_->Handle());
        return;
    }
    multiCheck_ = std::make_unique<MultiCheckWindow>(
        connector_,
        [this](const std::string& computer, const StandardStores& stores) {
            return ShowStandardResults(computer, stores);
        },
        [this] { return SinkForChecks(); });
    if (multiCheck_->CreateModeless(GetParent(hwnd_)))
        multiCheck_->Show(SW_SHOWNORMAL);
}

bool MainView::ShowStandardResults(const std::string& computer, const StandardStores& stores)
{
    if (run_.RunningCheck != CheckKind::None)
        return false;
    run_.Stores = stores;
    run_.TargetComputer = computer;
    SetStoredLabel(kStandardTab, {});
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
