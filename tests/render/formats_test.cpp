// Datetimes, hotfix dates, accounts from SIDs and digit grouping.
#include "tests/render/decode_test_support.h"

#include <cstdio>

#include "render/formats.h"

using DateTimeFormat = EnglishDecoding;

TEST_F(DateTimeFormat, CimDateTimeBecomesDateAndTime)
{
    EXPECT_EQ(Decode(L"LastBootUpTime", VT_BSTR, "20100802153045.500000+540"), "2010/08/02 15:30:45");
    EXPECT_EQ(Decode(L"InstallDate", VT_BSTR, "20100802153045.000000+540"), "2010/08/02 15:30:45");
    EXPECT_EQ(Decode(L"InstallDate", VT_BSTR, "20100802"), "2010/08/02");
    EXPECT_EQ(Decode(L"InstallDate", VT_BSTR, "2010080215"), "2010/08/02");
    EXPECT_EQ(Decode(L"InstallDate", VT_BSTR, "20100802153045"), "2010/08/02 15:30:45");
    EXPECT_EQ(Decode(L"InstallDate", VT_BSTR, "2010080"), "2010080");
    EXPECT_EQ(Decode(L"InstallDate", VT_BSTR, "2010080.153045"), "2010080.153045");
    EXPECT_EQ(Decode(L"TimeWritten", VT_BSTR, "20100802******.******+***"), "2010/08/02 **:**:**");
    EXPECT_EQ(Decode(L"InstallDate", VT_I4, "20100802"), "20100802");
    EXPECT_EQ(Decode(L"InstallDate", VT_DATE, "2010/08/02 15:30:45"), "2010/08/02 15:30:45");
}

TEST_F(DateTimeFormat, EveryDateTimeNameUsesTheFormat)
{
    for (const wchar_t* name :
         {L"InstallDate", L"InstallDate2", L"BackupLastTime", L"CreateTimeStamp", L"CreationDate",
          L"DHCPLeaseExpires", L"DHCPLeaseObtained", L"DriverDate", L"EndMeasurementDate",
          L"ErrorTime", L"LastAccessed", L"LastBootUpTime", L"LastDownloadTime", L"LastLogoff",
          L"LastLogon", L"LastModified", L"LastUploadTime", L"LastUse", L"LastUseTime",
          L"LocalDateTime", L"PasswordExpires", L"ReleaseDate", L"StartMeasurementDate",
          L"StartTime", L"TerminationDate", L"TimeGenerated", L"TimeOfLastReset",
          L"TimeSubmitted", L"TimeWritten", L"UntilTime"})
        EXPECT_EQ(Decode(name, VT_BSTR, "20261209080304.420000+000"), "2026/12/09 08:03:04");
}

TEST_F(DateTimeFormat, InstalledOnInItsThreeShapes)
{
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "20090315"), "2009/03/15");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "12/31/2008"), "2008/12/31");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "3/5/2009"), "2009/03/05");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "3/5/09"), "0009/03/05");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "1//2009"), "1//2009");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "//"), "//");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "12-31-2008"), "12-31-2008");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "1/2"), "1/2");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "1/2/3/4"), "1/2/3/4");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "1/x/2009"), "1/x/2009");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "2009031x"), "2009031x");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "1/2/2009"), "2009/01/02");  // 8 characters
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, ""), "");
}

TEST_F(DateTimeFormat, InstalledOnDayFirstWhereTheMonthCannotBeAndNoDateThatCannotBe)
{
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "22/2/2022"), "2022/02/22");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "2/22/2022"), "2022/02/22");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "2/29/2024"), "2024/02/29");
    for (const char* impossible : {"22/22/2022", "2/29/2023", "4/31/2022", "0/5/2022", "20222202", "20220230"})
        EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, impossible), impossible);
}

TEST_F(DateTimeFormat, InstalledOnSixteenCharactersAreAFileTimeOrNothing)
{
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "01c8b8a5f5d3800g"), "01c8b8a5f5d3800g");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "1/2/200900000000"), "1/2/200900000000");
    // Beyond what FileTimeToSystemTime converts: left as it is.
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "FFFFFFFFFFFFFFFF"), "FFFFFFFFFFFFFFFF");
}

