// The code tables: their shape, their texts, and the decoding of coded values.
#include "tests/render/decode_test_support.h"

#include <map>
#include <set>

#include "render/code_tables.h"
#include "render/pattern_tables.h"

using namespace ClassId;

namespace {

// Rows of one decoder for one class set, in list order.
using RowGroups = std::map<std::pair<std::string, std::vector<int>>, std::vector<CodeRange>>;

RowGroups GroupRows(std::span<const CodeRange> ranges)
{
    RowGroups groups;
    for (const CodeRange& row : ranges) {
        std::vector<int> classes(std::begin(row.classes.ids), std::end(row.classes.ids));
        groups[{row.decoder, classes}].push_back(row);
    }
    return groups;
}

// English texts begin with their own code: "3 : Running or Full Power", "1 Ethernet".
void ExpectTextStartsWithCode(UINT id, int code, const std::string& decoder)
{
    std::string text = EnglishText(id);
    std::string prefix = std::to_string(code) + " ";
    EXPECT_EQ(text.compare(0, prefix.size(), prefix), 0)
        << decoder << " code " << code << " has text " << id << " \"" << text << "\"";
}

}  // namespace

TEST(CodeTableData, EachDecodersRowsStandTogether)
{
    for (auto ranges : {CodeRanges(), PatternCodeRanges()}) {
        std::set<std::string> finished;
        std::string current;
        for (const CodeRange& row : ranges) {
            if (row.decoder == current)
                continue;
            EXPECT_TRUE(finished.insert(row.decoder).second) << row.decoder << " is split";
            current = row.decoder;
        }
    }
}

TEST(CodeTableData, RowsOfAClassSetListEachCodeOnce)
{
    for (auto ranges : {CodeRanges(), PatternCodeRanges()}) {
        for (const auto& [key, rows] : GroupRows(ranges)) {
            for (size_t index = 0; index < rows.size(); ++index) {
                EXPECT_LE(rows[index].first, rows[index].last) << key.first;
                for (size_t other = 0; other < index; ++other)
                    EXPECT_TRUE(rows[other].last < rows[index].first || rows[index].last < rows[other].first)
                        << key.first << " lists a code twice";
            }
        }
    }
}

TEST(CodeTableData, LongTablesListRisingCodes)
{
    std::map<std::string, size_t> sizes;
    for (const CodeList& list : CodeLists()) {
        sizes[list.decoder] += list.codes.size();
        for (size_t index = 1; index < list.codes.size(); ++index)
            EXPECT_LT(list.codes[index - 1], list.codes[index]) << list.decoder;
    }
    EXPECT_EQ(sizes["OSLanguage"], 122u);
    EXPECT_EQ(sizes["Family"], 188u);
    EXPECT_EQ(sizes["ID"], 254u);
    EXPECT_EQ(CodeLists()[2].codes.back(), 277);
    EXPECT_EQ(CodeLists()[3].codes.front(), 278);
    EXPECT_EQ(CodeLists()[3].firstId + CodeLists()[3].codes.size() - 1, 26054u);
}

TEST(CodeTableData, EveryCodeHasTheEnglishTextOfThatCode)
{
    for (const CodeRange& row : CodeRanges()) {
        if (std::string(row.decoder) == "StartType")
            continue;  // "SERVICE_BOOT_START - ...": texts without their code
        for (long long code = row.first; code <= row.last; ++code)
            ExpectTextStartsWithCode(row.firstId + static_cast<UINT>(code - row.first),
                                     static_cast<int>(code), row.decoder);
    }
    for (const CodeList& list : CodeLists())
        for (size_t index = 0; index < list.codes.size(); ++index)
            ExpectTextStartsWithCode(list.firstId + static_cast<UINT>(index), list.codes[index],
                                     list.decoder);
    for (const CodeRange& row : PatternCodeRanges()) {
        std::string decoder = row.decoder;
        if (decoder == "OverwriteOutDated" || (decoder == "Type" && row.classes.Contains(Win32_Share)))
            continue;  // "4294967295 : Never Overwrite", "0x80000000 : Disk Drive Admin"
        for (long long code = row.first; code <= row.last; ++code)
            ExpectTextStartsWithCode(row.firstId + static_cast<UINT>(code - row.first),
                                     static_cast<int>(code), decoder);
    }
}

