#include "engine/query_executor.h"

#include <cctype>
#include <cstdio>

#include "engine/wmi_session.h"
#include "render/value_render.h"
#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

std::string ProgressText(const std::string& base, long objectNumber)
{
    return base + " (" + std::to_string(objectNumber) + ")";
}

// Reads one property and renders it, and keeps it as delivered in `raw` when given;
// returns the VARIANT type read (0 when Get failed: the text empty, the raw value null).
unsigned ReadProperty(const CheckContext& check, IWbemClassObject* object, const wchar_t* name,
                      int classId, std::string& text, RawValue* raw = nullptr)
{
    text.clear();
    if (raw)
        *raw = RawValue{};
    Variant value;
    CIMTYPE cimType = CIM_EMPTY;
    if (object->Get(name, 0, value.Receive(), raw ? &cimType : nullptr, nullptr) != WBEM_S_NO_ERROR)
        return 0;
    RenderPropertyValue(value.Get(), text, classId, name, check.Host());
    if (raw)
        *raw = RawValueOf(value.Get(), cimType);
    return value.Get().vt;
}

// The class a query reads: the word after " from " (our queries name one class).
std::string ClassNameOfQuery(const std::string& query)
{
    std::string lower = query;
    for (char& character : lower)
        character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    size_t from = lower.find(" from ");
    if (from == std::string::npos)
        return query;
    size_t start = query.find_first_not_of(' ', from + 6);
    size_t end = query.find_first_of(" \t", start);
    return start == std::string::npos ? query : query.substr(start, end - start);
}

// Connects, runs the query and walks its objects. For each object, `onObject` is called
// with the object and its 1-based number; it returns false when a stop interrupted the
// object (which then is not counted) or when reading must end after it. Each wait for the
// computer is short, so that a stop or the query's time limit ends it: Read (also
// stopped), Incomplete when the enumeration broke off, Failed when the connection or the
// query failed or the computer did not answer in time.
template <class ObjectReader>
QueryOutcome ReadObjects(CheckContext& check, const std::string& query, std::string& errorText,
                         long& objectCount, ObjectReader onObject)
{
    objectCount = 0;
    const ULONGLONG deadline = GetTickCount64() + check.Limits().queryTimeLimitMs;
    WmiSession session;
    const ConnectOutcome connected = ConnectWmi(check, query, deadline, errorText, session);
    if (connected == ConnectOutcome::Stopped)
        return QueryOutcome::Read;
    if (connected == ConnectOutcome::Failed)
        return QueryOutcome::Failed;
    SharedText& progress = check.Progress();
    const std::string base = progress.Get();
    QueryOutcome outcome = QueryOutcome::Read;
    while (!check.IsStopRequested()) {
        ComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        HRESULT hr = session.Enumerator->Next(static_cast<long>(kStopPollMs), 1, object.Receive(), &returned);
        if (returned == 0 || !object) {
            if (hr == WBEM_S_TIMEDOUT && GetTickCount64() < deadline)
                continue;   // nothing yet: look at the stop flag and wait again
            if (hr == WBEM_S_TIMEDOUT) {
                FailNotAnswering(check, errorText);
                outcome = QueryOutcome::Failed;
            } else if (FAILED(hr)) {
                errorText = FillIn(LoadText(IDS_QUERY_INCOMPLETE), ClassNameOfQuery(query),
                                   HexCode(static_cast<unsigned long>(hr)));
                check.NoteProblem({CheckProblem::BrokeOff, hr, errorText});
                outcome = QueryOutcome::Incomplete;
            }
            break;
        }
        progress.Set(ProgressText(base, objectCount + 1));
        bool goOn = onObject(object.Get(), objectCount + 1);
        if (!goOn && check.IsStopRequested())
            break;
        ++objectCount;
        if (!goOn || hr != WBEM_S_NO_ERROR)
            break;
    }
    session.Release();
    progress.Set(base);
    return outcome;
}

}  // namespace

void ClassQueryEntries::Clear()
{
    objectNumbers.clear();
    names.clear();
    types.clear();
    values.clear();
    raws.clear();
}

QueryOutcome ExecuteStandardQuery(CheckContext& check, int classId, const std::string& query,
                                  const wchar_t* const* propertyNames, ResultTable& list,
                                  std::string& errorText, long& objectCount)
{
    list.DeleteAllRows();
    const bool keepRaw = list.KeepsRawValues();
    std::string text;
    RawValue raw;
    return ReadObjects(check, query, errorText, objectCount,
                       [&](IWbemClassObject* object, long) {
        int row = list.AppendRow();
        for (int column = 0; propertyNames[column]; ++column) {
            if (check.IsStopRequested())
                return false;
            ReadProperty(check, object, propertyNames[column], classId, text, keepRaw ? &raw : nullptr);
            list.SetCell(row, column, text);
            if (keepRaw)
                list.SetRawCell(row, column, std::move(raw));
        }
        return true;
    });
}

QueryOutcome ExecuteClassQuery(CheckContext& check, ClassQueryEntries& entries, int classId,
                               const std::string& query, const wchar_t* const* propertyNames,
                               std::string& errorText, long& objectCount)
{
    entries.Clear();
    std::string text;
    RawValue raw;
    return ReadObjects(check, query, errorText, objectCount,
                       [&](IWbemClassObject* object, long objectNumber) {
        for (int index = 0; propertyNames[index]; ++index) {
            if (check.IsStopRequested())
                return false;
            unsigned type = ReadProperty(check, object, propertyNames[index], classId, text,
                                         entries.keepRaw ? &raw : nullptr);
            if (text.empty())
                continue;
            if (entries.keepRaw)
                entries.raws.push_back(std::move(raw));
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
