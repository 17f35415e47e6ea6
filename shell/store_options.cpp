#include "shell/store_options.h"

#include <memory>

#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/check_keeper.h"
#include "store/inventory_store.h"
#include "store/stored_check.h"
#include "store/store_prune.h"
#include "ui/background_task.h"
#include "ui/message_box.h"
#include "ui/open_dialog.h"

namespace {

constexpr char kOdbcPrefix[] = "odbc:";

// Removes the checks older than `days` from the store; the message to show.
std::string PruneAt(const StoreLocation& location, int days)
{
    std::string message;
    std::unique_ptr<InventoryStore> store = OpenWindowStore(location, StoreAccess::Read, message);
    if (!store)
        return message;
    PruneResult result;
    if (!PruneStore(store->Db(), days, CheckTime::Now().epoch, result))
        return store->FailureMessage();
    std::string told = FillIn(LoadText(IDS_STORE_PRUNED),
                              {CountText(result.removed, IDS_COUNT_CHECKS), CountText(days, IDS_COUNT_DAYS),
                               CountText(result.remaining, IDS_COUNT_CHECKS)});
    if (!result.notCompacted.empty())
        told += "\n" + FillIn(LoadText(IDS_PRUNE_NOT_COMPACTED), result.notCompacted);
    return told;
}

// A whole number of days, digits only.
bool ParseDays(const std::string& text, int& days)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    days = std::stoi(text);
    return true;
}

}  // namespace

StoreOptionsDialog::StoreOptionsDialog(StoreChoice& choice) : ui::Dialog(IDD_STORE_OPTIONS), choice_(choice) {}

bool StoreOptionsDialog::OnInitDialog()
{
    filePath_.Attach(::GetDlgItem(hwnd_, IDC_OPTIONS_FILE_PATH));
    connection_.Attach(::GetDlgItem(hwnd_, IDC_OPTIONS_CONNECTION));
    days_.Attach(::GetDlgItem(hwnd_, IDC_OPTIONS_PRUNE_DAYS));
    const StoreSettings& settings = choice_.Settings();
    CheckDlgButton(hwnd_, IDC_OPTIONS_KEEP, settings.keepChecks ? BST_CHECKED : BST_UNCHECKED);
    StoreLocation location;
    int radio = IDC_OPTIONS_DEFAULT;
    if (!settings.store.empty() && ParseStoreLocation(settings.store, location)) {
        if (location.kind == StoreLocation::Kind::Odbc) {
            radio = IDC_OPTIONS_SERVER;
            connection_.SetText(location.connection);
        } else {
            radio = IDC_OPTIONS_FILE;
            filePath_.SetText(location.path);
        }
    }
    CheckRadioButton(hwnd_, IDC_OPTIONS_DEFAULT, IDC_OPTIONS_SERVER, radio);
    days_.SetText(std::to_string(settings.pruneDays));
    EnableStoreFields();
    ShowChosenStore();
    return true;
}

int StoreOptionsDialog::ChosenRadio() const
{
    for (int id : {IDC_OPTIONS_FILE, IDC_OPTIONS_SERVER})
        if (IsDlgButtonChecked(hwnd_, id) == BST_CHECKED)
            return id;
    return IDC_OPTIONS_DEFAULT;
}

bool StoreOptionsDialog::ChosenSettings(StoreSettings& settings, std::string& message) const
{
    settings.keepChecks = IsDlgButtonChecked(hwnd_, IDC_OPTIONS_KEEP) == BST_CHECKED;
    // The days typed stay for the next time, when they are a valid age.
    int days = 0;
    settings.pruneDays = ParseDays(TrimWhiteSpace(days_.Text()), days) && days >= 1 && days <= kMaxPruneDays
                             ? days
                             : choice_.Settings().pruneDays;
    settings.store.clear();
    switch (ChosenRadio()) {
    case IDC_OPTIONS_FILE:
        settings.store = TrimWhiteSpace(filePath_.Text());
        if (settings.store.empty() || EqualsNoCase(settings.store.substr(0, sizeof kOdbcPrefix - 1), kOdbcPrefix)) {
            message = LoadText(IDS_OPTIONS_NO_FILE);
            return false;
        }
        return true;
    case IDC_OPTIONS_SERVER: {
        const std::string connection = TrimWhiteSpace(connection_.Text());
        if (connection.empty()) {
            message = LoadText(IDS_OPTIONS_NO_CONNECTION);
            return false;
        }
        settings.store = kOdbcPrefix + connection;
        return true;
    }
    default: return true;
    }
}

