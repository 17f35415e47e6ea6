#include "render/code_tables.h"

#include <algorithm>

#include "individual/class_ids.h"
#include "render/code_reader.h"
#include "render/decode.h"
#include "render/decoded_text.h"

namespace {

using namespace ClassId;

// decoder, classes, first code, last code, string ID of the first code.
// A decoder whose rows carry classes decodes only those classes, unless it also has
// rows without classes, which then serve every other class.
constexpr CodeRange kCodeRanges[] = {
    {"Availability", {Win32_DMAChannel, Win32_IRQResource}, 1, 5, 11701},
    {"Availability", {}, 1, 21, 10001},
    {"ConfigManagerErrorCode", {}, 0, 31, 10100},
    {"PowerManagementCapabilities", {}, 0, 7, 10200},
    {"ProtocolSupported", {}, 1, 48, 10301},
    {"StatusInfo", {}, 1, 5, 10401},
    {"SIDType", {}, 1, 9, 10501},
    {"BatteryStatus", {Win32_Battery}, 1, 11, 10601},
    {"BatteryStatus", {}, 1, 11, 14301},
    {"Chemistry", {}, 1, 8, 10612},
    {"Direction", {}, 0, 1, 10620},
    {"SoftwareElementState", {}, 0, 3, 10622},
    {"TargetOperatingSystem", {}, 0, 77, 10700},
    {"BiosCharacteristics", {}, 0, 40, 10800},
    {"BiosCharacteristics", {}, 47, 48, 10847},
    {"BiosCharacteristics", {}, 63, 63, 10863},
    {"BusType", {}, -1, -1, 10999},
    {"BusType", {}, 0, 16, 10900},
    {"Access", {}, 0, 4, 11000},
    {"Associativity", {}, 1, 8, 11005},
    {"CacheType", {}, 1, 5, 11013},
    {"CurrentSRAM", {}, 0, 6, 11018},
    {"ErrorAccess", {}, 1, 5, 11025},
    {"ErrorCorrectType", {}, 0, 6, 11030},
    {"ErrorDataOrder", {}, 0, 2, 11037},
    {"ErrorInfo", {}, 1, 14, 11101},
    {"Level", {}, 1, 6, 11115},
    {"Location", {Win32_CacheMemory}, 0, 3, 11121},
    {"Location", {Win32_PhysicalMemoryArray}, 0, 14, 13900},
    {"ReadPolicy", {}, 1, 6, 11125},
    {"ReplacementPolicy", {}, 1, 8, 11201},
    {"WritePolicy", {}, 1, 6, 11209},
    {"Capabilities", {Win32_CDROMDrive, Win32_DiskDrive, Win32_FloppyDrive, Win32_TapeDrive}, 0, 12, 11300},
    {"Capabilities", {Win32_ParallelPort}, 0, 0, 11300},  // the drives' "0 : Unknown"
    {"Capabilities", {Win32_ParallelPort}, 1, 8, 13401},
    {"Capabilities", {Win32_Printer}, 0, 21, 14715},
    {"Capabilities", {Win32_SerialPort}, 1, 6, 15707},
    {"Capabilities", {Win32_SerialPort}, 160, 161, 15713},
    {"Insertable", {}, 0, 1, 11419},
    {"AdminPasswordStatus", {}, 0, 3, 11423},
    {"BootOptionOnLimit", {}, 0, 3, 11427},
    {"ChassisBootupState", {}, 1, 6, 11431},
    {"DomainRole", {}, 0, 5, 11437},
    {"FrontPanelResetStatus", {}, 0, 3, 11443},
    {"PCSystemType", {}, 0, 8, 11447},
    {"PowerState", {}, 0, 7, 11456},
    {"PowerSupplyState", {}, 1, 6, 11464},
    {"ResetCapability", {}, 1, 5, 11470},
    {"WakeUpType", {}, 0, 8, 11475},
    {"AuthenticationLevel", {}, 1, 6, 11501},
    {"DisplayType", {}, 0, 5, 11507},
    {"State", {Win32_DFSNode}, 0, 3, 11513},
    {"State", {Win32_DFSTarget}, 0, 0, 11517},
    {"State", {Win32_DFSTarget}, 2, 2, 11519},
    {"State", {Win32_DFSTarget}, 4, 4, 11520},
    {"State", {Win32_QuotaSetting}, 0, 2, 15553},
    {"State", {Win32_ShadowCopy}, 0, 12, 27100},
    {"DirectoryType", {}, 1, 12, 11601},
    {"DitherType", {}, 1, 5, 11613},
    {"ICMIntent", {}, 1, 3, 11618},
    {"ICMMethod", {}, 1, 4, 11621},
    {"ByteMode", {}, 1, 4, 11706},
    {"ChannelTiming", {}, 1, 6, 11710},
    {"TypeCTiming", {}, 1, 5, 11716},
    {"WordMode", {}, 1, 4, 11721},
    {"DriveType", {}, 0, 6, 11810},
    {"MediaType", {Win32_LogicalDisk}, 0, 22, 11900},
    {"MediaType", {Win32_PhysicalMedia}, 0, 66, 13500},
    {"MediaType", {Win32_PrinterConfiguration}, 1, 3, 15028},
    {"Action", {}, 0, 4, 12000},
    {"Protocol", {Win32_IP4RouteTable}, 1, 14, 12005},
    {"Protocol", {Win32_TCPIPPrinterPort}, 1, 2, 26617},
    {"TriggerLevel", {}, 1, 4, 12028},
    {"TriggerType", {}, 1, 4, 12032},
    {"Password", {Win32_Keyboard}, 1, 5, 12036},
    {"LogonType", {}, 0, 0, 12100},
    {"LogonType", {}, 2, 13, 12102},
    {"ErrorGranularity", {}, 1, 4, 12201},
    {"Options", {}, 0, 1, 12205},
    {"AdapterTypeID", {}, 0, 13, 12300},
    {"NetConnectionStatus", {}, 0, 12, 12314},
    {"IGMPLevel", {}, 0, 2, 12400},
    {"IPXFrameType", {}, 0, 3, 12403},
    {"IPXFrameType", {}, 255, 255, 12407},
    {"IPXMediaType", {}, 1, 3, 12408},
    {"IPXMediaType", {}, 8, 8, 12411},
    {"TcpipNetbiosOptions", {}, 0, 2, 12412},
    {"Privileges", {}, 0, 2, 12600},
    {"DomainControllerAddressType", {}, 1, 2, 12603},
    {"EventType", {Win32_NTLogEvent}, 1, 5, 12607},
    {"EventType", {Win32_PowerManagementEvent}, 4, 4, 27115},
    {"EventType", {Win32_PowerManagementEvent}, 7, 7, 27116},
    {"EventType", {Win32_PowerManagementEvent}, 10, 11, 27117},
    {"EventType", {Win32_PowerManagementEvent}, 18, 18, 27119},
    {"EventType", {Win32_SystemConfigurationChangeEvent, Win32_VolumeChangeEvent, Win32_DeviceChangeEvent}, 1, 4, 26203},
    {"DeviceType", {}, 1, 7, 12619},
    {"DataExecutionPrevention_SupportPolicy", {}, 0, 3, 12700},
    {"ForegroundApplicationBoost", {}, 0, 2, 12704},
    {"LargeSystemCache", {}, 0, 1, 12707},
    {"OperatingSystemSKU", {}, 0, 25, 12800},
    {"ProductType", {}, 1, 3, 13200},
    {"InstallState", {Win32_OptionalFeature}, 1, 4, 13301},
    {"InstallState", {Win32_Product, Win32_SoftwareFeature}, -6, -6, 15545},
    {"InstallState", {Win32_Product, Win32_SoftwareFeature}, -2, -1, 15546},
    {"InstallState", {Win32_Product, Win32_SoftwareFeature}, 1, 5, 15548},
    {"InstallState", {Win32_SoftwareElement}, -7, -6, 26134},
    {"InstallState", {Win32_SoftwareElement}, -4, -4, 26136},
    {"InstallState", {Win32_SoftwareElement}, -1, -1, 26137},
    {"InstallState", {Win32_SoftwareElement}, 2, 4, 26138},
    {"DebugInfoType", {}, 0, 3, 13305},
    {"ThreadState", {}, 0, 7, 13410},
    {"ThreadWaitReason", {}, 0, 19, 13418},
    {"FormFactor", {}, 0, 23, 13600},
    {"InterleavePosition", {}, 0, 2, 13700},
    {"MemoryType", {}, 0, 21, 13703},
    {"MemoryErrorCorrection", {}, 0, 7, 13915},
    {"Use", {}, 0, 7, 13923},
    {"SourceRouteType", {}, 0, 2, 13931},
    {"StatusCode", {Win32_PingStatus}, 0, 0, 14000},
    {"StatusCode", {Win32_PingStatus}, 11001, 11018, 14001},
    {"StatusCode", {Win32_PingStatus}, 11032, 11032, 14019},
    {"StatusCode", {Win32_PingStatus}, 11050, 11050, 14020},
    {"DeviceInterface", {}, 1, 8, 14105},
    {"DeviceInterface", {}, 160, 162, 14113},
    {"Handedness", {}, 0, 3, 14116},
    {"PointingType", {}, 1, 9, 14201},
    {"ConnectorType", {Win32_PortConnector}, 0, 121, 14312},
    {"ConnectorType", {Win32_SystemSlot}, 0, 124, 26400},
    {"PortType", {}, 0, 33, 14500},
    {"AnswerMode", {}, 0, 5, 14601},
    {"CompressionInfo", {}, 0, 4, 14607},
    {"DialType", {}, 0, 2, 14612},
    {"ErrorControlInfo", {}, 0, 4, 14615},
    {"ModulationScheme", {}, 0, 11, 14620},
    {"SpeakerVolumeInfo", {}, 0, 7, 14635},
    {"CurrentLanguage", {Win32_Printer}, 1, 50, 14801},
    {"DetectedErrorState", {}, 0, 11, 14851},
    {"ExtendedDetectedErrorState", {}, 0, 15, 14863},
    {"ExtendedPrinterStatus", {}, 1, 18, 14880},
    {"MarkingTechnology", {}, 1, 27, 14901},
    {"PaperSizesSupported", {}, 0, 59, 14928},
    {"PrinterState", {}, 1, 25, 15001},
    {"Color", {}, 1, 2, 15026},
    {"Orientation", {}, 1, 2, 15031},
    {"TTOption", {}, 1, 3, 15037},
    {"Version", {Win32_PrinterDriver}, 0, 3, 15040},
    {"Architecture", {}, 0, 3, 15113},
    {"Architecture", {}, 6, 6, 15117},
    {"Architecture", {}, 9, 9, 15118},
    {"CpuStatus", {}, 0, 7, 15119},
    {"ProcessorType", {}, 1, 6, 15401},
    {"UpgradeMethod", {}, 1, 18, 15407},
    {"PriorityClass", {}, 32, 32, 15525},
    {"PriorityClass", {}, 64, 64, 15526},
    {"PriorityClass", {}, 128, 128, 15527},
    {"PriorityClass", {}, 256, 256, 15528},
    {"PriorityClass", {}, 16384, 16384, 15529},
    {"PriorityClass", {}, 32768, 32768, 15530},
    {"ShowWindow", {}, 0, 11, 15531},
    {"AssignmentType", {}, 0, 1, 15543},
    {"Root", {Win32_RegistryAction}, -1, 3, 15556},
    {"InstallMode", {}, 1, 3, 15561},
    {"ProtectionManagement", {}, 1, 6, 15701},
    {"SessionType", {}, 0, 2, 26100},
    {"StartType", {}, 0, 4, 26114},
    {"ShowCmd", {}, 0, 0, 26131},
    {"ShowCmd", {}, 3, 3, 26132},
    {"ShowCmd", {}, 7, 7, 26133},
    {"ChassisTypes", {}, 1, 24, 26207},
    {"SecurityBreach", {}, 1, 5, 26301},
    {"SecurityStatus", {}, 1, 5, 26306},
    {"ServicePhilosophy", {}, 0, 8, 26311},
    {"VccMixedVoltageSupport", {}, 0, 4, 26610},
    {"Compression", {}, 0, 1, 26615},
    {"ExecutionState", {}, 0, 6, 26619},
    {"WaitMode", {}, 0, 1, 26626},
    {"DaylightDayOfWeek", {}, 0, 6, 26700},
    {"DaylightMonth", {}, 1, 12, 26707},
    {"ActiveInputVoltage", {}, 1, 6, 26801},
    {"RemainingCapacityStatus", {}, 1, 4, 26807},
    {"TypeOfRangeSwitching", {}, 1, 6, 26811},
    {"AcceleratorCapabilities", {}, 0, 3, 26909},
    {"CurrentScanMode", {}, 1, 4, 26913},
    {"VideoArchitecture", {}, 1, 12, 27001},
    {"VideoArchitecture", {}, 160, 160, 27013},
    {"VideoMemoryType", {}, 1, 13, 27014},
    {"AutoStartWin9X", {}, 0, 2, 27027},
    {"LoggingLevel", {}, 0, 2, 27030},
    {"XOnXOffInFlowControl", {}, 0, 1, 27113},
};

// Windows language identifiers (with 1, 4 and 9 for the neutral languages) -> 12901...
constexpr int kLanguageCodes[] = {
    1, 4, 9, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037,
    1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047, 1048, 1049, 1050, 1051,
    1052, 1053, 1054, 1055, 1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1065, 1066,
    1069, 1070, 1071, 1072, 1073, 1074, 1076, 1077, 1078, 1080, 1081, 1082, 1084, 1085,
    1086, 2049, 2052, 2055, 2057, 2058, 2060, 2064, 2067, 2068, 2070, 2072, 2073, 2074,
    2077, 3073, 3076, 3079, 3081, 3082, 3084, 3098, 4097, 4100, 4103, 4105, 4106, 4108,
    5121, 5127, 5129, 5130, 5132, 6145, 6153, 6154, 7169, 7177, 7178, 8193, 8201, 8202,
    9217, 9226, 10241, 10249, 10250, 11265, 11273, 11274, 12289, 12298, 13313, 13322,
    14337, 14346, 15361, 15370, 16385, 16394, 17418, 18442, 19466, 20490
};

// Processor family codes -> 15201...
constexpr int kProcessorFamilyCodes[] = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 24, 25, 26,
    27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 48, 49, 50, 51, 52,
    53, 54, 55, 56, 57, 58, 59, 60, 64, 65, 66, 67, 68, 69, 80, 81, 82, 83, 84, 85, 86, 87,
    88, 96, 97, 98, 99, 100, 101, 112, 120, 121, 122, 128, 130, 131, 132, 133, 134, 135,
    136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 160, 161,
    162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172, 173, 174, 175, 176, 177, 178,
    179, 180, 181, 182, 183, 184, 185, 186, 187, 188, 189, 190, 191, 192, 193, 194, 195,
    196, 197, 198, 199, 200, 201, 202, 203, 204, 205, 206, 210, 211, 212, 213, 214, 215,
    216, 217, 218, 219, 221, 222, 223, 224, 230, 231, 232, 233, 234, 235, 236, 237, 238,
    239, 250, 251, 254, 255, 260, 261, 280, 281, 300, 301, 302, 320, 350, 500, 65534,
    65535
};