TEST_F(DateTimeFormat, InstalledOnFileTimeIsShownInLocalTime)
{
    // 0x01C8B8A5F5D38000 is 2008-05-18 05:13:51 UTC.
    std::string shown = Decode(L"InstalledOn", VT_BSTR, "01C8B8A5F5D38000");
    EXPECT_EQ(Decode(L"InstalledOn", VT_BSTR, "01c8b8a5f5d38000"), shown);
    SYSTEMTIME local{};
    int fields = std::sscanf(shown.c_str(), "%4hu/%2hu/%2hu %2hu:%2hu:%2hu", &local.wYear, &local.wMonth,
                             &local.wDay, &local.wHour, &local.wMinute, &local.wSecond);
    ASSERT_EQ(fields, 6) << shown;
    ASSERT_EQ(shown.size(), 19u) << shown;
    SYSTEMTIME universal{};
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal));
    EXPECT_EQ(universal.wYear, 2008);
    EXPECT_EQ(universal.wMonth, 5);
    EXPECT_EQ(universal.wDay, 18);
    EXPECT_EQ(universal.wHour, 5);
    EXPECT_EQ(universal.wMinute, 13);
    EXPECT_EQ(universal.wSecond, 51);
    TIME_ZONE_INFORMATION zone{};
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_UNKNOWN && zone.Bias == 0) {
        EXPECT_EQ(shown, "2008/05/18 05:13:51");
    }
}

class AccountFormat : public EnglishDecoding {
protected:
    // The value as read from `host`.
    static std::string DecodeFrom(const std::string& host, const char* text)
    {
        return DecodePropertyValue(0, VT_BSTR, L"InstalledBy", text, host);
    }
};

TEST_F(AccountFormat, WellKnownSidBecomesDomainAndAccount)
{
    EXPECT_EQ(Decode(L"InstalledBy", VT_BSTR, "S-1-5-32-544"), "BUILTIN\\Administrators");
    EXPECT_EQ(Decode(L"InstalledBy", VT_BSTR, " S-1-5-32-544 "), "BUILTIN\\Administrators");
}

TEST_F(AccountFormat, TextsThatAreNoKnownSidStayAsTheyAre)
{
    EXPECT_EQ(Decode(L"InstalledBy", VT_BSTR, "Administrator"), "Administrator");
    EXPECT_EQ(Decode(L"InstalledBy", VT_BSTR, "S-1-5-21-1-2-3-424242"), "S-1-5-21-1-2-3-424242");
    EXPECT_EQ(Decode(L"InstalledBy", VT_BSTR, "S-1-x"), "S-1-x");
    EXPECT_EQ(Decode(L"InstalledBy", VT_BSTR, ""), "");
    std::string decoded = "unchanged";
    EXPECT_FALSE(FormatAccountFromSid("", "", decoded));
}

TEST_F(AccountFormat, LooksUpOnTheTargetComputerOfTheCheck)
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(GetComputerNameA(name, &size));
    EXPECT_EQ(DecodeFrom(name, "S-1-5-32-544"), "BUILTIN\\Administrators");
    // Wine answers account lookups for the local computer only: a loopback address
    // stands here for a computer that cannot be asked, and the SID text stays.
    EXPECT_EQ(DecodeFrom("127.0.0.1", "S-1-5-32-544"), "S-1-5-32-544");
    EXPECT_EQ(DecodeFrom("", "S-1-5-32-544"), "BUILTIN\\Administrators");
}

TEST(GroupDigitsFormat, GroupsTheIntegerPartInThrees)
{
    EXPECT_EQ(GroupDigits("1000"), "1,000");
    EXPECT_EQ(GroupDigits("999"), "999");
    EXPECT_EQ(GroupDigits("1234567"), "1,234,567");
    EXPECT_EQ(GroupDigits("-1234567.891"), "-1,234,567.891");
    EXPECT_EQ(GroupDigits("1234.5678"), "1,234.5678");
    EXPECT_EQ(GroupDigits("00012"), "00,012");
    EXPECT_EQ(GroupDigits("1.5.7"), "1.5.7");
    EXPECT_EQ(GroupDigits("1234.5.7"), "1,234.5.7");
    EXPECT_EQ(GroupDigits(".5"), ".5");
    EXPECT_EQ(GroupDigits("123456."), "123,456.");
}

TEST(GroupDigitsFormat, LeavesOtherTextsAlone)
{
    EXPECT_EQ(GroupDigits("12 MB"), "12 MB");
    EXPECT_EQ(GroupDigits("+5"), "+5");
    EXPECT_EQ(GroupDigits("--5"), "--5");
    EXPECT_EQ(GroupDigits("1,234"), "1,234");
    EXPECT_EQ(GroupDigits(""), "");
    EXPECT_EQ(GroupDigits("-"), "-");
    EXPECT_EQ(GroupDigits("  123456 \t"), "123,456");
    EXPECT_EQ(GroupDigits(" abc "), "abc");
}
