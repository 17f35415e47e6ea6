#include "shell/history_window.h"

#include <algorithm>
#include <utility>

#include "base/shown_time.h"
#include "base/text_util.h"
#include "inventory/computer_summary.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/compare_window.h"
#include "storetools/check_rebuild.h"
#include "store/store_prune.h"
#include "ui/menu.h"
#include "ui/message_box.h"

namespace {

// The columns of the checks' list: the history's own (7340...) without the computer.
constexpr int kCheckColumns[] = {0, 2, 3, 4, 5, 6};

ResultModel ComputersModel(const std::vector<StoredComputer>& computers)
{
    ResultModel model;
    for (UINT id : {IDS_HISTORY_FIRST_COLUMN + 1, IDS_HISTORY_COMPUTER_CHECKS, IDS_HISTORY_LAST_CHECKED,
                    IDS_HISTORY_LAST_RESULT})
        model.AddColumn(ResultColumn{LoadText(id)});
    for (const StoredComputer& computer : computers)
        model.AppendRow(ResultRow{{computer.name, std::to_string(computer.checks), ShownTime(computer.lastChecked),
                                   ComputerResultTextOfKey(computer.lastResult)},
                                  0, -1, 0, {{}, {}, computer.lastChecked}});
    return model;
}

std::string KindText(const std::string& kind)
{
    return kind == kStandardKind ? LoadText(IDS_HISTORY_STANDARD) : kind;
}

ResultModel ChecksModel(const std::vector<const StoredCheckHeader*>& checks)
{
    ResultModel model;
    for (int column : kCheckColumns)
        model.AddColumn(ResultColumn{LoadText(IDS_HISTORY_FIRST_COLUMN + column)});
    for (const StoredCheckHeader* check : checks)
        model.AppendRow(ResultRow{{std::to_string(check->id), ShownTime(check->checkedAt.local), KindText(check->kind),
                                   ComputerResultTextOfKey(check->result),
                                   LoadText(check->complete ? IDS_HISTORY_YES : IDS_HISTORY_NO),
                                   check->changes < 0 ? "" : std::to_string(check->changes)},
                                  0, -1, 0, {{}, check->checkedAt.utc}});
    return model;
}

}  // namespace

HistoryWindow::HistoryWindow(StoreLocation location, StoredCheckOpener opener)
    : ui::Dialog(IDD_STORE_HISTORY), location_(std::move(location)), opener_(std::move(opener))
{
}

HistoryWindow::~HistoryWindow() = default;

bool HistoryWindow::OnInitDialog()
{
    computers_.Attach(::GetDlgItem(hwnd_, IDC_HISTORY_COMPUTERS));
    checks_.Attach(::GetDlgItem(hwnd_, IDC_HISTORY_CHECKS));
    status_.Attach(::GetDlgItem(hwnd_, IDC_HISTORY_STATUS));
    checksLabel_.Attach(::GetDlgItem(hwnd_, IDC_HISTORY_CHECKS_LABEL));
    computers_.onOpen = [this](int) { checks_.List().View().SetFocus(); };
    checks_.onOpen = [this](int) { OpenSelected(); };
    computers_.List().SetOwnMenu(IDR_POPUP_HISTORY_COMPUTERS);
    checks_.List().SetOwnMenu(IDR_POPUP_HISTORY_CHECKS);
    using ui::AnchorLayout;
    layout_.Start(hwnd_);
    layout_.Add(IDC_HISTORY_COMPUTERS, AnchorLayout::GrowX);
    layout_.Add(IDC_HISTORY_CHECKS_LABEL, AnchorLayout::GrowX);
    layout_.Add(IDC_HISTORY_CHECKS, AnchorLayout::GrowX | AnchorLayout::GrowY);
    layout_.Add(IDC_HISTORY_STATUS, AnchorLayout::GrowX | AnchorLayout::MoveY);
    for (int id : {IDC_HISTORY_OPEN, IDC_HISTORY_COMPARE_PREVIOUS, IDC_HISTORY_COMPARE_TWO, IDC_HISTORY_REFRESH})
        layout_.Add(id, AnchorLayout::MoveY);
    layout_.Add(IDCANCEL, AnchorLayout::MoveX | AnchorLayout::MoveY);
    Refresh();
    return true;
}

