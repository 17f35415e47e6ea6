// The flag tables and the flag-set decoders.
#include "tests/render/decode_test_support.h"

#include <map>
#include <set>

#include "render/flag_tables.h"

using namespace ClassId;

TEST(FlagTableData, RunsDoubleTheirMaskFromFirstToLast)
{
    for (const FlagRun& run : FlagRuns()) {
        unsigned mask = run.firstMask;
        while (mask != 0 && mask != run.lastMask)
            mask <<= 1;
        EXPECT_EQ(mask, run.lastMask) << run.decoder;
        EXPECT_EQ(run.firstMask & (run.firstMask - 1), 0u) << run.decoder << ": one bit per mask";
    }
}

TEST(FlagTableData, IdsRiseAndBitsAppearOnceInListOrder)
{
    std::map<std::pair<std::string, std::vector<int>>, std::pair<UINT, unsigned>> seen;
    for (const FlagRun& run : FlagRuns()) {
        auto& [lastId, bits] = seen[{run.decoder, std::vector<int>(std::begin(run.classes.ids),
                                                                   std::end(run.classes.ids))}];
        EXPECT_GT(run.firstId, lastId) << run.decoder;
        UINT id = run.firstId;
        for (unsigned mask = run.firstMask;; mask <<= 1, ++id) {
            EXPECT_EQ(bits & mask, 0u) << run.decoder << " lists bit " << mask << " twice";
            bits |= mask;
            if (mask == run.lastMask)
                break;
        }
        lastId = id;
    }
}

TEST(FlagTableData, TwentyFourFlagSetsWithFourTakingAnyType)
{
    std::set<std::string> decoders;
    for (const FlagRun& run : FlagRuns())
        decoders.insert(run.decoder);
    EXPECT_EQ(decoders.size(), 24u);
    for (const FlagSpecialValue& special : FlagSpecialValues())
        EXPECT_TRUE(decoders.count(special.decoder)) << special.decoder;
    EXPECT_EQ(AnyTypeFlagSets().size(), 4u);
    for (const char* name : AnyTypeFlagSets())
        EXPECT_TRUE(decoders.count(name)) << name;
}

using FlagDecoding = EnglishDecoding;

TEST_F(FlagDecoding, ListsTheSetBitsAfterTheValue)
{
    EXPECT_EQ(DecodeI4(L"ServiceType", "272"), "272 : Own Process|Interactive Process");
    EXPECT_EQ(DecodeI4(L"DaysOfWeek", "65"), "65 : Monday|Sunday");
    EXPECT_EQ(DecodeI4(L"AccountType", "512"), "512 : UF_NORMAL_ACCOUNT");
    EXPECT_EQ(DecodeI4(L"VoltageCaps", "6"), "6 : 2 : 3.3 volts|4 : 2.9 volts");
    EXPECT_EQ(DecodeI4(L"FileSystemFlags", "524288"), "524288 : The specified volume is read-only.");
}

TEST_F(FlagDecoding, AValueWithoutKnownBitsStaysAsItIs)
{
    EXPECT_EQ(DecodeI4(L"ServiceType", "0"), "0");
    EXPECT_EQ(DecodeI4(L"ServiceType", "64"), "64");
    EXPECT_EQ(DecodeI4(L"DaysOfWeek", "abc"), "abc");
}

TEST_F(FlagDecoding, OutputFollowsListOrderNotBitOrder)
{
    // 0x80000 is listed before 0x10000.
    EXPECT_EQ(DecodeI4(L"FileSystemFlags", std::to_string(0x90000)),
              std::to_string(0x90000) + " : " + EnglishText(11412) + "|" + EnglishText(11413));
    // 0x4000000 is listed before 0x1000000.
    EXPECT_EQ(DecodeI4(L"CreateFlags", std::to_string(0x5000000)),
              std::to_string(0x5000000) + " : " + EnglishText(15511) + "|" + EnglishText(15512));
}

TEST_F(FlagDecoding, AccessMaskNamesDirectoryAndFileRights)
{
    const std::string directory =
        "1179817 : FILE_LIST_DIRECTORY|FILE_READ_EA|FILE_TRAVERSE|FILE_READ_ATTRIBUTES|READ_CONTROL|SYNCHRONIZE";
    const std::string file =
        "1179817 : FILE_READ_DATA|FILE_READ_EA|FILE_EXECUTE|FILE_READ_ATTRIBUTES|READ_CONTROL|SYNCHRONIZE";
    EXPECT_EQ(DecodeI4(L"AccessMask", "1179817", Win32_Share), directory);
    EXPECT_EQ(DecodeI4(L"AccessMask", "1179817", Win32_Directory), directory);
    EXPECT_EQ(DecodeI4(L"AccessMask", "1179817", Win32_NetworkConnection), directory);
    EXPECT_EQ(DecodeI4(L"AccessMask", "1179817", Win32_ShortcutFile), file);
    EXPECT_EQ(DecodeI4(L"AccessMask", "1179817"), file);
    EXPECT_EQ(DecodeI4(L"AccessMask", "18809343", Win32_Share), "18809343 : ACCESS_SYSTEM_SECURITY");
    EXPECT_EQ(DecodeI4(L"AccessMask", "18809343"), "18809343 : ACCESS_SYSTEM_SECURITY");
    EXPECT_EQ(Decode(L"AccessMask", VT_BSTR, "1179817"), "1179817");
}

