// Where the window program keeps its checks, stored beside "ApplicationLook": whether it
// keeps them at all (on unless turned off), and the store: the default file, another file,
// or a server database ("odbc:" and a connection string without its password, or a DSN).
// A server's password is asked for when the store is first used in a session and kept in
// memory only; it is never written to the registry.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "engine/credentials.h"
#include "db/store_location.h"

struct StoreSettings {
    bool keepChecks = true;
    std::string store;   // empty: the default file; a file's path; "odbc:" and a connection string
    int pruneDays = 365; // the age in days Options last removed checks above (or was closed with)
};

// What is stored under `subKey` of `root`; values missing or unreadable keep their defaults.
StoreSettings ReadStoreSettings(HKEY root, const std::string& subKey);
// Writes the settings, a connection string without its password; false when the key
// cannot be created or a value not written.
bool WriteStoreSettings(HKEY root, const std::string& subKey, const StoreSettings& settings);

// Asks for the password of `user` at the store described by `store`; false when the user
// cancelled. Tests answer instead of the dialog.
using StorePasswordPrompt =
    std::function<bool(HWND owner, const std::string& store, const std::string& user, SecretText& password)>;
bool AskForStorePassword(HWND owner, const std::string& store, const std::string& user, SecretText& password);

// The window program's choice of store: read from the registry at start, changed in
// Options, and the session's password of a server store. Lives on the window's thread.
class StoreChoice {
public:
    explicit StoreChoice(std::string settingsKey);

    const StoreSettings& Settings() const { return settings_; }
    bool KeepChecks() const { return settings_.keepChecks; }
    // Keeps new settings (and writes them, a connection without its password); a password
    // typed for another store is forgotten, one in the new connection string is kept for
    // this session.
    bool Change(const StoreSettings& settings);

    // The store described for the user: the file's path, or the server connection without
    // its password.
    std::string Describe() const;
    // The store to use now, with the session's password. A server store whose connection
    // names a user but no password asks for it (once a session); false when the user
    // cancelled or the settings name no usable store (`message` then says why, or is empty
    // after a cancel).
    bool CurrentLocation(HWND owner, StoreLocation& location, std::string& message);
    // After the server refused the login: the password is asked for again next time.
    void ForgetPassword() { password_.Wipe(); }

    void SetPasswordPrompt(StorePasswordPrompt prompt) { prompt_ = std::move(prompt); }

private:
    std::string settingsKey_;
    StoreSettings settings_;
    SecretText password_;
    StorePasswordPrompt prompt_;
};

// A server connection names a user whose password must be asked for.
bool NeedsPassword(const StoreLocation& location);
// The connection string with `password` added as PWD (in braces, "}" doubled).
std::string WithPassword(const std::string& connection, const SecretText& password);
