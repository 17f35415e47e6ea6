// The window of File > History...: the computers of the inventory store (name, checks, last
// checked, last result) and the checks of the selected one (number, checked at, kind,
// result, complete, changes), newest first. Open shows the selected check in the main
// window; "Compare with the previous check" and "Compare two selected checks" open a
// comparison; the lists' context menus offer these and deleting the selected checks, or a
// computer with all its checks (Del too), after asking; the store then frees what no
// check uses. Every read and change of the store runs off the window's thread; a store
// that is missing, empty or unusable is said in the window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "listtools/result_pane.h"
#include "shell/store_task.h"
#include "store/store_history.h"
#include "ui/anchor_layout.h"
#include "ui/dialog.h"

class CompareWindow;

class HistoryWindow : public ui::Dialog {
public:
    HistoryWindow(StoreLocation location, StoredCheckOpener opener);
    ~HistoryWindow() override;

    // Reads the store's computers and checks again.
    void Refresh();
    bool IsReading() const { return pending_ != nullptr || deleting_ != nullptr; }

    ResultPane& Computers() { return computers_; }
    ResultPane& Checks() { return checks_; }
    std::string StatusText() const { return status_.Text(); }

    // The computer shown in that row of the computers' list; its checks fill the other list.
    void ShowChecksOf(int row);
    // The buttons.
    void OpenSelected();
    void CompareWithPrevious();
    void CompareSelected();
    bool CanCompareSelected() const;
    // Deletes the selected checks, or the selected computer with all its checks, once the
    // user said Yes; the lists are read again after.
    void DeleteSelectedChecks();
    void DeleteSelectedComputer();
    // The comparison opened last; null before any.
    CompareWindow* LastComparison() { return compares_.empty() ? nullptr : compares_.back().get(); }

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnSize(UINT type, int width, int height) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Contents {
        std::vector<StoredComputer> computers;
        std::vector<StoredCheckHeader> checks;   // oldest first
    };
    void TakeContents();
    // The checks shown, newest first: their place in contents_.checks.
    const StoredCheckHeader* CheckOfRow(int row) const;
    void EnableButtons() const;
    // The list with the keyboard focus; the checks' when neither has it.
    ResultPane& FocusedPane();
    void OpenComparison(int64_t later, std::vector<int64_t> earlier);
    const StoredComputer* SelectedComputer() const;
    void EnableMenu(HMENU menu) const;
    // Runs `work` (a deletion) against the store, then reads it again.
    void StartDeletion(std::function<bool(InventoryStore&, std::string&)> work);
    void TakeDeletion();

    StoreLocation location_;
    StoredCheckOpener opener_;
    ResultPane computers_;
    ResultPane checks_;
    ui::Window status_;
    ui::Window checksLabel_;
    ui::AnchorLayout layout_;
    std::shared_ptr<StoreTask> pending_;
    std::shared_ptr<Contents> reading_;   // what the pending task fills
    std::shared_ptr<StoreTask> deleting_;
    std::shared_ptr<std::string> deleted_;   // what the deleting task did, in words
    std::string notice_;                     // said before the tally after the next reading
    Contents contents_;
    std::vector<std::unique_ptr<CompareWindow>> compares_;
};