TEST_F(FlagDecoding, SpecialWholeValues)
{
    EXPECT_EQ(DecodeI4(L"TypeofService", "0"), "0 : Normal");
    EXPECT_EQ(DecodeI4(L"TypeofService", "6"), "6 : Minimize Monetary Cost|Maximize Reliability");
    EXPECT_EQ(DecodeI4(L"Flags", "1131072"), "1131072 : MNS Logon Account");
    EXPECT_EQ(DecodeI4(L"Flags", "3"), "3 : Script|Account Disabled");
}

TEST_F(FlagDecoding, SaturatedCodes)
{
    std::string allDays = "2147483647 : ";
    for (UINT id = 15601; id <= 15631; ++id)
        allDays += EnglishText(id) + (id < 15631 ? "|" : "");
    EXPECT_EQ(DecodeI4(L"DaysOfMonth", "2147483647"), allDays);
    EXPECT_EQ(Decode(L"DaysOfMonth", VT_UI4, "4294967295"), "4294967295 : " + allDays.substr(13));
    EXPECT_EQ(DecodeI4(L"DaysOfMonth", "-2147483648"), "-2147483648");
}

TEST_F(FlagDecoding, FourFlagSetsTakeAnyType)
{
    EXPECT_EQ(Decode(L"FileSystemFlags", VT_BSTR, "3"), "3 : " + EnglishText(11401) + "|" + EnglishText(11402));
    EXPECT_EQ(Decode(L"FileSystemFlagsEx", VT_BSTR, "1"), "1 : " + EnglishText(11401));
    EXPECT_EQ(Decode(L"OSProductSuite", VT_BSTR, "8192"), "8192 : " + EnglishText(13112));
    EXPECT_EQ(Decode(L"SuiteMask", VT_BSTR, "1024"), "1024 : " + EnglishText(13213));
    EXPECT_EQ(Decode(L"Event", VT_BSTR, "128"), "128 : " + EnglishText(26110));
    EXPECT_EQ(Decode(L"ServiceType", VT_BSTR, "16"), "16");
    EXPECT_EQ(Decode(L"FileSystemFlags", VT_BSTR, ""), "");
}

TEST_F(FlagDecoding, AttributesDependOnTheClass)
{
    EXPECT_EQ(DecodeI4(L"Attributes", "5", Win32_Printer),
              "5 : PRINTER_ATTRIBUTE_QUEUED|PRINTER_ATTRIBUTE_DEFAULT");
    EXPECT_EQ(DecodeI4(L"Attributes", "257", Win32_FileSpecification),
              "257 : Read Only|" + EnglishText(11804));
    EXPECT_EQ(DecodeI4(L"Attributes", "0", Win32_SoftwareFeature),
              "0 : ifrsFavorLocal - Install components locally, if possible.");
    EXPECT_EQ(DecodeI4(L"Attributes", "3", Win32_SoftwareFeature), "3");
    EXPECT_EQ(DecodeI4(L"Attributes", "1234", Win32_Directory), "1234");
    EXPECT_EQ(Decode(L"Attributes", VT_BSTR, "5", Win32_Printer), "5");
}

TEST_F(FlagDecoding, TypeDependsOnTheClass)
{
    EXPECT_EQ(DecodeI4(L"Type", "3", Win32_CommandLineAccess), "3 : Write|Read");
    EXPECT_EQ(DecodeI4(L"Type", "2", Win32_TCPIPPrinterPort), "2 : Read");
    EXPECT_EQ(DecodeI4(L"Type", "1", Win32_ComputerShutdownEvent), EnglishText(11422));
    EXPECT_EQ(DecodeI4(L"Type", "4", Win32_IP4RouteTable), EnglishText(12027));
    EXPECT_EQ(DecodeI4(L"Type", "3", Win32_ShadowProvider), EnglishText(26122));
    EXPECT_EQ(DecodeI4(L"Type", "0", Win32_Share), EnglishText(26123));
    EXPECT_EQ(DecodeI4(L"Type", "-2147483648", Win32_Share), "0x80000000 : Disk Drive Admin");
    EXPECT_EQ(DecodeI4(L"Type", "-2147483645", Win32_Share), "0x80000003 : IPC Admin");
    EXPECT_EQ(DecodeI4(L"Type", "-2147483644", Win32_Share), "-2147483644");
    EXPECT_EQ(DecodeI4(L"Type", "2", Win32_DiskPartition), "2");
}
