#include "shell/compare_window.h"

#include <utility>

#include "base/shown_time.h"
#include "base/text_util.h"
#include "inventory/computer_summary.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/check_reader.h"
#include "storetools/check_rebuild.h"
#include "storetools/comparison_report.h"

namespace {

// The categories' list: its first column names the category.
constexpr int kPartLabel = 0;

bool LoadStoredCheck(InventoryStore& store, int64_t id, StoredCheck& check, std::string& message)
{
    switch (LoadCheck(store.Statements(), id, check)) {
    case LoadResult::Loaded: return true;
    case LoadResult::NotFound: message = FillIn(LoadText(IDS_STORE_NO_CHECK), std::to_string(id)); return false;
    case LoadResult::Failed: break;
    }
    message = store.FailureMessage();
    return false;
}

// Check `earlier` and check `later`, read together as a comparison reads them.
bool LoadStoredPair(InventoryStore& store, int64_t earlier, int64_t later, StoredCheck& before, StoredCheck& after,
                    std::string& message)
{
    switch (LoadCheckPair(store.Statements(), earlier, later, before, after)) {
    case LoadResult::Loaded: return true;
    case LoadResult::NotFound:
        message = FillIn(LoadText(IDS_STORE_NO_CHECK), std::to_string(before.header.id == 0 ? earlier : later));
        return false;
    case LoadResult::Failed: break;
    }
    message = store.FailureMessage();
    return false;
}

bool ReadSomething(const StoredCheck& check)
{
    for (const StoredPart& part : check.parts)
        if (part.state != PartState::NotRead)
            return true;
    return false;
}

// Reads check `later` and the one to compare it with, and compares them, earlier against
// later. Of several earlier checks (the previous ones, latest first) the first that read
// something is taken; one chosen check is taken as it is.
bool CompareStored(InventoryStore& store, int64_t later, const std::vector<int64_t>& earlier,
                   CheckComparison& comparison, std::string& message)
{
    StoredCheck after, before;
    if (earlier.empty() && !LoadStoredCheck(store, later, after, message))
        return false;
    bool found = false;
    for (int64_t id : earlier) {
        if (!LoadStoredPair(store, id, later, before, after, message))
            return false;
        if ((found = earlier.size() == 1 || ReadSomething(before)))
            break;
    }
    if (!found) {
        message = FillIn(LoadText(IDS_HISTORY_NO_PREVIOUS), std::to_string(later));
        return false;
    }
    // A check that read nothing has no categories to compare, only what became of it.
    for (const StoredCheck* check : {&after, &before})
        if (ReadNothing(check->header)) {
            message = FillIn(LoadText(IDS_COMPARE_READ_NOTHING), std::to_string(check->header.id),
                             ComputerResultTextOfKey(check->header.result));
            return false;
        }
    if (before.header.kind != after.header.kind) {
        message = FillIn(LoadText(IDS_STORE_KINDS_DIFFER), std::to_string(before.header.id),
                         std::to_string(after.header.id));
        return false;
    }
    if (before.header.checkedAt.epoch > after.header.checkedAt.epoch)
        std::swap(before, after);
    comparison = CompareChecks(before, after);
    return true;
}

// The categories' list; `changedOnly` leaves out those compared without a change.
ResultModel PartsModel(const CheckComparison& comparison, bool withVolatile, bool changedOnly)
{
    ResultModel model;
    for (UINT id : {IDS_COMPARE_FIRST_COLUMN, IDS_COMPARE_ADDED, IDS_COMPARE_REMOVED, IDS_COMPARE_CHANGED,
                    IDS_COMPARE_NOTE})
        model.AddColumn(ResultColumn{LoadText(id)});
    const bool standard = comparison.after.kind == kStandardKind;
    int totals[3] = {};
    std::vector<ResultRow> rows;
    for (const PartComparison& part : comparison.parts) {
        const std::string label = PartLabel(part.className, standard);
        if (!part.compared) {
            rows.push_back(ResultRow{{label, "", "", "", LoadText(IDS_COMPARE_NOT_COMPARED)}});
            continue;
        }
        const int counts[3] = {part.Count(ChangeKind::Added, withVolatile), part.Count(ChangeKind::Removed, withVolatile),
                               part.Count(ChangeKind::Changed, withVolatile)};
        for (int kind = 0; kind < 3; ++kind)
            totals[kind] += counts[kind];
        if (changedOnly && counts[0] + counts[1] + counts[2] == 0)
            continue;
        rows.push_back(ResultRow{{label, std::to_string(counts[0]), std::to_string(counts[1]),
                                  std::to_string(counts[2]), ""}});
    }
    model.AppendRow(ResultRow{{LoadText(IDS_COMPARE_ALL_PARTS), std::to_string(totals[0]), std::to_string(totals[1]),
                               std::to_string(totals[2]), ""}});
    for (ResultRow& row : rows)
        model.AppendRow(std::move(row));
    return model;
}

}  // namespace

