#include "engine/wmi_session.h"

#include <atomic>

#include "render/text_util.h"
#include "resources/format_text.h"
#include "resources/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

constexpr wchar_t kNamespace[] = L"root\\cimv2";
constexpr long kQueryFlags = WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY;

std::atomic<LocatorFactory> g_locatorFactory{nullptr};
std::atomic<ComSecurityInitializer> g_securityInitializer{nullptr};

HRESULT CreateSystemLocator(IWbemLocator** locator)
{
    return CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                            reinterpret_cast<void**>(locator));
}

HRESULT InitializeSystemComSecurity()
{
    return CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
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
}

void SetLocatorFactory(LocatorFactory factory)
{
    g_locatorFactory = factory;
}

void SetComSecurityInitializer(ComSecurityInitializer initializer)
{
    g_securityInitializer = initializer;
}

std::string SystemErrorText(HRESULT hr)
{
    char* buffer = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = (length && buffer) ? std::string(buffer, length) : std::string();
    LocalFree(buffer);
    return text;
}

void ComposeErrorText(std::string& out, const std::string& message, HRESULT hr)
{
    const std::string code = FormatText("0x%8.8X", static_cast<unsigned>(hr));
    out = message + "\n\n[" + LoadText(IDS_LABEL_CODE) + "]\n" + code + "\n[" +
          LoadText(IDS_LABEL_DESCRIPTION) + "]\n" + SystemErrorText(hr);
}

int InitializeComForCheck(std::string& errorText)
{
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(hr)) {
        ComposeErrorText(errorText, LoadText(IDS_COM_INIT_FAILED), hr);
        return -1;
    }
    ComSecurityInitializer initializer = g_securityInitializer.load();
    hr = initializer ? initializer() : InitializeSystemComSecurity();
    if (FAILED(hr) && hr != RPC_E_TOO_LATE) {
        ComposeErrorText(errorText, LoadText(IDS_COM_SECURITY_FAILED), hr);
        return -1;
    }
    return 0;
}

int ConnectWmi(std::string host, std::string query, std::string& errorText, WmiSession& session)
{
    session.Release();
    LocatorFactory factory = g_locatorFactory.load();
    HRESULT hr = factory ? factory(session.Locator.Receive())
                         : CreateSystemLocator(session.Locator.Receive());
    if (FAILED(hr) || !session.Locator) {
        ComposeErrorText(errorText, LoadText(IDS_LOCATOR_FAILED), FAILED(hr) ? hr : E_POINTER);
        session.Release();
        return -1;
    }

    Bstr path(NamespacePath(host));
    hr = session.Locator->ConnectServer(path.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                        session.Services.Receive());
    if (FAILED(hr) || !session.Services) {
        if (IsAccessFailure(hr))
            errorText = LoadText(IDS_ACCESS_DENIED);
        else
            ComposeErrorText(errorText, LoadText(IDS_CONNECT_FAILED), hr);
        session.Release();
        return -1;
    }

    hr = CoSetProxyBlanket(session.Services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                           RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    if (FAILED(hr)) {
        ComposeErrorText(errorText, LoadText(IDS_PROXY_BLANKET_FAILED), hr);
        session.Release();
        return -1;
    }

    Bstr language(L"WQL");
    Bstr queryText(ToWide(query));
    hr = session.Services->ExecQuery(language.Get(), queryText.Get(), kQueryFlags, nullptr,
                                     session.Enumerator.Receive());
    if (FAILED(hr) || !session.Enumerator) {
        ComposeErrorText(errorText, LoadText(IDS_QUERY_FAILED), hr);
        session.Release();
        return -1;
    }
    return 0;
}
