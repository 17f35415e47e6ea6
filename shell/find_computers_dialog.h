// The two ways Check several computers... finds names: "From the directory..." (a server
// and base, the account to sign in as, the filters) and "Address range..." (a range and
// whether to ping it). Find reads the directory or sweeps the range on a thread of its own
// (never on the window's), Stop or Cancel ends it within a second, and the computers found
// fill a preview list with check boxes, all checked; OK hands over the checked names.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "discovery/found_computer.h"
#include "engine/check_context.h"
#include "ui/dialog.h"
#include "ui/list_view.h"

class FindComputersDialog : public ui::Dialog {
public:
    enum class Source { Directory, Range };
    FindComputersDialog(Source source, WmiConnector connector = {});
    ~FindComputersDialog() override;

    // Find: reads the source as the fields stand; false (after a message) when they do not
    // name one, or a search still runs.
    bool StartFind();
    bool IsFinding() const { return control_ != nullptr; }
    // Checks or unchecks every computer of the preview.
    void CheckAll(bool check) const;
    int FoundCount() const { return static_cast<int>(found_.size()); }
    std::string StatusText() const;
    // The names checked when OK closed the dialog, in the preview's order.
    const std::vector<std::string>& Chosen() const { return chosen_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    bool ReadDirectoryFields(struct DirectorySource& source) const;
    void ShowFound(std::vector<FoundComputer> found, const std::string& status);
    void SetStatus(const std::string& text) const;
    void EndFind();
    void Accept();

    Source source_;
    WmiConnector connector_;
    ui::ListView list_;
    std::shared_ptr<CheckContext> control_;   // the running search's stop
    std::vector<FoundComputer> found_;
    std::vector<std::string> chosen_;
};
