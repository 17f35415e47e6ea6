// The floor under a standard check: the same 28 queries of the category catalog against
// the local computer, each over its own connection as the check makes them, reading every
// object and every listed property, without rendering, decoding or writing anything.
// Prints the objects and values read; tools/bench-standard-check.sh times it against
// mirelrep.exe.
#include <windows.h>
#include <wbemidl.h>

#include <cstdio>
#include <string>

#include "engine/com_ptr.h"
#include "engine/domain_clause.h"
#include "base/narrow.h"
#include "standard/category_catalog.h"

namespace {

struct Counts {
    long objects = 0;
    long values = 0;
};

bool ReadQuery(const std::string& query, const wchar_t* const* properties, Counts& counts)
{
    ComPtr<IWbemLocator> locator;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWbemLocator, locator.ReceiveVoid())))
        return false;
    ComPtr<IWbemServices> services;
    Bstr path(L"root\\cimv2");
    if (FAILED(locator->ConnectServer(path.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                      services.Receive())))
        return false;
    if (FAILED(CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                 RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                 EOAC_NONE)))
        return false;
    ComPtr<IEnumWbemClassObject> enumerator;
    Bstr language(L"WQL"), text(ToWide(query));
    if (FAILED(services->ExecQuery(language.Get(), text.Get(),
                                   WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                   enumerator.Receive())))
        return false;
    for (;;) {
        ComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        HRESULT hr = enumerator->Next(WBEM_INFINITE, 1, object.Receive(), &returned);
        if (returned == 0 || !object)
            break;
        for (const wchar_t* const* name = properties; *name; ++name) {
            Bstr property(*name);
            Variant value;
            if (object->Get(property.Get(), 0, value.Receive(), nullptr, nullptr) == WBEM_S_NO_ERROR)
                ++counts.values;
        }
        ++counts.objects;
        if (hr != WBEM_S_NO_ERROR)
            break;
    }
    return true;
}

}  // namespace

int main()
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return 4;
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    Counts counts;
    std::string domainClause;
    int exitCode = 0;
    for (const StandardCategory& category : kStandardCategories) {
        std::string query = category.query;
        if (TakesDomainClause(category.classId)) {
            if (domainClause.empty())
                domainClause = BuildDomainClause(WmiConnector{}, "");
            query += domainClause;
        }
        if (!ReadQuery(query, category.propertyNames, counts)) {
            std::fprintf(stderr, "query failed: %s\n", query.c_str());
            exitCode = 4;
        }
    }
    std::printf("%ld objects, %ld values\n", counts.objects, counts.values);
    CoUninitialize();
    return exitCode;
}
