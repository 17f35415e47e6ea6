#include "shell/find_computers_dialog.h"

#include <algorithm>

#include "base/narrow.h"
#include "base/text_util.h"
#include "discovery/address_sweep.h"
#include "discovery/directory_reader.h"
#include "discovery/directory_source.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "ui/background_task.h"
#include "ui/dpi.h"
#include "ui/message_box.h"

namespace {

constexpr int kColumnWidth = 130;
// Fitting the columns to what was found, at 96 dpi: the list's margins around a text, the
// check box before the first column's, the widest a column is made, and how many rows are
// measured (enough to see the typical texts, quick at any size).
constexpr int kCellPadding = 14;
constexpr int kCheckBoxRoom = 22;
constexpr int kMaximumWidth = 360;
constexpr int kRowsMeasured = 300;

// Each column as wide as its header and the texts of its first rows, so that neither a
// Japanese header nor a DNS name is cut; a long one stays within reach of the scroll bar.
void FitColumns(const ui::ListView& list, const ResultModel& rows)
{
    const HWND window = list.Handle();
    const int padding = ui::ScalePixels(window, kCellPadding);
    for (int column = 0; column < list.ColumnCount() && column < rows.ColumnCount(); ++column) {
        int width = list.TextWidth(rows.Column(column).header) + padding * 2;
        for (int row = 0; row < rows.RowCount() && row < kRowsMeasured; ++row)
            width = std::max(width, list.TextWidth(rows.Cell(row, column)) + padding +
                                        (column == 0 ? ui::ScalePixels(window, kCheckBoxRoom) : 0));
        list.SetColumnWidth(column, std::clamp(width, ui::ScalePixels(window, kColumnWidth / 2),
                                               ui::ScalePixels(window, kMaximumWidth)));
    }
}

std::string FieldText(HWND dialog, int id)
{
    const HWND field = ::GetDlgItem(dialog, id);
    const int length = field ? GetWindowTextLengthW(field) : 0;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    if (length > 0)
        GetWindowTextW(field, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return TrimWhiteSpace(ToNarrow(text));
}

// The password field's text as a secret; the copies on the way are wiped.
SecretText TakePassword(HWND field)
{
    const int length = field ? GetWindowTextLengthW(field) : 0;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    if (length > 0)
        GetWindowTextW(field, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    SecretText secret(text);
    SecureZeroMemory(text.data(), text.size() * sizeof(wchar_t));
    return secret;
}

struct FindAnswer {
    std::vector<FoundComputer> found;
    std::string status;
};

FindAnswer ReadDirectoryOn(CheckContext& control, const DirectorySource& source)
{
    FindAnswer answer;
    DirectoryRead read;
    const DirectoryOutcome outcome = ReadDirectory(control, source, read);
    std::string notes;
    for (const std::string& notice : read.notices)
        notes += "\n" + notice;
    if (outcome != DirectoryOutcome::Read) {
        answer.status = read.message + notes;
        return answer;
    }
    answer.found = std::move(read.computers);
    answer.status = answer.found.empty() ? FillIn(LoadText(IDS_DIRECTORY_NONE_FOUND), read.serverText)
                                         : FillIn(LoadText(IDS_DIRECTORY_FOUND), std::to_string(answer.found.size()),
                                                  read.serverText);
    answer.status += notes;
    return answer;
}

FindAnswer SweepOn(CheckContext& control, const AddressRange& range, bool ping, const WmiConnector& connector)
{
    FindAnswer answer;
    if (!ping) {
        for (uint32_t index = 0; index < range.Count(); ++index)
            answer.found.push_back(FoundComputer{AddressText(range.first + index)});
        return answer;
    }
    SweepSettings settings;
    settings.icmp = connector.icmp;
    std::vector<std::string> answered;
    const SweepOutcome outcome = SweepRange(control, range, settings, answered);
    if (outcome == SweepOutcome::NoLibrary) {
        answer.status = LoadText(IDS_ICMP_NOT_LOADED);
        return answer;
    }
    for (std::string& address : answered)
        answer.found.push_back(FoundComputer{std::move(address)});
    answer.status = FillIn(LoadText(IDS_RANGE_SWEPT), std::to_string(answer.found.size()), std::to_string(range.Count()));
    return answer;
}

}  // namespace

FindComputersDialog::FindComputersDialog(Source source, WmiConnector connector)
    : ui::Dialog(source == Source::Directory ? IDD_FIND_DIRECTORY : IDD_FIND_RANGE), source_(source),
      connector_(std::move(connector))
{
}

FindComputersDialog::~FindComputersDialog()
{
    if (control_)
        control_->RequestStop();   // its answer goes to a window that is gone, and is dropped
}

bool FindComputersDialog::OnInitDialog()
{
    list_.Attach(::GetDlgItem(hwnd_, IDC_FIND_LIST));
    list_.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                           LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const ResultModel columns = FoundComputersModel({});
    const int shown = source_ == Source::Directory ? columns.ColumnCount() : 1;
    for (int column = 0; column < shown; ++column)
        list_.InsertColumn(column, columns.Column(column).header, ui::ScalePixels(hwnd_, kColumnWidth));
    if (source_ == Source::Range)
        CheckDlgButton(hwnd_, IDC_FIND_PING, BST_CHECKED);
    EnableWindow(::GetDlgItem(hwnd_, IDOK), FALSE);
    return true;
}

bool FindComputersDialog::OnCommand(int id, int code, HWND control)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_FIND_START:
        if (IsFinding())
            control_->RequestStop();
        else
            StartFind();
        return true;
    case IDC_FIND_ALL: CheckAll(true); return true;
    case IDC_FIND_NONE: CheckAll(false); return true;
    case IDOK: Accept(); return true;
    default: return ui::Dialog::OnCommand(id, code, control);
    }
}