void StoreOptionsDialog::ShowChosenStore() const
{
    StoreSettings settings;
    std::string message;
    StoreLocation location;
    std::string shown;
    if (ChosenSettings(settings, message) && ParseStoreLocation(settings.store, location))
        shown = FillIn(LoadText(IDS_OPTIONS_STORE_IN_USE), DescribeStoreLocation(location));
    SetDlgItemTextW(hwnd_, IDC_OPTIONS_SHOWN, ToWide(shown).c_str());
}

void StoreOptionsDialog::EnableStoreFields() const
{
    const int radio = ChosenRadio();
    filePath_.Enable(radio == IDC_OPTIONS_FILE);
    EnableWindow(::GetDlgItem(hwnd_, IDC_OPTIONS_BROWSE), radio == IDC_OPTIONS_FILE);
    connection_.Enable(radio == IDC_OPTIONS_SERVER);
}

void StoreOptionsDialog::Browse()
{
    std::string path;
    if (!ui::AskOpenFileName(hwnd_, LoadText(IDS_FILTER_STORE), path))
        return;
    filePath_.SetText(path);
    ShowChosenStore();
}

bool StoreOptionsDialog::Apply()
{
    StoreSettings settings;
    std::string message;
    if (!ChosenSettings(settings, message)) {
        ui::ShowMessageBox(hwnd_, message, MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    // A password typed into the connection serves this session; the field and the registry
    // keep the connection without it.
    if (!choice_.Change(settings))
        ui::ShowMessageBox(hwnd_, LoadText(IDS_OPTIONS_NOT_WRITTEN), MB_ICONEXCLAMATION | MB_OK);
    connection_.SetText(WithoutPassword(TrimWhiteSpace(connection_.Text())));
    return true;
}

bool StoreOptionsDialog::Prune()
{
    const std::string typed = TrimWhiteSpace(days_.Text());
    int days = 0;
    if (!ParseDays(typed, days) || days < 1 || days > kMaxPruneDays) {
        ui::ShowMessageBox(hwnd_, LoadText(IDS_STORE_BAD_DAYS) + typed, MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    if (pruning_ || !Apply())
        return false;
    StoreLocation location;
    std::string message;
    if (!choice_.CurrentLocation(hwnd_, location, message)) {
        if (!message.empty())
            ui::ShowMessageBox(hwnd_, message, MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    if (ui::ShowMessageBox(hwnd_, FillIn(LoadText(IDS_OPTIONS_PRUNE_ASK), CountText(days, IDS_COUNT_DAYS), choice_.Describe()),
                           MB_ICONQUESTION | MB_YESNO) != IDYES)
        return false;
    pruning_ = true;
    EnableWindow(::GetDlgItem(hwnd_, IDC_OPTIONS_PRUNE), FALSE);
    SetDlgItemTextW(hwnd_, IDC_OPTIONS_SHOWN, ToWide(LoadText(IDS_STORE_PRUNING)).c_str());
    const bool started = ui::RunInBackground(hwnd_, [this, location, days]() -> ui::Continuation {
        std::string result = PruneAt(location, days);
        return [this, result] {
            pruning_ = false;
            EnableWindow(::GetDlgItem(hwnd_, IDC_OPTIONS_PRUNE), TRUE);
            ShowChosenStore();
            ui::ShowMessageBox(hwnd_, result, MB_ICONINFORMATION | MB_OK);
        };
    });
    if (!started) {
        pruning_ = false;
        EnableWindow(::GetDlgItem(hwnd_, IDC_OPTIONS_PRUNE), TRUE);
    }
    return started;
}

bool StoreOptionsDialog::OnCommand(int id, int code, HWND control)
{
    switch (id) {
    case IDC_OPTIONS_DEFAULT:
    case IDC_OPTIONS_FILE:
    case IDC_OPTIONS_SERVER:
        EnableStoreFields();
        ShowChosenStore();
        return true;
    case IDC_OPTIONS_FILE_PATH:
    case IDC_OPTIONS_CONNECTION:
        if (code == EN_CHANGE)
            ShowChosenStore();
        return true;
    case IDC_OPTIONS_BROWSE: Browse(); return true;
    case IDC_OPTIONS_PRUNE: Prune(); return true;
    case IDOK:
        if (!pruning_ && Apply())
            EndDialog(IDOK);
        return true;
    case IDCANCEL:
        if (!pruning_)
            EndDialog(IDCANCEL);
        return true;
    default: return ui::Dialog::OnCommand(id, code, control);
    }
}
