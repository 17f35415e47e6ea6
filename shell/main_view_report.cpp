// File > Report... (the fleet report of the store) and the standard tab's Computer sheet
// (of the check shown, live, stored or opened from a file): made and written on a thread of
// their own, then opened in the default browser.
#include "shell/main_view.h"

#include <shellapi.h>

#include "base/narrow.h"
#include "base/text_util.h"
#include "listtools/text_sink.h"
#include "report/computer_sheet.h"
#include "report/fleet_report.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "standard/category_catalog.h"
#include "storetools/check_capture.h"
#include "ui/background_task.h"
#include "ui/message_box.h"
#include "ui/save_dialog.h"

namespace {

// Makes a page; false with a message ready to show.
using PageMaker = std::function<bool(std::string& html, std::string& message)>;

bool WriteReportFile(const std::string& path, const std::string& html, std::string& message)
{
    FileTextSink file;
    if (!file.Open(path)) {
        message = LoadText(IDS_FILE_OPEN_ERROR) + path;
        return false;
    }
    file.SetEncoding(TextEncoding::Utf8);
    if (!file.Write(html) || !file.Finish()) {
        message = LoadText(IDS_FILE_WRITE_ERROR) + path;
        return false;
    }
    return true;
}

std::unique_ptr<InventoryStore> OpenForReport(const StoreLocation& location, std::string& message)
{
    StoreOpenFailure failure = StoreOpenFailure::None;
    return InventoryStore::Open(location, StoreAccess::Query, 0, message, failure);
}

// A name for a file of the computer: characters a file name cannot hold become "_".
std::string FileNameOf(const std::string& computer)
{
    std::string name = computer.empty() ? "computer" : computer;
    for (char& character : name)
        if (static_cast<unsigned char>(character) < 0x20 || std::string_view("\\/:*?\"<>|").find(character) !=
                                                                std::string_view::npos)
            character = '_';
    return name;
}

// %TEMP%\Mirel\<computer>.html; empty when there is no temporary folder to write.
std::string TemporarySheetPath(const std::string& computer)
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH)
        return {};
    std::wstring path = std::wstring(folder, length) + L"Mirel";
    CreateDirectoryW(path.c_str(), nullptr);
    return ToNarrow(path) + "\\" + FileNameOf(computer) + ".html";
}

bool OpenInBrowser(const std::string& path)
{
    const std::wstring file = ToWide(path);
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

void MainView::MakeFleetReport()
{
    StoreLocation location;
    if (!StoreForWindows(location))
        return;
    ui::SaveFileRequest request{LoadText(IDS_FILTER_HTML), "html", "inventory-report.html"};
    std::string path;
    if (!ui::AskSaveFileName(GetParent(hwnd_), request, path))
        return;
    WriteReport(path, [location](std::string& html, std::string& message) {
        std::unique_ptr<InventoryStore> store = OpenForReport(location, message);
        if (!store)
            return false;
        const CheckTime now = CheckTime::Now();
        FleetFigures figures;
        std::string error;
        if (!ReadFleetFigures(store->Db(), now.epoch, figures, error)) {
            message = LoadText(IDS_REPORT_FAILED) + "\n" + error;
            return false;
        }
        html = FleetReportHtml(figures, DescribeStoreLocation(location), now);
        return true;
    });
}

std::shared_ptr<const StoredCheck> MainView::ShownStandardCheck() const
{
    if (shownStandardCheck_)
        return shownStandardCheck_;
    if (!run_.Stores.HasData())
        return nullptr;
    // Results kept as texts only (a check of several computers shown here).
    auto check = std::make_shared<StoredCheck>();
    check->header.computer = check->header.target = run_.StandardOrigin.computer;
    CheckTime::FromLocalText(run_.StandardOrigin.checkedAt, check->header.checkedAt);
    CaptureStandardStores(run_.Stores, kCategoryCount, false, *check);
    return check;
}

void MainView::MakeComputerSheet()
{
    const std::shared_ptr<const StoredCheck> check = ShownStandardCheck();
    if (!check) {
        ui::ShowMessageBox(GetParent(hwnd_), LoadText(IDS_SHEET_NOT_STANDARD), MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    // The history comes from the store when the window keeps one; the sheet is made without it otherwise.
    StoreLocation location;
    std::string ignored;
    const bool stored = storeChoice_->KeepChecks() && storeChoice_->CurrentLocation(GetParent(hwnd_), location, ignored);
    const std::string computer = check->header.computer.empty() ? LoadText(IDS_LOCAL_COMPUTER) : check->header.computer;
    const std::string path = TemporarySheetPath(computer);
    WriteReport(path, [check, stored, location](std::string& html, std::string&) {
        const CheckTime now = CheckTime::Now();
        SheetHistory history;
        std::string message, error;
        std::unique_ptr<InventoryStore> store = stored ? OpenForReport(location, message) : nullptr;
        if (store && !ReadSheetHistory(store->Db(), check->header.computer, now.epoch, history, error))
            history = SheetHistory{};
        html = ComputerSheetHtml(*check, history, now);
        return true;
    });
}

void MainView::WriteReport(const std::string& path, std::function<bool(std::string&, std::string&)> make)
{
    ShowStatusText(LoadText(IDS_REPORT_MAKING));
    const bool started = ui::RunInBackground(hwnd_, [this, path, make]() -> ui::Continuation {
        std::string html, message;
        const bool written = make(html, message) && WriteReportFile(path, html, message);
        return [this, path, written, message] {
            ShowStatusText(LoadText(IDS_READY));
            const HWND owner = GetParent(hwnd_);
            if (!written) {
                ui::ShowMessageBox(owner, message, MB_ICONEXCLAMATION | MB_OK);
                return;
            }
            ShowStatusText(FillIn(LoadText(IDS_REPORT_WRITTEN), path));
            if (!(reportOpener_ ? reportOpener_(path) : OpenInBrowser(path)))
                ui::ShowMessageBox(owner, FillIn(LoadText(IDS_REPORT_NOT_OPENED), path), MB_ICONEXCLAMATION | MB_OK);
        };
    });
    if (!started)
        ShowStatusText(LoadText(IDS_READY));
}
