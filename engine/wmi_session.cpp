#include "engine/wmi_session.h"

#include <memory>

#include "base/handles.h"
#include "base/narrow.h"
#include "base/text_util.h"
#include "engine/bounded_call.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

constexpr wchar_t kNamespace[] = L"root\\cimv2";
constexpr long kQueryFlags = WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY;

HRESULT CreateSystemLocator(IWbemLocator** locator)
{
    return CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                            reinterpret_cast<void**>(locator));
}

HRESULT InitializeSystemComSecurity()
{
    return CoInitializeSecurity(nullptr, -1, nullptr, nullptr, kWmiAuthenticationLevel,
                                RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
}

// Access denied by WMI, or any Win32 error (access denied, RPC server unavailable...).
bool IsAccessFailure(HRESULT hr)
{
    return hr == static_cast<HRESULT>(WBEM_E_ACCESS_DENIED) ||
           (static_cast<unsigned long>(hr) >> 16) == 0x8007;
}

std::wstring NamespacePath(const std::string& host)
{
    std::string trimmed = TrimWhiteSpace(host);
    if (trimmed.empty())
        return kNamespace;
    return L"\\\\" + ToWide(trimmed) + L"\\" + kNamespace;
}

}  // namespace

void WmiSession::Release()
{
    Enumerator.Reset();
    Services.Reset();
    Locator.Reset();
    Identity.reset();
}

std::string SystemErrorText(HRESULT hr)
{
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = (length && buffer) ? ToNarrow(std::wstring_view(buffer, length)) : std::string();
    LocalFree(buffer);
    return text;
}

void ComposeErrorText(std::string& out, const std::string& message, HRESULT hr)
{
    out = message + "\n\n[" + LoadText(IDS_LABEL_CODE) + "]\n" + HexCode(static_cast<unsigned long>(hr)) + "\n[" +
          LoadText(IDS_LABEL_DESCRIPTION) + "]\n" + SystemErrorText(hr);
}

bool InitializeComForCheck(const ComApartment& apartment, const WmiConnector& connector, std::string& errorText,
                           HRESULT* code)
{
    HRESULT hr = apartment.Result();
    UINT failedStep = IDS_COM_INIT_FAILED;
    if (SUCCEEDED(hr)) {
        hr = connector.initializeSecurity ? connector.initializeSecurity() : InitializeSystemComSecurity();
        failedStep = IDS_COM_SECURITY_FAILED;
        if (SUCCEEDED(hr) || hr == RPC_E_TOO_LATE)
            return true;
    }
    ComposeErrorText(errorText, LoadText(failedStep), hr);
    if (code)
        *code = hr;
    return false;
}

namespace {

// One connection attempt, shared by the check that waits for it and the thread that makes
// it. A check that stops waiting leaves the attempt: the thread then releases what it got,
// in its own apartment, when its calls finally return.
struct ConnectAttempt {
    // In: copied, so that the attempt outlives the check.
    WmiConnector connector;
    std::wstring path;
    std::wstring query;
    Credentials credentials;
    // Out.
    WmiSession session;
    HRESULT result = S_OK;
    UINT failedStep = 0;        // message of the step that failed; 0: connected
    CallHandOver handOver;
};

HRESULT SetBlanket(IUnknown* proxy, COAUTHIDENTITY* identity)
{
    return CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                             kWmiAuthenticationLevel, RPC_C_IMP_LEVEL_IMPERSONATE, identity,
                             EOAC_NONE);
}

