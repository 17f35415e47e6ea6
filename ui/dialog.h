// Dialog: a dialog box made from a template, modal (RunModal) or a modeless child
// (CreateModeless).
//
// One static dialog procedure captures `this` at WM_INITDIALOG and routes every later
// message to the virtual OnMessage, which calls the typed hooks. Templates of the
// resources are loaded in the text language (resources/text.h), so dialogs and string
// texts always agree; a template built in memory may be given instead.
//
// A modeless dialog registers itself as the message filter of its window: its default
// PreTranslateMessage runs IsDialogMessage on keyboard input (Tab, arrows, Enter, Esc,
// mnemonics). Derived dialogs intercept keys first and call the base for the rest.
// A modal dialog runs the system's own dialog loop.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/message_loop.h"
#include "ui/window.h"

namespace ui {

class Dialog : public Window, public MessageFilter {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}
    explicit Dialog(const DLGTEMPLATE* memoryTemplate) : memoryTemplate_(memoryTemplate) {}
    ~Dialog() override;

    // Shows the dialog modally; returns the EndDialog result, or -1 when the dialog
    // could not be created.
    INT_PTR RunModal(HWND parent);
    // Creates the dialog as a modeless window (a child when the template says so);
    // false when it could not be created.
    bool CreateModeless(HWND parent);

    // Ends a modal dialog with `result`, or destroys a modeless one.
    void EndDialog(INT_PTR result);
    bool IsModal() const { return modal_; }

    bool PreTranslateMessage(MSG& message) override;

protected:
    // After the controls exist. True lets the system give the focus to the first
    // control; false when the handler placed the focus itself.
    virtual bool OnInitDialog() { return true; }
    // True when handled. The default ends a modal dialog on IDOK and IDCANCEL.
    virtual bool OnCommand(int id, int code, HWND control);
    // True when handled; `result` becomes the notification's result.
    virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
    virtual void OnSize(UINT /*type*/, int /*width*/, int /*height*/) {}
    // Every message after WM_INITDIALOG; returns what a dialog procedure returns
    // (nonzero when handled). The default calls the hooks above.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Sets the result of the message being handled (DWLP_MSGRESULT).
    void SetMessageResult(LRESULT result) const { SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result); }

private:
    static INT_PTR CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    const DLGTEMPLATE* Template() const;

    UINT templateId_ = 0;
    const DLGTEMPLATE* memoryTemplate_ = nullptr;
    bool modal_ = false;
};

// The dialog template `id` of the program's resources in the text language, or in any
// language when that one is missing; null when there is none.
const DLGTEMPLATE* FindDialogTemplate(UINT id);

}  // namespace ui
