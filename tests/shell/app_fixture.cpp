#include "tests/shell/app_fixture.h"

#include "individual/form_individual.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/store_settings.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"

void AppFixture::SetUp()
{
    SetTextLanguage(kEnglishLanguage);
    ui::SetMessageBoxHandler([this](HWND, const std::string& text, UINT flags) {
        std::lock_guard<std::mutex> guard(lock_);
        messages_.push_back({text, flags});
        return answer_ == IDOK && (flags & MB_YESNO) ? IDYES : answer_;
    });
    // Each test process keeps its layout apart: tests run side by side in one prefix.
    settingsKey_ = "Software\\Tollbrook\\MirelTests\\" + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, settingsKey_.c_str());
    // Checks go into a store only where a test asks for one.
    ASSERT_TRUE(WriteStoreSettings(HKEY_CURRENT_USER, settingsKey_, InitialStoreSettings()));
    app_ = std::make_unique<MirelApplication>(settingsKey_);
    ASSERT_TRUE(app_->Start(SW_SHOWNORMAL));
    PumpFor(50);
}

StoreSettings AppFixture::InitialStoreSettings()
{
    StoreSettings settings;
    settings.keepChecks = false;
    return settings;
}

void AppFixture::RestartApp(const std::function<void()>& between)
{
    app_.reset();
    PumpFor(20);
    if (between)
        between();
    app_ = std::make_unique<MirelApplication>(settingsKey_);
    ASSERT_TRUE(app_->Start(SW_SHOWNORMAL));
    PumpFor(50);
}

void AppFixture::TearDown()
{
    // A check still running must end before the windows go.
    if (CheckRunning()) {
        View().RequestStop();
        PumpUntil([this] { return !CheckRunning(); });
    }
    app_.reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, settingsKey_.c_str());
    ui::SetMessageBoxHandler(nullptr);
    SetTextLanguage(0);
}

void AppFixture::PumpUntil(const std::function<bool()>& done, DWORD limitMs)
{
    EXPECT_TRUE(ui::PumpMessagesUntil(done, limitMs)) << "timed out";
}

void AppFixture::PumpFor(DWORD milliseconds)
{
    ui::PumpMessagesUntil([] { return false; }, milliseconds);
}

void AppFixture::RunCheckToCompletion()
{
    View().OnRunButton();
    PumpUntil([this] { return !CheckRunning(); });
}

void AppFixture::ChooseClass(int groupCode, int categoryCode, int classId)
{
    ASSERT_TRUE(Individual().ChooseEntry(IDC_LEVEL1, groupCode));
    ASSERT_TRUE(Individual().ChooseEntry(IDC_LEVEL2, categoryCode));
    ASSERT_TRUE(Individual().ChooseEntry(IDC_LEVEL3, classId));
}

void AppFixture::PressKey(HWND target, UINT key, bool shift, bool control)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    const BYTE savedShift = keys[VK_SHIFT];
    const BYTE savedControl = keys[VK_CONTROL];
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG message{target, WM_KEYDOWN, key, 1, GetTickCount(), {}};
    ui::ProcessMessage(message);
    keys[VK_SHIFT] = savedShift;
    keys[VK_CONTROL] = savedControl;
    SetKeyboardState(keys);
    PumpFor(20);
}

std::vector<RecordedMessage> AppFixture::Messages()
{
    std::lock_guard<std::mutex> guard(lock_);
    return messages_;
}
