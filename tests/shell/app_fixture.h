// The whole window program started in the test process (headless), with every message
// box recorded and answered by the test.
#pragma once
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "shell/run_state.h"
#include "shell/app_windows.h"
#include "shell/application.h"
#include "shell/main_frame.h"
#include "shell/store_settings.h"

struct RecordedMessage {
    std::string text;
    UINT flags;
};

class AppFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The store settings the program starts with: checks not kept, unless a test says so.
    virtual StoreSettings InitialStoreSettings();

    MainFrame& Frame() { return app_->Frame(); }
    MainView& View() { return Frame().View(); }
    FormStandard& Standard() { return View().StandardForm(); }
    FormIndividual& Individual() { return View().IndividualForm(); }

    // Pumps messages until `done` or the time limit; fails the test on time-out.
    void PumpUntil(const std::function<bool()>& done, DWORD limitMs = 60000);
    void PumpFor(DWORD milliseconds);
    // Presses Run and waits for the check's completion.
    void RunCheckToCompletion();
    bool CheckRunning() const { return app_->Frame().View().Run().RunningCheck != CheckKind::None; }

    // Picks a class in the individual form's three lists as the user would.
    void ChooseClass(int groupCode, int categoryCode, int classId);
    // Sends a key-down (with Shift, or Ctrl, held when asked) through the program's message path.
    void PressKey(HWND target, UINT key, bool shift = false, bool control = false);

    // Closes the program and starts it again, as a user would the next day; `between`
    // runs while it is closed (its layout saved).
    void RestartApp(const std::function<void()>& between = {});
    // Where this test's program keeps its layout (removed after the test).
    const std::string& SettingsKey() const { return settingsKey_; }

    std::vector<RecordedMessage> Messages();
    void AnswerMessagesWith(int answer) { answer_ = answer; }

private:
    std::string settingsKey_;
    std::unique_ptr<MirelApplication> app_;
    std::mutex lock_;
    std::vector<RecordedMessage> messages_;
    int answer_ = IDOK;
};