CompareWindow::CompareWindow(StoreLocation location, int64_t later, std::vector<int64_t> earlier)
    : ui::Dialog(IDD_STORE_COMPARE), location_(std::move(location)), later_(later), earlier_(std::move(earlier))
{
}

CompareWindow::~CompareWindow() = default;

bool CompareWindow::OnInitDialog()
{
    parts_.Attach(::GetDlgItem(hwnd_, IDC_COMPARE_PARTS));
    changes_.Attach(::GetDlgItem(hwnd_, IDC_RESULT_ROWS));
    heading_.Attach(::GetDlgItem(hwnd_, IDC_COMPARE_HEADING));
    status_.Attach(::GetDlgItem(hwnd_, IDC_COMPARE_STATUS));
    using ui::AnchorLayout;
    layout_.Start(hwnd_);
    layout_.Add(IDC_COMPARE_HEADING, AnchorLayout::GrowX);
    layout_.Add(IDC_COMPARE_PARTS, AnchorLayout::GrowX);
    layout_.Add(IDC_COMPARE_VOLATILE, AnchorLayout::GrowX);
    layout_.Add(IDC_RESULT_ROWS, AnchorLayout::GrowX | AnchorLayout::GrowY);
    layout_.Add(IDC_COMPARE_STATUS, AnchorLayout::GrowX | AnchorLayout::MoveY);
    for (int id : {IDC_RESULT_COPY, IDC_RESULT_FIND, IDC_RESULT_SAVE})
        layout_.Add(id, AnchorLayout::MoveY);
    layout_.Add(IDCANCEL, AnchorLayout::MoveX | AnchorLayout::MoveY);

    CheckDlgButton(hwnd_, IDC_COMPARE_CHANGED_ONLY, changedOnly_ ? BST_CHECKED : BST_UNCHECKED);
    heading_.SetText(LoadText(IDS_STORE_WINDOW_READING));
    reading_ = std::make_shared<CheckComparison>();
    std::shared_ptr<CheckComparison> comparison = reading_;
    pending_ = StoreTask::Start(hwnd_, kStoreTaskDone, location_, StoreAccess::Read,
                                [later = later_, earlier = earlier_, comparison](InventoryStore& store,
                                                                                  std::string& message) {
                                    return CompareStored(store, later, earlier, *comparison, message);
                                });
    return true;
}

void CompareWindow::TakeComparison()
{
    const std::shared_ptr<StoreTask> task = std::move(pending_);
    if (!task->Succeeded()) {
        reading_.reset();
        heading_.SetText(task->Message());
        changes_.List().SetEmptyText(task->Message());
        InvalidateRect(changes_.Handle(), nullptr, TRUE);
        return;
    }
    comparison_ = std::move(reading_);
    const CheckComparison& comparison = *comparison_;
    SetText(FillIn(LoadText(IDS_COMPARE_WINDOW_TITLE), std::to_string(comparison.before.id),
                   std::to_string(comparison.after.id)));
    heading_.SetText(FillIn(LoadText(IDS_COMPARE_TITLE),
                            {comparison.after.computer, std::to_string(comparison.before.id),
                             ShownTime(comparison.before.checkedAt.local), std::to_string(comparison.after.id),
                             ShownTime(comparison.after.checkedAt.local)}));
    ShowComparison();
}

