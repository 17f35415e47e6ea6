// What the sources of computers take from the command line: address ranges, directory
// addresses, the LDAP filter of the accounts kept, the directory's times, and the names
// a source may hand out.
#include <gtest/gtest.h>

#include <string>

#include "discovery/address_range.h"
#include "discovery/directory_source.h"
#include "inventory/computer_list.h"
#include "resources/text.h"

namespace {

class SourcesTest : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }
    std::string reason_;
};

}  // namespace

TEST_F(SourcesTest, RangesByBlockAndByEndsWithinTheLimit)
{
    struct Case {
        const char* text;
        const char* first;
        const char* last;
        uint32_t count;
    };
    const Case cases[] = {
        {"10.1.2.0/24", "10.1.2.1", "10.1.2.254", 254},        // network and broadcast left out
        {"10.1.2.77/24", "10.1.2.1", "10.1.2.254", 254},       // any address of the block names it
        {"10.1.2.9/32", "10.1.2.9", "10.1.2.9", 1},
        {"10.1.2.8/31", "10.1.2.8", "10.1.2.9", 2},            // a point-to-point pair: both
        {"10.1.0.0/16", "10.1.0.1", "10.1.255.254", 65534},
        {" 10.1.2.10-10.1.2.99 ", "10.1.2.10", "10.1.2.99", 90},
        {"10.1.2.10 - 10.1.2.10", "10.1.2.10", "10.1.2.10", 1},
        {"10.0.255.255-10.1.255.254", "10.0.255.255", "10.1.255.254", 65536},
    };
    for (const Case& given : cases) {
        AddressRange range;
        ASSERT_TRUE(ParseAddressRange(given.text, range, reason_)) << given.text << ": " << reason_;
        EXPECT_EQ(AddressText(range.first), given.first) << given.text;
        EXPECT_EQ(AddressText(range.last), given.last) << given.text;
        EXPECT_EQ(range.Count(), given.count) << given.text;
    }
}

TEST_F(SourcesTest, MalformedReversedAndTooLargeRangesAreRefusedWithTheirReason)
{
    const char* const malformed[] = {"", "10.1.2.0", "10.1.2.0/33", "10.1.2.0/", "10.1.2/24", "10.1.2.256/24",
                                     "10.1.2.0/24/1", "10.1.2.1-", "0x0a.1.2.3/24", "10.1.2.1-10.1.2.2-10.1.2.3",
                                     "10.1.2.0/2a", "+10.1.2.3/32", "10.1.2.1000/32", "1.2.3.4/16-1.2.3.5"};
    for (const char* text : malformed) {
        AddressRange range;
        EXPECT_FALSE(ParseAddressRange(text, range, reason_)) << text;
        EXPECT_EQ(reason_, std::string("An address range is a.b.c.d/nn or a.b.c.d-w.x.y.z (IPv4): ") + text);
    }
    AddressRange range;
    EXPECT_FALSE(ParseAddressRange("10.1.2.99-10.1.2.10", range, reason_));
    EXPECT_EQ(reason_, "The address range ends before it starts: 10.1.2.99-10.1.2.10");
    EXPECT_FALSE(ParseAddressRange("10.1.0.0/15", range, reason_));
    EXPECT_EQ(reason_, "An address range holds at most 65536 addresses: 10.1.0.0/15");
    EXPECT_FALSE(ParseAddressRange("10.0.255.255-10.1.255.255", range, reason_)) << "65,537";
    EXPECT_FALSE(ParseAddressRange("0.0.0.0/0", range, reason_));
}