void HistoryWindow::Refresh()
{
    if (pending_)
        return;
    reading_ = std::make_shared<Contents>();
    std::shared_ptr<Contents> contents = reading_;
    pending_ = StoreTask::Start(hwnd_, kStoreTaskDone, location_, StoreAccess::Read,
                                [contents](InventoryStore& store, std::string& message) {
                                    if (ListComputers(store.Statements(), contents->computers) &&
                                        ListChecks(store.Statements(), "", contents->checks) == Lookup::Found)
                                        return true;
                                    message = store.FailureMessage();
                                    return false;
                                });
    status_.SetText(LoadText(IDS_STORE_WINDOW_READING));
    GetDlgItem(IDC_HISTORY_REFRESH).Enable(false);
    EnableButtons();
}

void HistoryWindow::TakeContents()
{
    const std::shared_ptr<StoreTask> task = std::move(pending_);
    const std::string selected = computers_.Model().Cell(computers_.List().SelectedRow(), 0);
    contents_ = task->Succeeded() ? std::move(*reading_) : Contents{};
    reading_.reset();
    GetDlgItem(IDC_HISTORY_REFRESH).Enable(true);
    computers_.Show(ComputersModel(contents_.computers), {false, true, false, false});
    // A missing, empty or unusable store is said where the computers would be.
    computers_.List().SetEmptyText(task->Succeeded() ? std::string() : task->Message());
    InvalidateRect(computers_.Handle(), nullptr, TRUE);
    const std::string notice = std::exchange(notice_, std::string());
    status_.SetText((notice.empty() ? std::string() : notice + " ") +
                    (task->Succeeded() ? FillIn(LoadText(IDS_HISTORY_TALLY),
                                                {DescribeStoreLocation(location_),
                                                 CountText(static_cast<long long>(contents_.computers.size()), IDS_COUNT_COMPUTERS),
                                                 CountText(static_cast<long long>(contents_.checks.size()), IDS_COUNT_CHECKS)})
                                       : task->Message()));
    int row = 0;
    for (int index = 0; index < computers_.Model().RowCount(); ++index)
        if (computers_.Model().Cell(index, 0) == selected)
            row = index;
    if (computers_.Model().RowCount() > 0)
        computers_.List().SelectRow(row);
    ShowChecksOf(computers_.Model().RowCount() > 0 ? row : -1);
}

void HistoryWindow::ShowChecksOf(int row)
{
    const std::string computer = computers_.Model().Cell(row, 0);
    std::vector<const StoredCheckHeader*> checks;
    for (auto check = contents_.checks.rbegin(); check != contents_.checks.rend(); ++check)
        if (!computer.empty() && check->computer == computer)
            checks.push_back(&*check);
    checks_.Show(ChecksModel(checks), {true, false, false, false, false, true});
    checksLabel_.SetText(computer.empty() ? LoadText(IDS_HISTORY_CHECKS)
                                          : FillIn(LoadText(IDS_HISTORY_CHECKS_OF), computer));
    if (!checks.empty())
        checks_.List().SelectRow(0);
    EnableButtons();
}

ResultPane& HistoryWindow::FocusedPane()
{
    return GetFocus() == computers_.Handle() ? computers_ : checks_;
}

const StoredCheckHeader* HistoryWindow::CheckOfRow(int row) const
{
    const std::string& id = checks_.Model().Cell(row, 0);
    for (const StoredCheckHeader& check : contents_.checks)
        if (std::to_string(check.id) == id)
            return &check;
    return nullptr;
}

bool HistoryWindow::CanCompareSelected() const
{
    const std::vector<int> rows = checks_.SelectedRows();
    if (rows.size() != 2)
        return false;
    const StoredCheckHeader* first = CheckOfRow(rows[0]);
    const StoredCheckHeader* second = CheckOfRow(rows[1]);
    return first && second && first->kind == second->kind;
}

void HistoryWindow::EnableButtons() const
{
    const bool one = !IsReading() && checks_.SelectedRows().size() == 1;
    GetDlgItem(IDC_HISTORY_OPEN).Enable(one);
    // A check that read nothing has nothing to compare.
    const StoredCheckHeader* check = one ? CheckOfRow(checks_.SelectedRows().front()) : nullptr;
    GetDlgItem(IDC_HISTORY_COMPARE_PREVIOUS).Enable(check && !ReadNothing(*check));
    GetDlgItem(IDC_HISTORY_COMPARE_TWO).Enable(!IsReading() && CanCompareSelected());
}

void HistoryWindow::OpenSelected()
{
    const std::vector<int> rows = checks_.SelectedRows();
    const StoredCheckHeader* check = rows.size() == 1 ? CheckOfRow(rows[0]) : nullptr;
    if (check && opener_ && !opener_(check->id))
        ui::ShowMessageBox(hwnd_, LoadText(IDS_MULTI_MAIN_BUSY), MB_ICONEXCLAMATION | MB_OK);
}

