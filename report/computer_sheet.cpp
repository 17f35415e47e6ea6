#include "report/computer_sheet.h"

#include <algorithm>

#include "base/text_util.h"
#include "report/check_facts.h"
#include "report/html_page.h"
#include "report/report_format.h"
#include "report/svg_chart.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "storetools/comparison_report.h"

namespace {

using Facts = std::vector<std::pair<std::string, std::string>>;

std::string Joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts) {
        const std::string trimmed = TrimWhiteSpace(part);
        if (!trimmed.empty())
            text += (text.empty() ? "" : separator) + trimmed;
    }
    return text;
}

// Rows sorted by the text of one column, ignoring case.
void SortRows(HtmlTable& table, size_t column)
{
    std::stable_sort(table.rows.begin(), table.rows.end(), [column](const auto& a, const auto& b) {
        return CompareNoCase(a[column].text, b[column].text) < 0;
    });
}

class SheetPage {
public:
    SheetPage(const StoredCheck& check, const SheetHistory& history, const CheckTime& madeAt)
        : check_(check), facts_(check), history_(history), madeAt_(madeAt), name_(Name()),
          page_(FillIn(LoadText(IDS_SHEET_TITLE), name_), FillIn(LoadText(IDS_SHEET_TITLE), name_), TextLanguage())
    {
    }
    std::string Write();

private:
    std::string Name() const
    {
        const std::string reported = TrimWhiteSpace(facts_.FirstShown("Win32_ComputerSystem", "Name"));
        return reported.empty() ? check_.header.computer : reported;
    }
    void Summary();
    std::string Processors() const;
    int64_t Memory() const;
    void Disks();
    void Network();
    void Programs();
    void Hotfixes();
    void Services();
    void Changes();
    void TableOrNone(const HtmlTable& table);

    const StoredCheck& check_;
    CheckFacts facts_;
    const SheetHistory& history_;
    const CheckTime& madeAt_;
    std::string name_;
    HtmlPage page_;
};

