#include "tests/support/fake_wmi.h"

#include <cwchar>

#include "engine/wmi_session.h"

namespace {

std::atomic<int> g_liveObjects{0};

// Reference counting and the live-object count shared by the fakes.
template <class... Interfaces>
class FakeComObject : public Interfaces... {
public:
    FakeComObject() { ++g_liveObjects; }
    virtual ~FakeComObject() { --g_liveObjects; }

    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    template <class Interface>
    HRESULT Answer(REFIID iid, void** out, Interface* self, REFIID own)
    {
        if (!IsEqualIID(iid, own))
            return E_NOINTERFACE;
        *out = self;
        AddRef();
        return S_OK;
    }

private:
    std::atomic<ULONG> references_{1};
};

#define FAKE_NOT_IMPLEMENTED { return WBEM_E_NOT_SUPPORTED; }

class FakeClassObject final : public FakeComObject<IWbemClassObject> {
public:
    FakeClassObject(FakeWmiScenario* scenario, const FakeObject& properties, int number)
        : scenario_(scenario), properties_(properties), number_(number)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown))
            return Answer(iid, out, static_cast<IWbemClassObject*>(this), IID_IUnknown);
        return Answer(iid, out, static_cast<IWbemClassObject*>(this), IID_IWbemClassObject);
    }
    HRESULT STDMETHODCALLTYPE Get(LPCWSTR name, LONG, VARIANT* value, CIMTYPE*, LONG*) override
    {
        int index = getCount_++;
        if (scenario_->onGet)
            scenario_->onGet(number_, index, name);
        for (const FakeProperty& property : properties_) {
            if (_wcsicmp(property.name.c_str(), name) != 0)
                continue;
            if (property.getResult != WBEM_S_NO_ERROR)
                return property.getResult;
            VariantInit(value);
            return VariantCopy(value, const_cast<VARIANT*>(&property.value.Get()));
        }
        return WBEM_E_NOT_FOUND;
    }
    HRESULT STDMETHODCALLTYPE GetQualifierSet(IWbemQualifierSet**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE Put(LPCWSTR, LONG, VARIANT*, CIMTYPE) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE Delete(LPCWSTR) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE GetNames(LPCWSTR, LONG, VARIANT*, SAFEARRAY**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE BeginEnumeration(LONG) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE Next(LONG, BSTR*, VARIANT*, CIMTYPE*, LONG*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE EndEnumeration() override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE GetPropertyQualifierSet(LPCWSTR, IWbemQualifierSet**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE Clone(IWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE GetObjectText(LONG, BSTR*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE SpawnDerivedClass(LONG, IWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE SpawnInstance(LONG, IWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE CompareTo(LONG, IWbemClassObject*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE GetPropertyOrigin(LPCWSTR, BSTR*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE InheritsFrom(LPCWSTR) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE GetMethod(LPCWSTR, LONG, IWbemClassObject**, IWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE PutMethod(LPCWSTR, LONG, IWbemClassObject*, IWbemClassObject*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE DeleteMethod(LPCWSTR) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE BeginMethodEnumeration(LONG) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE NextMethod(LONG, BSTR*, IWbemClassObject**, IWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE EndMethodEnumeration() override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE GetMethodQualifierSet(LPCWSTR, IWbemQualifierSet**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE GetMethodOrigin(LPCWSTR, BSTR*) override FAKE_NOT_IMPLEMENTED

private:
    FakeWmiScenario* scenario_;
    const FakeObject& properties_;
    int number_;
    int getCount_ = 0;
};

class FakeEnumerator final : public FakeComObject<IEnumWbemClassObject> {
public:
    explicit FakeEnumerator(FakeWmiScenario* scenario) : scenario_(scenario) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown))
            return Answer(iid, out, static_cast<IEnumWbemClassObject*>(this), IID_IUnknown);
        return Answer(iid, out, static_cast<IEnumWbemClassObject*>(this), IID_IEnumWbemClassObject);
    }
    HRESULT STDMETHODCALLTYPE Next(LONG timeout, ULONG count, IWbemClassObject** objects, ULONG* returned) override
    {
        *returned = 0;
        const FakeWmiScenario& scenario = *scenario_;
        if (count == 0)
            return WBEM_S_NO_ERROR;
        if (scenario.breakOffAfter >= 0 && next_ >= static_cast<size_t>(scenario.breakOffAfter))
            return WBEM_E_FAILED;
        if (scenario.stallAfter >= 0 && next_ >= static_cast<size_t>(scenario.stallAfter)) {
            Sleep(timeout < 0 ? 1000 : static_cast<DWORD>(timeout));
            return WBEM_S_TIMEDOUT;
        }
        if (next_ >= scenario.objects.size())
            return WBEM_S_FALSE;
        if (scenario.delayPerObjectMs)
            Sleep(scenario.delayPerObjectMs);
        objects[0] = new FakeClassObject(scenario_, scenario.objects[next_], static_cast<int>(next_) + 1);
        *returned = 1;
        ++next_;
        return next_ == scenario.objects.size() ? scenario.resultWithLastObject
                                                : static_cast<HRESULT>(WBEM_S_NO_ERROR);
    }
    HRESULT STDMETHODCALLTYPE Reset() override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE Skip(LONG, ULONG) override FAKE_NOT_IMPLEMENTED

private:
    FakeWmiScenario* scenario_;
    size_t next_ = 0;
};

class FakeServices final : public FakeComObject<IWbemServices, IClientSecurity> {
public:
    explicit FakeServices(FakeWmiScenario* scenario) : scenario_(scenario) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IClientSecurity))
            return Answer(iid, out, static_cast<IClientSecurity*>(this), IID_IClientSecurity);
        if (IsEqualIID(iid, IID_IUnknown))
            return Answer(iid, out, static_cast<IWbemServices*>(this), IID_IUnknown);
        return Answer(iid, out, static_cast<IWbemServices*>(this), IID_IWbemServices);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return FakeComObject::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return FakeComObject::Release(); }

    HRESULT STDMETHODCALLTYPE ExecQuery(const BSTR, const BSTR query, LONG, IWbemContext*,
                                        IEnumWbemClassObject** enumerator) override
    {
        scenario_->queries.emplace_back(query ? query : L"");
        if (FAILED(scenario_->queryResult))
            return scenario_->queryResult;
        *enumerator = new FakeEnumerator(scenario_);
        return S_OK;
    }
    // IClientSecurity: what CoSetProxyBlanket calls.
    HRESULT STDMETHODCALLTYPE QueryBlanket(IUnknown*, DWORD*, DWORD*, OLECHAR**, DWORD*, DWORD*, void**, DWORD*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE SetBlanket(IUnknown*, DWORD, DWORD, OLECHAR*, DWORD level, DWORD,
                                         void* identity, DWORD) override
    {
        scenario_->blanketLevel = level;
        scenario_->blanketIdentity = identity != nullptr;
        return scenario_->blanketResult;
    }
    HRESULT STDMETHODCALLTYPE CopyProxy(IUnknown*, IUnknown**) override FAKE_NOT_IMPLEMENTED

    HRESULT STDMETHODCALLTYPE OpenNamespace(const BSTR, LONG, IWbemContext*, IWbemServices**, IWbemCallResult**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE CancelAsyncCall(IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE QueryObjectSink(LONG, IWbemObjectSink**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE GetObject(const BSTR, LONG, IWbemContext*, IWbemClassObject**, IWbemCallResult**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE GetObjectAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE PutClass(IWbemClassObject*, LONG, IWbemContext*, IWbemCallResult**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE PutClassAsync(IWbemClassObject*, LONG, IWbemContext*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE DeleteClass(const BSTR, LONG, IWbemContext*, IWbemCallResult**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE DeleteClassAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE CreateClassEnum(const BSTR, LONG, IWbemContext*, IEnumWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE CreateClassEnumAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE PutInstance(IWbemClassObject*, LONG, IWbemContext*, IWbemCallResult**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE PutInstanceAsync(IWbemClassObject*, LONG, IWbemContext*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE DeleteInstance(const BSTR, LONG, IWbemContext*, IWbemCallResult**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE DeleteInstanceAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE CreateInstanceEnum(const BSTR, LONG, IWbemContext*, IEnumWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE CreateInstanceEnumAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE ExecQueryAsync(const BSTR, const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE ExecNotificationQuery(const BSTR, const BSTR, LONG, IWbemContext*, IEnumWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE ExecNotificationQueryAsync(const BSTR, const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE ExecMethod(const BSTR, const BSTR, LONG, IWbemContext*, IWbemClassObject*, IWbemClassObject**, IWbemCallResult**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE ExecMethodAsync(const BSTR, const BSTR, LONG, IWbemContext*, IWbemClassObject*, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED

private:
    FakeWmiScenario* scenario_;
};

class FakeLocator final : public FakeComObject<IWbemLocator> {
public:
    explicit FakeLocator(FakeWmiScenario* scenario) : scenario_(scenario) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown))
            return Answer(iid, out, static_cast<IWbemLocator*>(this), IID_IUnknown);
        return Answer(iid, out, static_cast<IWbemLocator*>(this), IID_IWbemLocator);
    }
    HRESULT STDMETHODCALLTYPE ConnectServer(const BSTR path, const BSTR user, const BSTR password,
                                            const BSTR, LONG, const BSTR, IWbemContext*,
                                            IWbemServices** services) override
    {
        if (scenario_->connectGate)
            WaitForSingleObject(scenario_->connectGate, INFINITE);
        scenario_->connectedPaths.emplace_back(path ? path : L"");
        scenario_->connectUsers.emplace_back(user ? user : L"");
        scenario_->passwordGiven = password && password[0];
        if (FAILED(scenario_->connectResult))
            return scenario_->connectResult;
        *services = new FakeServices(scenario_);
        return S_OK;
    }

private:
    FakeWmiScenario* scenario_;
};

}  // namespace

FakeValue::FakeValue(const FakeValue& other)
{
    VariantInit(&value_);
    VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
}

FakeValue& FakeValue::operator=(const FakeValue& other)
{
    if (this != &other)
        VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
    return *this;
}

FakeValue FakeValue::Null()
{
    FakeValue value;
    value.value_.vt = VT_NULL;
    return value;
}

FakeValue FakeValue::Text(const std::wstring& text)
{
    FakeValue value;
    value.value_.vt = VT_BSTR;
    value.value_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return value;
}

FakeValue FakeValue::I4(LONG number)
{
    FakeValue value;
    value.value_.vt = VT_I4;
    value.value_.lVal = number;
    return value;
}

FakeValue FakeValue::UI4(ULONG number)
{
    FakeValue value;
    value.value_.vt = VT_UI4;
    value.value_.ulVal = number;
    return value;
}

FakeValue FakeValue::Bool(bool flag)
{
    FakeValue value;
    value.value_.vt = VT_BOOL;
    value.value_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return value;
}

FakeValue FakeValue::TextArray(const std::vector<std::wstring>& texts)
{
    FakeValue value;
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(texts.size()));
    for (LONG index = 0; index < static_cast<LONG>(texts.size()); ++index) {
        BSTR element = SysAllocString(texts[index].c_str());
        SafeArrayPutElement(array, &index, element);
        SysFreeString(element);
    }
    value.value_.vt = VT_ARRAY | VT_BSTR;
    value.value_.parray = array;
    return value;
}

FakeValue FakeValue::I4Array(const std::vector<LONG>& numbers)
{
    FakeValue value;
    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(numbers.size()));
    for (LONG index = 0; index < static_cast<LONG>(numbers.size()); ++index) {
        LONG element = numbers[index];
        SafeArrayPutElement(array, &index, &element);
    }
    value.value_.vt = VT_ARRAY | VT_I4;
    value.value_.parray = array;
    return value;
}

WmiConnector FakeWmiConnector(FakeWmiScenario* scenario)
{
    WmiConnector connector;
    if (!scenario)
        return connector;
    connector.createLocator = [scenario](IWbemLocator** locator) -> HRESULT {
        if (FAILED(scenario->locatorResult))
            return scenario->locatorResult;
        *locator = new FakeLocator(scenario);
        return S_OK;
    };
    return connector;
}

int LiveFakeWmiObjects()
{
    return g_liveObjects.load();
}
