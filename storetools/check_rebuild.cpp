#include "storetools/check_rebuild.h"

#include "base/narrow.h"
#include "base/text_util.h"
#include "individual/class_catalog.h"
#include "inventory/computer_summary.h"
#include "render/value_render.h"
#include "standard/category_catalog.h"

namespace {

int PositionOf(const StoredPart& part, const std::string& property)
{
    for (size_t i = 0; i < part.properties.size(); ++i)
        if (EqualsNoCase(part.properties[i], property))
            return static_cast<int>(i);
    return -1;
}

void FillStore(const StoredPart& part, const std::vector<int>& positions, CategoryStore& store)
{
    for (const StoredObject& object : part.objects) {
        const int row = store.AppendRow();
        for (size_t column = 0; column < positions.size(); ++column) {
            const int position = positions[column];
            if (position < 0 || static_cast<size_t>(position) >= object.cells.size())
                continue;
            const StoredCell& cell = object.cells[static_cast<size_t>(position)];
            store.SetCell(row, static_cast<int>(column), cell.text);
            store.SetRawCell(row, static_cast<int>(column), cell.raw);
        }
    }
}

}  // namespace

void RebuildStandardStores(const StoredCheck& check, StandardStores& stores)
{
    stores.ClearAllRows();
    stores.KeepRawValues(true);
    for (const StandardCategory& category : kStandardCategories) {
        const StoredPart* part = check.FindPart(category.className);
        if (!part)
            continue;
        std::vector<int> positions;
        for (int column = 0; category.propertyNames[column]; ++column)
            positions.push_back(PositionOf(*part, ToNarrow(category.propertyNames[column])));
        FillStore(*part, positions, *stores.Store(category.storeIndex));
        if (part->state != PartState::Read)
            stores.MarkIncomplete(category.storeIndex);
        if (part->state == PartState::NotRead)
            stores.MarkNotRead(category.storeIndex);
    }
    if (check.header.result == ComputerResultKey(ComputerResult::Stopped))
        stores.MarkStopped();
}

int ClassIdOfPart(const StoredPart& part)
{
    for (const ClassCatalogEntry& entry : kClassCatalog)
        if (EqualsNoCase(entry.className, part.className))
            return entry.classId;
    return 0;
}

void RebuildClassTable(const StoredPart& part, CategoryStore& table)
{
    table.Reset();
    std::vector<int> positions;
    for (size_t i = 0; i < part.properties.size(); ++i) {
        table.AddColumn(part.properties[i], false, 100);
        positions.push_back(static_cast<int>(i));
    }
    table.KeepRawValues(true);
    FillStore(part, positions, table);
}

std::vector<ClassResultRow> RebuildClassRows(const StoredPart& part)
{
    std::vector<ClassResultRow> rows;
    for (size_t object = 0; object < part.objects.size(); ++object) {
        const StoredObject& stored = part.objects[object];
        for (size_t i = 0; i < stored.cells.size() && i < part.properties.size(); ++i) {
            if (stored.cells[i].text.empty())
                continue;
            ClassResultRow row;
            row.objectNumber = static_cast<unsigned>(object + 1);
            row.name = part.properties[i];
            row.typeText = VarTypeText(stored.cells[i].raw.vartype);
            row.value = stored.cells[i].text;
            row.itemData = static_cast<LPARAM>(rows.size());
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

bool ReadNothing(const StoredCheckHeader& header)
{
    for (ComputerResult failure : {ComputerResult::HostNotFound, ComputerResult::NoAnswer, ComputerResult::AccessDenied,
                                   ComputerResult::WmiError})
        if (header.result == ComputerResultKey(failure))
            return true;
    return false;
}
