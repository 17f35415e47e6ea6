// Asking for another account to connect as, in the platform's credential dialog.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "engine/credentials.h"

// Asks for the account to connect to `computer` as; false when the user cancelled. The
// dialog never stores what was typed.
bool AskForCredentials(HWND owner, const std::string& computer, Credentials& credentials);

// What the main view calls to ask (tests answer instead of the dialog).
using CredentialPrompt = std::function<bool(HWND owner, const std::string& computer, Credentials& credentials)>;
