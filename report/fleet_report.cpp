#include "report/fleet_report.h"

#include <algorithm>
#include <map>

#include "base/text_util.h"
#include "inventory/computer_summary.h"
#include "report/html_page.h"
#include "report/report_dates.h"
#include "report/report_format.h"
#include "report/svg_chart.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

constexpr size_t kChartRows = 12;
constexpr size_t kProgramRows = 15;

bool Failed(const FleetComputer& computer)
{
    return !computer.lastResult.empty() && computer.lastResult != "ok" && computer.lastResult != "incomplete";
}

bool Low(const FleetDisk& disk)
{
    return disk.freeBytes * 10 < disk.sizeBytes;
}

std::string Joined(std::initializer_list<std::string> parts)
{
    std::string text;
    for (const std::string& part : parts) {
        const std::string trimmed = TrimWhiteSpace(part);
        if (!trimmed.empty())
            text += (text.empty() ? "" : " ") + trimmed;
    }
    return text;
}

// The largest counts first (then by label), the rest folded into one "Other" bar.
std::vector<ChartBar> TopBars(const std::map<std::string, int64_t>& counts, size_t rows)
{
    std::vector<ChartBar> bars;
    for (const auto& [label, count] : counts)
        bars.push_back({label, count});
    std::stable_sort(bars.begin(), bars.end(), [](const ChartBar& a, const ChartBar& b) { return a.value > b.value; });
    if (bars.size() > rows) {
        int64_t rest = 0;
        for (size_t i = rows - 1; i < bars.size(); ++i)
            rest += bars[i].value;
        bars.resize(rows - 1);
        bars.push_back({LoadText(IDS_REPORT_OTHER), rest});
    }
    return bars;
}

class FleetPage {
public:
    FleetPage(const FleetFigures& figures, const std::string& storeName, const CheckTime& madeAt)
        : figures_(figures), storeName_(storeName), madeAt_(madeAt),
          page_(LoadText(IDS_REPORT_FLEET_TITLE), LoadText(IDS_REPORT_FLEET_TITLE), TextLanguage())
    {
        today_ = 0;
        DayNumber(LocalDate(madeAt.epoch, madeAt.offsetMinutes), today_);
    }
    std::string Write();

private:
    void Heading();
    void Coverage();
    void SystemCharts();
    void HotfixChart();
    void DiskChart();
    void ProgramCharts();
    void ChangeChart();
    // The bars under their caption, or "None." when there are none.
    void BarsOrNone(UINT caption, const std::vector<ChartBar>& bars);
    void LowDiskTable();
    void ComputerTable();

    const FleetFigures& figures_;
    const std::string& storeName_;
    const CheckTime& madeAt_;
    HtmlPage page_;
    int64_t today_;
};

void FleetPage::Heading()
{
    page_.Heading(1, LoadText(IDS_REPORT_FLEET_TITLE));
    page_.Facts({{LoadText(IDS_REPORT_MADE), ReportTime(madeAt_.local)},
                 {LoadText(IDS_REPORT_STORE), storeName_},
                 {LoadText(IDS_REPORT_COMPUTERS), ReportNumber(static_cast<int64_t>(figures_.computers.size()))},
                 {LoadText(IDS_REPORT_CHECKS), ReportNumber(figures_.checkCount)}});
}

void FleetPage::Coverage()
{
    int64_t week = 0, month = 0;
    HtmlTable failed{{LoadText(IDS_REPORT_COMPUTER), LoadText(IDS_REPORT_LAST_CHECK), LoadText(IDS_REPORT_RESULT)}};
    for (const FleetComputer& computer : figures_.computers) {
        week += computer.lastCheckedEpoch >= figures_.now - 7 * 86400ll;
        month += computer.lastCheckedEpoch >= figures_.now - 30 * 86400ll;
        if (Failed(computer))
            failed.rows.push_back({computer.name, ReportTime(computer.lastChecked),
                                   ComputerResultTextOfKey(computer.lastResult)});
    }
    page_.Heading(2, LoadText(IDS_REPORT_COVERAGE), "coverage");
    std::vector<std::pair<std::string, std::string>> figures = {
        {LoadText(IDS_REPORT_COMPUTERS), ReportNumber(static_cast<int64_t>(figures_.computers.size()))},
        {LoadText(IDS_REPORT_CHECKED_7), ReportNumber(week)},
        {LoadText(IDS_REPORT_CHECKED_30), ReportNumber(month)},
        {LoadText(IDS_REPORT_LAST_FAILED), ReportNumber(static_cast<int64_t>(failed.rows.size()))}};
    if (figures_.knowsFound)
        figures.push_back({LoadText(IDS_REPORT_NEVER_CHECKED),
                           ReportNumber(static_cast<int64_t>(figures_.neverChecked.size()))});
    page_.Figures(figures);
    if (!failed.rows.empty()) {
        page_.Heading(3, LoadText(IDS_REPORT_LAST_FAILED));
        page_.Table(failed);
    }
    if (!figures_.neverChecked.empty()) {
        page_.Heading(3, LoadText(IDS_REPORT_NEVER_CHECKED));
        HtmlTable found{{LoadText(IDS_REPORT_COMPUTER)}};
        for (const std::string& name : figures_.neverChecked)
            found.rows.push_back({name});
        page_.Table(found);
    }
}