bool FindComputersDialog::ReadDirectoryFields(DirectorySource& source) const
{
    std::string reason;
    const std::string address = FieldText(hwnd_, IDC_FIND_SOURCE);
    if (!address.empty() && !ParseDirectoryAddress(address, source, reason)) {
        ui::ShowMessageBox(hwnd_, reason, MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    const std::string days = FieldText(hwnd_, IDC_FIND_ACTIVE);
    if (!days.empty()) {
        if (days.size() > 5 || days.find_first_not_of("0123456789") != std::string::npos || std::stoi(days) < 1 ||
            std::stoi(days) > kMaxActiveDays) {
            ui::ShowMessageBox(hwnd_, LoadText(IDS_REPORT_BAD_ACTIVE) + days, MB_ICONEXCLAMATION | MB_OK);
            return false;
        }
        source.activeDays = std::stoi(days);
    }
    source.osPattern = ToWide(FieldText(hwnd_, IDC_FIND_OS));
    source.credentials.user = ToWide(FieldText(hwnd_, IDC_FIND_USER));
    if (!source.credentials.user.empty())
        source.credentials.password = TakePassword(::GetDlgItem(hwnd_, IDC_FIND_PASSWORD));
    return true;
}

bool FindComputersDialog::StartFind()
{
    if (IsFinding())
        return false;
    auto control = std::make_shared<CheckContext>();
    std::function<FindAnswer()> find;
    if (source_ == Source::Directory) {
        DirectorySource source;
        if (!ReadDirectoryFields(source))
            return false;
        find = [control, source] { return ReadDirectoryOn(*control, source); };
    } else {
        AddressRange range;
        std::string reason;
        if (!ParseAddressRange(FieldText(hwnd_, IDC_FIND_SOURCE), range, reason)) {
            ui::ShowMessageBox(hwnd_, reason, MB_ICONEXCLAMATION | MB_OK);
            return false;
        }
        const bool ping = IsDlgButtonChecked(hwnd_, IDC_FIND_PING) == BST_CHECKED;
        if (ping)
            SetStatus(FillIn(LoadText(IDS_RANGE_SWEEPING), std::to_string(range.Count()),
                             std::to_string(std::min<uint32_t>(kSweepAtATime, range.Count()))));
        find = [control, range, ping, connector = connector_] { return SweepOn(*control, range, ping, connector); };
    }
    control_ = control;
    HWND window = hwnd_;
    const bool started = ui::RunInBackground(window, [this, find]() -> ui::Continuation {
        auto answer = std::make_shared<FindAnswer>(find());
        return [this, answer] { ShowFound(std::move(answer->found), answer->status); };
    });
    if (!started) {
        control_.reset();
        return false;
    }
    SetDlgItemTextW(hwnd_, IDC_FIND_START, LoadTextW(IDS_FIND_STOP).c_str());
    for (int id : {IDC_FIND_SOURCE, IDC_FIND_USER, IDC_FIND_PASSWORD, IDC_FIND_ACTIVE, IDC_FIND_OS, IDC_FIND_PING, IDOK})
        if (HWND field = ::GetDlgItem(hwnd_, id))
            EnableWindow(field, FALSE);
    return true;
}

void FindComputersDialog::ShowFound(std::vector<FoundComputer> found, const std::string& status)
{
    const bool stopped = control_ && control_->IsStopRequested();
    EndFind();
    found_ = std::move(found);
    SendMessageW(list_.Handle(), WM_SETREDRAW, FALSE, 0);
    list_.DeleteAllItems();
    const ResultModel rows = FoundComputersModel(found_);
    for (int row = 0; row < rows.RowCount(); ++row) {
        const int item = list_.InsertItem(row, rows.Cell(row, 0), -1, row);
        for (int column = 1; column < list_.ColumnCount(); ++column)
            list_.SetItemText(item, column, rows.Cell(row, column));
        list_.SetItemState(item, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    }
    FitColumns(list_, rows);
    SendMessageW(list_.Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_.Handle(), nullptr, TRUE);
    SetStatus(stopped ? LoadText(IDS_DIRECTORY_STOPPED) : status);
    EnableWindow(::GetDlgItem(hwnd_, IDOK), !found_.empty());
}

void FindComputersDialog::EndFind()
{
    control_.reset();
    SetDlgItemTextW(hwnd_, IDC_FIND_START, LoadTextW(IDS_FIND_START).c_str());
    for (int id : {IDC_FIND_SOURCE, IDC_FIND_USER, IDC_FIND_PASSWORD, IDC_FIND_ACTIVE, IDC_FIND_OS, IDC_FIND_PING})
        if (HWND field = ::GetDlgItem(hwnd_, id))
            EnableWindow(field, TRUE);
}

void FindComputersDialog::CheckAll(bool check) const
{
    for (int item = 0; item < list_.ItemCount(); ++item)
        list_.SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

// The directory's status is a read-only edit that scrolls (a read can leave many notes),
// whose lines break at "\r\n"; the range's a static text, which takes either.
void FindComputersDialog::SetStatus(const std::string& text) const
{
    std::string lines;
    for (const char c : text) {
        if (c == '\n')
            lines += '\r';
        lines += c;
    }
    SetDlgItemTextW(hwnd_, IDC_FIND_STATUS, ToWide(lines).c_str());
}

std::string FindComputersDialog::StatusText() const
{
    std::string text = FieldText(hwnd_, IDC_FIND_STATUS);
    std::erase(text, '\r');
    return text;
}

void FindComputersDialog::Accept()
{
    if (IsFinding())
        return;
    chosen_.clear();
    for (int item = 0; item < list_.ItemCount(); ++item) {
        const auto row = static_cast<size_t>(list_.ItemData(item));
        if (row < found_.size() && (list_.ItemState(item, LVIS_STATEIMAGEMASK) >> 12) == 2)
            chosen_.push_back(found_[row].name);
    }
    EndDialog(IDOK);
}
