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
        connector_.icmp = LoadIcmpLibrary();
        ASSERT_TRUE(connector_.icmp->IsComplete());
        SetTextLanguage(kEnglishLanguage);
        g_attempts = 0;
    }
    void TearDown() override { SetTextLanguage(0); }
    PingResult Ping(const std::string& host)
    {
        CheckContext check(host, nullptr, connector_);
        return PingHost(check, message_);
    }
    WmiConnector connector_;
    std::string message_;
};

}  // namespace

TEST_F(IcmpProbeTest, LoopbackAnswersAtOnce)
{
    DWORD start = GetTickCount();
    EXPECT_EQ(Ping("127.0.0.1"), PingResult::Replied);
    EXPECT_LT(GetTickCount() - start, 1000u) << "the first request is answered";
    connector_.icmp.reset();   // loaded from the system folder for the ping
    EXPECT_EQ(Ping("127.0.0.1"), PingResult::Replied);
}

TEST_F(IcmpProbeTest, UnknownNameIsReportedWithOneBlankBeforeIt)
{
    EXPECT_EQ(Ping("no-such-host.invalid"), PingResult::HostNotFound);
    EXPECT_EQ(message_, "Could not find the host no-such-host.invalid");
}

TEST_F(IcmpProbeTest, MissingEntryPointRefusesEveryNamedHost)
{
    connector_.icmp->IcmpSendEcho = nullptr;
    EXPECT_EQ(Ping("127.0.0.1"), PingResult::NoLibrary);
    EXPECT_EQ(message_, LoadText(IDS_ICMP_NOT_LOADED));
}

TEST_F(IcmpProbeTest, HostAnsweringOnlyTheThirdRequestIsReachable)
{
    connector_.icmp->IcmpSendEcho = AnswerOnlyTheThirdRequest;
    EXPECT_EQ(Ping("127.0.0.1"), PingResult::Replied);
    EXPECT_EQ(g_attempts, 3);
}

TEST_F(IcmpProbeTest, SilentHostIsAskedThreeTimes)
{
    connector_.icmp->IcmpSendEcho = NeverAnswer;
    EXPECT_EQ(Ping("127.0.0.1"), PingResult::NoReply);
    EXPECT_EQ(g_attempts, 3);
}
