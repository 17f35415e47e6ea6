// Generates a simulated inventory store of realistic size through the store's own recorder:
// N computers x M standard checks each, recorded in time order (every computer's first
// check, then every computer's second...). Per computer about 250 services, 150 programs,
// 100 hotfixes, local accounts and groups and the hardware categories (with its own serial
// numbers, addresses and disk sizes), drawn from shared pools; every value is made a VARIANT
// and rendered as a live check renders it. Between two checks of a computer about 1 % of
// its objects change (a service's path, a program updated, a hotfix added, a driver), and
// the values that change by themselves (free space, service states, the clock) vary.
//   store_generator.exe <store file> [computers (1000)] [checks each (10)] [seed (1)]
// Prints the recording time per check and the file's size; the file must not exist yet.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/narrow.h"
#include "bench/simulated_fleet.h"
#include "render/value_render.h"
#include "standard/category_catalog.h"
#include "store/inventory_store.h"
#include "store/object_identity.h"

namespace {

constexpr int kServicePool = 400, kCommonServices = 200, kServices = 250;
constexpr int kProductPool = 1500, kCommonProducts = 40, kProducts = 150;
constexpr int kHotfixPool = 400, kCommonHotfixes = 60, kHotfixes = 100;
constexpr int kModels = 20;

// Objects per computer of each category (services, programs and hotfixes above).
int CountOf(const std::string& className)
{
    static const std::pair<const char*, int> kCounts[] = {
        {"Win32_CDROMDrive", 1}, {"Win32_IDEController", 2}, {"Win32_BIOS", 1}, {"Win32_SCSIController", 1},
        {"Win32_USBController", 4}, {"Win32_Keyboard", 1}, {"Win32_ComputerSystem", 1},
        {"Win32_SystemEnclosure", 1}, {"Win32_DiskDrive", 2}, {"Win32_DiskPartition", 4},
        {"Win32_DesktopMonitor", 2}, {"Win32_NetworkAdapter", 8}, {"Win32_NetworkAdapterConfiguration", 8},
        {"Win32_VideoController", 1}, {"Win32_Processor", 1}, {"Win32_PointingDevice", 1},
        {"Win32_MotherboardDevice", 1}, {"Win32_PhysicalMemory", 2}, {"Win32_OperatingSystem", 1},
        {"Win32_NetworkClient", 2}, {"Win32_LogicalDisk", 3}, {"Win32_UserAccount", 5}, {"Win32_Group", 25},
        {"Win32_Service", kServices}, {"Win32_Product", kProducts}, {"Win32_QuickFixEngineering", kHotfixes},
    };
    for (const auto& [name, count] : kCounts)
        if (className == name)
            return count;
    return 0;   // tape drives, software features
}

uint64_t Mix(uint64_t a, uint64_t b = 0, uint64_t c = 0)
{
    uint64_t x = a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull ^ c * 0x94D049BB133111EBull;
    x ^= x >> 31;
    x *= 0xD6E8FEB86659FD93ull;
    return x ^ (x >> 29);
}

uint64_t Hash(const std::string& text)
{
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

struct Item {
    int item;   // pool item (or the object's number on the computer for hardware)
    int rev;    // how often it changed
};

struct Computer {
    int index;
    std::string name;
    int model;
    std::vector<std::vector<Item>> objects;   // per category, in reading order
    int nextHotfix = kHotfixPool;
};

enum class Kind { Null, Text, I4, UI64, Bool, Date, TextArray, I4Array };

struct Value {
    Kind kind = Kind::Null;
    std::string text;
    long long number = 0;
    std::vector<std::string> texts;

    static Value Of(std::string t) { return {Kind::Text, std::move(t)}; }
    static Value Int(long long n) { return {Kind::I4, {}, n}; }
    static Value Big(long long n) { return {Kind::UI64, {}, n}; }
    static Value Flag(bool b) { return {Kind::Bool, {}, b ? 1 : 0}; }
    static Value Date(int daysBack, int seconds = 0)
    {
        SYSTEMTIME t{};
        FILETIME f;
        ULARGE_INTEGER u;
        u.QuadPart = 133500000000000000ull - static_cast<uint64_t>(daysBack) * 864000000000ull +
                     static_cast<uint64_t>(seconds) * 10000000ull;
        f.dwLowDateTime = u.LowPart;
        f.dwHighDateTime = u.HighPart;
        FileTimeToSystemTime(&f, &t);
        char text[40];
        std::snprintf(text, sizeof text, "%04u%02u%02u%02u%02u%02u.000000+000", t.wYear, t.wMonth, t.wDay, t.wHour,
                      t.wMinute, t.wSecond);
        return {Kind::Date, text};
    }
};

// Where a value is made: the computer, the class, the object and the check.
struct Place {
    const Computer& pc;
    const std::string& cls;
    const std::string& prop;
    int n;        // the object's number in its category
    Item object;
    int check;    // the check's number on this computer
    uint64_t Pick(uint64_t salt = 0) const { return Mix(Hash(cls + "." + prop), object.item * 131 + salt, pc.model); }
    uint64_t Own(uint64_t salt = 0) const { return Mix(Hash(cls + "." + prop), pc.index * 1000 + n, salt); }
};

std::string Guid(uint64_t a)
{
    char text[48];
    const uint64_t b = Mix(a, 7);
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(a), static_cast<unsigned>(a >> 32) & 0xFFFF,
                  static_cast<unsigned>(a >> 48), static_cast<unsigned>(b) & 0xFFFF, static_cast<unsigned long long>(b >> 16));
    return text;
}

std::string Revised(std::string text, int rev)
{
    return rev ? text + " (" + std::to_string(rev) + ")" : text;
}

// The values that change by themselves, per check.
Value VolatileValue(const Place& p)
{
    const uint64_t r = Mix(p.pc.index, p.n * 97 + p.check, Hash(p.prop));
    if (p.cls == "Win32_Service") {
        // Automatic services run; of the others a third, on this computer; 2 % of them
        // are found the other way at a check.
        const bool automatic = Mix(p.object.item, 3) % 10 < 4;
        const bool usual = automatic || Mix(p.pc.index, p.object.item) % 3 == 0;
        const bool running = usual != (Mix(p.pc.index, p.object.item * 31 + p.check) % 50 == 0);
        if (p.prop == "State")
            return Value::Of(running ? "Running" : "Stopped");
        if (p.prop == "Started")
            return Value::Flag(running);
        return Value::Of("OK");
    }
    if (p.prop == "FreeSpace")
        return Value::Big(static_cast<long long>(r % 200000000000ull));
    if (p.prop == "FreePhysicalMemory" || p.prop == "FreeVirtualMemory")
        return Value::Big(static_cast<long long>(1000000 + r % 8000000));
    if (p.prop == "LastBootUpTime")
        return Value::Date(600 - p.check - static_cast<int>(r % 2), static_cast<int>(r % 86400));
    if (p.prop == "UserName")
        return Value::Of("CORP\\user" + std::to_string(p.pc.index));
    if (p.prop == "CurrentClockSpeed")
        return Value::Int(1800 + static_cast<long long>(r % 1600));
    if (p.prop == "Speed")
        return Value::Big(r % 3 ? 1000000000 : 100000000);
    if (p.prop == "CurrentRefreshRate")
        return Value::Int(60);
    return Value::Of("OK");
}

Value ServiceValue(const Place& p)
{
    const int i = p.object.item;
    const std::string name = (i < kCommonServices ? "WinSvc" : "AppSvc") + std::to_string(i);
    if (p.prop == "Name")
        return Value::Of(name);
    if (p.prop == "DisplayName")
        return Value::Of((i < kCommonServices ? "Windows " : SimulatedVendor(i) + " ") + "service " + std::to_string(i));
    if (p.prop == "PathName")
        return Value::Of(Revised(i % 3 ? "C:\\Windows\\system32\\svchost.exe -k netsvcs" + std::to_string(i % 17) + " -p"
                                       : "\"C:\\Program Files\\" + SimulatedVendor(i) + "\\" + name + "\\" + name + ".exe\"",
                                 p.object.rev));
    if (p.prop == "ServiceType")
        return Value::Of(i % 3 ? "Share Process" : "Own Process");
    if (p.prop == "StartMode") {
        const uint64_t m = Mix(i, 3) % 10;
        return Value::Of(m < 4 ? "Auto" : m < 9 ? "Manual" : "Disabled");
    }
    if (p.prop == "StartName")
        return Value::Of(i % 5 ? "LocalSystem" : "NT AUTHORITY\\LocalService");
    return Value();
}

Value ProductValue(const Place& p)
{
    const int i = p.object.item;
    const std::string version = std::to_string(i % 13 + 1) + "." + std::to_string(i % 7) + "." +
                                std::to_string(1000 + (i * 31) % 9000 + p.object.rev * 10);
    if (p.prop == "Name" || p.prop == "Description")
        return Value::Of(SimulatedProductName(i));
    if (p.prop == "Vendor")
        return Value::Of(SimulatedVendor(i) + " Corporation");
    if (p.prop == "Version")
        return Value::Of(version);
    if (p.prop == "Language")
        return Value::Of(i % 9 ? "1033" : "0");
    if (p.prop == "IdentifyingNumber")
        return Value::Of(Guid(Mix(i, 11)));
    if (p.prop == "PackageCode")
        return Value::Of(Guid(Mix(i, 13, p.object.rev)));
    if (p.prop == "InstallDate")
        return Value::Of("2024" + std::string(i % 9 < 9 ? "0" : "") + std::to_string(i % 9 + 1) + "1" + std::to_string(i % 9));
    if (p.prop == "InstallLocation")
        return i % 4 ? Value::Of("C:\\Program Files\\" + SimulatedVendor(i) + "\\" + SimulatedProductName(i) + "\\") : Value();
    if (p.prop == "InstallSource")
        return Value::Of("C:\\ProgramData\\Package Cache\\" + Guid(Mix(i, 17)) + "v" + version + "\\");
    if (p.prop == "PackageName")
        return Value::Of("setup_" + std::to_string(i) + ".msi");
    return Value();
}

Value HotfixValue(const Place& p)
{
    const int i = p.object.item;
    const std::string id = SimulatedHotfixId(i);
    if (p.prop == "HotFixID")
        return Value::Of(id);
    if (p.prop == "Description")
        return Value::Of(i % 4 ? "Security Update" : "Update");
    if (p.prop == "Caption")
        return Value::Of("http://support.microsoft.com/?kbid=" + id.substr(2));
    if (p.prop == "CSName")
        return Value::Of(p.pc.name);
    if (p.prop == "InstalledBy")
        return Value::Of(i % 2 ? "NT AUTHORITY\\SYSTEM" : "CORP\\admin");
    if (p.prop == "InstalledOn")
        return Value::Of(std::to_string(i % 12 + 1) + "/" + std::to_string(i % 28 + 1) + "/2024");
    return Value();   // FixComments, ServicePackInEffect
}

Value AccountValue(const Place& p)
{
    static const char* const kGroups[] = {"Administrators", "Users", "Guests", "Power Users", "Backup Operators",
                                          "Remote Desktop Users", "Network Configuration Operators", "Event Log Readers"};
    const int i = p.object.item;
    const bool user = p.cls == "Win32_UserAccount";
    if (p.prop == "Name")
        return Value::Of(user ? (i == 0 ? "Administrator" : i == 1 ? "Guest" : "user" + std::to_string(i))
                              : i < 8 ? kGroups[i] : "Group " + std::to_string(i));
    if (p.prop == "Domain")
        return Value::Of(p.pc.name);
    if (p.prop == "SID")
        return Value::Of("S-1-5-21-" + std::to_string(Mix(p.pc.index) % 4000000000u) + "-" +
                         std::to_string(Mix(p.pc.index, 1) % 4000000000u) + "-" + std::to_string(500 + i));
    if (p.prop == "FullName")
        return Value::Of(user && i > 1 ? "Simulated User " + std::to_string(i) : "");
    if (p.prop == "Description")
        return Value::Of(Revised((user ? "Account " : "Members of group ") + std::to_string(i), p.object.rev));
    if (p.prop == "AccountType")
        return Value::Int(512);
    if (p.prop == "SIDType")
        return Value::Int(user ? 1 : 4);
    if (p.prop == "Status")
        return Value::Of(user && i == 1 ? "Degraded" : "OK");
    return Value::Flag(user && (p.prop == "PasswordRequired" || (i == 1 && p.prop == "Disabled")));
}

const std::set<std::string>& Names(std::initializer_list<const char*> names, std::set<std::string>& set)
{
    if (set.empty())
        for (const char* name : names)
            set.insert(name);
    return set;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsBool(const std::string& prop)
{
    static std::set<std::string> set;
    return Names({"Started", "Compressed", "Disabled", "Lockout", "PasswordChangeable", "PasswordExpires",
                  "PasswordRequired", "DHCPEnabled", "IPEnabled", "IPXEnabled", "Bootable", "BootPartition",
                  "PrimaryPartition"}, set).count(prop) > 0;
}

bool IsBig(const std::string& prop)
{
    static std::set<std::string> set;
    return Names({"Size", "Capacity", "TotalVisibleMemorySize", "TotalSwapSpaceSize", "TotalVirtualMemorySize",
                  "TotalCylinders", "TotalSectors", "TotalTracks", "BlockSize", "MaxSpeed", "CurrentNumberOfColors"},
                 set).count(prop) > 0;
}

bool IsDate(const std::string& prop)
{
    static std::set<std::string> set;
    return Names({"ReleaseDate", "InstallDate", "DriverDate"}, set).count(prop) > 0;
}

bool IsOwn(const std::string& prop)
{
    static std::set<std::string> set;
    return Names({"SerialNumber", "SMBIOSAssetTag", "ProcessorId", "PNPDeviceID"}, set).count(prop) > 0;
}

// Everything else: the hardware of the computer's model, its own serial numbers and
// addresses, and the operating system.
Value HardwareValue(const Place& p)
{
    const std::string model = "M" + std::to_string(p.pc.model);
    if (p.prop == "SystemName" || p.prop == "CSName" || (p.cls == "Win32_ComputerSystem" && p.prop == "Name"))
        return Value::Of(p.pc.name);
    if (p.prop == "Domain")
        return Value::Of("corp.example.invalid");
    if (p.cls == "Win32_LogicalDisk") {
        static const char* const kDrives[] = {"C:", "D:", "E:"};
        if (p.prop == "Name" || p.prop == "DeviceID")
            return Value::Of(kDrives[p.n % 3]);
        if (p.prop == "DriveType")
            return Value::Int(p.n == 2 ? 5 : 3);
        if (p.prop == "Size")
            return p.n == 2 ? Value() : Value::Big(static_cast<long long>((p.Own() % 4 + 1) * 256060514304ull));
        if (p.prop == "VolumeName")
            return Value::Of(p.n ? "Data" : "Windows");
        if (p.prop == "FileSystem")
            return Value::Of(p.n == 2 ? "CDFS" : "NTFS");
    }
    if (p.prop == "MACAddress")
        return p.n < 4 ? Value::Of([&] {
            char text[24];
            const uint64_t a = Mix(p.pc.index, p.n, 5);
            std::snprintf(text, sizeof text, "00:15:5D:%02X:%02X:%02X", static_cast<unsigned>(a) & 0xFF,
                          static_cast<unsigned>(a >> 8) & 0xFF, static_cast<unsigned>(a >> 16) & 0xFF);
            return std::string(text);
        }()) : Value();
    if (p.cls == "Win32_NetworkAdapterConfiguration" && p.n == 0) {
        const std::string host = std::to_string(p.pc.index / 250) + "." + std::to_string(p.pc.index % 250 + 2);
        if (p.prop == "IPAddress")
            return {Kind::TextArray, {}, 0, {"10.20." + host, "fe80::" + std::to_string(1000 + p.pc.index)}};
        if (p.prop == "IPSubnet")
            return {Kind::TextArray, {}, 0, {"255.255.0.0", "64"}};
        if (p.prop == "DefaultIPGateway")
            return {Kind::TextArray, {}, 0, {"10.20.0.1"}};
        if (p.prop == "DHCPServer")
            return Value::Of("10.20.0.2");
    }
    if (p.prop == "Index" || (p.prop == "DeviceID" && p.cls == "Win32_NetworkAdapter"))
        return p.prop == "Index" ? Value::Int(p.n) : Value::Of(std::to_string(p.n));
    if (p.prop == "Roles")
        return {Kind::TextArray, {}, 0, {"LM_Workstation", "LM_Server", "NT"}};
    if (p.prop == "ChassisTypes")
        return {Kind::I4Array};
    if (IsOwn(p.prop))
        return Value::Of(std::to_string(p.Own() % 100000000000ull) + model);
    if (p.cls == "Win32_OperatingSystem") {
        if (p.prop == "Caption")
            return Value::Of(p.pc.model % 4 ? "Microsoft Windows 11 Pro" : "Microsoft Windows 10 Pro");
        if (p.prop == "Version" || p.prop == "BuildNumber") {
            const std::string build = p.pc.model % 4 ? "22631" : "19045";
            return Value::Of(p.prop == "Version" ? "10.0." + build : build);
        }
        if (p.prop == "OSLanguage")
            return Value::Int(1033);
        if (p.prop == "InstallDate")
            return Value::Date(400 + static_cast<int>(p.Own() % 300), static_cast<int>(p.Own(1) % 86400));
        if (p.prop == "CSDVersion")
            return Value();
    }
    if (IsBool(p.prop))
        return Value::Flag(p.Pick() % 2);
    if (IsBig(p.prop))
        return Value::Big(static_cast<long long>(p.Pick() % 1000000000000ull));
    if (IsDate(p.prop))
        return Value::Date(static_cast<int>(p.Pick() % 2000));
    if (p.Pick(9) % 7 == 0)
        return Value();   // many hardware properties are empty
    if (p.prop.find("Width") != std::string::npos || p.prop.find("Speed") != std::string::npos ||
        p.prop == "Availability" || p.prop == "Family" || EndsWith(p.prop, "Type") ||
        p.prop.rfind("Number", 0) == 0 || p.prop.rfind("Current", 0) == 0 || p.prop.rfind("Pixels", 0) == 0 ||
        p.prop.rfind("Screen", 0) == 0 || p.prop.rfind("SCSI", 0) == 0 || p.prop == "Partitions" ||
        p.prop == "Architecture" || p.prop == "AdapterRAM" || p.prop == "Access" || p.prop == "Speed")
        return Value::Int(static_cast<long long>(p.Pick() % 4096));
    const bool revised = p.prop == "DriverVersion" || p.prop == "Description";
    return Value::Of(Revised(p.prop + " " + model + "-" + std::to_string(p.n) + "-" + std::to_string(p.Pick() % 1000),
                             revised ? p.object.rev : 0));
}

Value MakeValue(const Place& p)
{
    if (IsVolatileProperty(p.cls, p.prop))
        return VolatileValue(p);
    if (p.cls == "Win32_Service")
        return ServiceValue(p);
    if (p.cls == "Win32_Product")
        return ProductValue(p);
    if (p.cls == "Win32_QuickFixEngineering")
        return HotfixValue(p);
    if (p.cls == "Win32_UserAccount" || p.cls == "Win32_Group")
        return AccountValue(p);
    return HardwareValue(p);
}

// The value as WMI delivers it, and the CIM type it names.
VARIANT VariantOf(const Value& value, CIMTYPE& cimType)
{
    VARIANT v;
    VariantInit(&v);
    cimType = 0;
    switch (value.kind) {
    case Kind::Null:
        V_VT(&v) = VT_NULL;
        break;
    case Kind::Text:
    case Kind::Date:
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocString(ToWide(value.text).c_str());
        cimType = value.kind == Kind::Date ? CIM_DATETIME : CIM_STRING;
        break;
    case Kind::I4:
        V_VT(&v) = VT_I4;
        V_I4(&v) = static_cast<LONG>(value.number);
        break;
    case Kind::UI64:
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocString(std::to_wstring(value.number).c_str());
        cimType = CIM_UINT64;
        break;
    case Kind::Bool:
        V_VT(&v) = VT_BOOL;
        V_BOOL(&v) = value.number ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case Kind::TextArray: {
        SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(value.texts.size()));
        for (LONG i = 0; i < static_cast<LONG>(value.texts.size()); ++i) {
            BSTR text = SysAllocString(ToWide(value.texts[i]).c_str());
            SafeArrayPutElement(array, &i, text);
            SysFreeString(text);
        }
        V_VT(&v) = VT_ARRAY | VT_BSTR;
        V_ARRAY(&v) = array;
        break;
    }
    case Kind::I4Array: {
        SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 1);
        LONG first = 0, type = 3;
        SafeArrayPutElement(array, &first, &type);
        V_VT(&v) = VT_ARRAY | VT_I4;
        V_ARRAY(&v) = array;
        break;
    }
    }
    return v;
}

