// File > Options...: whether every check is kept, in which store (the default file,
// another file, or a server database whose password is asked for when connecting and never
// saved), and removing old checks from it.
#pragma once
#include <windows.h>

#include <string>

#include "shell/store_settings.h"
#include "ui/dialog.h"
#include "ui/edit.h"

class StoreOptionsDialog : public ui::Dialog {
public:
    explicit StoreOptionsDialog(StoreChoice& choice);

    // The settings as the dialog's controls stand; false (with `message`) when the chosen
    // store is named incompletely.
    bool ChosenSettings(StoreSettings& settings, std::string& message) const;
    // OK: keeps the chosen settings; false after a message when they are incomplete.
    bool Apply();
    // Remove: keeps the chosen settings, then removes from that store the checks older
    // than the days typed, off the window's thread; a message tells the result. False
    // when it did not start.
    bool Prune();
    bool IsPruning() const { return pruning_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void ShowChosenStore() const;
    void EnableStoreFields() const;
    void Browse();
    int ChosenRadio() const;

    StoreChoice& choice_;
    ui::Edit filePath_;
    ui::Edit connection_;
    ui::Edit days_;
    bool pruning_ = false;
};
