#include <gtest/gtest.h>

#include "tests/ui/ui_test_util.h"
#include "ui/button.h"
#include "ui/dialog.h"
#include "ui/message_loop.h"

namespace {

constexpr WORD kNameEdit = 100;
constexpr WORD kOtherEdit = 101;
constexpr WORD kRunButton = 102;
constexpr UINT kEndWithResult = WM_APP + 1;

// A child form like the ones the tab control hosts: two edits and a button.
uitest::DialogTemplate ChildFormTemplate()
{
    uitest::DialogTemplate form(WS_CHILD | DS_CONTROL, 200, 80);
    form.AddControl(0x81, L"", kNameEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 6, 6, 100, 14);
    form.AddControl(0x81, L"", kOtherEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 6, 26, 100, 14);
    form.AddControl(0x80, L"Run", kRunButton, WS_TABSTOP | BS_PUSHBUTTON, 120, 6, 60, 14);
    return form;
}

class RecordingDialog : public ui::Dialog {
public:
    using Dialog::Dialog;

    bool controlsAtInit = false;
    int clickedId = 0;
    HWND clickedControl = nullptr;
    bool postEndAtInit = false;
    bool postCancelAtInit = false;

protected:
    bool OnInitDialog() override
    {
        controlsAtInit = Handle() && GetDlgItem(kNameEdit).IsValid();
        if (postEndAtInit)
            PostMsg(kEndWithResult, 42);
        if (postCancelAtInit)
            PostMsg(WM_COMMAND, IDCANCEL);
        return true;
    }
    bool OnCommand(int id, int code, HWND control) override
    {
        if (id == kRunButton && code == BN_CLICKED) {
            clickedId = id;
            clickedControl = control;
            return true;
        }
        return Dialog::OnCommand(id, code, control);
    }
    bool OnNotify(NMHDR* header, LRESULT& result) override
    {
        result = header->code == 99 ? 1234 : 0;
        return header->code == 99;
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kEndWithResult) {
            EndDialog(static_cast<INT_PTR>(wParam));
            return TRUE;
        }
        return Dialog::OnMessage(message, wParam, lParam);
    }
};

TEST(Dialog, ModelessChildFromATemplateInMemory)
{
    uitest::HostWindow host;
    auto form = ChildFormTemplate();
    RecordingDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateModeless(host.Handle()));

    EXPECT_TRUE(dialog.controlsAtInit);
    EXPECT_EQ(GetParent(dialog.Handle()), host.Handle());
    EXPECT_FALSE(dialog.IsModal());

    ui::Button run(dialog.GetDlgItem(kRunButton).Handle());
    run.Click();
    EXPECT_EQ(dialog.clickedId, kRunButton);
    EXPECT_EQ(dialog.clickedControl, run.Handle());

    // A handled notification answers through DWLP_MSGRESULT.
    NMHDR handled{run.Handle(), kRunButton, 99};
    EXPECT_EQ(dialog.SendMsg(WM_NOTIFY, kRunButton, reinterpret_cast<LPARAM>(&handled)), 1234);
    NMHDR ignored{run.Handle(), kRunButton, 98};
    EXPECT_EQ(dialog.SendMsg(WM_NOTIFY, kRunButton, reinterpret_cast<LPARAM>(&ignored)), 0);

    // The child goes with its parent, and the object forgets it.
    host.Destroy();
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(Dialog, ModelessDialogOwnsItsWindow)
{
    uitest::HostWindow host;
    auto form = ChildFormTemplate();
    HWND handle = nullptr;
    {
        RecordingDialog dialog(form.Get());
        ASSERT_TRUE(dialog.CreateModeless(host.Handle()));
        handle = dialog.Handle();
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST(Dialog, TabMovesTheFocusThroughTheMessagePump)
{
    uitest::HostWindow host;
    host.Show(SW_SHOW);
    auto form = ChildFormTemplate();
    RecordingDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateModeless(host.Handle()));
    ui::Window first = dialog.GetDlgItem(kNameEdit);
    first.SetFocus();
    ASSERT_TRUE(first.HasFocus());

    // The dialog's own filter (IsDialogMessage) moves the focus on.
    first.PostMsg(WM_KEYDOWN, VK_TAB, 0);
    ui::PumpMessagesUntil([&] { return !first.HasFocus(); }, 2000);
    EXPECT_EQ(GetFocus(), dialog.GetDlgItem(kOtherEdit).Handle());
}

TEST(Dialog, ModalDialogReturnsTheResultOfEndDialog)
{
    uitest::HostWindow host;
    uitest::DialogTemplate box(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 150, 60, L"Find");
    box.AddControl(0x80, L"OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 90, 40, 50, 14);

    RecordingDialog dialog(box.Get());
    dialog.postEndAtInit = true;
    EXPECT_EQ(dialog.RunModal(host.Handle()), 42);
    EXPECT_EQ(dialog.Handle(), nullptr);

    RecordingDialog cancelled(box.Get());
    cancelled.postCancelAtInit = true;
    EXPECT_EQ(cancelled.RunModal(host.Handle()), IDCANCEL);
}

TEST(Dialog, MissingTemplateFailsPlainly)
{
    RecordingDialog dialog(60001u);
    EXPECT_EQ(dialog.RunModal(nullptr), -1);
    EXPECT_FALSE(dialog.CreateModeless(nullptr));
    EXPECT_EQ(ui::FindDialogTemplate(60001), nullptr);
}

}  // namespace
