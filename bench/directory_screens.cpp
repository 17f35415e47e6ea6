// Opens Check several computers... with "From the directory..." over it, for screenshots:
// the directory named by MIREL_DIRECTORY is read as the dialog's Find reads it (the
// account and password of MIREL_DIRECTORY_USER and MIREL_DIRECTORY_PASSWORD, the
// operating system pattern of MIREL_DIRECTORY_OS), and a few computers of the preview are
// unchecked. With MIREL_RANGE set, "Address range..." instead, sweeping that range. tools/screenshots.sh runs it (with a directory server of its own). Writes the
// file named by MIREL_READY_FILE when the preview is filled, then keeps running until it is
// closed (or for a minute).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/narrow.h"
#include "resources/resource.h"
#include "shell/application.h"
#include "shell/find_computers_dialog.h"
#include "shell/main_frame.h"
#include "shell/main_view.h"
#include "shell/multi_check_window.h"

namespace {

constexpr UINT_PTR kPollTimer = 7;
constexpr UINT kGiveUpMs = 60000;

std::wstring Setting(const char* name)
{
    const char* value = std::getenv(name);
    return value ? ToWide(value) : std::wstring();
}

void SignalReady()
{
    if (const char* ready = std::getenv("MIREL_READY_FILE")) {
        if (FILE* file = std::fopen(ready, "w"))
            std::fclose(file);
    }
}

class ShotDialog : public FindComputersDialog {
public:
    explicit ShotDialog(Source source) : FindComputersDialog(source), shotSource_(source) {}

protected:
    bool OnInitDialog() override
    {
        FindComputersDialog::OnInitDialog();
        if (shotSource_ == Source::Range) {
            SetDlgItemTextW(hwnd_, IDC_FIND_SOURCE, Setting("MIREL_RANGE").c_str());
        } else {
            SetDlgItemTextW(hwnd_, IDC_FIND_SOURCE, Setting("MIREL_DIRECTORY").c_str());
            SetDlgItemTextW(hwnd_, IDC_FIND_USER, Setting("MIREL_DIRECTORY_USER").c_str());
            SetDlgItemTextW(hwnd_, IDC_FIND_PASSWORD, Setting("MIREL_DIRECTORY_PASSWORD").c_str());
            SetDlgItemTextW(hwnd_, IDC_FIND_OS, Setting("MIREL_DIRECTORY_OS").c_str());
            SetDlgItemTextW(hwnd_, IDC_FIND_ACTIVE, L"90");
        }
        StartFind();
        SetTimer(hwnd_, kPollTimer, 100, nullptr);
        return true;
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kPollTimer && !IsFinding()) {
            KillTimer(hwnd_, kPollTimer);
            // A few computers left out, as an administrator would before adding them.
            const HWND list = ::GetDlgItem(hwnd_, IDC_FIND_LIST);
            for (int item : {2, 3, 6})
                ListView_SetCheckState(list, item, FALSE);
            // The user's password never shows, not even as dots of its length: typed anew.
            if (shotSource_ == Source::Directory)
                SetDlgItemTextW(hwnd_, IDC_FIND_PASSWORD, L"");
            ::SetFocus(list);
            SignalReady();
            return TRUE;
        }
        return FindComputersDialog::OnMessage(message, wParam, lParam);
    }

private:
    Source shotSource_;
};

}  // namespace

int main()
{
    MirelApplication application;
    if (!application.Start(SW_SHOWNORMAL))
        return 1;
    MainFrame& frame = application.Frame();
    frame.Move(0, 0, 980, 640);
    frame.View().OpenMultiCheck();
    MultiCheckWindow* several = frame.View().MultiCheck();
    if (several)
        several->SetNames("pc-typed-01\r\npc-typed-02\r\n");
    SetTimer(nullptr, 0, kGiveUpMs, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
    ShotDialog dialog(std::getenv("MIREL_RANGE") ? FindComputersDialog::Source::Range
                                                  : FindComputersDialog::Source::Directory);
    dialog.RunModal(several ? several->Handle() : frame.Handle());
    return 0;
}
