// The Find dialog (template 351): searches the cells of the shown result list down or up
// from a search position, optionally matching case, and marks each match.
#pragma once
#include <windows.h>

#include "base/handles.h"
#include "listtools/result_list.h"
#include "ui/dialog.h"

class CFindDlg : public ui::Dialog {
public:
    explicit CFindDlg(ResultList& list);

    int SearchPosition() const { return position_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void OnFindNext();
    bool IsChecked(int id) const;

    ResultList& list_;
    int position_ = 0;
    UniqueFont textFont_;   // the system's interface font for the typed text
};

// Marks a match: selects and focuses the row (other rows keep their state), scrolls it
// fully into view, and scrolls the list to its left edge when the matched column starts
// within its first two thirds there (the row's name stays in view), else the matched
// column's left edge to the list's left edge.
void SelectFoundCell(const ResultList& list, int row, int column);