void CompareWindow::ShowComparison()
{
    if (!comparison_)
        return;
    parts_.Show(PartsModel(*comparison_, withVolatile_, changedOnly_), {false, true, true, true, false});
    parts_.List().SelectRow(0);
    ShowPart(0);
    const int64_t count = comparison_->ChangeCount(withVolatile_);
    status_.SetText(count == 0   ? LoadText(IDS_COMPARE_NO_CHANGES)
                    : count == 1 ? LoadText(IDS_COMPARE_ONE_CHANGE)
                                 : FillIn(LoadText(IDS_COMPARE_TOTAL), std::to_string(count)));
}

void CompareWindow::ShowPart(int row)
{
    if (!comparison_)
        return;
    ResultModel all = ComparisonModel(*comparison_, withVolatile_, true);
    const std::string& label = parts_.Model().Cell(row, kPartLabel);
    const bool everyPart = label.empty() || label == LoadText(IDS_COMPARE_ALL_PARTS);
    ResultModel shown;
    for (int column = 0; column < all.ColumnCount(); ++column)
        shown.AddColumn(all.Column(column));
    for (int index = 0; index < all.RowCount(); ++index)
        if (everyPart || all.Cell(index, 0) == label)
            shown.AppendRow(all.Row(index));
    changes_.Show(std::move(shown));
    changes_.List().SetEmptyText(LoadText(IDS_COMPARE_NO_CHANGES));
}

void CompareWindow::ShowVolatile(bool show)
{
    withVolatile_ = show;
    CheckDlgButton(hwnd_, IDC_COMPARE_VOLATILE, show ? BST_CHECKED : BST_UNCHECKED);
    ShowComparison();
}

void CompareWindow::ShowChangedOnly(bool only)
{
    changedOnly_ = only;
    CheckDlgButton(hwnd_, IDC_COMPARE_CHANGED_ONLY, only ? BST_CHECKED : BST_UNCHECKED);
    ShowComparison();
}

void CompareWindow::OnSize(UINT type, int width, int height)
{
    if (type == SIZE_MINIMIZED)
        return;
    layout_.Apply(width, height);
    parts_.List().FillLastColumn();
    changes_.List().FillLastColumn();
}

bool CompareWindow::OnCommand(int id, int code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_COMPARE_VOLATILE: ShowVolatile(IsDlgButtonChecked(hwnd_, IDC_COMPARE_VOLATILE) == BST_CHECKED); return true;
    case IDC_COMPARE_CHANGED_ONLY:
        ShowChangedOnly(IsDlgButtonChecked(hwnd_, IDC_COMPARE_CHANGED_ONLY) == BST_CHECKED);
        return true;
    case IDC_RESULT_COPY: changes_.CopyRows(); return true;
    case IDC_RESULT_FIND:
    case ID_EDIT_FIND: changes_.Find(hwnd_); return true;   // also from a list's context menu
    case IDC_RESULT_SAVE:
    case ID_FILE_SAVE_CSV:
        if (comparison_)
            changes_.SaveCsv(hwnd_, "compare_" + std::to_string(comparison_->before.id) + "_" +
                                        std::to_string(comparison_->after.id) + ".csv");
        return true;
    case IDCANCEL: EndDialog(IDCANCEL); return true;
    default: return false;
    }
}

bool CompareWindow::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom == IDC_COMPARE_PARTS && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (change->iItem >= 0 && (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            ShowPart(change->iItem);
    }
    if (header->hwndFrom == parts_.Handle())
        return parts_.HandleNotify(header, result);
    if (header->hwndFrom == changes_.Handle())
        return changes_.HandleNotify(header, result);
    return false;
}

INT_PTR CompareWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kStoreTaskDone) {
        if (pending_ && pending_->IsAnswer(lParam))
            TakeComparison();
        return TRUE;
    }
    if (message == WM_CLOSE) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return ui::Dialog::OnMessage(message, wParam, lParam);
}

bool CompareWindow::PreTranslateMessage(MSG& message)
{
    if (parts_.HandleKey(message, hwnd_) || changes_.HandleKey(message, hwnd_))
        return true;
    return ui::Dialog::PreTranslateMessage(message);
}
