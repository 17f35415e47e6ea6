/* Runs a check in the window program as a user would, from outside: starts mirel.exe, types
   the computer's name (none: this computer), clicks Run, waits for the check to end, closes
   whatever box it shows, and quits. Exit code 0 when the program started, checked and ended.
     window_check.exe <mirel.exe> [computer] */
#include <windows.h>

#include <stdio.h>

enum { kComputerNameId = 1001, kRunButtonId = 1002 };

struct Search {
    DWORD process;
    BOOL dialogs;   /* the boxes of the process (class #32770), else its main window */
    HWND found;
};

static BOOL CALLBACK FindWindowOf(HWND window, LPARAM parameter)
{
    struct Search* search = (struct Search*)parameter;
    DWORD owner = 0;
    wchar_t name[16] = L"";
    GetWindowThreadProcessId(window, &owner);
    GetClassNameW(window, name, 16);
    if (owner != search->process || !IsWindowVisible(window))
        return TRUE;
    if (search->dialogs ? lstrcmpW(name, L"#32770") == 0 : GetWindow(window, GW_OWNER) == NULL) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

static HWND WindowOf(DWORD process, BOOL dialogs)
{
    struct Search search = {process, dialogs, NULL};
    EnumWindows(FindWindowOf, (LPARAM)&search);
    return search.found;
}

struct Control {
    int id;
    HWND found;
};

static BOOL CALLBACK FindControl(HWND child, LPARAM parameter)
{
    struct Control* control = (struct Control*)parameter;
    if (GetDlgCtrlID(child) == control->id) {
        control->found = child;
        return FALSE;
    }
    return TRUE;
}

static HWND ControlOf(HWND window, int id)
{
    struct Control control = {id, NULL};
    EnumChildWindows(window, FindControl, (LPARAM)&control);
    return control.found;
}

static int Fail(const char* what, PROCESS_INFORMATION* process)
{
    fprintf(stderr, "window check: %s\n", what);
    TerminateProcess(process->hProcess, 1);
    return 1;
}

int wmain(int argc, wchar_t** argv)
{
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process = {0};
    wchar_t line[1024];
    HWND frame = NULL, button = NULL, box = NULL;
    wchar_t idle[32] = L"", text[32] = L"";
    int waited;
    if (argc < 2)
        return 2;
    wsprintfW(line, L"\"%s\"", argv[1]);
    if (!CreateProcessW(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return 1;
    /* The frame shows before its controls are made: wait for both. */
    for (waited = 0; waited < 300 && !button; ++waited) {
        if ((frame = WindowOf(process.dwProcessId, FALSE)) != NULL)
            button = ControlOf(frame, kRunButtonId);
        if (!button)
            Sleep(100);
    }
    if (!button)
        return Fail("no main window with a Run button", &process);
    WaitForInputIdle(process.hProcess, 10000);
    if (argc > 2)
        SendMessageW(ControlOf(frame, kComputerNameId), WM_SETTEXT, 0, (LPARAM)argv[2]);
    GetWindowTextW(button, idle, 32);
    PostMessageW(button, BM_CLICK, 0, 0);
    /* Running: the button reads Stop; ended: it reads Run again. */
    for (waited = 0; waited < 100; ++waited, Sleep(50))
        if (GetWindowTextW(button, text, 32), lstrcmpW(text, idle) != 0)
            break;
    for (waited = 0; waited < 1200; ++waited, Sleep(100))
        if (GetWindowTextW(button, text, 32), lstrcmpW(text, idle) == 0)
            break;
    if (lstrcmpW(text, idle) != 0)
        return Fail("the check did not end", &process);
    /* A box about the check (another computer cannot be read here) is answered No/OK. */
    Sleep(500);
    while ((box = WindowOf(process.dwProcessId, TRUE)) != NULL && waited++ < 1300) {
        PostMessageW(box, WM_COMMAND, ControlOf(box, IDNO) ? IDNO : IDOK, 0);
        Sleep(300);
    }
    PostMessageW(frame, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
        return Fail("the program did not end", &process);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