std::string SheetPage::Processors() const
{
    const StoredPart* part = facts_.Part("Win32_Processor");
    if (!part || part->objects.empty())
        return {};
    std::vector<std::string> names;
    for (const StoredObject& object : part->objects) {
        const std::string name = TrimWhiteSpace(CheckFacts::Raw(*part, object, "Name"));
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return std::to_string(part->objects.size()) + " \xC3\x97 " + Joined(names, "; ");
}

// The memory modules, or the memory the system sees when it lists none (as the hardware view).
int64_t SheetPage::Memory() const
{
    int64_t total = 0;
    bool any = false;
    if (const StoredPart* part = facts_.Part("Win32_PhysicalMemory")) {
        for (const StoredObject& object : part->objects) {
            int64_t capacity = 0;
            if (CheckFacts::Number(*part, object, "Capacity", capacity)) {
                total += capacity;
                any = true;
            }
        }
    }
    if (any)
        return total;
    const StoredPart* os = facts_.Part("Win32_OperatingSystem");
    int64_t visible = 0;
    if (os && !os->objects.empty() && CheckFacts::Number(*os, os->objects.front(), "TotalVisibleMemorySize", visible))
        return visible * 1024;
    return -1;
}

void SheetPage::Summary()
{
    const char* os = "Win32_OperatingSystem";
    const char* system = "Win32_ComputerSystem";
    const char* bios = "Win32_BIOS";
    const int64_t memory = Memory();
    page_.Heading(1, FillIn(LoadText(IDS_SHEET_TITLE), name_));
    const std::string which = check_.header.id > 0
                                  ? FillIn(LoadText(IDS_SHEET_STORED_CHECK), std::to_string(check_.header.id))
                                  : check_.header.source;
    page_.Paragraph(FillIn(LoadText(IDS_SHEET_FROM_CHECK), ReportTime(check_.header.checkedAt.local), which) + " " +
                        LoadText(IDS_REPORT_MADE) + ": " + ReportTime(madeAt_.local),
                    "lead");
    page_.Heading(2, LoadText(IDS_SHEET_SUMMARY), "summary");
    page_.Facts(Facts{
        {LoadText(IDS_SHEET_NAME), name_},
        {LoadText(IDS_SHEET_DOMAIN), facts_.FirstShown(system, "Domain")},
        {LoadText(IDS_REPORT_OS), Joined({facts_.FirstShown(os, "Caption"), facts_.FirstShown(os, "CSDVersion")}, " ")},
        {LoadText(IDS_SHEET_VERSION), facts_.FirstRaw(os, "Version")},
        {LoadText(IDS_REPORT_BUILD), facts_.FirstRaw(os, "BuildNumber")},
        {LoadText(IDS_SHEET_INSTALLED), facts_.FirstShown(os, "InstallDate")},
        {LoadText(IDS_SHEET_LAST_BOOT), facts_.FirstShown(os, "LastBootUpTime")},
        {LoadText(IDS_SHEET_MANUFACTURER), facts_.FirstShown(system, "Manufacturer")},
        {LoadText(IDS_REPORT_MODEL), facts_.FirstShown(system, "Model")},
        {LoadText(IDS_SHEET_SERIAL), facts_.FirstShown(bios, "SerialNumber")},
        {LoadText(IDS_SHEET_BIOS), Joined({facts_.FirstShown(bios, "Manufacturer"),
                                           facts_.FirstShown(bios, "SMBIOSBIOSVersion"),
                                           facts_.FirstShown(bios, "ReleaseDate")}, ", ")},
        {LoadText(IDS_SHEET_PROCESSORS), Processors()},
        {LoadText(IDS_REPORT_MEMORY), memory >= 0 ? ReportMemory(memory) : std::string()}});
}

void SheetPage::TableOrNone(const HtmlTable& table)
{
    if (table.rows.empty())
        page_.Paragraph(LoadText(IDS_REPORT_NONE), "none");
    else
        page_.Table(table);
}

void SheetPage::Disks()
{
    page_.Heading(2, LoadText(IDS_SHEET_DISKS), "disks");
    HtmlTable table{{LoadText(IDS_REPORT_DRIVE), LoadText(IDS_REPORT_VOLUME), LoadText(IDS_SHEET_DESCRIPTION),
                     LoadText(IDS_REPORT_FILE_SYSTEM), LoadText(IDS_REPORT_SIZE), LoadText(IDS_REPORT_FREE),
                     LoadText(IDS_REPORT_FREE_PERCENT)},
                    {false, false, false, false, true, true, false}};
    if (const StoredPart* part = facts_.Part("Win32_LogicalDisk")) {
        for (const StoredObject& disk : part->objects) {
            int64_t size = -1, free = -1;
            const bool sized = CheckFacts::Number(*part, disk, "Size", size) && size > 0 &&
                               CheckFacts::Number(*part, disk, "FreeSpace", free) && free >= 0;
            HtmlCell share;
            if (sized) {
                share = HtmlCell(FreeSpaceBar(size, free), ReportPercent(100.0 * free / size));
                share.warning = free * 10 < size;
            }
            table.rows.push_back({CheckFacts::Raw(*part, disk, "DeviceID"), CheckFacts::Raw(*part, disk, "VolumeName"),
                                  CheckFacts::Shown(*part, disk, "DriveType"),
                                  CheckFacts::Raw(*part, disk, "FileSystem"), sized ? ReportBytes(size) : "",
                                  sized ? ReportBytes(free) : "", share});
        }
    }
    TableOrNone(table);
}

// The adapters with IP enabled, named by their network adapter (as the network view).
void SheetPage::Network()
{
    page_.Heading(2, LoadText(IDS_SHEET_NETWORK), "network");
    HtmlTable table{{LoadText(IDS_SHEET_ADAPTER), LoadText(IDS_SHEET_MAC), LoadText(IDS_SHEET_ADDRESSES),
                     LoadText(IDS_SHEET_GATEWAYS), LoadText(IDS_SHEET_DHCP)}};
    const StoredPart* part = facts_.Part("Win32_NetworkAdapterConfiguration");
    const StoredPart* adapters = facts_.Part("Win32_NetworkAdapter");
    for (const StoredObject& object : facts_.Objects("Win32_NetworkAdapterConfiguration")) {
        if (CheckFacts::Raw(*part, object, "IPEnabled") != "1")
            continue;
        std::string name;
        const std::string index = CheckFacts::Raw(*part, object, "Index");
        for (const StoredObject& adapter : facts_.Objects("Win32_NetworkAdapter")) {
            if (CheckFacts::Raw(*adapters, adapter, "DeviceID") == index) {
                name = CheckFacts::Raw(*adapters, adapter, "Name");
                break;
            }
        }
        std::vector<std::string> addresses = CheckFacts::Texts(*part, object, "IPAddress");
        const std::vector<std::string> subnets = CheckFacts::Texts(*part, object, "IPSubnet");
        for (size_t i = 0; i < addresses.size() && i < subnets.size(); ++i)
            if (addresses[i].find(':') == std::string::npos)
                addresses[i] += " / " + subnets[i];
        table.rows.push_back({name, CheckFacts::Raw(*part, object, "MACAddress"), Joined(addresses, ", "),
                              Joined(CheckFacts::Texts(*part, object, "DefaultIPGateway"), ", "),
                              CheckFacts::Shown(*part, object, "DHCPEnabled")});
    }
    TableOrNone(table);
}

void SheetPage::Programs()
{
    page_.Heading(2, LoadText(IDS_SHEET_PROGRAMS), "programs");
    HtmlTable table{{LoadText(IDS_SHEET_NAME), LoadText(IDS_SHEET_VERSION), LoadText(IDS_SHEET_VENDOR),
                     LoadText(IDS_SHEET_INSTALLED)}};
    if (const StoredPart* part = facts_.Part("Win32_Product"))
        for (const StoredObject& object : part->objects)
            table.rows.push_back({CheckFacts::Raw(*part, object, "Name"), CheckFacts::Raw(*part, object, "Version"),
                                  CheckFacts::Raw(*part, object, "Vendor"),
                                  CheckFacts::Shown(*part, object, "InstallDate")});
    SortRows(table, 0);
    TableOrNone(table);
}

void SheetPage::Hotfixes()
{
    page_.Heading(2, LoadText(IDS_SHEET_HOTFIXES), "hotfixes");
    HtmlTable table{{LoadText(IDS_SHEET_HOTFIX), LoadText(IDS_SHEET_DESCRIPTION), LoadText(IDS_SHEET_INSTALLED_BY),
                     LoadText(IDS_SHEET_INSTALLED_ON)}};
    if (const StoredPart* part = facts_.Part("Win32_QuickFixEngineering"))
        for (const StoredObject& object : part->objects)
            table.rows.push_back({CheckFacts::Raw(*part, object, "HotFixID"),
                                  CheckFacts::Raw(*part, object, "Description"),
                                  CheckFacts::Raw(*part, object, "InstalledBy"),
                                  CheckFacts::Shown(*part, object, "InstalledOn")});
    SortRows(table, 0);
    TableOrNone(table);
}

// As the question of automatic services not running: start mode "Auto", state not "Running".
void SheetPage::Services()
{
    page_.Heading(2, LoadText(IDS_SHEET_STOPPED_SERVICES), "services");
    HtmlTable table{{LoadText(IDS_SHEET_SERVICE), LoadText(IDS_SHEET_DISPLAY_NAME), LoadText(IDS_SHEET_STATE)}};
    if (const StoredPart* part = facts_.Part("Win32_Service"))
        for (const StoredObject& object : part->objects)
            if (CheckFacts::Raw(*part, object, "StartMode") == "Auto" &&
                CheckFacts::Raw(*part, object, "State") != "Running")
                table.rows.push_back({CheckFacts::Raw(*part, object, "Name"),
                                      CheckFacts::Raw(*part, object, "DisplayName"),
                                      CheckFacts::Shown(*part, object, "State")});
    SortRows(table, 0);
    TableOrNone(table);
}

void SheetPage::Changes()
{
    page_.Heading(2, LoadText(IDS_SHEET_CHANGES), "changes");
    if (!history_.stored) {
        page_.Paragraph(LoadText(IDS_SHEET_NO_HISTORY), "none");
        return;
    }
    const UINT changeTexts[] = {IDS_COMPARE_ADDED, IDS_COMPARE_REMOVED, IDS_COMPARE_CHANGED};
    const char* const changeKeys[] = {"added", "removed", "changed"};
    HtmlTable table{{LoadText(IDS_SHEET_CHECKED_AT), LoadText(IDS_SHEET_CATEGORY), LoadText(IDS_SHEET_OBJECT),
                     LoadText(IDS_SHEET_CHANGE), LoadText(IDS_SHEET_PROPERTY), LoadText(IDS_SHEET_BEFORE),
                     LoadText(IDS_SHEET_AFTER)}};
    for (const SheetChange& change : history_.changes) {
        std::string kind = change.change;
        for (size_t i = 0; i < 3; ++i)
            if (change.change == changeKeys[i])
                kind = LoadText(changeTexts[i]);
        table.rows.push_back({ReportTime(change.checkedAt), PartLabel(change.className, true), change.objectKey, kind,
                              change.property, change.before, change.after});
    }
    TableOrNone(table);
    if (history_.more > 0)
        page_.Paragraph(FillIn(LoadText(IDS_SHEET_MORE_CHANGES), ReportNumber(history_.more)), "none");
}

std::string SheetPage::Write()
{
    Summary();
    Disks();
    Network();
    Programs();
    Hotfixes();
    Services();
    Changes();
    return page_.Finish();
}

}  // namespace

std::string ComputerSheetHtml(const StoredCheck& check, const SheetHistory& history, const CheckTime& madeAt)
{
    SheetPage page(check, history, madeAt);
    return page.Write();
}