StoredCheck CheckOf(const Computer& pc, int check, int checks, int64_t now)
{
    StoredCheck stored;
    StoredCheckHeader& header = stored.header;
    header.computer = header.target = pc.name;
    const int64_t epoch = now - static_cast<int64_t>(checks - 1 - check) * 86400 - (pc.index % 720) * 60;
    const uint64_t ticks = static_cast<uint64_t>(epoch) * 10000000ull + 116444736000000000ull;
    FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc;
    FileTimeToSystemTime(&file, &utc);
    header.checkedAt = CheckTime::OfSystemTime(utc);
    header.seconds = 3.5;
    header.source = "mirelrep";
    header.language = 0x409;
    for (const StandardCategory& category : kStandardCategories) {
        StoredPart part;
        part.className = category.className;
        for (int i = 0; category.propertyNames[i]; ++i)
            part.properties.push_back(ToNarrow(category.propertyNames[i]));
        part.identityRule = IdentityRuleFor(part.className, part.properties);
        const std::vector<Item>& items = pc.objects[static_cast<size_t>(category.storeIndex)];
        for (size_t n = 0; n < items.size(); ++n) {
            StoredObject object;
            for (int i = 0; category.propertyNames[i]; ++i) {
                const Place place{pc, part.className, part.properties[static_cast<size_t>(i)], static_cast<int>(n),
                                  items[n], check};
                CIMTYPE cimType;
                VARIANT value = VariantOf(MakeValue(place), cimType);
                StoredCell cell;
                cell.raw = RawValueOf(value, cimType);
                if (RenderPropertyValue(value, cell.text, category.classId, category.propertyNames[i], {}, cimType) != 0)
                    cell.text.clear();
                VariantClear(&value);
                object.cells.push_back(std::move(cell));
            }
            part.objects.push_back(std::move(object));
        }
        AssignIdentities(part);
        stored.parts.push_back(std::move(part));
    }
    return stored;
}