void HistoryWindow::CompareWithPrevious()
{
    const std::vector<int> rows = checks_.SelectedRows();
    const StoredCheckHeader* check = rows.size() == 1 ? CheckOfRow(rows[0]) : nullptr;
    if (!check)
        return;
    if (ReadNothing(*check)) {
        ui::ShowMessageBox(hwnd_, FillIn(LoadText(IDS_COMPARE_READ_NOTHING), std::to_string(check->id),
                                         ComputerResultTextOfKey(check->result)),
                           MB_ICONINFORMATION | MB_OK);
        return;
    }
    // The earlier checks of the computer and kind, latest first: the comparison takes the
    // first of them that read something.
    std::vector<int64_t> earlier;
    for (auto other = contents_.checks.rbegin(); other != contents_.checks.rend(); ++other)
        if (other->computer == check->computer && other->kind == check->kind &&
            (other->checkedAt.epoch < check->checkedAt.epoch ||
             (other->checkedAt.epoch == check->checkedAt.epoch && other->id < check->id)))
            earlier.push_back(other->id);
    OpenComparison(check->id, std::move(earlier));
}

void HistoryWindow::CompareSelected()
{
    if (!CanCompareSelected())
        return;
    const std::vector<int> rows = checks_.SelectedRows();
    OpenComparison(CheckOfRow(rows[0])->id, {CheckOfRow(rows[1])->id});
}

void HistoryWindow::OpenComparison(int64_t later, std::vector<int64_t> earlier)
{
    std::erase_if(compares_, [](const std::unique_ptr<CompareWindow>& window) { return !window->IsValid(); });
    auto window = std::make_unique<CompareWindow>(location_, later, std::move(earlier));
    if (!window->CreateModeless(hwnd_))
        return;
    window->Show(SW_SHOWNORMAL);
    compares_.push_back(std::move(window));
}

const StoredComputer* HistoryWindow::SelectedComputer() const
{
    const std::vector<int> rows = computers_.SelectedRows();
    const std::string& name = computers_.Model().Cell(rows.empty() ? -1 : rows.front(), 0);
    for (const StoredComputer& computer : contents_.computers)
        if (!name.empty() && computer.name == name)
            return &computer;
    return nullptr;
}

