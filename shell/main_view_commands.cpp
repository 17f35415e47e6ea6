// The commands the main view handles for the menus, the toolbar and the accelerators,
// and their enabling.
#include "shell/main_view.h"

#include "shell/box_messages.h"

#include "listtools/clipboard.h"
#include "listtools/csv_export.h"
#include "listtools/find_dialog.h"
#include "listtools/save_encoding.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "standard/category_catalog.h"
#include "standard/text_export.h"
#include "ui/save_dialog.h"
#include "ui/wait_cursor.h"

MainView::CommandState MainView::QueryCommand(int command) const
{
    const bool idle = run_.RunningCheck == CheckKind::None;
    CommandState state;
    state.handled = true;
    switch (command) {
    case ID_CHECK_RUN: state.enabled = idle; break;
    case ID_CHECK_STOP: state.enabled = !idle; break;
    case ID_CHECK_CONNECT_AS: state.enabled = idle; break;
    case ID_FILE_CHECK_SEVERAL:
    case ID_FILE_HISTORY:
    case ID_FILE_QUESTIONS:
    case ID_FILE_OPTIONS:
    case ID_FILE_REPORT: state.enabled = true; break;
    case ID_STANDARD_SHEET: state.enabled = idle && run_.Stores.HasData(); break;
    case ID_FILE_OPEN_CHECK: state.enabled = idle; break;
    case ID_VIEW_STANDARD: state.checked = tab_.CurSel() == kStandardTab; break;
    case ID_VIEW_INDIVIDUAL: state.checked = tab_.CurSel() == kIndividualTab; break;
    case ID_EDIT_COPY:
    case ID_EDIT_SELECT_ALL:
    case ID_EDIT_FIND: state.enabled = ShownListHasRows(); break;
    case ID_EDIT_PASTE:
        state.enabled = GetFocus() == nameField_.Handle() && ClipboardHasText();
        break;
    case ID_FILE_SAVE_CSV: state.enabled = CanSaveCsv(); break;
    case ID_FILE_SAVE_TEXT: state.enabled = idle && run_.Stores.HasData(); break;
    default: state.handled = false; break;
    }
    return state;
}

bool MainView::RunCommand(int command)
{
    switch (command) {
    case ID_CHECK_RUN:
        if (run_.RunningCheck == CheckKind::None)
            OnRunButton();
        return true;
    case ID_CHECK_STOP:
        if (run_.RunningCheck != CheckKind::None)
            OnRunButton();
        return true;
    case ID_CHECK_CONNECT_AS:
        ConnectAs();
        return true;
    case ID_FILE_CHECK_SEVERAL:
        OpenMultiCheck();
        return true;
    case ID_FILE_OPEN_CHECK:
        OpenCheckFile();
        return true;
    case ID_FILE_OPTIONS:
        OpenOptions();
        return true;
    case ID_FILE_HISTORY:
        OpenHistory();
        return true;
    case ID_FILE_QUESTIONS:
        OpenQuestions();
        return true;
    case ID_FILE_REPORT:
        MakeFleetReport();
        return true;
    case ID_STANDARD_SHEET:
        if (run_.RunningCheck == CheckKind::None && run_.Stores.HasData())
            MakeComputerSheet();
        return true;
    case ID_VIEW_STANDARD:
    case ID_VIEW_INDIVIDUAL:
        if (TheApp().tabControl) {
            int tab = command == ID_VIEW_STANDARD ? kStandardTab : kIndividualTab;
            ShowTab(tab);
            tab_.SetCurSel(tab);
        }
        return true;
    case ID_EDIT_COPY: ShownList().CopySelectedRows(); return true;
    case ID_EDIT_SELECT_ALL: ShownList().SelectAll(); return true;
    case ID_EDIT_PASTE: Paste(); return true;
    case ID_EDIT_FIND: Find(); return true;
    case ID_FILE_SAVE_CSV: SaveCsv(); return true;
    case ID_FILE_SAVE_TEXT: SaveText(); return true;
    default: return false;
    }
}

bool MainView::ShownListHasRows() const
{
    // The list of a running check is disabled: its rows are about to be replaced.
    if (run_.RunningCheck != CheckKind::None && tab_.CurSel() == checkTab_)
        return false;
    if (tab_.CurSel() == kStandardTab)
        return standardForm_ && standardForm_->DisplayList().Model().RowCount() > 0;
    return individualForm_ && individualForm_->ResultListControl().Model().RowCount() > 0;
}

bool MainView::CanSaveCsv() const
{
    if (run_.RunningCheck != CheckKind::None)
        return false;
    if (tab_.CurSel() == kIndividualTab)
        return individualForm_ && individualForm_->ResultListControl().Model().RowCount() > 0;
    return standardForm_->CurrentPage() > 3 && standardForm_->DisplayList().Model().RowCount() > 0;
}

void MainView::Paste()
{
    if (GetFocus() == nameField_.Handle() && ClipboardHasText())
        nameField_.SendMsg(WM_PASTE);
}

ResultList& MainView::ShownList()
{
    return tab_.CurSel() == kStandardTab ? standardForm_->DisplayList() : IndividualForm().ResultListControl();
}

void MainView::Find()
{
    CFindDlg dialog(ShownList());
    dialog.RunModal(GetParent(hwnd_));
}

void MainView::SaveCsv()
{
    ui::WaitCursor wait;
    const RunState& run = run_;
    const ResultModel* model = nullptr;
    std::string proposed;
    if (tab_.CurSel() == kIndividualTab) {
        model = &IndividualForm().ResultListControl().Model();
        proposed = ProposedClassCsvName(run.TargetComputer, run.SelectedClassName);
    } else if (standardForm_->CurrentPage() > 3) {
        model = &standardForm_->DisplayList().Model();
        proposed = ProposedCategoryCsvName(run.TargetComputer,
                                           LoadText(PageLabelStringId(standardForm_->CurrentPage())));
    }
    if (!model || model->RowCount() <= 0)
        return;
    std::string path;
    ui::SaveFileRequest request{WithUtf8FileType(LoadText(IDS_FILTER_CSV), LoadText(IDS_FILTER_CSV_UTF8)), "csv",
                                proposed};
    if (!ui::AskSaveFileName(hwnd_, request, path))
        return;
    BoxMessages messages(GetParent(hwnd_));
    const std::optional<TextEncoding> encoding =
        ConfirmSaveEncoding(request.type, FirstTextOutsideAnsi(*model), messages);
    if (encoding)
        ::SaveCsv(*model, path, messages, *encoding);
}

void MainView::SaveText()
{
    if (!run_.Stores.HasData())
        return;
    ui::WaitCursor wait;
    const std::string& target = run_.TargetComputer;
    std::string path;
    ui::SaveFileRequest request{WithUtf8FileType(LoadText(IDS_FILTER_TEXT), LoadText(IDS_FILTER_TEXT_UTF8)), "txt",
                                DefaultTextReportName(target)};
    if (!ui::AskSaveFileName(hwnd_, request, path))
        return;
    BoxMessages messages(GetParent(hwnd_));
    const std::optional<TextEncoding> encoding =
        ConfirmSaveEncoding(request.type, FirstReportTextOutsideAnsi(run_.Stores, target), messages);
    if (encoding)
        SaveStandardReport(run_.Stores, target, path, messages, *encoding);
}
