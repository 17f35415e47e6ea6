#include "shell/window_reporter.h"

#include "individual/form_individual.h"
#include "shell/app_windows.h"
#include "shell/main_frame.h"
#include "standard/form_standard.h"
#include "ui/message_box.h"

namespace {

HWND FrameWindow()
{
    return TheApp().frame ? TheApp().frame->Handle() : nullptr;
}

HWND IndividualFormWindow()
{
    return TheApp().individualForm ? TheApp().individualForm->Handle() : nullptr;
}

}  // namespace

int WindowReporter::ShowMessage(const std::string& text, UINT flags)
{
    return ui::ShowMessageBox(FrameWindow(), text, flags);
}

void WindowReporter::StandardStoresCleared()
{
    if (TheApp().standardForm)
        SendMessageA(TheApp().standardForm->Handle(), WM_STANDARD_STORES_CLEARED, 0, 0);
}

std::string WindowReporter::SelectedClassText()
{
    std::string text;
    if (HWND form = IndividualFormWindow())
        SendMessageA(form, WM_GET_CLASS_TEXT, reinterpret_cast<WPARAM>(&text), 0);
    return text;
}

void WindowReporter::AddClassRows(std::vector<ClassResultRow> rows)
{
    if (HWND form = IndividualFormWindow())
        SendMessageA(form, WM_CLASS_ROWS_READY, reinterpret_cast<WPARAM>(&rows), 0);
}

void WindowReporter::SelectFirstClassRow()
{
    if (HWND form = IndividualFormWindow())
        SendMessageA(form, WM_SELECT_FIRST_CLASS_ROW, 0, 0);
}
