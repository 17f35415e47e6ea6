// The main view's side of the window that checks several computers: opening it, and
// showing the standard results of one of its computers in the Standard tab.
#include "shell/main_view.h"

#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/multi_check_window.h"

void MainView::OpenMultiCheck()
{
    if (multiCheck_ && multiCheck_->IsValid()) {
        multiCheck_->Open(GetParent(hwnd_));
        SetForegroundWindow(multiCheck_->Handle());
        return;
    }
    multiCheck_ = std::make_unique<MultiCheckWindow>(
        connector_, SeveralWindowShape(), [this](const std::string& computer, const StandardStores& stores, const std::string& checkedAt) {
            return ShowStandardResults(computer, stores, checkedAt);
        },
        [this] { return SinkForChecks(); });
    if (multiCheck_->CreateModeless(GetParent(hwnd_)))
        multiCheck_->Open(GetParent(hwnd_));
}

bool MainView::ShowStandardResults(const std::string& computer, const StandardStores& stores,
                                   const std::string& checkedAt)
{
    if (run_.RunningCheck != CheckKind::None)
        return false;
    run_.Stores = stores;
    run_.TargetComputer = computer;
    SetStoredLabel(kStandardTab, {});
    run_.StandardOrigin = {computer, checkedAt};
    shownStandardCheck_.reset();   // texts only: the sheet is made of them
    nameField_.SetText(computer);
    ShowTab(kStandardTab);
    tab_.SetCurSel(kStandardTab);
    standardForm_->LabelCategories(true);
    standardForm_->ShowFailure({});   // shows the current page
    standardForm_->SortByRememberedColumn();
    standardForm_->SetRootText(computer.empty() ? LoadText(IDS_LOCAL_COMPUTER) : "[" + computer + "]");
    SetForegroundWindow(GetParent(hwnd_));
    return true;
}

WindowShape MainView::SeveralWindowShape() const
{
    return multiCheck_ ? multiCheck_->Shape() : severalShape_;
}
