// Winsock must come before windows.h.
#include <winsock2.h>

#include <gtest/gtest.h>

#include "engine/icmp_probe.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

int g_attempts = 0;

DWORD WINAPI AnswerOnlyTheThirdRequest(HANDLE, ULONG, LPVOID, WORD, void*, LPVOID, DWORD, DWORD)
{
    return ++g_attempts == 3 ? 1 : 0;
}

DWORD WINAPI NeverAnswer(HANDLE, ULONG, LPVOID, WORD, void*, LPVOID, DWORD, DWORD)
{
    ++g_attempts;
    return 0;
}

class IcmpProbeTest : public testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 0), &data), 0);
        ASSERT_EQ(LoadIcmpLibrary(), 0);
        saved_ = GetIcmpLibrary();
        SetTextLanguage(kEnglishLanguage);
        g_attempts = 0;
    }
    void TearDown() override
    {
        GetIcmpLibrary() = saved_;
        SetTextLanguage(0);
        WSACleanup();
    }
    IcmpLibrary saved_;
    std::string message_;
};

}  // namespace

TEST_F(IcmpProbeTest, LoopbackAnswersAtOnce)
{
    DWORD start = GetTickCount();
    EXPECT_EQ(PingHost("127.0.0.1", message_), PingResult::Replied);
    EXPECT_LT(GetTickCount() - start, 1000u) << "the first request is answered";
}

TEST_F(IcmpProbeTest, UnknownNameIsReportedWithTwoBlanksBeforeIt)
{
    EXPECT_EQ(PingHost("no-such-host.invalid", message_), PingResult::HostNotFound);
    EXPECT_EQ(message_, "Could not find the host  no-such-host.invalid");
}

TEST_F(IcmpProbeTest, MissingEntryPointRefusesEveryNamedHost)
{
    GetIcmpLibrary().IcmpSendEcho = nullptr;
    EXPECT_EQ(PingHost("127.0.0.1", message_), PingResult::NoLibrary);
    EXPECT_EQ(message_, LoadText(IDS_ICMP_NOT_LOADED));
}

TEST_F(IcmpProbeTest, HostAnsweringOnlyTheThirdRequestIsReachable)
{
    GetIcmpLibrary().IcmpSendEcho = AnswerOnlyTheThirdRequest;
    EXPECT_EQ(PingHost("127.0.0.1", message_), PingResult::Replied);
    EXPECT_EQ(g_attempts, 3);
}

TEST_F(IcmpProbeTest, SilentHostIsAskedThreeTimes)
{
    GetIcmpLibrary().IcmpSendEcho = NeverAnswer;
    EXPECT_EQ(PingHost("127.0.0.1", message_), PingResult::NoReply);
    EXPECT_EQ(g_attempts, 3);
}
