#include "render/flag_tables.h"

#include <algorithm>

#include "individual/class_ids.h"

namespace {

using namespace ClassId;

// Directory access rights name bits 0x1, 0x2, 0x4 and 0x20 differently from file rights.
constexpr ClassSet kDirectoryClasses = {Win32_Directory, Win32_NetworkConnection, Win32_Share};

// decoder, classes, first mask, last mask, string ID of the first mask.
// Class sets choose runs as in the code tables: the runs of the set that holds the
// class, or else the runs without a set.
constexpr FlagRun kFlagRuns[] = {
    {"ServiceType", {}, 0x1, 0x20, 10515},
    {"ServiceType", {}, 0x100, 0x100, 10521},
    {"FileSystemFlagsEx", {}, 0x1, 0x100, 11401},
    {"FileSystemFlagsEx", {}, 0x4000, 0x4000, 11410},
    {"FileSystemFlagsEx", {}, 0x8000, 0x8000, 11411},
    {"FileSystemFlagsEx", {}, 0x80000, 0x80000, 11412},
    {"FileSystemFlagsEx", {}, 0x10000, 0x40000, 11413},
    // AccessMask: directory rights | file rights
    {"AccessMask", kDirectoryClasses, 0x1, 0x1, 11523},      {"AccessMask", {}, 0x1, 0x1, 11522},
    {"AccessMask", kDirectoryClasses, 0x2, 0x2, 11525},      {"AccessMask", {}, 0x2, 0x2, 11524},
    {"AccessMask", kDirectoryClasses, 0x4, 0x4, 11527},      {"AccessMask", {}, 0x4, 0x4, 11526},
    {"AccessMask", kDirectoryClasses, 0x8, 0x8, 11528},      {"AccessMask", {}, 0x8, 0x8, 11528},
    {"AccessMask", kDirectoryClasses, 0x10, 0x10, 11529},    {"AccessMask", {}, 0x10, 0x10, 11529},
    {"AccessMask", kDirectoryClasses, 0x20, 0x20, 11531},    {"AccessMask", {}, 0x20, 0x20, 11530},
    {"AccessMask", kDirectoryClasses, 0x40, 0x40, 11532},    {"AccessMask", {}, 0x40, 0x40, 11532},
    {"AccessMask", kDirectoryClasses, 0x80, 0x80, 11533},    {"AccessMask", {}, 0x80, 0x80, 11533},
    {"AccessMask", kDirectoryClasses, 0x100, 0x100, 11534},  {"AccessMask", {}, 0x100, 0x100, 11534},
    {"AccessMask", kDirectoryClasses, 0x10000, 0x100000, 11535},
    {"AccessMask", {}, 0x10000, 0x100000, 11535},
    {"ControlFlags", {}, 0x1, 0x20, 12041},
    {"ControlFlags", {}, 0x100, 0x2000, 12047},
    {"ControlFlags", {}, 0x8000, 0x8000, 12053},
    {"BasicUIRestrictions", {}, 0x1, 0x80, 12207},
    {"LimitFlags", {}, 0x1, 0x1000, 12215},
    {"AuthorizationFlags", {}, 0x1, 0x8, 12415},
    {"Flags", {}, 0x1, 0x1, 12501},
    {"Flags", {}, 0x2, 0x2, 12502},
    {"Flags", {}, 0x8, 0x200, 12503},
    {"Flags", {}, 0x800, 0x2000, 12510},
    {"Flags", {}, 0x10000, 0x10000, 12513},
    {"Flags", {}, 0x40000, 0x800000, 12514},
    {"OSProductSuite", {}, 0x1, 0x400, 13101},
    {"OSProductSuite", {}, 0x2000, 0x2000, 13112},
    {"OSProductSuite", {}, 0x4000, 0x4000, 13113},
    {"SuiteMask", {}, 0x1, 0x400, 13203},
    {"TypeDetail", {}, 0x1, 0x1000, 13801},
    {"TypeofService", {}, 0x2, 0x10, 14101},
    {"StatusMask", {}, 0x1, 0x800, 15101},
    {"VoltageCaps", {}, 0x1, 0x4, 15501},
    {"CreateFlags", {}, 0x1, 0x10, 15504},
    {"CreateFlags", {}, 0x200, 0x200, 15509},
    {"CreateFlags", {}, 0x400, 0x400, 15510},
    {"CreateFlags", {}, 0x4000000, 0x4000000, 15511},
    {"CreateFlags", {}, 0x1000000, 0x1000000, 15512},
    {"ErrorMode", {}, 0x1, 0x8, 15513},
    {"FillAttribute", {}, 0x1, 0x80, 15517},
    {"DaysOfMonth", {}, 0x1, 0x40000000, 15601},
    {"DaysOfWeek", {}, 0x1, 0x40, 15632},
    {"Event", {}, 0x1, 0x80, 26103},
    {"AccountType", {}, 0x100, 0x100, 26900},
    {"AccountType", {}, 0x200, 0x200, 26901},
    {"AccountType", {}, 0x800, 0x2000, 26902},
    {"Status", {Win32_UserProfile}, 0x1, 0x8, 26905},
    // Attributes and Type: flags for some classes, code tables for others
    {"Attributes", {Win32_Printer}, 0x1, 0x2000, 14701},
    {"Attributes", {Win32_FileSpecification}, 0x1, 0x4, 11801},
    {"Attributes", {Win32_FileSpecification}, 0x100, 0x200, 11804},
    {"Attributes", {Win32_FileSpecification}, 0x1000, 0x8000, 11806},
    {"Type", {Win32_CommandLineAccess, Win32_TCPIPPrinterPort}, 0x1, 0x10, 12019},
};

constexpr FlagSpecialValue kFlagSpecialValues[] = {
    {"AccessMask", 18809343, 11521},  // 0x11F01FF: "ACCESS_SYSTEM_SECURITY"
    {"Flags", 1131072, 12500},        // "MNS Logon Account"
    {"TypeofService", 0, 14100},      // "Normal"
};

constexpr const char* kAnyTypeFlagSets[] = {"FileSystemFlagsEx", "OSProductSuite", "SuiteMask", "Event"};

}  // namespace

std::span<const FlagRun> FlagRuns()
{
    return kFlagRuns;
}

std::span<const FlagSpecialValue> FlagSpecialValues()
{
    return kFlagSpecialValues;
}

std::span<const char* const> AnyTypeFlagSets()
{
    return kAnyTypeFlagSets;
}

FlagTable FindFlagTable(std::string_view decoder)
{
    FlagTable table;
    table.runs = RowsOfDecoder(FlagRuns(), decoder);
    for (const FlagSpecialValue& special : kFlagSpecialValues)
        if (decoder == special.decoder)
            table.special = &special;
    table.anyType = std::any_of(std::begin(kAnyTypeFlagSets), std::end(kAnyTypeFlagSets),
                                [&](const char* name) { return decoder == name; });
    return table;
}
