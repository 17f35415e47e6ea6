// Computers that do not answer, and connecting as another account: a stalled connection or
// enumeration ends with Stop or with the query's time limit, within a second of either,
// and leaves no thread holding anything once the computer finally answers.
#include <gtest/gtest.h>

#include <thread>

#include "base/text_util.h"
#include "engine/query_executor.h"
#include "engine/wmi_session.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "tests/support/com_scope.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/memory_table.h"

namespace {

const wchar_t* const kName[] = {L"Name", nullptr};

FakeObject Named(const wchar_t* name)
{
    return {{L"Name", FakeValue::Text(name)}};
}

class StalledHostTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        gate_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    void TearDown() override
    {
        // The computer answers at last: the abandoned attempt releases what it got.
        SetEvent(gate_);
        for (DWORD start = GetTickCount(); LiveFakeWmiObjects() != 0 && GetTickCount() - start < 5000;)
            Sleep(10);
        EXPECT_EQ(LiveFakeWmiObjects(), 0) << "no thread is left holding the connection";
        CloseHandle(gate_);
        SetTextLanguage(0);
    }
    // Reads from `host` and returns how long it took.
    DWORD Read(CheckContext& check, MemoryTable& table, QueryOutcome& result)
    {
        DWORD start = GetTickCount();
        result = ExecuteStandardQuery(check, 1041, "Select Name from Win32_BIOS", kName, table, error_, count_);
        return GetTickCount() - start;
    }
    // Asks `check` to stop after `delayMs`, from another thread.
    static std::thread StopLater(CheckContext& check, DWORD delayMs)
    {
        return std::thread([&check, delayMs] {
            Sleep(delayMs);
            check.RequestStop();
        });
    }

    ComScope com_;
    HANDLE gate_ = nullptr;
    FakeWmiScenario scenario_;
    std::string error_;
    long count_ = -1;
};

}  // namespace

TEST_F(StalledHostTest, StopEndsAConnectionThatNeverReturns)
{
    scenario_.connectGate = gate_;
    CheckContext check("pc01", nullptr, FakeWmiConnector(&scenario_));
    std::thread stopper = StopLater(check, 300);
    MemoryTable table(1);
    QueryOutcome result = QueryOutcome::Incomplete;
    DWORD elapsed = Read(check, table, result);
    stopper.join();
    EXPECT_EQ(result, QueryOutcome::Read) << "a stop is no failure";
    EXPECT_EQ(count_, 0);
    EXPECT_LT(elapsed, 300u + 1000u);
}

TEST_F(StalledHostTest, TimeLimitEndsAConnectionThatNeverReturns)
{
    scenario_.connectGate = gate_;
    CheckContext check("pc01", nullptr, FakeWmiConnector(&scenario_));
    check.SetLimits({700});
    MemoryTable table(1);
    QueryOutcome result = QueryOutcome::Read;
    DWORD elapsed = Read(check, table, result);
    EXPECT_EQ(result, QueryOutcome::Failed);
    EXPECT_EQ(error_, "The computer pc01 did not answer within 1 seconds.");
    EXPECT_GE(elapsed, 650u);
    EXPECT_LT(elapsed, 700u + 1000u);
}

TEST_F(StalledHostTest, StopAndTimeLimitEndAStalledEnumerationKeepingItsRows)
{
    scenario_.objects = {Named(L"one"), Named(L"two"), Named(L"three")};
    scenario_.stallAfter = 2;
    {
        CheckContext check("pc01", nullptr, FakeWmiConnector(&scenario_));
        std::thread stopper = StopLater(check, 400);
        MemoryTable table(1);
        QueryOutcome result = QueryOutcome::Incomplete;
        DWORD elapsed = Read(check, table, result);
        stopper.join();
        EXPECT_EQ(result, QueryOutcome::Read);
        EXPECT_EQ(count_, 2);
        EXPECT_EQ(table.rows.size(), 2u);
        EXPECT_LT(elapsed, 400u + 1000u);
    }
    {
        CheckContext check("pc01", nullptr, FakeWmiConnector(&scenario_));
        check.SetLimits({900});
        MemoryTable table(1);
        QueryOutcome result = QueryOutcome::Read;
        DWORD elapsed = Read(check, table, result);
        EXPECT_EQ(result, QueryOutcome::Failed);
        EXPECT_EQ(error_, "The computer pc01 did not answer within 1 seconds.");
        EXPECT_EQ(table.rows.size(), 2u) << "what was read stays";
        EXPECT_LT(elapsed, 900u + 1000u);
    }
}

TEST_F(StalledHostTest, AnotherAccountGoesIntoTheConnectionAndAnEncryptedBlanket)
{
    scenario_.objects = {Named(L"one")};
    CheckContext check("pc01", nullptr, FakeWmiConnector(&scenario_));
    check.SetCredentials({L"WORKGROUP\\auditor", SecretText(L"s3cret")});
    MemoryTable table(1);
    QueryOutcome result = QueryOutcome::Incomplete;
    Read(check, table, result);
    EXPECT_EQ(result, QueryOutcome::Read);
    ASSERT_EQ(scenario_.connectUsers.size(), 1u);
    EXPECT_EQ(scenario_.connectUsers[0], L"WORKGROUP\\auditor");
    EXPECT_TRUE(scenario_.passwordGiven);
    EXPECT_TRUE(scenario_.blanketIdentity);
    EXPECT_EQ(scenario_.blanketLevel, static_cast<DWORD>(RPC_C_AUTHN_LEVEL_PKT_PRIVACY));

    CheckContext own("pc01", nullptr, FakeWmiConnector(&scenario_));
    Read(own, table, result);
    EXPECT_EQ(scenario_.connectUsers.back(), L"");
    EXPECT_FALSE(scenario_.passwordGiven);
    EXPECT_FALSE(scenario_.blanketIdentity);
    EXPECT_EQ(scenario_.blanketLevel, static_cast<DWORD>(RPC_C_AUTHN_LEVEL_PKT_PRIVACY));
}

TEST_F(StalledHostTest, AccountsAreRefusedForTheLocalComputerAndDeniedOnesSaySo)
{
    CheckContext local("", nullptr, FakeWmiConnector(&scenario_));
    local.SetCredentials({L"auditor", SecretText(L"x")});
    MemoryTable table(1);
    QueryOutcome result = QueryOutcome::Read;
    Read(local, table, result);
    EXPECT_EQ(result, QueryOutcome::Failed);
    EXPECT_NE(error_.find("0x80041064"), std::string::npos) << error_;
    EXPECT_TRUE(scenario_.connectedPaths.empty()) << "not even tried";

    scenario_.connectResult = E_ACCESSDENIED;
    CheckContext denied("pc01", nullptr, FakeWmiConnector(&scenario_));
    denied.SetCredentials({L"PC01\\guest", SecretText(L"wrong")});
    Read(denied, table, result);
    EXPECT_EQ(result, QueryOutcome::Failed);
    EXPECT_EQ(error_, LoadText(IDS_ACCESS_DENIED));
}

TEST(SecretText, WipesItsCharactersAndCopiesStayApart)
{
    SecretText secret(L"password");
    SecretText copy = secret;
    secret.Wipe();
    EXPECT_TRUE(secret.Empty());
    EXPECT_EQ(std::wstring(copy.Get()), L"password");
    Credentials account{L"DOMAIN\\name", copy};
    EXPECT_EQ(account.Domain(), L"DOMAIN");
    EXPECT_EQ(account.Account(), L"name");
    EXPECT_EQ(Credentials{L"name@domain"}.Domain(), L"");
}