void FleetPage::BarsOrNone(UINT caption, const std::vector<ChartBar>& bars)
{
    if (!bars.empty()) {
        page_.Chart(LoadText(caption), BarChart(bars, LoadText(caption)));
        return;
    }
    page_.Markup("<figure class=\"chart\">");
    page_.Heading(3, LoadText(caption));
    page_.Paragraph(LoadText(IDS_REPORT_NONE), "none");
    page_.Markup("</figure>\n");
}

void FleetPage::SystemCharts()
{
    std::map<std::string, int64_t> systems, models, memory, processors;
    std::map<std::string, int64_t> memoryOrder;
    for (const FleetComputer& computer : figures_.computers) {
        if (!computer.inventoried)
            continue;
        ++systems[Joined({computer.os, computer.version})];
        ++models[Joined({computer.manufacturer, computer.model})];
        ++processors[TrimWhiteSpace(computer.processor)];
        if (computer.memoryBytes >= 0) {
            const std::string label = ReportMemory(computer.memoryBytes);
            ++memory[label];
            memoryOrder.emplace(label, computer.memoryBytes);
        }
    }
    std::vector<ChartBar> memoryBars;
    for (const auto& [label, count] : memory)
        memoryBars.push_back({label, count});
    std::sort(memoryBars.begin(), memoryBars.end(), [&](const ChartBar& a, const ChartBar& b) {
        return memoryOrder[a.label] < memoryOrder[b.label];
    });
    page_.Markup("<div class=\"charts\">\n");
    BarsOrNone(IDS_REPORT_OS_CHART, TopBars(systems, kChartRows));
    BarsOrNone(IDS_REPORT_MODEL_CHART, TopBars(models, kChartRows));
    BarsOrNone(IDS_REPORT_MEMORY_CHART, memoryBars);
    BarsOrNone(IDS_REPORT_PROCESSOR_CHART, TopBars(processors, kChartRows));
}

void FleetPage::HotfixChart()
{
    constexpr int64_t kLimits[] = {30, 90, 180, 365};
    std::vector<ChartBar> bars;
    for (int i = 0; i < 6; ++i)
        bars.push_back({LoadText(IDS_REPORT_AGE_FIRST + i), 0, i >= 4});
    for (const FleetComputer& computer : figures_.computers) {
        if (!computer.inventoried)
            continue;
        int64_t day = 0;
        if (!DayNumber(computer.latestHotfix, day)) {
            ++bars[5].value;
            continue;
        }
        const int64_t age = today_ - day;
        size_t bucket = 0;
        while (bucket < 4 && age > kLimits[bucket])
            ++bucket;
        ++bars[bucket].value;
    }
    BarsOrNone(IDS_REPORT_HOTFIX_CHART, bars);
}

void FleetPage::DiskChart()
{
    std::vector<ChartBar> bars;
    for (int i = 0; i < 4; ++i)
        bars.push_back({LoadText(IDS_REPORT_FREE_FIRST + i), 0, i == 0});
    for (const FleetDisk& disk : figures_.disks) {
        const int64_t share = disk.freeBytes * 100;
        ++bars[share < disk.sizeBytes * 10 ? 0 : share < disk.sizeBytes * 25 ? 1 : share < disk.sizeBytes * 50 ? 2 : 3]
              .value;
    }
    BarsOrNone(IDS_REPORT_DISK_CHART, bars);
}

void FleetPage::ProgramCharts()
{
    std::vector<const FleetProgram*> programs;
    for (const FleetProgram& program : figures_.programs)
        programs.push_back(&program);
    std::stable_sort(programs.begin(), programs.end(),
                     [](const FleetProgram* a, const FleetProgram* b) { return a->computers > b->computers; });
    std::vector<ChartBar> most;
    for (size_t i = 0; i < programs.size() && i < kProgramRows; ++i)
        most.push_back({programs[i]->name, programs[i]->computers});
    std::stable_sort(programs.begin(), programs.end(),
                     [](const FleetProgram* a, const FleetProgram* b) { return a->versions > b->versions; });
    std::vector<ChartBar> versions;
    for (size_t i = 0; i < programs.size() && versions.size() < kProgramRows && programs[i]->versions > 1; ++i)
        versions.push_back({programs[i]->name, programs[i]->versions});
    BarsOrNone(IDS_REPORT_TOP_PROGRAMS, most);
    BarsOrNone(IDS_REPORT_VERSIONED_PROGRAMS, versions);
}