void HistoryWindow::DeleteSelectedChecks()
{
    std::vector<int64_t> ids;
    std::string numbers;
    std::string computer;
    for (int row : checks_.SelectedRows())
        if (const StoredCheckHeader* check = CheckOfRow(row)) {
            ids.push_back(check->id);
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(check->id);
            computer = check->computer;
        }
    if (ids.empty() || IsReading())
        return;
    const std::string question = ids.size() == 1
                                     ? FillIn(LoadText(IDS_DELETE_ONE_CHECK_ASK), numbers, computer)
                                     : FillIn(LoadText(IDS_DELETE_CHECKS_ASK),
                                              {std::to_string(ids.size()), numbers, computer});
    if (ui::ShowMessageBox(hwnd_, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    StartDeletion([ids](InventoryStore& store, std::string& message) {
        PruneResult result;
        std::vector<int64_t> missing;
        if (!DeleteChecks(store.Db(), ids, result, missing)) {
            message = store.FailureMessage();
            return false;
        }
        message = missing.empty() ? DeletedChecksText(result)
                                  : FillIn(LoadText(IDS_STORE_NO_CHECK), std::to_string(missing.front()));
        return true;
    });
}

void HistoryWindow::DeleteSelectedComputer()
{
    const StoredComputer* computer = SelectedComputer();
    if (!computer || IsReading())
        return;
    const std::string question =
        FillIn(LoadText(IDS_DELETE_COMPUTER_ASK), computer->name, std::to_string(computer->checks));
    if (ui::ShowMessageBox(hwnd_, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    StartDeletion([id = computer->id, name = computer->name](InventoryStore& store, std::string& message) {
        PruneResult result;
        if (!DeleteComputer(store.Db(), id, result)) {
            message = store.FailureMessage();
            return false;
        }
        message = FillIn(LoadText(IDS_DELETED_COMPUTER), name) + " " + DeletedChecksText(result);
        return true;
    });
}

void HistoryWindow::StartDeletion(std::function<bool(InventoryStore&, std::string&)> work)
{
    deleted_ = std::make_shared<std::string>();
    std::shared_ptr<std::string> deleted = deleted_;
    deleting_ = StoreTask::Start(hwnd_, kStoreTaskDone, location_, StoreAccess::Read,
                                 [deleted, work = std::move(work)](InventoryStore& store, std::string& message) {
                                     const bool done = work(store, *deleted);
                                     if (!done)
                                         message = *deleted;
                                     return done;
                                 });
    status_.SetText(LoadText(IDS_DELETING));
    EnableButtons();
}

void HistoryWindow::TakeDeletion()
{
    const std::shared_ptr<StoreTask> task = std::move(deleting_);
    const std::shared_ptr<std::string> deleted = std::move(deleted_);
    if (!task->Succeeded()) {
        status_.SetText(task->Message());
        ui::ShowMessageBox(hwnd_, task->Message(), MB_ICONEXCLAMATION | MB_OK);
        EnableButtons();
        return;
    }
    notice_ = *deleted;
    Refresh();
}

void HistoryWindow::EnableMenu(HMENU handle) const
{
    const ui::Menu menu(handle);
    const bool idle = !IsReading();
    const bool one = idle && checks_.SelectedRows().size() == 1;
    menu.EnableItem(ID_HISTORY_OPEN, one);
    menu.EnableItem(ID_HISTORY_COMPARE_PREVIOUS, one);
    menu.EnableItem(ID_HISTORY_COMPARE_TWO, idle && CanCompareSelected());
    menu.EnableItem(ID_HISTORY_DELETE_CHECKS, idle && !checks_.SelectedRows().empty());
    menu.EnableItem(ID_HISTORY_DELETE_COMPUTER, idle && SelectedComputer() != nullptr);
}

void HistoryWindow::OnSize(UINT type, int width, int height)
{
    if (type == SIZE_MINIMIZED)
        return;
    layout_.Apply(width, height);
    computers_.List().FillLastColumn();
    checks_.List().FillLastColumn();
}

bool HistoryWindow::OnCommand(int id, int code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_HISTORY_OPEN:
    case ID_HISTORY_OPEN: OpenSelected(); return true;
    case IDC_HISTORY_COMPARE_PREVIOUS:
    case ID_HISTORY_COMPARE_PREVIOUS: CompareWithPrevious(); return true;
    case IDC_HISTORY_COMPARE_TWO:
    case ID_HISTORY_COMPARE_TWO: CompareSelected(); return true;
    case ID_HISTORY_DELETE_CHECKS: DeleteSelectedChecks(); return true;
    case ID_HISTORY_DELETE_COMPUTER: DeleteSelectedComputer(); return true;
    case IDC_HISTORY_REFRESH: Refresh(); return true;
    // The lists' context menu: Find and Save in the list it was opened on.
    case ID_EDIT_FIND: FocusedPane().Find(hwnd_); return true;
    case ID_FILE_SAVE_CSV: FocusedPane().SaveCsv(hwnd_, "history.csv"); return true;
    case IDCANCEL: EndDialog(IDCANCEL); return true;
    default: return false;
    }
}

bool HistoryWindow::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom == IDC_HISTORY_COMPUTERS && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            ShowChecksOf(change->iItem);
    }
    if (header->idFrom == IDC_HISTORY_CHECKS && (header->code == LVN_ITEMCHANGED || header->code == LVN_ODSTATECHANGED))
        EnableButtons();
    if (header->hwndFrom == computers_.Handle())
        return computers_.HandleNotify(header, result);
    if (header->hwndFrom == checks_.Handle())
        return checks_.HandleNotify(header, result);
    return false;
}

INT_PTR HistoryWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kStoreTaskDone) {
        if (pending_ && pending_->IsAnswer(lParam))
            TakeContents();
        else if (deleting_ && deleting_->IsAnswer(lParam))
            TakeDeletion();
        return TRUE;
    }
    if (message == WM_INITMENUPOPUP) {
        EnableMenu(reinterpret_cast<HMENU>(wParam));
        return TRUE;
    }
    if (message == WM_CLOSE) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return ui::Dialog::OnMessage(message, wParam, lParam);
}

bool HistoryWindow::PreTranslateMessage(MSG& message)
{
    if (computers_.HandleKey(message, hwnd_) || checks_.HandleKey(message, hwnd_))
        return true;
    if (message.message == WM_KEYDOWN && message.wParam == VK_DELETE) {
        if (message.hwnd == checks_.Handle())
            DeleteSelectedChecks();
        else if (message.hwnd == computers_.Handle())
            DeleteSelectedComputer();
        if (message.hwnd == checks_.Handle() || message.hwnd == computers_.Handle())
            return true;
    }
    return ui::Dialog::PreTranslateMessage(message);
}
