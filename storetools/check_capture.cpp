#include "storetools/check_capture.h"

#include <map>

#include "base/narrow.h"
#include "base/this_computer.h"
#include "individual/class_catalog.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "store/check_computer.h"
#include "store/object_identity.h"

namespace {

std::vector<std::string> PropertyNames(const wchar_t* const* names)
{
    std::vector<std::string> properties;
    for (int i = 0; names && names[i]; ++i)
        properties.push_back(ToNarrow(names[i]));
    return properties;
}

// An empty value as the executors leave it: null, no text, VT_NULL.
StoredCell EmptyCell()
{
    StoredCell cell;
    cell.raw.vartype = VT_NULL;
    return cell;
}

StoredPart PartOfTable(const std::string& className, std::vector<std::string> properties,
                       const CategoryStore& table, PartState state)
{
    StoredPart part;
    part.className = className;
    part.properties = std::move(properties);
    part.state = state;
    part.identityRule = IdentityRuleFor(part.className, part.properties);
    for (int row = 0; row < table.RowCount(); ++row) {
        StoredObject object;
        for (int column = 0; column < static_cast<int>(part.properties.size()); ++column)
            object.cells.push_back({table.RawCell(row, column), table.Cell(row, column)});
        part.objects.push_back(std::move(object));
    }
    AssignIdentities(part);
    return part;
}

std::string ClassNameOf(int classId)
{
    const ClassCatalogEntry* entry = FindClass(classId);
    return entry ? entry->className : "";
}

std::vector<std::string> ClassProperties(int classId)
{
    std::string query;
    const wchar_t* const* names = nullptr;
    return GetClassQuery(classId, query, names) == 0 ? PropertyNames(names) : std::vector<std::string>{};
}

}  // namespace

void CaptureStandardStores(const StandardStores& stores, int categoriesRead, bool failed, StoredCheck& check)
{
    check.parts.clear();
    for (const StandardCategory& category : kStandardCategories) {
        PartState state = stores.IsIncomplete(category.storeIndex) ? PartState::Incomplete : PartState::Read;
        if (!stores.WasRead(category.storeIndex) || (failed && category.storeIndex >= categoriesRead))
            state = PartState::NotRead;
        check.parts.push_back(PartOfTable(category.className, PropertyNames(category.propertyNames),
                                          *stores.Store(category.storeIndex), state));
    }
    IdentifyFromParts(check);
}

void CaptureClassEntries(int classId, const ClassQueryEntries& entries, PartState state, StoredCheck& check)
{
    StoredPart part;
    part.className = ClassNameOf(classId);
    part.properties = ClassProperties(classId);
    part.state = state;
    part.identityRule = IdentityRuleFor(part.className, part.properties);
    std::map<std::string, size_t> positions;
    for (size_t i = 0; i < part.properties.size(); ++i)
        positions.emplace(part.properties[i], i);
    unsigned current = 0;
    for (size_t i = 0; i < entries.Size(); ++i) {
        if (entries.objectNumbers[i] != current) {
            current = entries.objectNumbers[i];
            part.objects.push_back(StoredObject{std::vector<StoredCell>(part.properties.size(), EmptyCell()), {}});
        }
        const auto found = positions.find(entries.names[i]);
        if (found == positions.end())
            continue;
        StoredCell& cell = part.objects.back().cells[found->second];
        cell.text = entries.values[i];
        if (i < entries.raws.size())
            cell.raw = entries.raws[i];
        cell.raw.vartype = static_cast<unsigned short>(entries.types[i]);
    }
    AssignIdentities(part);
    check.parts = {std::move(part)};
}

void CaptureClassTable(int classId, const CategoryStore& table, PartState state, StoredCheck& check)
{
    check.parts = {PartOfTable(ClassNameOf(classId), ClassProperties(classId), table, state)};
}

StoredCheck NewStoredCheckOf(const std::string& target, const CheckTime& checkedAt, const std::string& kind,
                             const std::string& account, const char* source)
{
    StoredCheck check;
    check.header.computer = RealComputerName(target);
    check.header.target = target;
    check.header.checkedAt = checkedAt;
    check.header.kind = kind;
    check.header.account = account;
    check.header.source = source;
    check.header.language = TextLanguage();
    return check;
}

void NoteCheckedComputer(const CheckContext& context, StoredCheckHeader& header)
{
    if (context.ComputerName().empty())
        return;
    header.computer = context.ComputerName();
    header.domain = context.ComputerDomain();
    header.identified = true;
}

void NoteCheckResult(StoredCheckHeader& header, ComputerResult result, const ComputerSummary& summary, bool complete)
{
    header.result = ComputerResultKey(result);
    header.errorCode = static_cast<long long>(summary.code);
    header.message = summary.message;
    header.complete = complete;
}
