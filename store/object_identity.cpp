#include "store/object_identity.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "base/narrow.h"
#include "base/text_util.h"
#include "store/content_digest.h"
#include "store/identity_data.h"
#include "store/raw_cell.h"

namespace {

std::vector<std::string> Split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); ; at = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos)
            return parts;
        start = at + 1;
    }
}

const ClassIdentityRule* FindRule(const std::string& className)
{
    const auto rules = ClassIdentityRules();
    const auto found = std::lower_bound(rules.begin(), rules.end(), className,
                                        [](const ClassIdentityRule& rule, const std::string& name) {
                                            return CompareNoCase(rule.className, name.c_str()) < 0;
                                        });
    return found != rules.end() && CompareNoCase(found->className, className.c_str()) == 0 ? &*found : nullptr;
}

// The volatile entries of a class, in the sorted table.
std::span<const VolatileProperty> VolatileEntries(const std::string& className)
{
    const auto entries = VolatileProperties();
    const auto less = [](const VolatileProperty& entry, const std::string& name) {
        return CompareNoCase(entry.className, name.c_str()) < 0;
    };
    const auto greater = [](const std::string& name, const VolatileProperty& entry) {
        return CompareNoCase(name.c_str(), entry.className) < 0;
    };
    const auto first = std::lower_bound(entries.begin(), entries.end(), className, less);
    const auto last = std::upper_bound(first, entries.end(), className, greater);
    return {first, last};
}

int PositionOf(const std::vector<std::string>& properties, const std::string& name)
{
    for (size_t i = 0; i < properties.size(); ++i)
        if (EqualsNoCase(properties[i], name))
            return static_cast<int>(i);
    return -1;
}

std::string ValueText(const StoredCell& cell)
{
    return cell.raw.IsNull() ? cell.text : EncodeRaw(cell.raw).text;
}

std::string IdentityOf(const StoredPart& part, const StoredObject& object, const std::vector<int>& positions)
{
    if (part.identityRule == "-")
        return {};
    if (part.identityRule == "*" || positions.empty()) {
        ContentDigest digest;
        for (size_t i = 0; i < object.cells.size() && i < part.properties.size(); ++i) {
            if (IsVolatileProperty(part.className, part.properties[i]) && !IsVolatileClass(part.className))
                continue;
            digest.Add(part.properties[i]);
            digest.Add(ValueText(object.cells[i]));
        }
        // Empty only where the system's hash failed, which fails the object's recording too.
        return "*" + digest.Hex().substr(0, 16);
    }
    std::string identity;
    for (int position : positions) {
        if (!identity.empty())
            identity += ';';
        identity += part.properties[static_cast<size_t>(position)] + "=";
        if (static_cast<size_t>(position) < object.cells.size())
            identity += ValueText(object.cells[static_cast<size_t>(position)]);
    }
    return identity;
}

}  // namespace

std::string IdentityRuleFor(const std::string& className, const std::vector<std::string>& properties)
{
    const ClassIdentityRule* rule = FindRule(className);
    if (!rule)
        return "*";
    for (const std::string& alternative : Split(rule->identity, '|')) {
        if (alternative == "-" || alternative == "*")
            return alternative;
        const std::vector<std::string> names = Split(alternative, ',');
        if (std::all_of(names.begin(), names.end(),
                        [&](const std::string& name) { return PositionOf(properties, name) >= 0; }))
            return alternative;
    }
    return "*";
}

bool IsVolatileClass(const std::string& className)
{
    for (const VolatileProperty& entry : VolatileEntries(className))
        if (std::string_view(entry.property) == "*")
            return true;
    return false;
}

bool IsVolatileProperty(const std::string& className, const std::string& property)
{
    for (const VolatileProperty& entry : VolatileEntries(className))
        if (std::string_view(entry.property) == "*" || CompareNoCase(entry.property, property.c_str()) == 0)
            return true;
    return false;
}

void AssignIdentities(StoredPart& part)
{
    std::vector<int> positions;
    if (part.identityRule != "-" && part.identityRule != "*") {
        for (const std::string& name : Split(part.identityRule, ',')) {
            const int position = PositionOf(part.properties, name);
            if (position < 0) {
                positions.clear();   // a rule that does not fit: the values identify
                break;
            }
            positions.push_back(position);
        }
    }
    std::unordered_map<std::string, int> seen;
    for (StoredObject& object : part.objects) {
        std::string identity = IdentityOf(part, object, positions);
        const int occurrence = ++seen[IdentityMatchKey(identity)];
        if (occurrence > 1)
            identity += "#" + std::to_string(occurrence);
        object.identity = std::move(identity);
    }
}

std::string IdentityMatchKey(const std::string& identity)
{
    std::wstring wide = ToWide(identity);
    if (!wide.empty())
        CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return ToNarrow(wide);
}

std::vector<std::string> RecognisingProperties(const std::string& className)
{
    for (const RecognisedProperties& entry : RecognisedPropertyLists())
        if (EqualsNoCase(entry.className, className)) {
            return Split(entry.properties, ',');
        }
    return {};
}