using CodeDecoding = EnglishDecoding;

TEST_F(CodeDecoding, AvailabilityDependsOnTheClass)
{
    EXPECT_EQ(DecodeI4(L"Availability", "3", Win32_DiskDrive), "3 : Running or Full Power");
    EXPECT_EQ(DecodeI4(L"Availability", "3", Win32_DMAChannel), "3 : Available");
    EXPECT_EQ(DecodeI4(L"Availability", "3", Win32_IRQResource), "3 : Available");
    EXPECT_EQ(DecodeI4(L"Availability", "21", Win32_DiskDrive), "21 : Quiesced");
    // A class with a table of its own does not fall back on the general one.
    EXPECT_EQ(DecodeI4(L"Availability", "21", Win32_DMAChannel), "21");
    EXPECT_EQ(DecodeI4(L"Availability", "0"), "0");
    EXPECT_EQ(DecodeI4(L"Availability", "22"), "22");
}

TEST_F(CodeDecoding, GeneralTablesIgnoreTheClass)
{
    EXPECT_EQ(DecodeI4(L"ConfigManagerErrorCode", "0"), "0 : Device is working properly.");
    EXPECT_EQ(DecodeI4(L"BusType", "-1"), "-1 : Undefined");
    EXPECT_EQ(DecodeI4(L"BusType", "0", Win32_Bus), "0 : Internal");
    EXPECT_EQ(DecodeI4(L"OSType", "18"), "18 : WINNT");
    EXPECT_EQ(DecodeI4(L"TargetOperatingSystem", "18"), "18 : WINNT");
    EXPECT_EQ(DecodeI4(L"BatteryStatus", "2", Win32_Battery), EnglishText(10602));
    EXPECT_EQ(DecodeI4(L"BatteryStatus", "2", Win32_UninterruptiblePowerSupply), EnglishText(14302));
}

TEST_F(CodeDecoding, ThreadWaitReasonNamesEveryOtherCode)
{
    EXPECT_EQ(DecodeI4(L"ThreadWaitReason", "19"), "19 : Page Out");
    for (const char* code : {"20", "500", "-1", "2147483647", "99999999999"})
        EXPECT_EQ(DecodeI4(L"ThreadWaitReason", code), "20 and higher : not assigned") << code;
    EXPECT_EQ(Decode(L"ThreadWaitReason", VT_BSTR, "20"), "20");
}

TEST_F(CodeDecoding, BiosCharacteristicsHasAGap)
{
    EXPECT_EQ(DecodeI4(L"BiosCharacteristics", "40"), EnglishText(10840));
    for (int code = 41; code <= 46; ++code)
        EXPECT_EQ(DecodeI4(L"BiosCharacteristics", std::to_string(code)), std::to_string(code));
    EXPECT_EQ(DecodeI4(L"BiosCharacteristics", "47"), EnglishText(10847));
    EXPECT_EQ(DecodeI4(L"BiosCharacteristics", "63"), EnglishText(10863));
}

