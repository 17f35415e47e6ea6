// Fixed words, registry paths and numbers with units.
#include "tests/render/decode_test_support.h"

using namespace ClassId;

using WordDecoding = EnglishDecoding;

TEST_F(WordDecoding, StartModeMatchesWholeWordsWithoutRegardToCase)
{
    EXPECT_EQ(Decode(L"StartMode", VT_BSTR, "Auto"), EnglishText(10524));
    EXPECT_EQ(Decode(L"StartMode", VT_BSTR, "auto"), EnglishText(10524));
    EXPECT_EQ(Decode(L"StartMode", VT_BSTR, " MANUAL "), EnglishText(10525));
    EXPECT_EQ(Decode(L"StartMode", VT_I4, "Disabled"), EnglishText(10526));
    EXPECT_EQ(Decode(L"StartMode", VT_BSTR, "Automatic"), "Automatic");
    EXPECT_EQ(Decode(L"StartMode", VT_BSTR, "Aut"), "Aut");
    EXPECT_EQ(Decode(L"StartMode", VT_BSTR, ""), "");
    EXPECT_EQ(EnglishText(10524).rfind("Auto - ", 0), 0u);
}

TEST_F(WordDecoding, ErrorControlWordsAndServiceSpecificationCodes)
{
    EXPECT_EQ(Decode(L"ErrorControl", VT_BSTR, "Normal", Win32_Service), EnglishText(10511));
    EXPECT_EQ(Decode(L"ErrorControl", VT_BSTR, "unknown", Win32_SystemDriver), EnglishText(10514));
    EXPECT_EQ(Decode(L"ErrorControl", VT_BSTR, "1", Win32_Service), "1");
    EXPECT_EQ(DecodeI4(L"ErrorControl", "1", Win32_ServiceSpecification), EnglishText(26112));
    EXPECT_EQ(Decode(L"ErrorControl", VT_BSTR, "3", Win32_ServiceSpecification), EnglishText(26113));
    // The word reads as code 0 in that class.
    EXPECT_EQ(Decode(L"ErrorControl", VT_BSTR, "Normal", Win32_ServiceSpecification), EnglishText(26111));
    EXPECT_EQ(DecodeI4(L"ErrorControl", "2", Win32_ServiceSpecification), "2");
}

TEST_F(WordDecoding, CodesWrittenAsText)
{
    EXPECT_EQ(Decode(L"DefInprocHandler", VT_BSTR, "3"), "3 : 16-bit as well as 32-bit InprocHandlers");
    EXPECT_EQ(Decode(L"DefInprocHandler", VT_BSTR, "03"), "03");
    EXPECT_EQ(Decode(L"Registration", VT_BSTR, "1"), "1 : Per user");
    EXPECT_EQ(Decode(L"Registration", VT_BSTR, "2"), "2");
    EXPECT_EQ(Decode(L"PortSubClass", VT_BSTR, "02"), "02 : Modem");
    EXPECT_EQ(Decode(L"PortSubClass", VT_BSTR, "2"), "2");
}

TEST_F(WordDecoding, RegistryPathsOfSoftwareElements)
{
    EXPECT_EQ(Decode(L"Path", VT_BSTR, "00:\\CLSID\\x", Win32_SoftwareElement), "HKEY_CLASSES_ROOT\\CLSID\\x");
    EXPECT_EQ(Decode(L"Path", VT_BSTR, "01:\\Software", Win32_SoftwareElement), "HKEY_CURRENT_USER\\Software");
    EXPECT_EQ(Decode(L"Path", VT_BSTR, "02:\\SOFTWARE\\Classes", Win32_SoftwareElement),
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes");
    EXPECT_EQ(Decode(L"Path", VT_BSTR, "03:", Win32_SoftwareElement), "HKEY_USERS");
    EXPECT_EQ(Decode(L"Path", VT_BSTR, "04:\\x", Win32_SoftwareElement), "04:\\x");
    EXPECT_EQ(Decode(L"Path", VT_BSTR, "C:\\Program Files\\x.dll", Win32_SoftwareElement),
              "C:\\Program Files\\x.dll");
    EXPECT_EQ(Decode(L"Path", VT_BSTR, "02", Win32_SoftwareElement), "02");
    EXPECT_EQ(Decode(L"Path", VT_BSTR, "02:\\SOFTWARE", Win32_Directory), "02:\\SOFTWARE");
}

using UnitDecoding = EnglishDecoding;

TEST_F(UnitDecoding, OverwriteOutDatedInDays)
{
    EXPECT_EQ(DecodeI4(L"OverwriteOutDated", "-1"), "4294967295 : Never Overwrite");
    EXPECT_EQ(DecodeI4(L"OverwriteOutDated", "0"), "0 : Always Overwrite");
    EXPECT_EQ(DecodeI4(L"OverwriteOutDated", "7"), "7 Day(s)");
    EXPECT_EQ(DecodeI4(L"OverwriteOutDated", "30"), "30 Day(s)");
    EXPECT_EQ(Decode(L"OverwriteOutDated", VT_BSTR, "30"), "30");
}

TEST_F(UnitDecoding, PrintQualityInDotsPerInch)
{
    EXPECT_EQ(DecodeI4(L"PrintQuality", "-1"), "-1 : Draft");
    EXPECT_EQ(DecodeI4(L"PrintQuality", "-4"), "-4 : High");
    EXPECT_EQ(DecodeI4(L"PrintQuality", "600"), "600Dot/Inch");
    EXPECT_EQ(DecodeI4(L"PrintQuality", "0"), "0");
    EXPECT_EQ(DecodeI4(L"PrintQuality", "-5"), "-5");
}

TEST_F(UnitDecoding, CurrentUsageAndMaxDataWidthDependOnTheClass)
{
    EXPECT_EQ(DecodeI4(L"CurrentUsage", "512", Win32_PageFileUsage), "512MB");
    EXPECT_EQ(DecodeI4(L"CurrentUsage", "4", Win32_SystemSlot), "4 : In Use");
    EXPECT_EQ(DecodeI4(L"CurrentUsage", "5", Win32_SystemSlot), "5");
    EXPECT_EQ(DecodeI4(L"CurrentUsage", "4", Win32_DiskDrive), "4");
    EXPECT_EQ(DecodeI4(L"MaxDataWidth", "32", Win32_SCSIController), "32Bits");
    EXPECT_EQ(DecodeI4(L"MaxDataWidth", "4", Win32_SystemSlot), "4 : 128 bits");
    EXPECT_EQ(DecodeI4(L"MaxDataWidth", "32", Win32_DiskDrive), "32");
    EXPECT_EQ(Decode(L"CurrentUsage", VT_BSTR, "512", Win32_PageFileUsage), "512");
}