// Server feature identifiers: the first 199 -> 15801..15999, the other 55 -> 26000...
constexpr int kServerFeatureCodes[] = {
    1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 33, 34, 35, 36, 37,
    38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 51, 52, 53, 54, 55, 57, 58, 59, 60, 61,
    62, 63, 64, 65, 66, 67, 68, 69, 71, 72, 73, 100, 101, 102, 103, 104, 105, 106, 107,
    108, 110, 111, 112, 113, 120, 121, 122, 125, 126, 127, 128, 129, 130, 131, 132, 133,
    134, 135, 136, 137, 140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152,
    153, 154, 155, 156, 157, 158, 159, 160, 161, 162, 163, 164, 165, 166, 167, 168, 169,
    170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183, 184, 185, 190,
    191, 192, 193, 194, 195, 196, 197, 200, 201, 202, 204, 205, 206, 207, 208, 210, 215,
    216, 217, 218, 219, 220, 221, 222, 223, 224, 225, 226, 227, 228, 230, 231, 232, 233,
    234, 235, 236, 237, 238, 239, 240, 241, 242, 250, 251, 252, 253, 254, 255, 256, 257,
    258, 259, 260, 261, 262, 263, 264, 265, 266, 267, 268, 269, 270, 273, 277,
    278, 279, 280, 281, 284, 285, 286, 288, 290, 291, 292, 293, 294, 296, 297, 299, 310,
    311, 312, 314, 316, 317, 318, 319, 320, 321, 322, 323, 324, 326, 328, 329, 330, 331,
    332, 334, 335, 336, 337, 338, 339, 340, 341, 342, 343, 344, 345, 346, 347, 348, 349,
    350, 351, 352, 353
};

