// The window of File > Check several computers...: the names (typed, pasted from a
// spreadsheet column or loaded from a list file), the checks at a time, Run/Stop, a
// progress bar and the summary as a result list with the list tools (sort by a column
// click, Copy Cell/Line, Ctrl+C, Ctrl+F, save as CSV). Double-clicking a computer whose
// check read its resources shows them in the main window's Standard tab.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/check_context.h"
#include "inventory/multi_check.h"
#include "listtools/result_list.h"
#include "shell/check_keeper.h"
#include "shell/find_computers_dialog.h"
#include "listtools/sort_memory.h"
#include "shell/layout_settings.h"
#include "standard/category_store.h"
#include "ui/anchor_layout.h"
#include "ui/dialog.h"
#include "ui/edit.h"
#include "ui/progress_bar.h"

class MultiCheckWindow : public ui::Dialog {
public:
    // Shows a computer's standard results (its check started at `checkedAt`, ISO 8601) in
    // the main window; false when it cannot now.
    using ResultsViewer =
        std::function<bool(const std::string& computer, const StandardStores& stores, const std::string& checkedAt)>;

    // Where a run's checks are kept, asked when a run starts (empty: not kept).
    using SinkProvider = std::function<CheckSink()>;

    // `shape`: the size and maximised state it was last left in (none: the template's).
    MultiCheckWindow(WmiConnector connector, WindowShape shape, ResultsViewer viewer, SinkProvider sinks = {});
    ~MultiCheckWindow() override;

    // The names field and the checks at a time, as the user would fill them.
    void SetNames(const std::string& text) const { names_.SetText(text); }
    std::string NamesText() const { return names_.Text(); }
    void SetParallel(int count) const { spin_.SetPos(count); }
    // The Run button: starts a run of the names, or stops the one running.
    void OnRunButton();
    bool IsRunning() const { return run_ != nullptr; }
    // Asks the running checks to stop, without waiting for them.
    void RequestStop() const
    {
        if (run_)
            run_->RequestStop();
    }
    // Reads a list file into the names field (the Load button without its dialog).
    bool LoadList(const std::string& path);
    // Adds names after those in the names field, as "From the directory..." and "Address
    // range..." do with the computers chosen.
    void AddNames(const std::vector<std::string>& names) const;
    // The double click on a row of the summary.
    void OpenRow(int row);

    // Shows the window over `owner`'s centre the first time, in the shape it was last
    // left in (maximised too); as it is the next times.
    void Open(HWND owner);
    // Its size and maximised state now, or when it was closed.
    WindowShape Shape() const;
    // The smallest size at which every control stays usable: the template's, in the
    // window's dpi.
    SIZE MinimumSize() const { return minimumSize_; }

    ResultList& SummaryList() { return list_; }
    const ui::ProgressBar& Progress() const { return progress_; }
    std::string StatusText() const { return status_.Text(); }

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnSize(UINT type, int width, int height) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void StartRun();
    void AppendFinished();
    // Hands a computer's check to the run's sink (a worker's, or the window's for a check
    // that read nothing).
    void KeepCheck(const ComputerSummary& summary, ComputerResult result, const StandardStores* stores) const;
    // The names, the checks at a time and saving: not while a run goes.
    void EnableInputs(bool enable) const;
    void ShowFinished();
    void EndRun();
    void AskForList();
    void FindComputers(FindComputersDialog::Source source);
    void SaveSummary();
    void FindInList();
    void OnColumnClick(int column);
    bool OnHeaderNotify(NMHDR* header);
    void Close();
    void RememberShape();

    WmiConnector connector_;
    ResultsViewer viewer_;
    SinkProvider sinks_;
    CheckSink runSink_;   // the running run's; set before its workers start
    ui::Edit names_;
    ui::Edit parallel_;
    ui::UpDown spin_;
    ui::Window runButton_;
    ui::Window status_;
    ui::ProgressBar progress_;
    ResultList list_;
    SortMemory sort_;
    std::vector<size_t> computerOfRow_;   // the list index of the computer each row shows
    std::vector<std::string> computers_;
    std::vector<std::string> checkedAt_;   // per computer, once its check finished
    std::unordered_map<std::string, size_t> indexOf_;   // computer -> its place in computers_
    std::unique_ptr<MultiCheck> run_;
    std::mutex keptLock_;                 // the workers hand over the stores they read
    std::vector<std::unique_ptr<StandardStores>> kept_;
    ui::AnchorLayout layout_;
    SIZE minimumSize_{};
    std::vector<int> userWidths_;   // the column widths the user dragged, 0 elsewhere
    bool placed_ = false;
    WindowShape shape_;
};
