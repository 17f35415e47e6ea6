// Winsock must come before windows.h.
#include <winsock2.h>

#include "shell/application.h"

#include <commctrl.h>
#include <ole2.h>

#include "resources/resource.h"
#include "resources/text.h"
#include "shell/check_keeper.h"
#include "shell/main_frame.h"
#include "shell/main_view.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"

MirelApplication::MirelApplication(std::string settingsKey) : settingsKey_(std::move(settingsKey)) {}

MirelApplication::~MirelApplication()
{
    frame_.reset();
    if (oleInitialised_)
        OleUninitialize();
}

bool MirelApplication::Start(int showCommand)
{
    frame_ = settingsKey_.empty() ? std::make_unique<MainFrame>() : std::make_unique<MainFrame>(settingsKey_);
    if (!frame_->CreateFrame())
        return false;
    // The frame (a window of our own, with its menu) shows at once, so that the system
    // places and draws it while the rest is made: the common controls are loaded, the bars
    // and the view's controls made and laid out before they are shown, and the window is
    // painted once, when they are there.
    frame_->Show(frame_->InitialShowCommand(showCommand));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
    if (!oleInitialised_) {
        ui::ShowMessageBox(frame_->Handle(), LoadText(IDS_OLE_INIT_FAILED), MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    if (!frame_->CreateView())
        return false;
    frame_->UpdateNow();
    return true;
}

int MirelApplication::Run()
{
    MSG message;
    for (;;) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (frame_)
                frame_->UpdateIdleState();
            WaitMessage();
            continue;
        }
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            return static_cast<int>(message.wParam);
        ui::ProcessMessage(message);
    }
}

int RunMirelApplication(HINSTANCE, int showCommand)
{
    MirelApplication application;
    if (!application.Start(showCommand))
        return 0;
    const int code = application.Run();
    // The window is gone: the checks still being recorded get a few seconds, and those
    // that could not be recorded by then are told, not dropped.
    TellChecksNotRecorded(application.Frame().View().Keeper().End());
    return code;
}
