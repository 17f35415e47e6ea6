#include "shell/multi_check_window.h"

#include <algorithm>

#include "shell/box_messages.h"

#include <utility>

#include "base/text_util.h"
#include "inventory/computer_list.h"
#include "inventory/standard_job.h"
#include "inventory/summary_table.h"
#include "listtools/csv_export.h"
#include "listtools/find_dialog.h"
#include "listtools/save_encoding.h"
#include "listtools/sort_compare.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "standard/category_catalog.h"
#include "storetools/check_capture.h"
#include "ui/center_window.h"
#include "ui/dpi.h"
#include "ui/message_box.h"
#include "ui/open_dialog.h"
#include "ui/save_dialog.h"
#include "ui/tab_page.h"
#include "ui/wait_cursor.h"

namespace {

// Before any row, at 96 dpi; the columns then follow their headers and content.
constexpr int kColumnWidths[kSummaryColumnCount] = {130, 120, 90, 280, 170, 90, 210, 90, 70, 100, 120,
                                                    120, 120, 170, 80, 110, 70, 120, 120, 70, 110, 120};

bool IsControlDown()
{
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

}  // namespace

MultiCheckWindow::MultiCheckWindow(WmiConnector connector, WindowShape shape, ResultsViewer viewer, SinkProvider sinks)
    : ui::Dialog(IDD_MULTI_CHECK), connector_(std::move(connector)), viewer_(std::move(viewer)), sinks_(std::move(sinks)),
      shape_(shape)
{
}

MultiCheckWindow::~MultiCheckWindow()
{
    run_.reset();   // stops and waits before the stores it fills go
}

bool MultiCheckWindow::OnInitDialog()
{
    names_.Attach(::GetDlgItem(hwnd_, IDC_MULTI_NAMES));
    parallel_.Attach(::GetDlgItem(hwnd_, IDC_MULTI_PARALLEL));
    spin_.Attach(::GetDlgItem(hwnd_, IDC_MULTI_PARALLEL_SPIN));
    runButton_.Attach(::GetDlgItem(hwnd_, IDC_MULTI_RUN));
    status_.Attach(::GetDlgItem(hwnd_, IDC_MULTI_STATUS));
    progress_.Attach(::GetDlgItem(hwnd_, IDC_MULTI_PROGRESS));
    list_.Attach(::GetDlgItem(hwnd_, IDC_MULTI_LIST));
    names_.SetLimit(0);   // as much as the edit control holds
    spin_.SetRange(1, kMaxParallelChecks);
    spin_.SetPos(kDefaultParallelChecks);
    list_.Model() = SummaryModel();
    for (int column = 0; column < list_.Model().ColumnCount() && column < kSummaryColumnCount; ++column)
        list_.Model().SetColumnWidth(column, ui::ScalePixels(hwnd_, kColumnWidths[column]));
    list_.View().SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list_.ShowFittedColumnsAndRows(userWidths_);
    list_.onColumnClick = [this](int column) { OnColumnClick(column); };
    list_.onDoubleClick = [this](int row) { OpenRow(row); };

    const RECT window = WindowRect();
    minimumSize_ = {window.right - window.left, window.bottom - window.top};
    using ui::AnchorLayout;
    layout_.Start(hwnd_);
    layout_.Add(IDC_MULTI_PROGRESS, AnchorLayout::GrowX);
    layout_.Add(IDC_MULTI_STATUS, AnchorLayout::GrowX);
    layout_.Add(IDC_MULTI_LIST, AnchorLayout::GrowX | AnchorLayout::GrowY);
    layout_.Add(IDCANCEL, AnchorLayout::MoveX | AnchorLayout::MoveY);
    return true;
}

void MultiCheckWindow::Open(HWND owner)
{
    if (!placed_) {
        placed_ = true;
        if (shape_.width > 0 && shape_.height > 0) {
            // Never smaller than the template, never larger than the work area of the
            // owner's monitor.
            RECT ownerRect{};
            GetWindowRect(owner, &ownerRect);
            const RECT work = ui::FitIntoWorkArea(
                RECT{ownerRect.left, ownerRect.top, ownerRect.left + shape_.width, ownerRect.top + shape_.height});
            const int width = std::clamp(shape_.width, static_cast<int>(minimumSize_.cx),
                                         std::max(static_cast<int>(minimumSize_.cx), static_cast<int>(work.right - work.left)));
            const int height = std::clamp(shape_.height, static_cast<int>(minimumSize_.cy),
                                          std::max(static_cast<int>(minimumSize_.cy), static_cast<int>(work.bottom - work.top)));
            ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ui::CenterOnOwner(hwnd_, owner);
        Show(shape_.maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        return;
    }
    // Brought back as it was left: maximised stays maximised, a minimised window comes back.
    Show(IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
}

WindowShape MultiCheckWindow::Shape() const
{
    if (!hwnd_ || !IsWindow(hwnd_) || !placed_)
        return shape_;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(hwnd_, &placement))
        return shape_;
    const RECT& normal = placement.rcNormalPosition;
    return WindowShape{normal.right - normal.left, normal.bottom - normal.top,
                       placement.showCmd == SW_SHOWMAXIMIZED || IsZoomed(hwnd_) != FALSE};
}

void MultiCheckWindow::RememberShape()
{
    shape_ = Shape();
}

void MultiCheckWindow::OnSize(UINT type, int width, int height)
{
    if (type == SIZE_MINIMIZED)
        return;
    layout_.Apply(width, height);
    list_.FillLastColumn();
    // A control that moved (the Close button at the corner) is drawn at its new place, and
    // nothing of it stays behind at the old one.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool MultiCheckWindow::OnCommand(int id, int code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_MULTI_RUN: OnRunButton(); return true;
    case IDC_MULTI_LOAD: AskForList(); return true;
    case IDC_MULTI_FROM_DIRECTORY: FindComputers(FindComputersDialog::Source::Directory); return true;
    case IDC_MULTI_FROM_RANGE: FindComputers(FindComputersDialog::Source::Range); return true;
    case IDC_MULTI_SAVE:
    case ID_FILE_SAVE_CSV: SaveSummary(); return true;   // also from the list's context menu
    case ID_EDIT_FIND: FindInList(); return true;
    case IDCANCEL: Close(); return true;
    default: return false;
    }
}

bool MultiCheckWindow::OnNotify(NMHDR* header, LRESULT& result)
{
    if (OnHeaderNotify(header))
        return false;   // the header goes on with the width given
    return list_.HandleNotify(header, result);
}

bool MultiCheckWindow::OnHeaderNotify(NMHDR* header)
{
    if (!header || header->hwndFrom != list_.View().Header() ||
        (header->code != HDN_ENDTRACKA && header->code != HDN_ENDTRACKW))
        return false;
    const auto* track = reinterpret_cast<const NMHEADERA*>(header);
    if (!track->pitem || !(track->pitem->mask & HDI_WIDTH) || track->iItem < 0)
        return false;
    const size_t column = static_cast<size_t>(track->iItem);
    if (userWidths_.size() <= column)
        userWidths_.resize(column + 1, 0);
    userWidths_[column] = track->pitem->cxy;
    list_.NoteUserWidth(track->iItem, track->pitem->cxy);
    return true;
}

INT_PTR MultiCheckWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETMINMAXINFO) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        if (minimumSize_.cx > 0) {
            limits->ptMinTrackSize.x = minimumSize_.cx;
            limits->ptMinTrackSize.y = minimumSize_.cy;
        }
        return TRUE;
    }
    if (message == WM_TIMER && wParam == kProgressTimerId) {
        ShowFinished();
        return TRUE;
    }
    if (message == WM_CLOSE) {
        Close();
        return TRUE;
    }
    if (message == WM_DESTROY)
        RememberShape();   // closed, or going with the main window
    return ui::Dialog::OnMessage(message, wParam, lParam);
}

