// A WMI provider of our own for the failures Wine's cannot produce (access denied, a Get
// that fails, an enumeration that breaks off, a stop in the middle of an object) and for
// large or slow result sets. Install a scenario, run the code under test, inspect what
// the provider saw.
#pragma once
#include <windows.h>
#include <wbemidl.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "engine/check_context.h"

// A VARIANT with value semantics.
class FakeValue {
public:
    FakeValue() { VariantInit(&value_); }
    FakeValue(const FakeValue& other);
    FakeValue& operator=(const FakeValue& other);
    ~FakeValue() { VariantClear(&value_); }

    static FakeValue Null();
    static FakeValue Text(const std::wstring& text);
    static FakeValue I4(LONG value);
    static FakeValue UI4(ULONG value);
    static FakeValue Bool(bool value);
    static FakeValue TextArray(const std::vector<std::wstring>& texts);
    static FakeValue I4Array(const std::vector<LONG>& values);
    // A uint64 property: WMI delivers it as text, naming CIM_UINT64 as its type.
    static FakeValue UI64(unsigned long long value);

    const VARIANT& Get() const { return value_; }
    VARIANT& Get() { return value_; }
    // The CIM type Get names for the value.
    CIMTYPE CimType() const;

private:
    VARIANT value_;
    CIMTYPE cimType_ = CIM_EMPTY;   // CIM_EMPTY: the one that goes with the VARIANT type
};

struct FakeProperty {
    std::wstring name;
    FakeValue value;
    HRESULT getResult = WBEM_S_NO_ERROR;   // anything else: Get fails with this
};

using FakeObject = std::vector<FakeProperty>;

// What the provider does and what it saw.
struct FakeWmiScenario {
    HRESULT locatorResult = S_OK;
    HRESULT connectResult = S_OK;
    HRESULT blanketResult = S_OK;
    HRESULT queryResult = S_OK;
    std::vector<FakeObject> objects;
    int breakOffAfter = -1;                 // Next fails (no object) after this many objects
    HRESULT resultWithLastObject = WBEM_S_NO_ERROR;
    DWORD delayPerObjectMs = 0;
    HANDLE connectGate = nullptr;           // ConnectServer waits until this event is set
    int stallAfter = -1;                    // after this many objects Next only times out
    // Called before each Get: 1-based object number, 0-based index of the property read.
    std::function<void(int object, int propertyIndex, const std::wstring& name)> onGet;
    // Every ConnectServer, ExecQuery and Next (the calls that cross the network) takes
    // this long.
    DWORD callLatencyMs = 0;
    // When set, what ConnectServer gives for the computer of the path (instead of
    // connectResult).
    std::function<HRESULT(const std::wstring& host)> connectResultFor;
    // When set, each query is answered with the objects it gives for the computer of the
    // namespace path (empty: the local one) and the class the query names, instead of
    // `objects`. Called on the checks' threads, maybe several at once.
    std::function<std::vector<FakeObject>(const std::wstring& host, const std::wstring& className)> objectsFor;

    std::vector<std::wstring> connectedPaths;
    std::vector<std::wstring> connectUsers;  // the account of each connection ("" for none)
    bool passwordGiven = false;
    DWORD blanketLevel = 0;                  // authentication level of the last blanket
    bool blanketIdentity = false;            // the last blanket carried an account
    std::vector<std::wstring> queries;
    // The lists above are filled under one lock, so that checks of several threads may
    // share a scenario; read them once the checks have ended.
};

// A connector whose checks read `scenario` (nullptr: the system's WMI). Each check may
// have a scenario of its own.
WmiConnector FakeWmiConnector(FakeWmiScenario* scenario);

// COM objects of the fake provider still alive (for release checks).
int LiveFakeWmiObjects();
