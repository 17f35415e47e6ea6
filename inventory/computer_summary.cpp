#include "inventory/computer_summary.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "base/format_text.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"

namespace {

constexpr int kLocalFixedDisk = 3;

const char* const kResultKeys[kComputerResultCount] = {
    "ok", "incomplete", "hostNotFound", "noAnswer", "accessDenied", "wmiError", "noData", "stopped", "fileError"};

// A category and one of its columns, found by WMI class and property name in the catalog.
struct Place {
    const CategoryStore* store = nullptr;
    int column = -1;
};

Place Find(const StandardStores& stores, const char* className, const wchar_t* property)
{
    for (const StandardCategory& category : kStandardCategories) {
        if (std::strcmp(category.className, className) != 0)
            continue;
        for (int column = 0; category.propertyNames[column]; ++column) {
            if (std::wcscmp(category.propertyNames[column], property) == 0)
                return {stores.Store(category.storeIndex), column};
        }
    }
    return {};
}

// The shown text of the first row's cell.
std::string FirstText(const StandardStores& stores, const char* className, const wchar_t* property)
{
    Place place = Find(stores, className, property);
    return place.store ? place.store->Cell(0, place.column) : std::string();
}

std::optional<int64_t> Integer(const CategoryStore& store, int row, int column)
{
    int64_t number = 0;
    if (store.RawCell(row, column).AsInteger(number))
        return number;
    return std::nullopt;
}

std::optional<int64_t> RowCount(const StandardStores& stores, const char* className)
{
    Place place = Find(stores, className, L"Name");
    if (!place.store)
        place = Find(stores, className, L"HotFixID");
    return place.store ? std::optional<int64_t>(place.store->RowCount()) : std::nullopt;
}

// The sum of a column over the rows `take` accepts; none when no accepted row has a number.
template <class RowFilter>
std::optional<int64_t> Sum(const Place& place, RowFilter take)
{
    std::optional<int64_t> total;
    for (int row = 0; place.store && row < place.store->RowCount(); ++row) {
        if (!take(row))
            continue;
        if (std::optional<int64_t> value = Integer(*place.store, row, place.column))
            total = total.value_or(0) + *value;
    }
    return total;
}

void SummarizeMemory(const StandardStores& stores, ComputerSummary& summary)
{
    summary.memoryBytes = Sum(Find(stores, "Win32_PhysicalMemory", L"Capacity"), [](int) { return true; });
    if (summary.memoryBytes)
        return;
    Place visible = Find(stores, "Win32_OperatingSystem", L"TotalVisibleMemorySize");   // kilobytes
    if (visible.store)
        if (std::optional<int64_t> kilobytes = Integer(*visible.store, 0, visible.column))
            summary.memoryBytes = *kilobytes * 1024;
}

void SummarizeDisks(const StandardStores& stores, ComputerSummary& summary)
{
    Place type = Find(stores, "Win32_LogicalDisk", L"DriveType");
    if (!type.store)
        return;
    auto fixed = [&](int row) { return Integer(*type.store, row, type.column) == kLocalFixedDisk; };
    int64_t count = 0;
    for (int row = 0; row < type.store->RowCount(); ++row)
        count += fixed(row) ? 1 : 0;
    summary.disks = count;
    summary.diskBytes = Sum(Find(stores, "Win32_LogicalDisk", L"Size"), fixed);
    summary.freeBytes = Sum(Find(stores, "Win32_LogicalDisk", L"FreeSpace"), fixed);
}

void SummarizeHotfixes(const StandardStores& stores, ComputerSummary& summary)
{
    summary.hotfixes = RowCount(stores, "Win32_QuickFixEngineering");
    Place installed = Find(stores, "Win32_QuickFixEngineering", L"InstalledOn");
    for (int row = 0; installed.store && row < installed.store->RowCount(); ++row) {
        std::string date = HotfixDate(installed.store->RawCell(row, installed.column).Text());
        if (date > summary.latestHotfix)
            summary.latestHotfix = date;
    }
}

bool ValidDate(unsigned long year, unsigned long month, unsigned long day)
{
    return year >= 1601 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

std::string IsoDate(unsigned long year, unsigned long month, unsigned long day)
{
    return ValidDate(year, month, day) ? FormatText("%04lu-%02lu-%02lu", year, month, day) : std::string();
}

std::string FileTimeDate(const std::string& hex)
{
    unsigned long long ticks = std::strtoull(hex.c_str(), nullptr, 16);
    FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME time{};
    if (!FileTimeToSystemTime(&file, &time))
        return {};
    return IsoDate(time.wYear, time.wMonth, time.wDay);
}

}  // namespace

std::string ComputerResultText(ComputerResult result)
{
    return LoadText(IDS_RESULT_FIRST + static_cast<UINT>(result));
}

const char* ComputerResultKey(ComputerResult result)
{
    return kResultKeys[static_cast<int>(result)];
}

std::string ComputerResultTextOfKey(const std::string& key)
{
    for (int value = 0; value < kComputerResultCount; ++value)
        if (key == kResultKeys[value])
            return ComputerResultText(static_cast<ComputerResult>(value));
    return key;
}

void ComputerSummary::SetMessage(const std::string& text)
{
    message.clear();
    for (char character : text) {
        const bool lineBreak = character == '\r' || character == '\n';
        if (lineBreak && (message.empty() || message.back() == ' '))
            continue;
        message += lineBreak ? ' ' : character;
    }
    while (!message.empty() && message.back() == ' ')
        message.pop_back();
}

std::string HotfixDate(const std::string& installedOn)
{
    const std::string& text = installedOn;
    if (text.size() == 16 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos)
        return FileTimeDate(text);
    if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string::npos) {
        unsigned long number = std::strtoul(text.c_str(), nullptr, 10);
        return IsoDate(number / 10000, number / 100 % 100, number % 100);
    }
    char* end = nullptr;
    unsigned long first = std::strtoul(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '/')
        return {};
    const char* secondStart = end + 1;
    unsigned long second = std::strtoul(secondStart, &end, 10);
    if (end == secondStart || *end != '/')
        return {};
    const char* yearStart = end + 1;
    unsigned long year = std::strtoul(yearStart, &end, 10);
    if (end == yearStart || *end != '\0')
        return {};
    return first > 12 ? IsoDate(year, second, first) : IsoDate(year, first, second);
}

void SummarizeStandardStores(const StandardStores& stores, ComputerSummary& summary)
{
    summary.osName = FirstText(stores, "Win32_OperatingSystem", L"Caption");
    summary.osVersion = FirstText(stores, "Win32_OperatingSystem", L"Version");
    summary.osBuild = FirstText(stores, "Win32_OperatingSystem", L"BuildNumber");
    summary.architecture = FirstText(stores, "Win32_ComputerSystem", L"SystemType");
    summary.manufacturer = FirstText(stores, "Win32_ComputerSystem", L"Manufacturer");
    summary.model = FirstText(stores, "Win32_ComputerSystem", L"Model");
    summary.biosSerial = FirstText(stores, "Win32_BIOS", L"SerialNumber");
    summary.processor = FirstText(stores, "Win32_Processor", L"Name");
    Place processors = Find(stores, "Win32_ComputerSystem", L"NumberOfProcessors");
    summary.processors = processors.store ? Integer(*processors.store, 0, processors.column) : std::nullopt;
    SummarizeMemory(stores, summary);
    SummarizeDisks(stores, summary);
    summary.products = RowCount(stores, "Win32_Product");
    SummarizeHotfixes(stores, summary);
}
