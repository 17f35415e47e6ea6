// A stored check shown in the main view's tabs, read only: read from the store off the
// window's thread, rebuilt into what a live check fills, and named in the title and the
// tree's root by its computer and the time it was checked.
#include "shell/main_view.h"

#include "base/narrow.h"
#include "base/text_util.h"
#include "individual/class_catalog.h"
#include "individual/class_hierarchy.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/main_frame.h"
#include "store/check_reader.h"
#include "store/check_rebuild.h"
#include "ui/background_task.h"
#include "ui/message_box.h"
#include "ui/wait_cursor.h"

namespace {

// When the check was read, as it was kept: the local time, or UTC where that is all there is.
const std::string& CheckedAtText(const StoredCheckHeader& header)
{
    return header.checkedAt.local.empty() ? header.checkedAt.utc : header.checkedAt.local;
}

}  // namespace

std::string StoredLabelTime(const StoredCheckHeader& header)
{
    const std::string& text = CheckedAtText(header);
    if (text.size() >= 19 && text[10] == 'T')
        return text.substr(0, 10) + " " + text.substr(11, 8);
    return text;
}

namespace {

// Where a stored check's results come from, for the status bar: the computer it names
// and when it was read.
ResultsOrigin OriginOf(const StoredCheckHeader& header)
{
    return {header.computer, CheckedAtText(header)};
}

std::string LabelOf(const StoredCheckHeader& header)
{
    return FillIn(LoadText(IDS_STORED_CHECK_TITLE), header.computer, StoredLabelTime(header));
}

// The Level 1 and Level 2 codes under which the catalog files `classId`; false when none.
bool FindClassPath(int classId, int& group, int& category)
{
    for (int groupCode : ClassGroupCodes())
        for (int categoryCode : CategoryCodesOfGroup(groupCode))
            for (int id : ClassIdsOfCategory(categoryCode))
                if (id == classId) {
                    group = groupCode;
                    category = categoryCode;
                    return true;
                }
    return false;
}

// Reads check `checkId` whole; empty, or what went wrong.
std::string LoadStoredCheck(const StoreLocation& location, int64_t checkId, StoredCheck& check)
{
    std::string message;
    std::unique_ptr<InventoryStore> store = OpenWindowStore(location, StoreAccess::Read, message);
    if (!store)
        return message;
    switch (LoadCheck(store->Statements(), checkId, check)) {
    case LoadResult::Loaded: return {};
    case LoadResult::NotFound: return FillIn(LoadText(IDS_STORE_NO_CHECK), std::to_string(checkId));
    default: return store->FailureMessage();
    }
}

}  // namespace

bool MainView::OpenStoredCheck(int64_t checkId)
{
    const HWND owner = GetParent(hwnd_);
    StoreLocation location;
    std::string message;
    if (!storeChoice_->CurrentLocation(owner, location, message)) {
        if (!message.empty())
            ui::ShowMessageBox(owner, message, MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    ShowStatusText(FillIn(LoadText(IDS_STORE_READING_CHECK), std::to_string(checkId)));
    const bool server = location.kind == StoreLocation::Kind::Odbc;
    return ui::RunInBackground(hwnd_, [this, location, checkId, server]() -> ui::Continuation {
        auto check = std::make_shared<StoredCheck>();
        std::string problem = LoadStoredCheck(location, checkId, *check);
        return [this, check, problem, server] {
            if (problem.empty()) {
                ShowStoredCheck(check);
                return;
            }
            if (server)
                storeChoice_->ForgetPassword();
            ShowStatusText(LoadText(IDS_READY));
            ui::ShowMessageBox(GetParent(hwnd_), problem, MB_ICONEXCLAMATION | MB_OK);
        };
    });
}

bool MainView::ShowStoredCheck(std::shared_ptr<const StoredCheck> check)
{
    if (!check)
        return false;
    if (run_.RunningCheck != CheckKind::None) {
        ui::ShowMessageBox(GetParent(hwnd_), LoadText(IDS_STORED_WAIT), MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    ui::WaitCursor wait;
    const std::string label = LabelOf(check->header);
    if (check->IsStandard()) {
        ShowStoredStandard(*check, label);
        shownStandardCheck_ = check;
    }
    else if (!ShowStoredClass(*check, label))
        return false;
    ShowStatusText(LoadText(IDS_READY));
    // The bars as they now are (where the results come from, the commands they allow),
    // before a question about the check can hold the idle time back.
    if (TheApp().frame)
        TheApp().frame->UpdateIdleState();
    SetForegroundWindow(GetParent(hwnd_));
    return true;
}

void MainView::ShowStoredStandard(const StoredCheck& check, const std::string& label)
{
    StandardStores stores;
    RebuildStandardStores(check, stores);
    stores.KeepRawValues(false);
    run_.Stores = std::move(stores);
    run_.TargetComputer = check.header.computer;
    run_.StandardOrigin = OriginOf(check.header);
    nameField_.SetText(check.header.target);
    ShowTab(kStandardTab);
    tab_.SetCurSel(kStandardTab);
    standardForm_->MarkIncompleteCategories();
    standardForm_->StartUnsorted();
    standardForm_->ShowStandardPage(standardForm_->CurrentPage());
    standardForm_->SetRootText(label);
    SetStoredLabel(kStandardTab, label);
}

bool MainView::ShowStoredClass(const StoredCheck& check, const std::string& label)
{
    const HWND owner = GetParent(hwnd_);
    const StoredPart* part = check.parts.empty() ? nullptr : &check.parts.front();
    const int classId = part ? ClassIdOfPart(*part) : 0;
    int group = 0, category = 0;
    if (classId == 0 || !FindClassPath(classId, group, category)) {
        ui::ShowMessageBox(owner, FillIn(LoadText(IDS_STORED_UNKNOWN_CLASS), check.header.kind),
                           MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    ShowTab(kIndividualTab);
    tab_.SetCurSel(kIndividualTab);
    FormIndividual& form = IndividualForm();
    form.ChooseEntry(IDC_LEVEL1, group);
    form.ChooseEntry(IDC_LEVEL2, category);
    form.ChooseEntry(IDC_LEVEL3, classId);
    form.BeginCheck();
    const std::vector<ClassResultRow> rows = RebuildClassRows(*part);
    if (rows.empty())
        form.ShowNoObjects();
    else
        form.AppendRows(rows);
    form.EndCheck();
    run_.TargetComputer = check.header.computer;
    run_.ClassOrigin = OriginOf(check.header);
    run_.SelectedClassId = classId;
    run_.SelectedClassName = form.SelectedClassText();
    nameField_.SetText(check.header.target);
    SetStoredLabel(kIndividualTab, label);
    if (!rows.empty())
        form.ResultListControl().SelectRow(0, true);
    return true;
}

void MainView::SetStoredLabel(int tab, std::string label)
{
    storedLabel_[tab == kStandardTab ? 0 : 1] = std::move(label);
    UpdateTitle();
}

void MainView::UpdateTitle()
{
    const HWND frame = GetParent(hwnd_);
    if (!frame)
        return;
    const std::string& label = StoredLabel(shownTab_);
    const std::string title = LoadText(IDS_APP_TITLE) + (label.empty() ? "" : " - " + label);
    SetWindowTextW(frame, ToWide(title).c_str());
}
