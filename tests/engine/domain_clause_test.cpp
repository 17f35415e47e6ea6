#include <windows.h>

#include <gtest/gtest.h>

#include "engine/domain_clause.h"

#include <atomic>
#include <memory>
#include <thread>

namespace {

std::string LocalName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

int g_lookups = 0;

class DomainClauseTest : public testing::Test {
protected:
    void SetUp() override { g_lookups = 0; }
    WmiConnector connector_;   // DsGetDcNameA unless a test puts a lookup here
};

}  // namespace

TEST_F(DomainClauseTest, ComputerOutsideADomainIsRestrictedToItsOwnName)
{
    // Wine has no domain controller locator: every computer counts as outside a domain.
    ASSERT_FALSE(LocalName().empty());
    EXPECT_EQ(BuildDomainClause(connector_, ""), " where Domain = '" + LocalName() + "'");
    EXPECT_EQ(BuildDomainClause(connector_, "pc01"), " where Domain = 'pc01'");
}

TEST_F(DomainClauseTest, DomainControllerItselfListsTheWholeDomain)
{
    connector_.lookUpDomainController = ([](const std::string&, std::string& name, std::string& address) {
        ++g_lookups;
        name = "\\\\DC01";
        address = "\\\\10.0.0.5";
        return true;
    });
    EXPECT_EQ(BuildDomainClause(connector_, "dc01"), "") << "flat name, any case";
    EXPECT_EQ(BuildDomainClause(connector_, "10.0.0.5"), "") << "address";
    EXPECT_EQ(BuildDomainClause(connector_, "pc01"), " where Domain = 'pc01'") << "a member of the domain";
    EXPECT_EQ(g_lookups, 3);
}

TEST_F(DomainClauseTest, NameCannotChangeTheQuery)
{
    EXPECT_EQ(BuildDomainClause(connector_, "x' or Domain <> '"), " where Domain = 'x\\' or Domain <> \\''");
    EXPECT_EQ(BuildDomainClause(connector_, "a\\b"), " where Domain = 'a\\\\b'");
}

// A domain controller lookup that never answers holds no check: the time limit and the
// stop both leave it within a second, as the computer's own accounts.
TEST_F(DomainClauseTest, ALookupThatNeverAnswersObeysTheLimitAndTheStop)
{
    auto release = std::make_shared<std::atomic<bool>>(false);
    connector_.lookUpDomainController = [release](const std::string&, std::string&, std::string&) {
        while (!*release)
            Sleep(20);
        return false;
    };
    CheckContext check("pc01", nullptr, connector_);
    CheckLimits limits;
    limits.queryTimeLimitMs = 1000;
    check.SetLimits(limits);
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(BuildDomainClause(check), " where Domain = 'pc01'");
    EXPECT_LT(GetTickCount64() - start, 2000u);

    limits.queryTimeLimitMs = 60000;
    check.SetLimits(limits);
    std::thread stop([&check] {
        Sleep(300);
        check.RequestStop();
    });
    start = GetTickCount64();
    EXPECT_EQ(BuildDomainClause(check), " where Domain = 'pc01'");
    EXPECT_LT(GetTickCount64() - start, 1500u);
    stop.join();
    *release = true;
}