// `count` distinct items: the first `common` of the pool, the rest drawn from the others.
std::vector<Item> Draw(int count, int common, int pool, std::mt19937_64& random)
{
    std::vector<Item> items;
    std::set<int> taken;
    for (int i = 0; i < common && i < count; ++i)
        items.push_back({i, 0}), taken.insert(i);
    while (static_cast<int>(items.size()) < count) {
        const int item = common + static_cast<int>(random() % static_cast<uint64_t>(pool - common));
        if (taken.insert(item).second)
            items.push_back({item, 0});
    }
    return items;
}

Computer NewComputer(int index, std::mt19937_64& random)
{
    Computer pc;
    pc.index = index;
    char name[16];
    std::snprintf(name, sizeof name, "PC%04d", index + 1);
    pc.name = name;
    pc.model = static_cast<int>(random() % kModels);
    for (const StandardCategory& category : kStandardCategories) {
        const std::string cls = category.className;
        const int count = CountOf(cls);
        if (cls == "Win32_Service")
            pc.objects.push_back(Draw(count, kCommonServices, kServicePool, random));
        else if (cls == "Win32_Product")
            pc.objects.push_back(Draw(count, kCommonProducts, kProductPool, random));
        else if (cls == "Win32_QuickFixEngineering")
            pc.objects.push_back(Draw(count, kCommonHotfixes, kHotfixPool, random));
        else
            pc.objects.push_back(Draw(count, count, count, random));
    }
    return pc;
}