TEST_F(SourcesTest, DirectoryAddressesNameServerPortAndBase)
{
    DirectorySource source;
    ASSERT_TRUE(ParseDirectoryAddress("LDAP://127.0.0.1:3890/OU=Workstations,DC=example,DC=com", source, reason_));
    EXPECT_EQ(source.server, L"127.0.0.1");
    EXPECT_EQ(source.Port(), 3890u);
    EXPECT_EQ(source.baseDn, L"OU=Workstations,DC=example,DC=com");
    EXPECT_FALSE(source.ldaps);
    DirectorySource secure;
    ASSERT_TRUE(ParseDirectoryAddress("ldaps://dc1.example.com", secure, reason_));
    EXPECT_TRUE(secure.ldaps);
    EXPECT_EQ(secure.Port(), 636u);
    EXPECT_EQ(secure.baseDn, L"");
    EXPECT_EQ(secure.Text(), "LDAPS://dc1.example.com:636/");
    DirectorySource v6;
    ASSERT_TRUE(ParseDirectoryAddress("LDAP://[::1]:389/DC=x", v6, reason_));
    EXPECT_EQ(v6.server, L"::1");
    DirectorySource japanese;
    ASSERT_TRUE(ParseDirectoryAddress("LDAP://dc/OU=\xE6\x9D\xB1\xE4\xBA\xAC,DC=x", japanese, reason_));
    EXPECT_EQ(japanese.baseDn, L"OU=\x6771\x4EAC,DC=x");
    for (const char* text : {"dc1.example.com", "LDAP://", "LDAP:///DC=x", "LDAP://dc:0/", "LDAP://dc:65536/",
                             "LDAP://dc:38a/", "LDAP://d\tc/", "GC://dc/", "LDAP://[::1/", "LDAP://user@dc/"}) {
        DirectorySource bad;
        EXPECT_FALSE(ParseDirectoryAddress(text, bad, reason_)) << text;
        EXPECT_EQ(reason_, std::string("A directory is named LDAP://server[:port][/base-DN] or LDAPS://...: ") + text);
    }
}

TEST_F(SourcesTest, TheFilterKeepsEnabledComputersAndEscapesThePattern)
{
    DirectorySource source;
    EXPECT_EQ(ComputerFilter(source, 0),
              L"(&(objectClass=computer)(!(userAccountControl:1.2.840.113556.1.4.803:=2)))");
    source.osPattern = L"**Server (x)\\*";
    EXPECT_EQ(ComputerFilter(source, 133000000000000000ULL),
              L"(&(objectClass=computer)(!(userAccountControl:1.2.840.113556.1.4.803:=2))"
              L"(operatingSystem=*Server \\28x\\29\\5c*)"
              L"(|(lastLogonTimestamp>=133000000000000000)(&(!(lastLogonTimestamp=*))(pwdLastSet>=133000000000000000))))");
    EXPECT_EQ(FileTimeDaysBefore(864000000000ULL * 10, 3), 864000000000ULL * 7);
    EXPECT_EQ(FileTimeDaysBefore(5, 3), 0u) << "no time before 1601";
}

TEST_F(SourcesTest, DirectoryTimesAsLocalTimeAndNeverAsNothing)
{
    // 2026-01-01 00:00:00 UTC
    const std::string text = FileTimeText(L"134116992000000000");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.substr(0, 4), "2026") << text;
    for (const wchar_t* never : {L"", L"0", L"9223372036854775807", L"-1", L"12x", L"99999999999999999999"})
        EXPECT_EQ(FileTimeText(never), "") << never;
}

TEST_F(SourcesTest, NamesNoComputerCanHaveAreRefusedWhereverTheyComeFrom)
{
    EXPECT_TRUE(CheckComputerName("ws00001.mirel.invalid", reason_));
    EXPECT_TRUE(CheckComputerName("\xE7\xAB\xAF\xE6\x9C\xAB-01", reason_)) << "any script";
    EXPECT_FALSE(CheckComputerName("a/b", reason_));
    EXPECT_EQ(reason_, "A computer name holds a path separator (/ or \\): a/b");
    EXPECT_FALSE(CheckComputerName("\\\\server", reason_));
    EXPECT_FALSE(CheckComputerName("bad\anam", reason_));
    EXPECT_EQ(reason_, "A computer name holds a control character: bad\\x07nam");
    EXPECT_FALSE(CheckComputerName(std::string(10000, 'x'), reason_));
    ComputerList list;
    EXPECT_FALSE(list.Add("..\\..\\windows", reason_)) << "typed names are refused alike";
    ComputerList small(2);
    EXPECT_TRUE(small.Add("a", reason_) && small.Add("b", reason_));
    EXPECT_FALSE(small.Add("c", reason_));
    EXPECT_EQ(reason_, "The list names more than 2 computers; split it into several runs.");
}