// One column per local day from 30 days ago to today, days without changes included.
void FleetPage::ChangeChart()
{
    std::map<std::string, int64_t> counted(figures_.changesPerDay.begin(), figures_.changesPerDay.end());
    std::vector<ChartBar> days;
    for (int back = kChangeDays; back >= 0; --back) {
        const std::string day = LocalDate(madeAt_.epoch - back * 86400ll, madeAt_.offsetMinutes);
        const auto found = counted.find(day);
        days.push_back({day, found == counted.end() ? 0 : found->second});
        if (found != counted.end())
            counted.erase(found);
    }
    for (const auto& [day, count] : counted)   // a check whose own offset put it on another day
        days.push_back({day, count});
    std::stable_sort(days.begin(), days.end(), [](const ChartBar& a, const ChartBar& b) { return a.label < b.label; });
    page_.Chart(LoadText(IDS_REPORT_CHANGE_CHART), DayChart(days, LoadText(IDS_REPORT_CHANGE_CHART)));
}

void FleetPage::LowDiskTable()
{
    std::vector<const FleetDisk*> low;
    for (const FleetDisk& disk : figures_.disks)
        if (Low(disk))
            low.push_back(&disk);
    std::stable_sort(low.begin(), low.end(), [](const FleetDisk* a, const FleetDisk* b) {
        return static_cast<double>(a->freeBytes) / a->sizeBytes < static_cast<double>(b->freeBytes) / b->sizeBytes;
    });
    page_.Heading(3, LoadText(IDS_REPORT_LOW_DISKS), "low-disks");
    HtmlTable disks{{LoadText(IDS_REPORT_COMPUTER), LoadText(IDS_REPORT_DRIVE), LoadText(IDS_REPORT_VOLUME),
                     LoadText(IDS_REPORT_SIZE), LoadText(IDS_REPORT_FREE), LoadText(IDS_REPORT_FREE_PERCENT)},
                    {false, false, false, true, true, true}};
    for (const FleetDisk* disk : low)
        disks.rows.push_back({disk->computer, disk->drive, disk->volume, ReportBytes(disk->sizeBytes),
                              ReportBytes(disk->freeBytes), ReportPercent(100.0 * disk->freeBytes / disk->sizeBytes)});
    if (low.empty())
        page_.Paragraph(LoadText(IDS_REPORT_NONE), "none");
    else
        page_.Table(disks, "low-disks");
}

void FleetPage::ComputerTable()
{
    page_.Heading(2, LoadText(IDS_REPORT_EVERY_COMPUTER), "computers");
    HtmlTable table{{LoadText(IDS_REPORT_COMPUTER), LoadText(IDS_REPORT_OS), LoadText(IDS_REPORT_BUILD),
                     LoadText(IDS_REPORT_MODEL), LoadText(IDS_REPORT_MEMORY), LoadText(IDS_REPORT_SYSTEM_DISK_FREE),
                     LoadText(IDS_REPORT_LAST_CHECK), LoadText(IDS_REPORT_RESULT)},
                    {false, false, true, false, true, true, false, false}};
    for (const FleetComputer& computer : figures_.computers) {
        std::vector<HtmlCell> row{computer.name};
        if (computer.inventoried) {
            row.insert(row.end(), {Joined({computer.os}), computer.build,
                                   Joined({computer.manufacturer, computer.model}),
                                   computer.memoryBytes >= 0 ? ReportMemory(computer.memoryBytes) : std::string()});
            HtmlCell free;
            if (computer.systemDiskSize > 0) {
                free.text = ReportBytes(computer.systemDiskFree) + " (" +
                            ReportPercent(100.0 * computer.systemDiskFree / computer.systemDiskSize) + ")";
                free.warning = computer.systemDiskFree * 10 < computer.systemDiskSize;
            }
            row.push_back(free);
        } else {
            HtmlCell none(LoadText(IDS_REPORT_NOT_INVENTORIED));
            row.insert(row.end(), {none, {}, {}, {}, {}});
        }
        HtmlCell result(ComputerResultTextOfKey(computer.lastResult));
        result.warning = Failed(computer);
        row.insert(row.end(), {ReportTime(computer.lastChecked), result});
        table.rows.push_back(std::move(row));
    }
    page_.Table(table, "computers");
}

std::string FleetPage::Write()
{
    Heading();
    Coverage();
    SystemCharts();
    HotfixChart();
    DiskChart();
    ProgramCharts();
    page_.Markup("</div>\n");
    LowDiskTable();
    ChangeChart();
    ComputerTable();
    return page_.Finish();
}

}  // namespace

std::string FleetReportHtml(const FleetFigures& figures, const std::string& storeName, const CheckTime& madeAt)
{
    FleetPage page(figures, storeName, madeAt);
    return page.Write();
}
