// Opens Mirel in the states that need another computer, for screenshots: Wine has no remote
// WMI and the tests may reach loopback only, so the test provider stands in for the computer.
//   remote_screens.exe incomplete   standard check whose every reading breaks off
//   remote_screens.exe ping         a computer that drops ping: the connect-anyway question
//   remote_screens.exe connectas    File > Connect as..., the platform's credential dialog
// tools/screenshots.sh runs it. Writes the file named by MIREL_READY_FILE when the window
// is ready, then keeps running until it is closed (or for a minute).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/icmp_probe.h"
#include "resources/resource.h"
#include "shell/application.h"
#include "shell/main_frame.h"
#include "tests/support/fake_wmi.h"
#include "ui/message_loop.h"

namespace {

DWORD WINAPI DropsPing(HANDLE, ULONG, LPVOID, WORD, void*, LPVOID, DWORD, DWORD)
{
    return 0;
}

void SignalReady()
{
    if (const char* ready = std::getenv("MIREL_READY_FILE")) {
        if (FILE* file = std::fopen(ready, "w"))
            std::fclose(file);
    }
}

FakeWmiScenario Computer()
{
    FakeWmiScenario scenario;
    scenario.objects = {{{L"Name", FakeValue::Text(L"Processor one")}, {L"Caption", FakeValue::Text(L"x64")}},
                        {{L"Name", FakeValue::Text(L"Processor two")}}};
    scenario.breakOffAfter = 1;
    return scenario;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string state = argc > 1 ? argv[1] : "incomplete";
    MirelApplication application;
    if (!application.Start(SW_SHOWNORMAL))
        return 1;
    MainFrame& frame = application.Frame();
    frame.Move(0, 0, 980, 640);
    MainView& view = frame.View();
    FakeWmiScenario computer = Computer();
    WmiConnector connector = FakeWmiConnector(&computer);
    if (state == "ping") {
        connector.icmp = LoadIcmpLibrary();
        connector.icmp->IcmpSendEcho = DropsPing;
    }
    view.SetWmiConnector(connector);
    SetWindowTextA(view.NameField(), "pc01.example.invalid");
    if (state == "incomplete") {
        // The connection itself is the test provider's: no name resolution needed.
        // The end of the check tells about the break-off in a modal box: the picture is
        // taken while it waits.
        SetWindowTextA(view.NameField(), "");
        view.StandardForm().SelectPageInTree(19);
        SignalReady();
        view.OnRunButton();
    } else {
        if (state == "ping")
            SetWindowTextA(view.NameField(), "127.0.0.1");
        // The question and the dialog are modal: the picture is taken while they wait.
        SignalReady();
        PostMessageW(frame.Handle(), WM_COMMAND, state == "ping" ? ID_CHECK_RUN : ID_CHECK_CONNECT_AS, 0);
    }
    ui::PumpMessagesUntil([&] { return !IsWindow(frame.Handle()); }, 60000);
    return 0;
}