constexpr CodeList kCodeLists[] = {
    {"OSLanguage", kLanguageCodes, 12901},
    {"Family", kProcessorFamilyCodes, 15201},
    {"ID", std::span(kServerFeatureCodes).first(199), 15801},
    {"ID", std::span(kServerFeatureCodes).subspan(199), 26000},
};

constexpr CodeFallback kCodeFallbacks[] = {
    {"ThreadWaitReason", 13438},  // "20 and higher : not assigned", negative codes too
};

UINT LookupInList(const CodeList& list, int code)
{
    auto found = std::lower_bound(list.codes.begin(), list.codes.end(), code);
    if (found == list.codes.end() || *found != code)
        return 0;
    return list.firstId + static_cast<UINT>(found - list.codes.begin());
}

}  // namespace

std::span<const CodeRange> CodeRanges()
{
    return kCodeRanges;
}

std::span<const CodeList> CodeLists()
{
    return kCodeLists;
}

std::span<const CodeFallback> CodeFallbacks()
{
    return kCodeFallbacks;
}

CodeTable FindCodeTable(std::string_view decoder, std::span<const CodeRange> ranges)
{
    CodeTable table;
    table.ranges = RowsOfDecoder(ranges, decoder);
    table.lists = RowsOfDecoder(CodeLists(), decoder);
    for (const CodeFallback& fallback : kCodeFallbacks)
        if (decoder == fallback.decoder)
            table.fallbackId = fallback.id;
    return table;
}

