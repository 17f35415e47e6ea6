// Preparing a worker thread for COM, and opening the WMI connection over which one
// query runs. Failures come with a ready-to-show text.
#pragma once
#include <windows.h>
#include <wbemidl.h>

#include <memory>
#include <string>

#include "engine/check_context.h"
#include "engine/com_ptr.h"

// The open connection of one query: locator, services of root\cimv2 on the host, and
// the forward-only enumerator of the query.
struct WmiSession {
    ComPtr<IWbemLocator> Locator;
    ComPtr<IWbemServices> Services;
    ComPtr<IEnumWbemClassObject> Enumerator;
    std::unique_ptr<ProxyIdentity> Identity;   // another account's, while the proxies live

    // Releases enumerator, services and locator, in this order, then the identity.
    void Release();
};

// The signed and encrypted authentication level of every WMI proxy, and of the process's
// COM security.
inline constexpr DWORD kWmiAuthenticationLevel = RPC_C_AUTHN_LEVEL_PKT_PRIVACY;

// COM for a check on the calling thread: its `apartment` entered, and the process-wide COM
// security set through the connector. True on success (also when security was already set
// by an earlier check); false with errorText composed (and the HRESULT in `code` when
// given) otherwise.
bool InitializeComForCheck(const ComApartment& apartment, const WmiConnector& connector, std::string& errorText,
                           HRESULT* code = nullptr);

// Connected; failed (errorText set); the check was stopped while it waited.
enum class ConnectOutcome { Connected, Failed, Stopped };

// Connects to root\cimv2 of the check's computer (empty: the local one), as the check's
// account when it has one, and issues the WQL query. The calls run on a thread of their
// own so that a computer that does not answer can be left: the wait ends with the check's
// stop (Stopped) or at `deadline` (a GetTickCount64 time; Failed with the "did not answer"
// text). Connected with all three references in session; otherwise session stays empty.
// A failure is also noted as the check's problem.
ConnectOutcome ConnectWmi(CheckContext& check, const std::string& query, ULONGLONG deadline,
                          std::string& errorText, WmiSession& session);

// The check's computer did not answer a query within the check's time limit: notes that
// as the check's problem and sets errorText.
void FailNotAnswering(CheckContext& check, std::string& errorText);

// "<message>\n\n[Code]\n0x<HRESULT>\n[Description]\n<system text>"
void ComposeErrorText(std::string& out, const std::string& message, HRESULT hr);

// The system's description of hr in the user's language, unchanged; empty when none.
std::string SystemErrorText(HRESULT hr);
