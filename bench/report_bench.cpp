// Measures the reports on a simulated store made by store_generator.exe against their
// targets: the fleet report made and written within 2 s and at most 3 MB, a computer sheet
// within 0.3 s (worst of 20 computers). Writes the fleet report and one sheet into the
// folder given, for bench/report_bench.sh to lay out and print in Chromium. Prints every
// figure with the processor time beside it, and PASS or FAIL; exits 1 when a target is missed.
//   report_bench.exe <store file> <output folder>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/simulated_fleet.h"
#include "listtools/text_sink.h"
#include "report/computer_sheet.h"
#include "report/fleet_report.h"
#include "store/check_reader.h"
#include "store/inventory_store.h"

namespace {

bool Report(const char* what, double value, double target, const char* unit, double processor)
{
    const bool pass = value <= target;
    std::printf("%-40s %9.3f %-2s (processor %.3f s; target <= %g) %s\n", what, value, unit, processor, target,
                pass ? "PASS" : "FAIL");
    return pass;
}

bool WriteFile(const std::string& path, const std::string& text)
{
    FileTextSink file;
    if (!file.Open(path))
        return false;
    file.SetEncoding(TextEncoding::Utf8);
    return file.Write(text) && file.Finish();
}

// The whole fleet report: read, made and written, as mirelrep /report does it.
bool FleetReport(InventoryStore& store, const std::string& path, size_t& bytes)
{
    const CheckTime now = CheckTime::Now();
    FleetFigures figures;
    std::string error;
    if (!ReadFleetFigures(store.Db(), now.epoch, figures, error)) {
        std::printf("The figures could not be read: %s\n", error.c_str());
        return false;
    }
    const std::string html = FleetReportHtml(figures, DescribeStoreLocation(store.Location()), now);
    bytes = html.size();
    return WriteFile(path, html);
}

bool ComputerSheet(InventoryStore& store, const std::string& computer, const std::string& path)
{
    const CheckTime now = CheckTime::Now();
    int64_t id = 0;
    std::string name, error;
    StoredCheck check;
    SheetHistory history;
    return FindLatestCheck(store.Db(), computer, id, name, error) == SheetLookup::Found &&
           LoadCheck(store.Statements(), id, check) == LoadResult::Loaded &&
           ReadSheetHistory(store.Db(), name, now.epoch, history, error) &&
           WriteFile(path, ComputerSheetHtml(check, history, now));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("usage: report_bench.exe <store file> <output folder>\n");
        return 2;
    }
    const std::string folder = argv[2];
    StoreLocation location;
    location.path = argv[1];
    std::string message;
    StoreOpenFailure failure = StoreOpenFailure::None;
    std::unique_ptr<InventoryStore> store = InventoryStore::Open(location, StoreAccess::Query, 20, message, failure);
    if (!store) {
        std::printf("%s\n", message.c_str());
        return 1;
    }
    bool pass = true;
    std::vector<double> fleet;
    double fleetProcessor = 0;
    size_t bytes = 0;
    for (int round = 0; round < 3; ++round) {
        const double processor = ThreadSeconds();
        const Stopwatch watch;
        if (!FleetReport(*store, folder + "\\fleet.html", bytes))
            return 1;
        fleet.push_back(watch.Seconds());
        fleetProcessor = std::max(fleetProcessor, ThreadSeconds() - processor);
    }
    std::sort(fleet.begin(), fleet.end());
    std::printf("fleet report, first run %.3f s\n", fleet.front());
    pass &= Report("fleet report made and written (worst of 3)", fleet.back(), 2, "s", fleetProcessor);
    pass &= Report("fleet report size", bytes / 1e6, 3, "MB", 0);
    double sheetWorst = 0, sheetProcessor = 0;
    for (int computer = 1; computer <= 20; ++computer) {
        char name[16];
        std::snprintf(name, sizeof name, "PC%04d", computer * 47 % 1000 + 1);
        const double processor = ThreadSeconds();
        const Stopwatch watch;
        if (!ComputerSheet(*store, name, folder + "\\sheet.html")) {
            std::printf("No sheet of %s\n", name);
            return 1;
        }
        sheetWorst = std::max(sheetWorst, watch.Seconds());
        sheetProcessor = std::max(sheetProcessor, ThreadSeconds() - processor);
    }
    pass &= Report("computer sheet (worst of 20)", sheetWorst, 0.3, "s", sheetProcessor);
    return pass ? 0 : 1;
}
