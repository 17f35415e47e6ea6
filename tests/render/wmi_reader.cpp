#include "tests/render/wmi_reader.h"

#include <wbemidl.h>

#include <cstdio>

#include "resources/narrow.h"

namespace {

// Owns one COM reference.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    Interface** Receive()
    {
        Reset();
        return &pointer_;
    }
    Interface* Release()
    {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }
    void Reset()
    {
        if (pointer_)
            pointer_->Release();
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};

// Owns a BSTR.
class Bstr {
public:
    explicit Bstr(const wchar_t* text) : value_(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return value_; }

private:
    BSTR value_;
};

// Clears a VARIANT on leaving.
struct VariantHolder {
    VARIANT value;
    VariantHolder() { VariantInit(&value); }
    ~VariantHolder() { VariantClear(&value); }
};

std::string ScalarText(const VARIANT& value)
{
    char buffer[64] = {};
    switch (value.vt) {
    case VT_BSTR: return value.bstrVal ? ToNarrow(value.bstrVal) : std::string();
    case VT_I2: std::snprintf(buffer, sizeof buffer, "%hd", value.iVal); break;
    case VT_I4: std::snprintf(buffer, sizeof buffer, "%ld", value.lVal); break;
    case VT_UI1: std::snprintf(buffer, sizeof buffer, "%d", value.bVal); break;
    case VT_UI2: std::snprintf(buffer, sizeof buffer, "%hu", value.uiVal); break;
    case VT_UI4: std::snprintf(buffer, sizeof buffer, "%lu", value.ulVal); break;
    case VT_BOOL: return value.boolVal == VARIANT_TRUE ? "True" : "False";
    default: break;
    }
    return buffer;
}

}  // namespace

WmiReader::WmiReader()
{
    status_ = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(status_))
        return;
    comInitialised_ = true;
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    ComRef<IWbemLocator> locator;
    status_ = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                               reinterpret_cast<void**>(locator.Receive()));
    if (FAILED(status_))
        return;
    ComRef<IWbemServices> services;
    Bstr path(L"root\\cimv2");
    status_ = locator->ConnectServer(path, nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                     services.Receive());
    if (FAILED(status_))
        return;
    status_ = CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    if (FAILED(status_))
        return;
    services_ = services.Release();
}

WmiReader::~WmiReader()
{
    if (services_)
        services_->Release();
    if (comInitialised_)
        CoUninitialize();
}

std::vector<WmiValue> WmiReader::Read(const wchar_t* className, const wchar_t* property)
{
    std::vector<WmiValue> values;
    if (!services_)
        return values;
    std::wstring query = std::wstring(L"SELECT ") + property + L" FROM " + className;
    Bstr language(L"WQL");
    Bstr text(query.c_str());
    ComRef<IEnumWbemClassObject> objects;
    if (FAILED(services_->ExecQuery(language, text, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                    nullptr, objects.Receive())))
        return values;
    for (;;) {
        ComRef<IWbemClassObject> object;
        ULONG count = 0;
        if (objects->Next(WBEM_INFINITE, 1, object.Receive(), &count) != WBEM_S_NO_ERROR || count == 0)
            break;
        VariantHolder value;
        if (FAILED(object->Get(property, 0, &value.value, nullptr, nullptr)))
            continue;
        if (value.value.vt == VT_EMPTY || value.value.vt == VT_NULL)
            continue;
        values.push_back({value.value.vt, ScalarText(value.value)});
    }
    return values;
}
