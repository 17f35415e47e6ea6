// The reports of the window program: File > Report... and the standard tab's Computer
// sheet, made off the window's thread from a real check of this computer and a real store
// file, written where the user chose (or into a temporary file) and handed to the opener
// instead of a browser.
#include "tests/shell/app_fixture.h"

#include "base/read_file.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/store_history.h"
#include "tests/support/temp_files.h"
#include "ui/save_dialog.h"

namespace {

class ReportWindowTest : public AppFixture {
protected:
    StoreSettings InitialStoreSettings() override
    {
        DeleteFileA(storePath_.c_str());
        StoreSettings settings;
        settings.store = storePath_;
        return settings;
    }
    void SetUp() override
    {
        AppFixture::SetUp();
        View().SetReportOpener([this](const std::string& path) {
            opened_.push_back(path);
            return true;
        });
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        ui::SetSaveFileHandler(nullptr);
        for (const char* suffix : {"", "-wal", "-shm"})
            DeleteFileA((storePath_ + suffix).c_str());
        DeleteFileA(reportPath_.c_str());
    }
    std::string Opened(size_t count)
    {
        PumpUntil([&] { return opened_.size() >= count; });
        std::string html;
        EXPECT_EQ(ReadWholeFile(opened_.back(), 64ull << 20, html), ReadFileResult::Read) << opened_.back();
        return html;
    }

    std::vector<std::string> opened_;
    const std::string storePath_ = TempPath("mirel-report-window-" + std::to_string(GetCurrentProcessId()) + ".db");
    const std::string reportPath_ = TempPath("mirel-report-" + std::to_string(GetCurrentProcessId()) + ".html");
};

}  // namespace

TEST_F(ReportWindowTest, FleetReportAndSheetOfTheLiveCheckOpenInTheBrowser)
{
    RunCheckToCompletion();
    PumpUntil([&] { return View().Keeper().Pending() == 0; });
    PumpFor(100);

    ui::SetSaveFileHandler([this](HWND, ui::SaveFileRequest& request, std::string& path) {
        EXPECT_EQ(request.defaultExtension, "html");
        path = reportPath_;
        return true;
    });
    Frame().RunCommand(ID_FILE_REPORT);
    const std::string fleet = Opened(1);
    EXPECT_EQ(opened_[0], reportPath_);
    EXPECT_NE(fleet.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(fleet.find(LoadText(IDS_REPORT_FLEET_TITLE)), std::string::npos);
    EXPECT_NE(fleet.find(storePath_), std::string::npos) << "the heading names the store";

    Frame().RunCommand(ID_STANDARD_SHEET);
    const std::string sheet = Opened(2);
    EXPECT_NE(opened_[1].find("\\Mirel\\"), std::string::npos) << opened_[1];
    EXPECT_NE(sheet.find("id=\"services\""), std::string::npos);
    EXPECT_EQ(sheet.find(LoadText(IDS_SHEET_NO_HISTORY)), std::string::npos) << "the check is in the store";
    EXPECT_TRUE(Messages().empty());
    DeleteFileA(opened_[1].c_str());
}

TEST_F(ReportWindowTest, SheetOfACheckNotKeptHasNoHistoryAndACancelledReportWritesNothing)
{
    Frame().RunCommand(ID_STANDARD_SHEET);
    PumpFor(200);
    EXPECT_TRUE(opened_.empty()) << "nothing is shown: no sheet";

    StoreSettings settings;
    settings.store = storePath_;
    settings.keepChecks = false;
    ASSERT_TRUE(View().Store().Change(settings));
    View().SetReportOpener([this](const std::string& path) {
        opened_.push_back(path);
        return false;   // no browser: told, the file stays
    });
    RunCheckToCompletion();
    Frame().RunCommand(ID_STANDARD_SHEET);
    const std::string sheet = Opened(1);
    EXPECT_NE(sheet.find(LoadText(IDS_SHEET_NO_HISTORY)), std::string::npos);
    PumpUntil([&] { return !Messages().empty(); });
    EXPECT_NE(Messages()[0].text.find(opened_[0]), std::string::npos);
    DeleteFileA(opened_[0].c_str());

    ui::SetSaveFileHandler([](HWND, ui::SaveFileRequest&, std::string&) { return false; });
    Frame().RunCommand(ID_FILE_REPORT);
    PumpFor(200);
    EXPECT_EQ(opened_.size(), 1u);
}
