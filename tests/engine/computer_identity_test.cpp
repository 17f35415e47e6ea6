// The computer's own name and DNS domain read after a check: from Wine's own WMI, and from a
// provider of the tests' own for a domain member and for a query that fails.
#include <gtest/gtest.h>

#include "base/this_computer.h"
#include "engine/computer_identity.h"
#include "tests/support/com_scope.h"
#include "tests/support/fake_wmi.h"

namespace {

FakeObject ComputerSystem(const wchar_t* name, const wchar_t* domain, LONG role)
{
    return {{L"Name", FakeValue::Text(name)}, {L"Domain", FakeValue::Text(domain)}, {L"DomainRole", FakeValue::I4(role)}};
}

TEST(ComputerIdentity, TheLocalComputerGivesTheNameWmiKnowsItBy)
{
    ComScope com;
    CheckContext check("", nullptr, FakeWmiConnector(nullptr));
    ASSERT_TRUE(ReadComputerIdentity(check));
    EXPECT_EQ(check.ComputerName(), ThisComputerName());
    EXPECT_EQ(check.ComputerDomain(), "") << "a workgroup is no domain";
}

TEST(ComputerIdentity, AMemberOfADomainKeepsItsDomain)
{
    ComScope com;
    FakeWmiScenario scenario;
    for (const auto& [role, domain] : {std::pair{1, "corp.example"}, {5, "corp.example"}, {0, ""}, {2, ""}}) {
        scenario.objects = {ComputerSystem(L"PC01", L"corp.example", role)};
        CheckContext check("pc01.corp.example", nullptr, FakeWmiConnector(&scenario));
        ASSERT_TRUE(ReadComputerIdentity(check)) << role;
        EXPECT_EQ(check.ComputerName(), "PC01");
        EXPECT_EQ(check.ComputerDomain(), domain) << role;
    }
    EXPECT_EQ(scenario.queries.back(), L"SELECT Name, Domain, DomainRole FROM Win32_ComputerSystem");
}

TEST(ComputerIdentity, AFailedQuerySaysNothingAndLeavesTheChecksProblem)
{
    ComScope com;
    FakeWmiScenario scenario;
    scenario.connectResult = WBEM_E_ACCESS_DENIED;
    CheckContext check("pc01", nullptr, FakeWmiConnector(&scenario));
    check.NoteProblem({CheckProblem::BrokeOff, static_cast<HRESULT>(WBEM_E_CALL_CANCELLED), "the services broke off"});
    EXPECT_FALSE(ReadComputerIdentity(check));
    EXPECT_EQ(check.ComputerName(), "");
    EXPECT_EQ(check.Problem().kind, CheckProblem::BrokeOff);
    EXPECT_EQ(check.Problem().message, "the services broke off");

    // Nothing is asked of a stopped check, and an object without a name names nothing.
    FakeWmiScenario empty;
    empty.objects = {ComputerSystem(L"", L"WORKGROUP", 0)};
    CheckContext stopped("pc01", nullptr, FakeWmiConnector(&empty));
    stopped.RequestStop();
    EXPECT_FALSE(ReadComputerIdentity(stopped));
    EXPECT_TRUE(empty.queries.empty());
    CheckContext unnamed("pc01", nullptr, FakeWmiConnector(&empty));
    EXPECT_FALSE(ReadComputerIdentity(unnamed));
}

}  // namespace
