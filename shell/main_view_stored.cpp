// A stored check shown in the main view's tabs, read only: read from the store off the
// window's thread, rebuilt into what a live check fills, and named in the title and the
// tree's root by its computer and the time it was checked.
#include "shell/main_view.h"

#include "base/narrow.h"
#include "base/shown_time.h"
#include "base/text_util.h"
#include "individual/class_catalog.h"
#include "individual/class_hierarchy.h"
#include "inventory/computer_summary.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/main_frame.h"
#include "store/check_reader.h"
#include "storetools/check_rebuild.h"
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
    return ShownTime(CheckedAtText(header));
}

namespace {

// Where a stored check's results come from, for the status bar: the computer it names,
// when it was read and, for a check that read nothing, what became of it.
ResultsOrigin OriginOf(const StoredCheckHeader& header)
{
    return {header.computer, CheckedAtText(header),
            ReadNothing(header) ? ComputerResultTextOfKey(header.result) : std::string()};
}

// How a check is named in the title and the tree: a stored check by its computer and
// time, a check opened from a file by the file's name until it is added to the store.
std::string LabelOf(const StoredCheckHeader& header, const std::string& fileName)
{
    if (!fileName.empty())
        return FillIn(LoadText(IDS_OPENED_CHECK_TITLE), {header.computer, StoredLabelTime(header), fileName});
    return FillIn(LoadText(IDS_STORED_CHECK_TITLE), header.computer, StoredLabelTime(header));
}

// What became of a check that read nothing: "Host not found: Could not find the host pc7".
std::string FailureOf(const StoredCheckHeader& header)
{
    const std::string result = ComputerResultTextOfKey(header.result);
    return header.message.empty() ? result : FillIn(LoadText(IDS_CHECK_FAILURE), result, header.message);
}

// The tree's root: the check's label, or for a check that read nothing its computer and
// what became of it ("pc7: Host not found"), which the title's label would push out of sight.
std::string RootTextOf(const StoredCheckHeader& header, const std::string& label)
{
    if (!ReadNothing(header))
        return label;
    return FillIn(LoadText(IDS_CHECK_FAILURE), header.computer, ComputerResultTextOfKey(header.result));
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

bool MainView::ShowStoredCheck(std::shared_ptr<const StoredCheck> check, const std::string& fileName)
{
    if (!check)
        return false;
    if (run_.RunningCheck != CheckKind::None) {
        ui::ShowMessageBox(GetParent(hwnd_), LoadText(IDS_STORED_WAIT), MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    ui::WaitCursor wait;
    const std::string label = LabelOf(check->header, fileName);
    if (check->IsStandard()) {
        ShowStoredStandard(*check, label);
        shownStandardCheck_ = check;
    }
    else if (!ShowStoredClass(*check, label))
        return false;
    openedFile_ = fileName.empty() ? OpenedFile{} : OpenedFile{check->header.kind, check->header.computer,
                                                             check->header.checkedAt.utc};
    // A check that read nothing says why where the ready state would stand; the pane beside
    // it names its result.
    const StoredCheckHeader& header = check->header;
    ShowStatusText(!ReadNothing(header) ? LoadText(IDS_READY)
                   : FillIn(LoadText(IDS_STORED_FAILED_STATUS),
                            header.message.empty() ? ComputerResultTextOfKey(header.result) : header.message));
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
    standardForm_->LabelCategories(true);
    standardForm_->StartUnsorted();
    const bool failed = ReadNothing(check.header);
    standardForm_->ShowFailure(failed ? FailureOf(check.header) : std::string());
    standardForm_->SetRootText(RootTextOf(check.header, label));
    SetStoredLabel(kStandardTab, label);
}

bool MainView::ShowStoredClass(const StoredCheck& check, const std::string& label)
{
    const HWND owner = GetParent(hwnd_);
    const StoredPart* part = check.parts.empty() ? nullptr : &check.parts.front();
    // A check that read nothing holds no part: its kind names the class.
    StoredPart named;
    named.className = check.header.kind;
    const int classId = ClassIdOfPart(part ? *part : named);
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
    const std::vector<ClassResultRow> rows = part ? RebuildClassRows(*part) : std::vector<ClassResultRow>();
    if (rows.empty())
        form.ShowNoObjects(ReadNothing(check.header) ? FailureOf(check.header) : std::string());
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

bool MainView::NoteOpenedFileRecorded(const StoredCheckHeader& header)
{
    if (openedFile_.kind.empty() || openedFile_.kind != header.kind || openedFile_.computer != header.computer ||
        openedFile_.checkedAtUtc != header.checkedAt.utc)
        return false;
    openedFile_ = {};
    const int tab = header.kind == kStandardKind ? kStandardTab : kIndividualTab;
    if (StoredLabel(tab).empty())
        return false;   // a check read since replaced it
    const std::string label = LabelOf(header, {});
    if (tab == kStandardTab)
        standardForm_->SetRootText(RootTextOf(header, label));
    SetStoredLabel(tab, label);
    return tab == tab_.CurSel();
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