void MultiCheckWindow::OnRunButton()
{
    if (run_) {
        run_->RequestStop();
        runButton_.Enable(false);
        status_.SetText(LoadText(IDS_MULTI_STOPPING));
        return;
    }
    StartRun();
}

void MultiCheckWindow::StartRun()
{
    ComputerList list;
    std::string reason;
    if (list.AddLines(names_.Text(), reason) && list.Empty())
        reason = LoadText(IDS_LIST_EMPTY);
    if (!reason.empty()) {
        ui::ShowMessageBox(hwnd_, reason, MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    const int parallel = static_cast<int>(spin_.SendMsg(UDM_GETPOS32, 0, 0));
    if (parallel < 1 || parallel > kMaxParallelChecks) {
        ui::ShowMessageBox(hwnd_, LoadText(IDS_REPORT_BAD_PARALLEL) + parallel_.Text(), MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    computers_ = list.Names();
    indexOf_.clear();
    for (size_t index = 0; index < computers_.size(); ++index)
        indexOf_.emplace(computers_[index], index);
    {
        std::lock_guard<std::mutex> hold(keptLock_);
        kept_.clear();
        kept_.resize(computers_.size());
    }
    checkedAt_.assign(computers_.size(), std::string());
    list_.Model().DeleteAllRows();
    computerOfRow_.clear();
    list_.ShowRows();
    progress_.SetRange(static_cast<int>(computers_.size()));
    progress_.SetPos(0);
    MultiCheckSettings settings;
    settings.parallel = parallel;
    settings.connector = connector_;
    // The stores of a computer that was read stay for the double click, their raw values
    // dropped (the window shows texts).
    runSink_ = sinks_ ? sinks_() : CheckSink();
    ComputerJob job = StandardJob([this](ComputerSummary& summary, ComputerResult result, StandardStores& stores) {
        KeepCheck(summary, result, &stores);
        auto kept = std::make_unique<StandardStores>(std::move(stores));
        kept->KeepRawValues(false);
        std::lock_guard<std::mutex> hold(keptLock_);
        kept_[indexOf_.at(summary.computer)] = std::move(kept);
        return result;
    });
    run_ = std::make_unique<MultiCheck>();
    if (!run_->Start(computers_, std::move(settings), std::move(job))) {
        run_.reset();
        return;
    }
    runButton_.SetText(LoadText(IDS_STOP));
    EnableInputs(false);
    status_.SetText(FillIn(LoadText(IDS_MULTI_PROGRESS), "0",
                           CountText(static_cast<long long>(computers_.size()), IDS_COUNT_COMPUTERS)));
    SetTimer(hwnd_, kProgressTimerId, kProgressPeriodMs, nullptr);
}

void MultiCheckWindow::AppendFinished()
{
    std::vector<std::pair<size_t, ComputerSummary>> finished = run_->TakeFinished();
    for (auto& [index, summary] : finished) {
        if (!HasData(summary.result) && !summary.checkedAt.empty())
            KeepCheck(summary, summary.result, nullptr);   // its job read nothing: kept all the same
        list_.Model().AppendRow(ShownSummaryRow(summary, static_cast<LPARAM>(list_.Model().RowCount())));
        computerOfRow_.push_back(index);
        if (index < checkedAt_.size())
            checkedAt_[index] = summary.checkedAt;
    }
    if (!finished.empty()) {
        list_.ShowRows();
        list_.FitColumns(userWidths_);
    }
}

void MultiCheckWindow::KeepCheck(const ComputerSummary& summary, ComputerResult result,
                                 const StandardStores* stores) const
{
    if (!runSink_)
        return;
    CheckTime checkedAt;
    if (!CheckTime::FromLocalText(summary.checkedAt, checkedAt))
        checkedAt = CheckTime::Now();
    StoredCheck check = NewStoredCheckOf(summary.computer, checkedAt, kStandardKind, {}, "mirel");
    NoteCheckResult(check.header, result, summary, result == ComputerResult::Ok);
    check.header.seconds = static_cast<double>(CheckTime::Now().epoch - checkedAt.epoch);
    if (stores)
        CaptureStandardStores(*stores, kCategoryCount, false, check);
    runSink_(std::move(check));
}

void MultiCheckWindow::EnableInputs(bool enable) const
{
    for (int id : {IDC_MULTI_NAMES, IDC_MULTI_LOAD, IDC_MULTI_FROM_DIRECTORY, IDC_MULTI_FROM_RANGE, IDC_MULTI_PARALLEL,
                   IDC_MULTI_PARALLEL_SPIN, IDC_MULTI_SAVE})
        GetDlgItem(id).Enable(enable);
}

void MultiCheckWindow::ShowFinished()
{
    if (!run_)
        return;
    AppendFinished();
    const size_t done = run_->FinishedCount();
    progress_.SetPos(static_cast<int>(done));
    if (!run_->IsStopRequested())
        status_.SetText(FillIn(LoadText(IDS_MULTI_PROGRESS), std::to_string(done),
                                   CountText(static_cast<long long>(run_->Total()), IDS_COUNT_COMPUTERS)));
    if (run_->IsDone())
        EndRun();
}

void MultiCheckWindow::EndRun()
{
    KillTimer(hwnd_, kProgressTimerId);
    run_->Wait();
    AppendFinished();   // those that ended since the last look
    const std::vector<ComputerSummary> summaries = run_->Summaries();
    run_.reset();
    status_.SetText(SummaryTally(summaries));
    runButton_.SetText(LoadText(IDS_RUN));
    runButton_.Enable(true);
    EnableInputs(true);
    if (sort_.column != 0 || !sort_.ascending)
        OnColumnClick(-1);   // the rows as the list was last sorted
}

void MultiCheckWindow::OnColumnClick(int column)
{
    if (column >= 0)
        sort_.Click(column);
    const std::vector<int> order = SortModel(list_.Model(), sort_.column,
                                             IsNumberColumn(sort_.column) ? SortKeys::Numbers : SortKeys::Text,
                                             sort_.ascending);
    std::vector<size_t> computers(computerOfRow_.size());
    for (size_t row = 0; row < order.size() && row < computers.size(); ++row)
        computers[row] = computerOfRow_[static_cast<size_t>(order[row])];
    computerOfRow_ = std::move(computers);
    list_.FollowSort(order);
    list_.ShowSortArrow(sort_.column, sort_.ascending);
}

void MultiCheckWindow::OpenRow(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= computerOfRow_.size() || !viewer_)
        return;
    const size_t index = computerOfRow_[static_cast<size_t>(row)];
    std::lock_guard<std::mutex> hold(keptLock_);
    if (index >= kept_.size() || !kept_[index])
        return;   // no results: the row itself says why
    if (!viewer_(computers_[index], *kept_[index], index < checkedAt_.size() ? checkedAt_[index] : std::string()))
        ui::ShowMessageBox(hwnd_, LoadText(IDS_MULTI_MAIN_BUSY), MB_ICONEXCLAMATION | MB_OK);
}

bool MultiCheckWindow::LoadList(const std::string& path)
{
    std::string text, reason;
    ComputerList list;
    if (!ReadComputerListFile(path, text, reason) || !list.AddLines(text, reason)) {
        ui::ShowMessageBox(hwnd_, reason, MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    std::string names;
    for (const std::string& name : list.Names())
        names += name + "\r\n";
    names_.SetText(names);
    return true;
}

void MultiCheckWindow::AddNames(const std::vector<std::string>& names) const
{
    std::string text = names_.Text();
    if (!text.empty() && text.back() != '\n')
        text += "\r\n";
    for (const std::string& name : names)
        text += name + "\r\n";
    names_.SetText(text);
}

void MultiCheckWindow::FindComputers(FindComputersDialog::Source source)
{
    FindComputersDialog dialog(source, connector_);
    if (dialog.RunModal(hwnd_) == IDOK)
        AddNames(dialog.Chosen());
}

void MultiCheckWindow::AskForList()
{
    std::string path;
    if (ui::AskOpenFileName(hwnd_, LoadText(IDS_FILTER_TEXT), path))
        LoadList(path);
}

void MultiCheckWindow::SaveSummary()
{
    if (list_.Model().RowCount() == 0)
        return;
    std::string path;
    ui::SaveFileRequest request{WithUtf8FileType(LoadText(IDS_FILTER_CSV), LoadText(IDS_FILTER_CSV_UTF8)), "csv",
                                kSummaryCsvName};
    if (!ui::AskSaveFileName(hwnd_, request, path))
        return;
    ui::MessageBoxSink messages(hwnd_);
    const std::optional<TextEncoding> encoding =
        ConfirmSaveEncoding(request.type, FirstTextOutsideAnsi(list_.Model()), messages);
    if (!encoding)
        return;
    ui::WaitCursor wait;
    SaveCsv(list_.Model(), path, messages, *encoding);
}

void MultiCheckWindow::FindInList()
{
    if (list_.Model().RowCount() == 0)
        return;
    CFindDlg find(list_);
    find.RunModal(hwnd_);
}

void MultiCheckWindow::Close()
{
    if (run_) {
        ui::WaitCursor wait;
        KillTimer(hwnd_, kProgressTimerId);
        run_.reset();   // stops the checks and waits for them
    }
    EndDialog(IDCANCEL);
}

bool MultiCheckWindow::PreTranslateMessage(MSG& message)
{
    if (message.hwnd == list_.Handle() && list_.HandleContextMenuKey(message))
        return true;
    if (message.message == WM_KEYDOWN && IsControlDown() && message.hwnd == list_.Handle()) {
        if (message.wParam == 'C' || message.wParam == VK_INSERT) {
            list_.CopySelectedRows();
            return true;
        }
        if (message.wParam == 'F') {
            FindInList();
            return true;
        }
        if (message.wParam == 'A') {   // as the context menu's Save as CSV
            SaveSummary();
            return true;
        }
    }
    if (IsKeyDown(message, VK_RETURN) && message.hwnd == list_.Handle()) {
        OpenRow(list_.SelectedRow());
        return true;
    }
    return ui::Dialog::PreTranslateMessage(message);
}
