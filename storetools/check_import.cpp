#include "storetools/check_import.h"

#include <windows.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "base/narrow.h"
#include "base/read_file.h"
#include "base/text_util.h"
#include "individual/class_catalog.h"
#include "inventory/computer_list.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "store/check_computer.h"
#include "store/object_identity.h"

namespace {

using Json = nlohmann::json;

// What a JSON value says of the VARIANT type WMI delivered: a text, a boolean, a 32-bit or
// a larger number (WMI gives those as texts), a real number, an array of those.
unsigned short VarTypeOf(const Json& value)
{
    switch (value.type()) {
    case Json::value_t::null:
        return VT_NULL;
    case Json::value_t::boolean:
        return VT_BOOL;
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned: {
        const bool fits = value.is_number_unsigned() ? value.get<uint64_t>() <= 0xFFFFFFFFull
                                                     : value.get<int64_t>() >= INT32_MIN;
        return fits ? VT_I4 : VT_BSTR;
    }
    case Json::value_t::number_float:
        return VT_R8;
    case Json::value_t::array:
        return static_cast<unsigned short>(VT_ARRAY | (value.empty() ? static_cast<unsigned short>(VT_BSTR) : VarTypeOf(value.front())));
    default:
        return VT_BSTR;
    }
}

bool ToRaw(const Json& value, RawValue& raw)
{
    switch (value.type()) {
    case Json::value_t::null:
        raw = RawValue{};
        return true;
    case Json::value_t::boolean:
        raw = RawValue{value.get<bool>()};
        return true;
    case Json::value_t::number_integer:
        raw = RawValue{value.get<int64_t>()};
        return true;
    case Json::value_t::number_unsigned:
        raw = RawValue{value.get<uint64_t>()};
        return true;
    case Json::value_t::number_float:
        raw = RawValue{value.get<double>()};
        return true;
    case Json::value_t::string:
        raw = RawValue{value.get<std::string>()};
        return true;
    case Json::value_t::array: {
        RawArray elements;
        for (const Json& element : value) {
            RawValue item;
            if (element.is_array() || !ToRaw(element, item))
                return false;   // WMI has no arrays of arrays
            elements.push_back(std::move(item));
        }
        raw = RawValue{std::move(elements)};
        return true;
    }
    default:
        return false;
    }
}

bool IsText(const Json& object, const char* key)
{
    return object.contains(key) && object[key].is_string();
}

// One table ("categories" or "classes" entry) as a part; false when it is not one.
bool ReadTable(const Json& table, bool standard, StoredPart& part)
{
    if (!table.is_object() || !IsText(table, "class") || !table.contains("columns") || !table["columns"].is_array() ||
        !table.contains("rows") || !table["rows"].is_array())
        return false;
    part.className = table["class"].get<std::string>();
    const bool known = standard ? std::any_of(std::begin(kStandardCategories), std::end(kStandardCategories),
                                              [&](const StandardCategory& c) { return EqualsNoCase(c.className, part.className); })
                                : std::any_of(std::begin(kClassCatalog), std::end(kClassCatalog),
                                              [&](const ClassCatalogEntry& e) { return EqualsNoCase(e.className, part.className); });
    if (!known)
        return false;
    for (const Json& column : table["columns"]) {
        if (!column.is_object() || !IsText(column, "property"))
            return false;
        part.properties.push_back(column["property"].get<std::string>());
    }
    const bool incomplete = table.contains("incomplete") && table["incomplete"].is_boolean() && table["incomplete"].get<bool>();
    part.state = incomplete ? PartState::Incomplete : PartState::Read;
    for (const Json& row : table["rows"]) {
        if (!row.is_array() || row.size() != part.properties.size())
            return false;
        StoredObject object;
        for (const Json& cell : row) {
            if (!cell.is_object() || !IsText(cell, "text") || !cell.contains("raw"))
                return false;
            StoredCell stored;
            if (!ToRaw(cell["raw"], stored.raw))
                return false;
            stored.raw.vartype = VarTypeOf(cell["raw"]);
            stored.text = cell["text"].get<std::string>();
            object.cells.push_back(std::move(stored));
        }
        part.objects.push_back(std::move(object));
    }
    part.identityRule = IdentityRuleFor(part.className, part.properties);
    AssignIdentities(part);
    return true;
}

// The computer the check read: as its computer-system category read it, else as the file
// names it; else only the name it was checked under, which the store replaces by the
// computer that name last reached.
void NameComputer(const Json& document, StoredCheck& check)
{
    if (IdentifyFromParts(check))
        return;
    if (IsText(document, "computerName") && !document["computerName"].get<std::string>().empty()) {
        check.header.computer = document["computerName"].get<std::string>();
        check.header.identified = true;
        if (IsText(document, "computerDomain"))
            check.header.domain = document["computerDomain"].get<std::string>();
        return;
    }
    const std::string given = document["computer"].get<std::string>();
    if (given != ".")
        check.header.computer = given;
}

// A name a computer can have, as the command line takes it: not empty, not ".", no control
// character, no path separator, at most the longest DNS name.
bool IsComputerName(const std::string& name)
{
    if (name.empty() || name == "." || ToWide(name).size() > kMaxComputerNameLength)
        return false;
    return std::none_of(name.begin(), name.end(), [](char character) {
        return static_cast<unsigned char>(character) < 0x20 || character == 0x7F || character == '\\' || character == '/';
    });
}

bool ReadDocument(const Json& document, StoredCheck& check)
{
    if (!document.is_object() || !IsText(document, "computer") || !IsText(document, "checkedAt") ||
        !document.contains("complete") || !document["complete"].is_boolean())
        return false;
    const bool standard = document.contains("categories");
    const char* key = standard ? "categories" : "classes";
    if (!document.contains(key) || !document[key].is_array() || document[key].empty() ||
        (standard && document.contains("classes")) || (!standard && document[key].size() != 1))
        return false;
    if (!CheckTime::FromLocalText(document["checkedAt"].get<std::string>(), check.header.checkedAt))
        return false;
    for (const Json& table : document[key]) {
        StoredPart part;
        if (!ReadTable(table, standard, part) || check.FindPart(part.className))
            return false;
        check.parts.push_back(std::move(part));
    }
    check.header.target = document["computer"].get<std::string>();
    check.header.kind = standard ? kStandardKind : check.parts.front().className;
    check.header.complete = document["complete"].get<bool>();
    check.header.result = check.header.complete ? "ok" : "incomplete";
    check.header.source = kImportedSource;
    return true;
}

}  // namespace

