#include "shell/store_settings.h"

#include <wincred.h>

#include "base/narrow.h"
#include "base/system_library.h"
#include "base/registry_values.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/store_prune.h"

namespace {

constexpr char kKeepChecksValue[] = "KeepChecks";
constexpr char kPruneDaysValue[] = "PruneDays";
constexpr char kStoreValue[] = "InventoryStore";
constexpr char kOdbcPrefix[] = "odbc:";

bool IsServerText(const std::string& text)
{
    StoreLocation location;
    return ParseStoreLocation(text, location) && location.kind == StoreLocation::Kind::Odbc;
}

// The store's text as it may be written: a server connection loses its password.
std::string WritableStoreText(const std::string& text)
{
    if (!IsServerText(text))
        return text;
    StoreLocation location;
    ParseStoreLocation(text, location);
    return kOdbcPrefix + WithoutPassword(location.connection);
}

std::string UserOf(const std::string& connection)
{
    for (const char* name : {"UID", "User", "Username", "User ID"}) {
        std::string user = ConnectionValue(connection, name);
        if (!user.empty())
            return user;
    }
    return {};
}

}  // namespace

StoreSettings ReadStoreSettings(HKEY root, const std::string& subKey)
{
    StoreSettings settings;
    const UniqueKey key = OpenSettingsKey(root, subKey);
    if (!key)
        return settings;
    DWORD keep = 0;
    if (ReadNumberValue(key.Get(), kKeepChecksValue, keep))
        settings.keepChecks = keep != 0;
    DWORD days = 0;
    if (ReadNumberValue(key.Get(), kPruneDaysValue, days) && days >= 1 && days <= kMaxPruneDays)
        settings.pruneDays = static_cast<int>(days);
    std::string store;
    if (ReadTextValue(key.Get(), kStoreValue, store))
        settings.store = WritableStoreText(store);
    return settings;
}

bool WriteStoreSettings(HKEY root, const std::string& subKey, const StoreSettings& settings)
{
    const UniqueKey key = CreateSettingsKey(root, subKey);
    if (!key)
        return false;
    const bool written = WriteNumberValue(key.Get(), kKeepChecksValue, settings.keepChecks ? 1 : 0) &&
                         WriteNumberValue(key.Get(), kPruneDaysValue, static_cast<DWORD>(settings.pruneDays));
    return WriteTextValue(key.Get(), kStoreValue, WritableStoreText(settings.store)) && written;
}

bool AskForStorePassword(HWND owner, const std::string& store, const std::string& user, SecretText& password)
{
    // credui.dll is no known DLL of the system: from the system folder, never beside the program.
    const SystemLibrary credui(L"credui.dll");
    decltype(&CredUIPromptForCredentialsW) prompt = nullptr;
    if (!credui.Find("CredUIPromptForCredentialsW", prompt))
        return false;
    const std::wstring caption = ToWide(LoadText(IDS_APP_TITLE));
    const std::wstring message = ToWide(FillIn(LoadText(IDS_STORE_PASSWORD_FOR), store));
    const std::wstring target = ToWide(store);
    CREDUI_INFOW info{};
    info.cbSize = sizeof info;
    info.hwndParent = owner;
    info.pszCaptionText = caption.c_str();
    info.pszMessageText = message.c_str();
    wchar_t name[CREDUI_MAX_USERNAME_LENGTH + 1] = {};
    wchar_t typed[CREDUI_MAX_PASSWORD_LENGTH + 1] = {};
    const std::wstring wideUser = ToWide(user);
    wcsncpy(name, wideUser.c_str(), CREDUI_MAX_USERNAME_LENGTH);
    BOOL save = FALSE;
    const DWORD result = prompt(
        &info, target.c_str(), nullptr, 0, name, ARRAYSIZE(name), typed, ARRAYSIZE(typed), &save,
        CREDUI_FLAGS_GENERIC_CREDENTIALS | CREDUI_FLAGS_DO_NOT_PERSIST | CREDUI_FLAGS_ALWAYS_SHOW_UI |
            CREDUI_FLAGS_KEEP_USERNAME);
    const bool accepted = result == NO_ERROR;
    if (accepted)
        password = SecretText(typed);
    SecureZeroMemory(typed, sizeof typed);
    return accepted;
}

bool NeedsPassword(const StoreLocation& location)
{
    return location.kind == StoreLocation::Kind::Odbc && !UserOf(location.connection).empty() &&
           PasswordOf(location.connection).empty();
}

std::string WithPassword(const std::string& connection, const SecretText& password)
{
    std::string braced;
    for (char character : ToNarrow(std::wstring_view(password.Get(), password.Length()))) {
        braced += character;
        if (character == '}')
            braced += '}';
    }
    std::string text = connection;
    while (!text.empty() && (text.back() == ';' || text.back() == ' '))
        text.pop_back();
    return text + ";PWD={" + braced + "}";
}

StoreChoice::StoreChoice(std::string settingsKey)
    : settingsKey_(std::move(settingsKey)), settings_(ReadStoreSettings(HKEY_CURRENT_USER, settingsKey_))
{
}

bool StoreChoice::Change(const StoreSettings& settings)
{
    StoreSettings kept = settings;
    kept.store = WritableStoreText(settings.store);
    if (kept.store != settings_.store)
        password_.Wipe();
    // A password typed into the connection string serves this session, unwritten.
    StoreLocation typed;
    if (ParseStoreLocation(settings.store, typed) && typed.kind == StoreLocation::Kind::Odbc &&
        !PasswordOf(typed.connection).empty())
        password_ = SecretText(ToWide(PasswordOf(typed.connection)));
    settings_ = kept;
    return WriteStoreSettings(HKEY_CURRENT_USER, settingsKey_, settings_);
}

std::string StoreChoice::Describe() const
{
    StoreLocation location;
    if (!ParseStoreLocation(settings_.store, location))
        return settings_.store;
    return DescribeStoreLocation(location);
}

bool StoreChoice::CurrentLocation(HWND owner, StoreLocation& location, std::string& message)
{
    message.clear();
    if (!ParseStoreLocation(settings_.store, location)) {
        message = FillIn(LoadText(IDS_STORE_NOT_USABLE), settings_.store);
        return false;
    }
    if (!NeedsPassword(location))
        return true;
    if (password_.Empty()) {
        const StorePasswordPrompt& ask = prompt_ ? prompt_ : StorePasswordPrompt(AskForStorePassword);
        SecretText typed;
        if (!ask(owner, DescribeStoreLocation(location), UserOf(location.connection), typed))
            return false;
        password_ = typed;
    }
    location.connection = WithPassword(location.connection, password_);
    return true;
}
