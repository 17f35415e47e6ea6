#include "shell/credential_prompt.h"

#include <wincred.h>

#include "base/narrow.h"
#include "base/system_library.h"
#include "resources/resource.h"
#include "resources/text.h"

bool AskForCredentials(HWND owner, const std::string& computer, Credentials& credentials)
{
    // credui.dll is no known DLL of the system: from the system folder, never beside the program.
    const SystemLibrary credui(L"credui.dll");
    decltype(&CredUIPromptForCredentialsW) prompt = nullptr;
    if (!credui.Find("CredUIPromptForCredentialsW", prompt))
        return false;
    const std::wstring caption = ToWide(LoadText(IDS_APP_TITLE));
    const std::wstring target = ToWide(computer);
    CREDUI_INFOW info{};
    info.cbSize = sizeof info;
    info.hwndParent = owner;
    info.pszCaptionText = caption.c_str();
    wchar_t user[CREDUI_MAX_USERNAME_LENGTH + 1] = {};
    wchar_t password[CREDUI_MAX_PASSWORD_LENGTH + 1] = {};
    BOOL save = FALSE;
    DWORD result = prompt(
        &info, target.c_str(), nullptr, 0, user, ARRAYSIZE(user), password, ARRAYSIZE(password), &save,
        CREDUI_FLAGS_GENERIC_CREDENTIALS | CREDUI_FLAGS_DO_NOT_PERSIST | CREDUI_FLAGS_ALWAYS_SHOW_UI);
    bool accepted = result == NO_ERROR && user[0] != L'\0';
    if (accepted) {
        credentials.user = user;
        credentials.password = SecretText(password);
    }
    SecureZeroMemory(password, sizeof password);
    return accepted;
}
