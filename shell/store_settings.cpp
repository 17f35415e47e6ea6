#include "shell/store_settings.h"

#include <wincred.h>

#include <vector>

#include "base/handles.h"
#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

using UniqueKey = UniqueResource<handle_traits::NullIsEmpty<HKEY, RegCloseKey>>;

constexpr char kKeepChecksValue[] = "KeepChecks";
constexpr char kStoreValue[] = "InventoryStore";
constexpr DWORD kMaximumTextBytes = 8192;
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
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return settings;
    UniqueKey key(opened);
    DWORD type = 0;
    DWORD keep = 0;
    DWORD size = sizeof keep;
    if (RegQueryValueExA(key.Get(), kKeepChecksValue, nullptr, &type, reinterpret_cast<BYTE*>(&keep), &size) ==
            ERROR_SUCCESS && type == REG_DWORD)
        settings.keepChecks = keep != 0;
    std::vector<wchar_t> text(kMaximumTextBytes / sizeof(wchar_t) + 1, L'\0');
    size = kMaximumTextBytes;
    if (RegQueryValueExW(key.Get(), ToWide(kStoreValue).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) == ERROR_SUCCESS && type == REG_SZ)
        settings.store = WritableStoreText(ToNarrow(text.data()));
    return settings;
}

bool WriteStoreSettings(HKEY root, const std::string& subKey, const StoreSettings& settings)
{
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey key(created);
    const DWORD keep = settings.keepChecks ? 1 : 0;
    bool written = RegSetValueExA(key.Get(), kKeepChecksValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&keep),
                                  sizeof keep) == ERROR_SUCCESS;
    // Wide, so that a path outside the ANSI code page stays whole.
    const std::wstring store = ToWide(WritableStoreText(settings.store));
    written &= RegSetValueExW(key.Get(), ToWide(kStoreValue).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(store.c_str()),
                              static_cast<DWORD>((store.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    return written;
}

bool AskForStorePassword(HWND owner, const std::string& store, const std::string& user, SecretText& password)
{
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
    const DWORD result = CredUIPromptForCredentialsW(
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