TEST_F(CodeDecoding, ClassOnlyTablesDecodeNoOtherClass)
{
    EXPECT_EQ(DecodeI4(L"Location", "0", Win32_CacheMemory), "0 : Internal");
    EXPECT_EQ(DecodeI4(L"Location", "3", Win32_PhysicalMemoryArray), EnglishText(13903));
    EXPECT_EQ(DecodeI4(L"Location", "0", Win32_DiskDrive), "0");
    EXPECT_EQ(DecodeI4(L"Location", "0"), "0");
    EXPECT_EQ(DecodeI4(L"StatusCode", "11010", Win32_PingStatus), EnglishText(14010));
    EXPECT_EQ(DecodeI4(L"StatusCode", "11010", Win32_NetworkAdapter), "11010");
    EXPECT_EQ(DecodeI4(L"EventType", "1", Win32_VolumeChangeEvent), EnglishText(26203));
    EXPECT_EQ(DecodeI4(L"EventType", "1", Win32_DeviceChangeEvent), EnglishText(26203));
    EXPECT_EQ(DecodeI4(L"EventType", "1", Win32_NTLogEvent), EnglishText(12607));
    EXPECT_EQ(DecodeI4(L"EventType", "11", Win32_PowerManagementEvent), EnglishText(27118));
    EXPECT_EQ(DecodeI4(L"EventType", "5", Win32_PowerManagementEvent), "5");
    EXPECT_EQ(DecodeI4(L"CurrentCapabilities", "160", Win32_SerialPort), EnglishText(15713));
    EXPECT_EQ(DecodeI4(L"Capabilities", "12", Win32_TapeDrive), EnglishText(11312));
    EXPECT_EQ(DecodeI4(L"InstallState", "-6", Win32_SoftwareFeature), EnglishText(15545));
    EXPECT_EQ(DecodeI4(L"InstallState", "-3", Win32_Product), "-3");
}

TEST_F(CodeDecoding, LongTables)
{
    EXPECT_EQ(DecodeI4(L"OSLanguage", "1041"), EnglishText(12920));
    EXPECT_EQ(DecodeI4(L"OSLanguage", "1033"), "1033 : English - United States");
    EXPECT_EQ(DecodeI4(L"OSLanguage", "1064"), "1064");
    EXPECT_EQ(DecodeI4(L"Family", "3"), "3 : 8086");
    EXPECT_EQ(DecodeI4(L"Family", "65535"), "65535 : Reserved (Un-initialized Flash Content - Hi)");
    EXPECT_EQ(DecodeI4(L"Family", "22"), "22");
    EXPECT_EQ(DecodeI4(L"ID", "277"), "277 : File Services Tools");
    EXPECT_EQ(DecodeI4(L"ID", "278"), "278 : Distributed File System Tools");
    EXPECT_EQ(DecodeI4(L"ID", "353"), "353 : Application Server Extensions for .NET 4.0");
    EXPECT_EQ(DecodeI4(L"ID", "4"), "4");
}

TEST_F(CodeDecoding, CodesAreReadLikeStrtol)
{
    EXPECT_EQ(DecodeI4(L"Availability", "3 abc"), "3 : Running or Full Power");
    EXPECT_EQ(DecodeI4(L"Availability", "+3"), "3 : Running or Full Power");
    EXPECT_EQ(DecodeI4(L"ConfigManagerErrorCode", "0x10"), "0 : Device is working properly.");
    EXPECT_EQ(DecodeI4(L"ConfigManagerErrorCode", "abc"), "0 : Device is working properly.");
    EXPECT_EQ(DecodeI4(L"BusType", "-1.5"), "-1 : Undefined");
    EXPECT_EQ(DecodeI4(L"Availability", "4294967299"), "4294967299");
}

TEST_F(CodeDecoding, NamesSharingADecoder)
{
    for (const wchar_t* name : {L"FrontPanelResetStatus", L"KeyboardPasswordStatus", L"PowerOnPasswordStatus"})
        EXPECT_EQ(DecodeI4(name, "0"), "0 : Disabled");
    for (const wchar_t* name : {L"ExtendedPrinterStatus", L"PrinterStatus"})
        EXPECT_EQ(DecodeI4(name, "1"), "1 : Other");
    for (const wchar_t* name : {L"Compression", L"ECC", L"ReportSetMarks"})
        EXPECT_EQ(DecodeI4(name, "0"), "0 : FALSE");
    for (const wchar_t* name : {L"DaylightMonth", L"StandardMonth"})
        EXPECT_EQ(DecodeI4(name, "1"), "1 : January");
}
