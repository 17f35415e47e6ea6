#include "store/check_comparison.h"

#include <set>
#include <unordered_map>

#include "base/text_util.h"
#include "store/object_identity.h"
#include "store/raw_cell.h"

namespace {

const StoredCell& NullCell()
{
    static const StoredCell cell = [] {
        StoredCell empty;
        empty.raw.vartype = VT_NULL;
        return empty;
    }();
    return cell;
}

// The cell of `property` in an object of `part`; a null cell when the part did not read it.
const StoredCell& CellOf(const StoredPart& part, const StoredObject& object, const std::string& property)
{
    for (size_t i = 0; i < part.properties.size() && i < object.cells.size(); ++i)
        if (EqualsNoCase(part.properties[i], property))
            return object.cells[i];
    return NullCell();
}

// The properties of both parts, the later one's order first.
std::vector<std::string> UnionOfProperties(const StoredPart& before, const StoredPart& after)
{
    std::vector<std::string> names = after.properties;
    for (const std::string& name : before.properties) {
        bool known = false;
        for (const std::string& have : names)
            known = known || EqualsNoCase(have, name);
        if (!known)
            names.push_back(name);
    }
    return names;
}

// True when `property` is one of those that identify the objects of `part`.
bool Identifies(const StoredPart& part, const std::string& property)
{
    size_t start = 0;
    const std::string& rule = part.identityRule;
    for (size_t at = rule.find(','); ; at = rule.find(',', start)) {
        if (EqualsNoCase(rule.substr(start, at == std::string::npos ? std::string::npos : at - start), property))
            return true;
        if (at == std::string::npos)
            return false;
        start = at + 1;
    }
}

void CompareObjects(const StoredPart& before, const StoredObject& old, const StoredPart& after,
                    const StoredObject& now, const std::vector<std::string>& properties, PartComparison& out)
{
    for (const std::string& property : properties) {
        const StoredCell& was = CellOf(before, old, property);
        const StoredCell& is = CellOf(after, now, property);
        // The identifying properties matched already, case aside: another case is no change.
        if (!CellsDiffer(was, is) || (Identifies(after, property) && EqualsNoCase(was.text, is.text)))
            continue;
        out.changes.push_back({after.className, now.identity, ChangeKind::Changed, property, was, is,
                               IsVolatileProperty(after.className, property)});
    }
}

// The properties `object` is recognised by, as the part read them; empty ones left out.
std::vector<std::pair<std::string, std::string>> RecognisedBy(const StoredPart& part, const StoredObject& object)
{
    std::vector<std::pair<std::string, std::string>> shown;
    for (const std::string& property : RecognisingProperties(part.className)) {
        const StoredCell& cell = CellOf(part, object, property);
        if (!TrimWhiteSpace(cell.text).empty())
            shown.emplace_back(property, cell.text);
    }
    return shown;
}

PartComparison CompareParts(const StoredPart* before, const StoredPart* after)
{
    const StoredPart& named = after ? *after : *before;
    PartComparison out;
    out.className = named.className;
    if (!before || !after || before->state != PartState::Read || after->state != PartState::Read) {
        out.compared = false;
        return out;
    }
    const bool volatileClass = IsVolatileClass(named.className);
    std::unordered_map<std::string, const StoredObject*> earlier;
    for (const StoredObject& object : before->objects)
        earlier.emplace(IdentityMatchKey(object.identity), &object);
    const std::vector<std::string> properties = UnionOfProperties(*before, *after);
    std::set<std::string> matched;
    for (const StoredObject& object : after->objects) {
        const std::string key = IdentityMatchKey(object.identity);
        const auto found = earlier.find(key);
        if (found == earlier.end()) {
            out.changes.push_back({named.className, object.identity, ChangeKind::Added, {}, {}, {}, volatileClass,
                                   RecognisedBy(*after, object)});
            continue;
        }
        matched.insert(key);
        CompareObjects(*before, *found->second, *after, object, properties, out);
    }
    for (const StoredObject& object : before->objects) {
        if (!matched.count(IdentityMatchKey(object.identity)))
            out.changes.push_back({named.className, object.identity, ChangeKind::Removed, {}, {}, {}, volatileClass,
                                   RecognisedBy(*before, object)});
    }
    return out;
}

}  // namespace

bool CellsDiffer(const StoredCell& before, const StoredCell& after)
{
    if (!before.raw.IsNull() && !after.raw.IsNull()) {
        const RawCellText was = EncodeRaw(before.raw), is = EncodeRaw(after.raw);
        return was.kind != is.kind || was.text != is.text;
    }
    return before.text != after.text;
}

int PartComparison::Count(ChangeKind kind, bool withVolatile) const
{
    std::set<std::string> objects;
    for (const ObjectChange& change : changes)
        if (change.kind == kind && (withVolatile || !change.isVolatile))
            objects.insert(change.identity);
    return static_cast<int>(objects.size());
}

int64_t CheckComparison::ChangeCount(bool withVolatile) const
{
    int64_t count = 0;
    for (const PartComparison& part : parts)
        for (const ObjectChange& change : part.changes)
            count += withVolatile || !change.isVolatile;
    return count;
}

CheckComparison CompareChecks(const StoredCheck& before, const StoredCheck& after)
{
    CheckComparison comparison;
    comparison.before = before.header;
    comparison.after = after.header;
    for (const StoredPart& part : after.parts)
        comparison.parts.push_back(CompareParts(before.FindPart(part.className), &part));
    for (const StoredPart& part : before.parts)
        if (!after.FindPart(part.className))
            comparison.parts.push_back(CompareParts(&part, nullptr));
    return comparison;
}
