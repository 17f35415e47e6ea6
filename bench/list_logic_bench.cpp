// Measures the list tools on a result list of 100,000 rows shaped like an individual
// check (object number, property name, type, value): sorting by a text column, by the
// object number column and by a numeric column of a category page, and a Find of a
// text that only the last row holds.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "listtools/find_text.h"
#include "listtools/result_model.h"
#include "individual/individual_sort.h"
#include "listtools/sort_compare.h"
#include "standard/category_catalog.h"
#include "standard/page_sort.h"

namespace {

constexpr int kRows = 100000;

const char* const kProperties[] = {
    "Availability", "Caption", "ConfigManagerErrorCode", "CreationClassName", "Description",
    "DeviceID", "InstallDate", "Manufacturer", "MaxClockSpeed", "Name", "PNPDeviceID",
    "PowerManagementSupported", "Size", "Status", "StatusInfo", "SystemName", "Version"};
const char* const kTypes[] = {"string", "uint32", "uint64", "boolean", "datetime", "uint16"};

std::string ValueText(std::mt19937& random, int row)
{
    switch (random() % 4) {
    case 0: return std::to_string(random() % 100000000);
    case 1: return std::string("Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz #").append(std::to_string(row));
    case 2: return "20261209080304.420000+000";
    default: return std::string("ROOT\\ACPI\\PNP0A03\\").append(std::to_string(random()));
    }
}

// Rows in the order a check appends them, then shuffled so that every sort has work.
ResultModel IndividualModel()
{
    ResultModel model;
    for (const char* header : {"Group", "Name", "Type", "Value"})
        model.AddColumn({header});
    std::mt19937 random(42);
    std::vector<ResultRow> rows;
    for (int row = 0; row < kRows; ++row) {
        ResultRow entry;
        entry.cells = {std::to_string(row / 17 + 1), kProperties[row % std::size(kProperties)],
                       kTypes[random() % std::size(kTypes)], ValueText(random, row)};
        rows.push_back(std::move(entry));
    }
    rows.back().cells[0] = std::to_string(kRows);   // the highest object number
    rows.back().cells[3] = "The Needle In The Last Row";
    std::shuffle(rows.begin(), rows.end() - 1, random);
    for (int row = 0; row < kRows; ++row) {
        rows[static_cast<size_t>(row)].itemData = row;
        model.AppendRow(std::move(rows[static_cast<size_t>(row)]));
    }
    return model;
}

double Seconds(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A category page and one of its numeric sort columns.
const StandardCategory& NumericCategory()
{
    for (const StandardCategory& category : kStandardCategories)
        if (category.numericSortColumnCount > 0)
            return category;
    return kStandardCategories[0];
}

// A category page's rows: a name and, in the numeric column, sizes with thousands
// separators, blanks, negatives, empty cells and the odd text.
ResultModel CategoryModel(const StandardCategory& category, int numericColumn)
{
    ResultModel model;
    for (int column = 0; column < category.columnCount; ++column)
        model.AddColumn({std::string("c").append(std::to_string(column))});
    std::mt19937 random(7);
    for (int row = 0; row < kRows; ++row) {
        ResultRow entry;
        entry.cells.resize(static_cast<size_t>(category.columnCount));
        entry.cells[0] = std::string("Device ").append(std::to_string(random()));
        std::string& number = entry.cells[static_cast<size_t>(numericColumn)];
        switch (random() % 5) {
        case 0: number = std::string(" ").append(std::to_string(random() % 1000)).append(",").append(std::to_string(100 + random() % 900)).append(" "); break;
        case 1: number = std::string("-").append(std::to_string(random() % 1000)).append(".").append(std::to_string(random() % 100)); break;
        case 2: number = ""; break;
        case 3: number = random() % 10 ? std::to_string(random()) : "Unknown"; break;
        default: number = std::to_string(random() % 100000) + ".5"; break;
        }
        entry.itemData = row;
        model.AppendRow(std::move(entry));
    }
    return model;
}

}  // namespace

int main()
{
    std::printf("%d rows x 4 columns (code page %u)\n", kRows, GetACP());

    ResultModel model = IndividualModel();
    std::printf("sort by text column (Value):          %.3f s\n",
                Seconds([&] { SortIndividualModel(model, 3, true); }));
    std::printf("sort by text column (Name):           %.3f s\n",
                Seconds([&] { SortIndividualModel(model, 1, true); }));
    std::printf("sort by object number column:         %.3f s\n",
                Seconds([&] { SortIndividualModel(model, 0, true); }));

    const StandardCategory& category = NumericCategory();
    const int numericColumn = category.numericSortColumns[0];
    ResultModel standard = CategoryModel(category, numericColumn);
    std::printf("sort by numeric column (page %d, col %d): %.3f s\n", category.page, numericColumn,
                Seconds([&] { SortStandardModel(standard, category.page, numericColumn, true); }));

    // The needle is in the last row again after sorting by object number.
    const int last = model.RowCount() - 1;
    std::optional<FoundCell> found;
    std::printf("find in last row, case ignored:       %.3f s\n",
                Seconds([&] { found = FindInModel(model, "needle in the LAST", false, true, 0); }));
    std::printf("  found row %d (last row %d)\n", found ? found->row : -1, last);
    std::printf("find in last row, match case:         %.3f s\n",
                Seconds([&] { found = FindInModel(model, "Needle In The Last", true, true, 0); }));
    std::printf("  found row %d\n", found ? found->row : -1);
    return 0;
}
