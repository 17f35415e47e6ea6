// A result list with its tools, for a window that shows rows it was handed (a comparison,
// the answer to a question, the history): sorting by a column click with the arrow in the
// header, copying rows (tab-separated, the column names first), Find, the context menu and
// saving the rows as CSV. The owning window forwards its list's notifications and keys,
// runs the context menu's Find and Save (sent to it as ID_EDIT_FIND and ID_FILE_SAVE_CSV)
// and decides what opening a row does.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "listtools/result_list.h"
#include "listtools/sort_compare.h"
#include "listtools/sort_memory.h"

class ResultPane {
public:
    // Takes over a list-view control of a dialog template (LVS_OWNERDATA).
    bool Attach(HWND control);

    ResultList& List() { return list_; }
    const ResultModel& Model() const { return list_.Model(); }
    HWND Handle() const { return list_.Handle(); }

    // Shows `model`, its rows in the order given and unsorted, the columns fitted to their
    // texts. `numberColumns`: the columns that sort as numbers (the others as texts).
    void Show(ResultModel model, std::vector<bool> numberColumns = {});
    // Sorts by `column` as a click on its header does (again: the other way round).
    void ClickColumn(int column);
    const SortMemory& Sort() const { return sort_; }

    std::vector<int> SelectedRows() const { return list_.SelectedRows(); }
    // Copies the selected rows (every row when none is selected) with the column names
    // first; 1 when the clipboard took them.
    int CopyRows() const;
    // The Find dialog over the list, modal to `owner`.
    void Find(HWND owner);
    // Asks for a file (proposing `fileName`) and saves every row as CSV; false when the
    // user cancelled or the file could not be written (the message shown).
    bool SaveCsv(HWND owner, const std::string& fileName);

    // The list's notifications: sorting on a column click, opening on a double click.
    bool HandleNotify(NMHDR* header, LRESULT& result) { return list_.HandleNotify(header, result); }
    // Ctrl+C and Ctrl+Insert copy, Ctrl+F finds, Ctrl+A saves (ID_FILE_SAVE_CSV to
    // `owner`), Shift+F10 and the Menu key open the context menu and Enter opens: true when
    // `message` was one of them for this list.
    bool HandleKey(const MSG& message, HWND owner);

    // A row was opened (double click or Enter); row -1 when none.
    std::function<void(int row)> onOpen;

private:
    ResultList list_;
    SortMemory sort_;
    std::vector<bool> numberColumns_;
};
