#include "engine/query_executor.h"

#include "engine/run_state.h"
#include "engine/wmi_session.h"
#include "render/value_render.h"
#include "resources/narrow.h"

namespace {

std::string ProgressText(const std::string& base, long objectNumber)
{
    return base + " (" + std::to_string(objectNumber) + ")";
}

// Reads one property and renders it; returns the VARIANT type read (0 when Get failed).
unsigned ReadProperty(IWbemClassObject* object, const wchar_t* name, int classId,
                      std::string& text)
{
    text.clear();
    Variant value;
    if (object->Get(name, 0, value.Receive(), nullptr, nullptr) != WBEM_S_NO_ERROR)
        return 0;
    RenderPropertyValue(value.Get(), text, classId, name);
    return value.Get().vt;
}

// Connects, runs the query and walks its objects. For each object, `onObject` is called
// with the object and its 1-based number; it returns false when a stop interrupted the
// object (which then is not counted) or when reading must end after it. 0, or -1 when
// the connection or the query failed.
template <class ObjectReader>
int ReadObjects(std::string host, std::string query, std::string& errorText, long& objectCount,
                ObjectReader onObject)
{
    objectCount = 0;
    WmiSession session;
    if (ConnectWmi(std::move(host), std::move(query), errorText, session) != 0)
        return -1;
    RunState& run = GetRunState();
    const std::string base = run.StatusText.Get();
    while (!run.IsStopRequested()) {
        ComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        HRESULT hr = session.Enumerator->Next(WBEM_INFINITE, 1, object.Receive(), &returned);
        if (returned == 0 || !object)
            break;
        run.StatusText.Set(ProgressText(base, objectCount + 1));
        bool goOn = onObject(object.Get(), objectCount + 1);
        if (!goOn && run.IsStopRequested())
            break;
        ++objectCount;
        if (!goOn || hr != WBEM_S_NO_ERROR)
            break;
    }
    session.Release();
    run.StatusText.Set(base);
    return 0;
}

}  // namespace

void ClassQueryEntries::Clear()
{
    objectNumbers.clear();
    names.clear();
    types.clear();
    values.clear();
}

int ExecuteStandardQuery(int classId, std::string host, std::string query,
                         const wchar_t* const* propertyNames, ResultTable& list,
                         std::string& errorText, long& objectCount)
{
    list.DeleteAllRows();
    const RunState& run = GetRunState();
    std::string text;
    return ReadObjects(std::move(host), std::move(query), errorText, objectCount,
                       [&](IWbemClassObject* object, long) {
        int row = list.AppendRow();
        for (int column = 0; propertyNames[column]; ++column) {
            if (run.IsStopRequested())
                return false;
            ReadProperty(object, propertyNames[column], classId, text);
            list.SetCell(row, column, text);
        }
        return true;
    });
}

int ExecuteClassQuery(ClassQueryEntries& entries, int classId, std::string host,
                      std::string query, const wchar_t* const* propertyNames,
                      std::string& errorText, long& objectCount)
{
    entries.Clear();
    const RunState& run = GetRunState();
    std::string text;
    return ReadObjects(std::move(host), std::move(query), errorText, objectCount,
                       [&](IWbemClassObject* object, long objectNumber) {
        for (int index = 0; propertyNames[index]; ++index) {
            if (run.IsStopRequested())
                return false;
            unsigned type = ReadProperty(object, propertyNames[index], classId, text);
            if (text.empty())
                continue;
            entries.objectNumbers.push_back(static_cast<unsigned>(objectNumber));
            entries.names.push_back(ToNarrow(propertyNames[index]));
            entries.types.push_back(type);
            entries.values.push_back(text);
            if (entries.Size() >= kMaxClassEntries)
                return false;
        }
        return true;
    });
}