bool ParseCheckJson(const std::string& text, const std::string& path, StoredCheck& check, std::string& message)
{
    check = StoredCheck{};
    Json document;
    try {
        document = Json::parse(text);
    } catch (const std::exception& error) {
        message = FillIn(LoadText(IDS_IMPORT_NOT_JSON), path, error.what());
        return false;
    }
    bool read = false;
    try {
        read = ReadDocument(document, check);
        if (read)
            NameComputer(document, check);
    } catch (const std::exception&) {
        read = false;
    }
    if (!read) {
        message = FillIn(LoadText(IDS_IMPORT_NOT_A_CHECK), path, {});
        message.pop_back();   // no second line to give
        return false;
    }
    if (check.header.computer.empty()) {
        message = LoadText(IDS_IMPORT_NO_COMPUTER) + path;
        return false;
    }
    // The name typed for the check may be empty or "." (this computer, where it was checked).
    check.header.computer = TrimWhiteSpace(check.header.computer);
    const std::string typed = TrimWhiteSpace(check.header.target);
    // The file's own name for the computer is refused when no computer can have it, even
    // where its computer-system category names the computer: such a file was not written by
    // a check.
    const std::string named = IsText(document, "computerName") ? TrimWhiteSpace(document["computerName"].get<std::string>())
                                                               : std::string();
    std::string refused;
    if (!IsComputerName(check.header.computer))
        refused = check.header.computer;
    else if (!named.empty() && !IsComputerName(named))
        refused = named;
    else if (!typed.empty() && typed != "." && !IsComputerName(typed))
        refused = typed;
    if (!refused.empty() || check.header.computer.empty()) {
        std::wstring shown = ToWide(refused).substr(0, 80);
        for (wchar_t& character : shown)
            if (character < 0x20 || character == 0x7F)
                character = L'?';
        message = FillIn(LoadText(IDS_IMPORT_BAD_NAME), ToNarrow(shown) + (shown.size() < ToWide(refused).size() ? "..." : "") +
                                                              "\n" + path);
        return false;
    }
    return true;
}

bool ReadCheckFile(const std::string& path, StoredCheck& check, std::string& message)
{
    std::string text;
    switch (ReadWholeFile(path, kMaxImportBytes, text)) {
    case ReadFileResult::CannotRead:
        message = LoadText(IDS_IMPORT_CANNOT_READ) + path;
        return false;
    case ReadFileResult::TooLarge:
        message = FillIn(LoadText(IDS_IMPORT_TOO_LARGE), std::to_string(kMaxImportBytes / (1024 * 1024)), path);
        return false;
    case ReadFileResult::Read:
        break;
    }
    return ParseCheckJson(text, path, check, message);
}