// About 1 % of the computer's objects change: a hotfix is added, anything else is revised
// (a program's new version is a removed and an added object, as WMI keys programs by it).
int Change(Computer& pc, std::mt19937_64& random)
{
    size_t total = 0;
    for (const auto& items : pc.objects)
        total += items.size();
    const int changes = static_cast<int>((total + 50) / 100);
    for (int c = 0; c < changes; ++c) {
        size_t at = random() % total;
        for (size_t category = 0; category < pc.objects.size(); ++category) {
            std::vector<Item>& items = pc.objects[category];
            if (at >= items.size()) {
                at -= items.size();
                continue;
            }
            if (std::string(kStandardCategories[category].className) == "Win32_QuickFixEngineering")
                items.push_back({pc.nextHotfix++, 0});
            else
                ++items[at].rev;
            break;
        }
    }
    return changes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: store_generator.exe <store file> [computers] [checks each] [seed]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int computers = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int checks = argc > 3 ? std::atoi(argv[3]) : 10;
    std::mt19937_64 random(argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 1);
    if (computers <= 0 || checks <= 0 || FileBytes(path) >= 0) {
        std::printf("give a positive number of computers and checks, and a store file that does not exist yet\n");
        return 2;
    }
    StoreLocation location;
    location.path = path;
    std::string message;
    StoreOpenFailure failure;
    std::unique_ptr<InventoryStore> store = InventoryStore::Open(location, StoreAccess::Record, 20, message, failure);
    if (!store) {
        std::printf("%s\n", message.c_str());
        return 1;
    }
    std::vector<Computer> fleet;
    for (int index = 0; index < computers; ++index)
        fleet.push_back(NewComputer(index, random));
    FILETIME nowFile;
    GetSystemTimeAsFileTime(&nowFile);
    const int64_t now = static_cast<int64_t>(((static_cast<uint64_t>(nowFile.dwHighDateTime) << 32 | nowFile.dwLowDateTime) -
                                              116444736000000000ull) / 10000000ull) - 3600;
    std::printf("%d computers x %d checks into %s\n", computers, checks, path.c_str());
    const Stopwatch all;
    double building = 0, recording = 0;
    long long objects = 0;
    for (int check = 0; check < checks; ++check) {
        for (Computer& pc : fleet) {
            if (check > 0)
                Change(pc, random);
            const Stopwatch build;
            StoredCheck stored = CheckOf(pc, check, checks, now);
            building += build.Seconds();
            for (const StoredPart& part : stored.parts)
                objects += static_cast<long long>(part.objects.size());
            const Stopwatch record;
            if (!store->Record(stored)) {
                std::printf("not recorded: %s\n", store->FailureMessage().c_str());
                return 1;
            }
            recording += record.Seconds();
        }
        std::printf("  round %d of %d: %.0f s so far, file %.1f MB\n", check + 1, checks, all.Seconds(),
                    static_cast<double>(FileBytes(path)) / 1e6);
        std::fflush(stdout);
    }
    store.reset();   // the last connection checkpoints the log into the file
    const int total = computers * checks;
    std::printf("checks recorded: %d (%lld objects, %.0f per check)\n", total, objects,
                static_cast<double>(objects) / total);
    std::printf("building the checks: %.1f s; recording: %.1f s, %.1f ms per check\n", building, recording,
                1000 * recording / total);
    std::printf("store file: %.1f MB\n", static_cast<double>(FileBytes(path)) / 1e6);
    return 0;
}
