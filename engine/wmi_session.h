// Preparing a worker thread for COM, and opening the WMI connection over which one
// query runs. Failures come back as -1 with a ready-to-show text.
#pragma once
#include <windows.h>
#include <wbemidl.h>

#include <string>

#include "engine/check_context.h"
#include "engine/com_ptr.h"

// The open connection of one query: locator, services of root\cimv2 on the host, and
// the forward-only enumerator of the query.
struct WmiSession {
    ComPtr<IWbemLocator> Locator;
    ComPtr<IWbemServices> Services;
    ComPtr<IEnumWbemClassObject> Enumerator;

    // Releases enumerator, services and locator, in this order.
    void Release();
};

// COM (multithreaded apartment) and process-wide COM security for the calling thread.
// 0 on success (also when security was already set by an earlier check); -1 with
// errorText composed otherwise. COM stays initialised either way: the caller
// uninitialises it.
int InitializeComForCheck(const WmiConnector& connector, std::string& errorText);

// Connects to root\cimv2 of host (empty: the local computer) and issues the WQL query.
// 0 with all three references in session; -1 with errorText set and session empty.
int ConnectWmi(const WmiConnector& connector, const std::string& host, const std::string& query,
               std::string& errorText, WmiSession& session);

// "<message>\n\n[Code]\n0x<HRESULT>\n[Description]\n<system text>"
void ComposeErrorText(std::string& out, const std::string& message, HRESULT hr);

// The system's description of hr in the user's language, unchanged; empty when none.
std::string SystemErrorText(HRESULT hr);