// The calls themselves, on the attempt's thread.
void MakeConnection(ConnectAttempt& attempt)
{
    WmiSession& session = attempt.session;
    HRESULT hr = attempt.connector.createLocator ? attempt.connector.createLocator(session.Locator.Receive())
                                                 : CreateSystemLocator(session.Locator.Receive());
    if (FAILED(hr) || !session.Locator) {
        attempt.result = FAILED(hr) ? hr : E_POINTER;
        attempt.failedStep = IDS_LOCATOR_FAILED;
        return;
    }
    const bool asAccount = !attempt.credentials.Empty();
    Bstr path(attempt.path);
    Bstr user(attempt.credentials.user);
    Bstr password(std::wstring_view(attempt.credentials.password.Get(), attempt.credentials.password.Length()));
    hr = session.Locator->ConnectServer(path.Get(), asAccount ? user.Get() : nullptr,
                                        asAccount ? password.Get() : nullptr, nullptr,
                                        WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr, nullptr,
                                        session.Services.Receive());
    if (BSTR secret = password.Get())
        SecureZeroMemory(secret, SysStringByteLen(secret));
    if (FAILED(hr) || !session.Services) {
        attempt.result = FAILED(hr) ? hr : E_POINTER;
        attempt.failedStep = IDS_CONNECT_FAILED;
        return;
    }
    std::unique_ptr<ProxyIdentity> identity;
    if (asAccount)
        identity = std::make_unique<ProxyIdentity>(attempt.credentials);
    COAUTHIDENTITY* authInfo = identity ? identity->Get() : nullptr;
    hr = SetBlanket(session.Services.Get(), authInfo);
    if (FAILED(hr)) {
        attempt.result = hr;
        attempt.failedStep = IDS_PROXY_BLANKET_FAILED;
        return;
    }
    Bstr language(L"WQL");
    Bstr queryText(attempt.query);
    hr = session.Services->ExecQuery(language.Get(), queryText.Get(), kQueryFlags, nullptr,
                                     session.Enumerator.Receive());
    if (FAILED(hr) || !session.Enumerator) {
        attempt.result = FAILED(hr) ? hr : E_POINTER;
        attempt.failedStep = IDS_QUERY_FAILED;
        return;
    }
    // The enumerator is a proxy of its own when the computer is another one; an object in
    // this process has no blanket to set.
    if (authInfo)
        SetBlanket(session.Enumerator.Get(), authInfo);
    session.Identity = std::move(identity);
}

// The attempt's thread: the calls, in an apartment of its own.
void ConnectOnThisThread(const std::shared_ptr<ConnectAttempt>& attempt)
{
    ComApartment apartment;
    try {
        MakeConnection(*attempt);
    } catch (...) {
        attempt->result = E_OUTOFMEMORY;
        attempt->failedStep = IDS_CONNECT_FAILED;
    }
    attempt->credentials.password.Wipe();
    // A failed attempt hands nothing over, and nobody waits for one that was left.
    if (attempt->failedStep != 0)
        attempt->session.Release();
    if (!attempt->handOver.Finish([] {}))
        attempt->session.Release();
}

// A failed step as the check's problem and as the text to show.
ConnectOutcome Fail(CheckContext& check, UINT step, HRESULT hr, std::string& errorText)
{
    if (step == IDS_CONNECT_FAILED && IsAccessFailure(hr)) {
        errorText = LoadText(IDS_ACCESS_DENIED);
        check.NoteProblem({CheckProblem::AccessDenied, hr, errorText});
        return ConnectOutcome::Failed;
    }
    ComposeErrorText(errorText, LoadText(step), hr);
    check.NoteProblem({CheckProblem::WmiError, hr, LoadText(step)});
    return ConnectOutcome::Failed;
}

}  // namespace

void FailNotAnswering(CheckContext& check, std::string& errorText)
{
    const std::string host = TrimWhiteSpace(check.Host());
    errorText = FillIn(LoadText(IDS_HOST_NO_ANSWER_IN_TIME), host.empty() ? LoadText(IDS_LOCAL_COMPUTER) : host,
                       std::to_string((check.Limits().queryTimeLimitMs + 999) / 1000));
    check.NoteProblem({CheckProblem::NoAnswer, S_OK, errorText});
}

ConnectOutcome ConnectWmi(CheckContext& check, const std::string& query, ULONGLONG deadline,
                          std::string& errorText, WmiSession& session)
{
    session.Release();
    const std::string host = TrimWhiteSpace(check.Host());
    if (host.empty() && !check.AccountCredentials().Empty()) {
        // WMI itself refuses another account for the local computer.
        return Fail(check, IDS_CONNECT_FAILED, static_cast<HRESULT>(WBEM_E_LOCAL_CREDENTIALS), errorText);
    }
    auto attempt = std::make_shared<ConnectAttempt>();
    if (!attempt->handOver.IsValid())
        return Fail(check, IDS_CONNECT_FAILED, HRESULT_FROM_WIN32(GetLastError()), errorText);
    attempt->connector = check.Connector();
    attempt->path = NamespacePath(host);
    attempt->query = ToWide(query);
    attempt->credentials = check.AccountCredentials();
    if (!RunOnOwnThread([attempt] { ConnectOnThisThread(attempt); }))
        return Fail(check, IDS_CONNECT_FAILED, HRESULT_FROM_WIN32(GetLastError()), errorText);
    switch (attempt->handOver.Wait(check, deadline)) {
    case CallWait::Stopped:
        return ConnectOutcome::Stopped;
    case CallWait::TimedOut:
        FailNotAnswering(check, errorText);
        return ConnectOutcome::Failed;
    case CallWait::Done:
        break;
    }
    if (attempt->failedStep != 0)
        return Fail(check, attempt->failedStep, attempt->result, errorText);
    session = std::move(attempt->session);
    return ConnectOutcome::Connected;
}
