#include "render/pattern_tables.h"

#include <climits>

#include "individual/class_ids.h"

namespace {

using namespace ClassId;

// decoder, classes, first code, last code, string ID of the first code.
constexpr CodeRange kPatternCodeRanges[] = {
    {"Attributes", {Win32_SoftwareFeature}, 0, 2, 26200},
    {"Type", {Win32_ComputerShutdownEvent}, 0, 1, 11421},
    {"Type", {Win32_IP4RouteTable}, 1, 4, 12024},
    {"Type", {Win32_ShadowProvider}, 0, 3, 26119},
    {"Type", {Win32_Share}, 0, 3, 26123},
    // 0x80000000..0x80000003, as WMI delivers these unsigned values
    {"Type", {Win32_Share}, INT_MIN, INT_MIN + 3, 26127},
    {"CurrentUsage", {Win32_SystemSlot}, 0, 4, 26600},
    {"MaxDataWidth", {Win32_SystemSlot}, 0, 4, 26605},
    {"ErrorControl", {Win32_ServiceSpecification}, 0, 1, 26111},
    {"ErrorControl", {Win32_ServiceSpecification}, 3, 3, 26113},
    {"OverwriteOutDated", {}, -1, -1, 12606},  // "4294967295 : Never Overwrite"
    {"OverwriteOutDated", {}, 0, 0, 12605},    // "0 : Always Overwrite"
    {"PrintQuality", {}, -1, -1, 15033},
    {"PrintQuality", {}, -2, -2, 15034},
    {"PrintQuality", {}, -3, -3, 15035},
    {"PrintQuality", {}, -4, -4, 15036},
};

constexpr WordText kWordTexts[] = {
    {"ErrorControl", "Ignore", 10510},
    {"ErrorControl", "Normal", 10511},
    {"ErrorControl", "Severe", 10512},
    {"ErrorControl", "Critical", 10513},
    {"ErrorControl", "Unknown", 10514},
    {"StartMode", "Boot", 10522},
    {"StartMode", "System", 10523},
    {"StartMode", "Auto", 10524},
    {"StartMode", "Manual", 10525},
    {"StartMode", "Disabled", 10526},
    {"DefInprocHandler", "1", 11416},
    {"DefInprocHandler", "2", 11417},
    {"DefInprocHandler", "3", 11418},
    {"Registration", "0", 12617},
    {"Registration", "1", 12618},
    {"PortSubClass", "00", 14632},
    {"PortSubClass", "01", 14633},
    {"PortSubClass", "02", 14634},
};

constexpr UnitSuffix kUnitSuffixes[] = {
    {"OverwriteOutDated", {}, 5001},                     // " Day(s)"
    {"PrintQuality", {}, 5002},                          // "Dot/Inch"
    {"CurrentUsage", {Win32_PageFileUsage}, 5003},       // "MB"
    {"MaxDataWidth", {Win32_SCSIController}, 5004},      // "Bits"
};

}  // namespace

std::span<const CodeRange> PatternCodeRanges()
{
    return kPatternCodeRanges;
}

std::span<const WordText> WordTexts()
{
    return kWordTexts;
}

std::span<const UnitSuffix> UnitSuffixes()
{
    return kUnitSuffixes;
}

UINT UnitSuffixFor(std::span<const UnitSuffix> units, int classId)
{
    for (const UnitSuffix& unit : units)
        if (unit.classes.Empty() || unit.classes.Contains(classId))
            return unit.id;
    return 0;
}
