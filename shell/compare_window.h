// The comparison of two stored checks of one computer: the categories (or the class) with
// their counts of added, removed and changed objects (only those with changes unless asked
// for all), those not read completely named and not compared, and the changes as a result
// list (category, object, change, property, before, after), added and removed objects
// shown by the properties an administrator recognises them by. Values that change by themselves are
// left out unless asked for. Selecting a category shows its changes alone. The checks are
// read and compared off the window's thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "listtools/result_pane.h"
#include "shell/store_task.h"
#include "store/check_comparison.h"
#include "ui/anchor_layout.h"
#include "ui/dialog.h"

class CompareWindow : public ui::Dialog {
public:
    // Compares check `later` with the latest of `earlier` (latest first) that read
    // something: the previous check, or a second chosen one.
    CompareWindow(StoreLocation location, int64_t later, std::vector<int64_t> earlier);
    ~CompareWindow() override;

    bool IsReading() const { return pending_ != nullptr; }
    // Null before the checks were compared, or when they could not be.
    const CheckComparison* Comparison() const { return comparison_.get(); }
    std::string Heading() const { return heading_.Text(); }
    std::string StatusText() const { return status_.Text(); }

    ResultPane& Parts() { return parts_; }
    ResultPane& Changes() { return changes_; }
    // The check box: values that change by themselves shown or not.
    void ShowVolatile(bool show);
    // The check box "Only categories with changes" (on at first).
    void ShowChangedOnly(bool only);
    // Shows the changes of the category in that row of the categories' list (row 0: all).
    void ShowPart(int row);

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnSize(UINT type, int width, int height) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void TakeComparison();
    void ShowComparison();

    StoreLocation location_;
    int64_t later_;
    std::vector<int64_t> earlier_;
    ResultPane parts_;
    ResultPane changes_;
    ui::Window heading_;
    ui::Window status_;
    ui::AnchorLayout layout_;
    std::shared_ptr<StoreTask> pending_;
    std::shared_ptr<CheckComparison> reading_;   // what the pending task fills
    std::shared_ptr<const CheckComparison> comparison_;
    bool withVolatile_ = false;
    bool changedOnly_ = true;
};