bool HasCodeRowsFor(const CodeTable& table, int classId)
{
    return std::any_of(table.ranges.begin(), table.ranges.end(),
                       [&](const CodeRange& row) { return row.classes.Contains(classId); });
}

UINT LookupCode(const CodeTable& table, int classId, int code)
{
    bool classHasRows = HasCodeRowsFor(table, classId);
    for (const CodeRange& row : table.ranges) {
        bool forClass = classHasRows ? row.classes.Contains(classId) : row.classes.Empty();
        if (forClass && code >= row.first && code <= row.last)
            return row.firstId + static_cast<UINT>(code - row.first);
    }
    for (const CodeList& list : table.lists)
        if (UINT id = LookupInList(list, code))
            return id;
    return table.fallbackId;
}

bool DecodeCodeText(const CodeTable& table, int classId, std::string_view text, std::string& decoded)
{
    UINT id = LookupCode(table, classId, ReadCode(text));
    if (id == 0)
        return false;
    decoded = DecodedText(id);
    return true;
}

bool DecodeCodeTable(const DecoderTables& tables, int classId, VARTYPE type,
                     std::string_view text, std::string& decoded)
{
    if (text.empty() || !IsIntegerVarType(type))
        return false;
    return DecodeCodeText(tables.codes, classId, text, decoded);
}
