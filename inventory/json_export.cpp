#include "inventory/json_export.h"

#include <nlohmann/json.hpp>

#include "base/narrow.h"
#include "base/raw_value_json.h"
#include "base/this_computer.h"
#include "individual/class_catalog.h"
#include "resources/text.h"
#include "standard/category_catalog.h"

namespace {

using Json = nlohmann::ordered_json;

Json RawJson(const RawValue& raw)
{
    return RawValueJson<Json>(raw);
}

// The columns (property names and headers) and the rows of a table.
void AddTable(Json& table, const CategoryStore& store, const wchar_t* const* propertyNames)
{
    Json columns = Json::array();
    for (int column = 0; column < store.ColumnCount(); ++column) {
        const std::string property = propertyNames && propertyNames[column] ? ToNarrow(propertyNames[column])
                                                                             : store.ColumnHeader(column);
        columns.push_back({{"property", property}, {"header", store.ColumnHeader(column)}});
    }
    Json rows = Json::array();
    for (int row = 0; row < store.RowCount(); ++row) {
        Json cells = Json::array();
        for (int column = 0; column < store.ColumnCount(); ++column)
            cells.push_back({{"raw", RawJson(store.RawCell(row, column))}, {"text", store.Cell(row, column)}});
        rows.push_back(std::move(cells));
    }
    table["columns"] = std::move(columns);
    table["rows"] = std::move(rows);
}

// `readName`: the name the computer gave in the check's own values (empty: none).
Json Document(const CheckHeader& header, const std::string& readName = {})
{
    std::string name = header.computerName.empty() ? readName : header.computerName;
    if (name.empty())
        name = RealComputerName(header.computer);
    Json document = {{"computer", header.computer}, {"computerName", name}};
    if (!header.computerDomain.empty())
        document["computerDomain"] = header.computerDomain;
    document["checkedAt"] = header.checkedAt;
    document["complete"] = header.complete;
    return document;
}

// The Name the computer-system category read; empty when it read none.
std::string NameInStores(const StandardStores& stores)
{
    for (const StandardCategory& category : kStandardCategories) {
        if (std::string(category.className) != "Win32_ComputerSystem")
            continue;
        const CategoryStore& store = *stores.Store(category.storeIndex);
        for (int column = 0; category.propertyNames[column]; ++column)
            if (std::wstring(category.propertyNames[column]) == L"Name" && store.RowCount() > 0)
                return store.Cell(0, column);
    }
    return {};
}

std::string Dump(const Json& document)
{
    return document.dump(1, '\t', true, Json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string StandardJson(const CheckHeader& header, const StandardStores& stores)
{
    Json categories = Json::array();
    for (const StandardCategory& category : kStandardCategories) {
        Json table = {{"label", LoadText(category.labelStringId)},
                      {"group", LoadText(GroupLabelStringId(category.group))},
                      {"class", category.className},
                      {"incomplete", stores.IsIncomplete(category.storeIndex)}};
        AddTable(table, *stores.Store(category.storeIndex), category.propertyNames);
        categories.push_back(std::move(table));
    }
    Json document = Document(header, NameInStores(stores));
    document["categories"] = std::move(categories);
    return Dump(document);
}

std::string ClassJson(const CheckHeader& header, int classId, const CategoryStore& table)
{
    const ClassCatalogEntry* entry = FindClass(classId);
    Json classTable = {{"label", ClassDisplayText(classId)},
                       {"class", entry ? entry->className : ""},
                       {"incomplete", !header.complete}};
    AddTable(classTable, table, nullptr);
    Json document = Document(header);
    document["classes"] = Json::array({std::move(classTable)});
    return Dump(document);
}
