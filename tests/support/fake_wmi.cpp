#include "tests/support/fake_wmi.h"

#include <cwchar>
#include <memory>
#include <mutex>

#include "engine/wmi_session.h"

namespace {

std::atomic<int> g_liveObjects{0};
// Guards what the scenarios record: checks of several threads may share one.
std::mutex g_recordLock;

using ObjectList = std::shared_ptr<const std::vector<FakeObject>>;

void Wait(const FakeWmiScenario& scenario)
{
    if (scenario.callLatencyMs)
        Sleep(scenario.callLatencyMs);
}

// "\\\\host\\root\\cimv2" gives "host"; a local path gives "".
std::wstring HostOfPath(const std::wstring& path)
{
    if (path.rfind(L"\\\\", 0) != 0)
        return {};
    size_t end = path.find(L'\\', 2);
    return path.substr(2, end == std::wstring::npos ? std::wstring::npos : end - 2);
}

// The word after " from " of a query.
std::wstring ClassOfQuery(const std::wstring& query)
{
    std::wstring lower = query;
    for (wchar_t& character : lower)
        character = static_cast<wchar_t>(towlower(character));
    size_t from = lower.find(L" from ");
    if (from == std::wstring::npos)
        return {};
    size_t start = query.find_first_not_of(L' ', from + 6);
    if (start == std::wstring::npos)
        return {};
    return query.substr(start, query.find_first_of(L" \t", start) - start);
}

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
    FakeClassObject(FakeWmiScenario* scenario, ObjectList objects, size_t index)
        : scenario_(scenario), objects_(std::move(objects)), properties_((*objects_)[index]),
          number_(static_cast<int>(index) + 1)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown))
            return Answer(iid, out, static_cast<IWbemClassObject*>(this), IID_IUnknown);
        return Answer(iid, out, static_cast<IWbemClassObject*>(this), IID_IWbemClassObject);
    }
    HRESULT STDMETHODCALLTYPE Get(LPCWSTR name, LONG, VARIANT* value, CIMTYPE* type, LONG*) override
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
            if (type)
                *type = property.value.CimType();
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
    ObjectList objects_;
    const FakeObject& properties_;
    int number_;
    int getCount_ = 0;
};

class FakeEnumerator final : public FakeComObject<IEnumWbemClassObject> {
public:
    FakeEnumerator(FakeWmiScenario* scenario, ObjectList objects)
        : scenario_(scenario), objects_(std::move(objects))
    {
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown))
            return Answer(iid, out, static_cast<IEnumWbemClassObject*>(this), IID_IUnknown);
        return Answer(iid, out, static_cast<IEnumWbemClassObject*>(this), IID_IEnumWbemClassObject);
    }
    HRESULT STDMETHODCALLTYPE Next(LONG timeout, ULONG count, IWbemClassObject** result, ULONG* returned) override
    {
        *returned = 0;
        const FakeWmiScenario& scenario = *scenario_;
        const std::vector<FakeObject>& objects = *objects_;
        Wait(scenario);
        if (count == 0)
            return WBEM_S_NO_ERROR;
        if (scenario.breakOffAfter >= 0 && next_ >= static_cast<size_t>(scenario.breakOffAfter))
            return WBEM_E_FAILED;
        if (scenario.stallAfter >= 0 && next_ >= static_cast<size_t>(scenario.stallAfter)) {
            Sleep(timeout < 0 ? 1000 : static_cast<DWORD>(timeout));
            return WBEM_S_TIMEDOUT;
        }
        if (next_ >= objects.size())
            return WBEM_S_FALSE;
        if (scenario.delayPerObjectMs)
            Sleep(scenario.delayPerObjectMs);
        result[0] = new FakeClassObject(scenario_, objects_, next_);
        *returned = 1;
        ++next_;
        return next_ == objects.size() ? scenario.resultWithLastObject : static_cast<HRESULT>(WBEM_S_NO_ERROR);
    }
    HRESULT STDMETHODCALLTYPE Reset() override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject**) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE Skip(LONG, ULONG) override FAKE_NOT_IMPLEMENTED

private:
    FakeWmiScenario* scenario_;
    ObjectList objects_;
    size_t next_ = 0;
};

class FakeServices final : public FakeComObject<IWbemServices, IClientSecurity> {
public:
    FakeServices(FakeWmiScenario* scenario, std::wstring host) : scenario_(scenario), host_(std::move(host)) {}
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
        const std::wstring text = query ? query : L"";
        {
            std::lock_guard<std::mutex> hold(g_recordLock);
            scenario_->queries.push_back(text);
        }
        Wait(*scenario_);
        if (FAILED(scenario_->queryResult))
            return scenario_->queryResult;
        ObjectList objects;
        if (scenario_->objectsFor)
            objects = std::make_shared<const std::vector<FakeObject>>(scenario_->objectsFor(host_, ClassOfQuery(text)));
        else   // the scenario's own list, which outlives the check
            objects = ObjectList(&scenario_->objects, [](const std::vector<FakeObject>*) {});
        *enumerator = new FakeEnumerator(scenario_, std::move(objects));
        return S_OK;
    }
    // IClientSecurity: what CoSetProxyBlanket calls.
    HRESULT STDMETHODCALLTYPE QueryBlanket(IUnknown*, DWORD*, DWORD*, OLECHAR**, DWORD*, DWORD*, void**, DWORD*) override FAKE_NOT_IMPLEMENTED
    HRESULT STDMETHODCALLTYPE SetBlanket(IUnknown*, DWORD, DWORD, OLECHAR*, DWORD level, DWORD,
                                         void* identity, DWORD) override
    {
        std::lock_guard<std::mutex> hold(g_recordLock);
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
    std::wstring host_;
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
        const std::wstring fullPath = path ? path : L"";
        {
            std::lock_guard<std::mutex> hold(g_recordLock);
            scenario_->connectedPaths.push_back(fullPath);
            scenario_->connectUsers.emplace_back(user ? user : L"");
            scenario_->passwordGiven = password && password[0];
        }
        Wait(*scenario_);
        const HRESULT result =
            scenario_->connectResultFor ? scenario_->connectResultFor(HostOfPath(fullPath)) : scenario_->connectResult;
        if (FAILED(result))
            return result;
        *services = new FakeServices(scenario_, HostOfPath(fullPath));
        return S_OK;
    }

private:
    FakeWmiScenario* scenario_;
};

}  // namespace

FakeValue::FakeValue(const FakeValue& other) : cimType_(other.cimType_)
{
    VariantInit(&value_);
    VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
}

FakeValue& FakeValue::operator=(const FakeValue& other)
{
    if (this != &other) {
        VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
        cimType_ = other.cimType_;
    }
    return *this;
}

CIMTYPE FakeValue::CimType() const
{
    if (cimType_ != CIM_EMPTY)
        return cimType_;
    CIMTYPE element = CIM_EMPTY;
    switch (value_.vt & ~VT_ARRAY) {
    case VT_BSTR: element = CIM_STRING; break;
    case VT_I4: element = CIM_SINT32; break;
    case VT_UI4: element = CIM_UINT32; break;
    case VT_BOOL: element = CIM_BOOLEAN; break;
    default: break;
    }
    return (value_.vt & VT_ARRAY) ? (element | CIM_FLAG_ARRAY) : element;
}

FakeValue FakeValue::UI64(unsigned long long number)
{
    FakeValue value = Text(std::to_wstring(number));
    value.cimType_ = CIM_UINT64;
    return value;
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
