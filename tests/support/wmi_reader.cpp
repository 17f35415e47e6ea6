#include "tests/support/wmi_reader.h"

#include "engine/com_ptr.h"

std::vector<RawWmiObject> ReadLocalWmi(const std::wstring& query,
                                       const std::vector<std::wstring>& properties)
{
    std::vector<RawWmiObject> objects;
    ComPtr<IWbemLocator> locator;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWbemLocator, locator.ReceiveVoid())))
        return objects;
    ComPtr<IWbemServices> services;
    Bstr path(L"root\\cimv2");
    if (FAILED(locator->ConnectServer(path.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                      services.Receive())))
        return objects;
    ComPtr<IEnumWbemClassObject> enumerator;
    Bstr language(L"WQL"), text(query);
    if (FAILED(services->ExecQuery(language.Get(), text.Get(), WBEM_FLAG_FORWARD_ONLY, nullptr,
                                   enumerator.Receive())))
        return objects;
    for (;;) {
        ComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        enumerator->Next(WBEM_INFINITE, 1, object.Receive(), &returned);
        if (returned == 0)
            break;
        RawWmiObject raw;
        for (const std::wstring& name : properties) {
            FakeValue value;
            if (object->Get(name.c_str(), 0, &value.Get(), nullptr, nullptr) == WBEM_S_NO_ERROR)
                raw[name] = value;
        }
        objects.push_back(std::move(raw));
    }
    return objects;
}
