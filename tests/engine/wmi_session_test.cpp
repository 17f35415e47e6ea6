#include <gtest/gtest.h>

#include <thread>

#include "engine/wmi_session.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "tests/support/com_scope.h"
#include "tests/support/fake_wmi.h"

namespace {

class WmiSessionTest : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }
    ComScope com_;
    WmiConnector connector_;   // the system's WMI unless a test puts a provider here

    // Connects as a check of `host` would, with a minute to spare.
    ConnectOutcome Connect(const std::string& host, const std::string& query, std::string& error, WmiSession& session)
    {
        CheckContext check(host, nullptr, connector_);
        return ConnectWmi(check, query, GetTickCount64() + 60000, error, session);
    }
};

std::string CodeLine(HRESULT hr)
{
    char line[16];
    snprintf(line, sizeof line, "0x%8.8X", static_cast<unsigned>(hr));
    return line;
}

// The composed text: message, empty line, [Code], the code, [Description], system text.
void ExpectComposed(const std::string& text, UINT messageId, HRESULT hr)
{
    std::string expected = LoadText(messageId) + "\n\n[Code]\n" + CodeLine(hr) + "\n[Description]\n";
    ASSERT_GE(text.size(), expected.size());
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_EQ(text.substr(expected.size()), SystemErrorText(hr));
}

}  // namespace

TEST_F(WmiSessionTest, LocalComputerAnswersAQuery)
{
    for (const char* host : {"", "   ", "\t"}) {
        WmiSession session;
        std::string error;
        ASSERT_EQ(Connect(host, "Select Caption from Win32_OperatingSystem", error, session), ConnectOutcome::Connected)
            << error;
        ComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        session.Enumerator->Next(WBEM_INFINITE, 1, object.Receive(), &returned);
        EXPECT_EQ(returned, 1u);
    }
}

TEST_F(WmiSessionTest, MalformedQueryGivesTheComposedQueryFailure)
{
    WmiSession session;
    std::string error;
    EXPECT_EQ(Connect("", "Select from where", error, session), ConnectOutcome::Failed);
    ExpectComposed(error, IDS_QUERY_FAILED, static_cast<HRESULT>(WBEM_E_INVALID_QUERY));
    EXPECT_FALSE(session.Locator);
    EXPECT_FALSE(session.Services);
}

TEST_F(WmiSessionTest, RemoteNamespaceFailsWithTheComposedConnectionText)
{
    WmiSession session;
    std::string error;
    EXPECT_EQ(Connect("127.0.0.1", "Select * from Win32_BIOS", error, session), ConnectOutcome::Failed);
    EXPECT_EQ(error.rfind(LoadText(IDS_CONNECT_FAILED) + "\n\n[Code]\n0x", 0), 0u) << error;
    EXPECT_NE(error.find("0x80041015"), std::string::npos) << error;
}

TEST_F(WmiSessionTest, NamedHostIsTrimmedIntoTheNamespacePath)
{
    FakeWmiScenario scenario;
    connector_ = FakeWmiConnector(&scenario);
    WmiSession session;
    std::string error;
    ASSERT_EQ(Connect("  pc01 \t", "Select * from Win32_BIOS", error, session), ConnectOutcome::Connected);
    ASSERT_EQ(Connect("", "Select * from Win32_BIOS", error, session), ConnectOutcome::Connected);
    session.Release();
    ASSERT_EQ(scenario.connectedPaths.size(), 2u);
    EXPECT_EQ(scenario.connectedPaths[0], L"\\\\pc01\\root\\cimv2");
    EXPECT_EQ(scenario.connectedPaths[1], L"root\\cimv2");
    EXPECT_EQ(scenario.queries[0], L"Select * from Win32_BIOS");
    EXPECT_EQ(LiveFakeWmiObjects(), 0);
}

TEST_F(WmiSessionTest, AccessFailuresGiveTheFixedTextAlone)
{
    for (HRESULT refusal : {static_cast<HRESULT>(WBEM_E_ACCESS_DENIED), E_ACCESSDENIED,
                            HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)}) {
        FakeWmiScenario scenario;
        scenario.connectResult = refusal;
        connector_ = FakeWmiConnector(&scenario);
        WmiSession session;
        std::string error;
        EXPECT_EQ(Connect("pc01", "Select * from Win32_BIOS", error, session), ConnectOutcome::Failed);
        EXPECT_EQ(error, LoadText(IDS_ACCESS_DENIED));
        EXPECT_EQ(LiveFakeWmiObjects(), 0) << "locator released";
    }
}

TEST_F(WmiSessionTest, EveryFailingStepHasItsMessageAndReleasesWhatItHeld)
{
    struct Case {
        HRESULT FakeWmiScenario::*step;
        HRESULT code;
        UINT message;
    };
    const Case cases[] = {
        {&FakeWmiScenario::locatorResult, REGDB_E_CLASSNOTREG, IDS_LOCATOR_FAILED},
        {&FakeWmiScenario::connectResult, static_cast<HRESULT>(WBEM_E_INVALID_NAMESPACE), IDS_CONNECT_FAILED},
        {&FakeWmiScenario::blanketResult, E_INVALIDARG, IDS_PROXY_BLANKET_FAILED},
        {&FakeWmiScenario::queryResult, static_cast<HRESULT>(WBEM_E_INVALID_CLASS), IDS_QUERY_FAILED},
    };
    for (const Case& failure : cases) {
        FakeWmiScenario scenario;
        scenario.*failure.step = failure.code;
        connector_ = FakeWmiConnector(&scenario);
        WmiSession session;
        std::string error;
        EXPECT_EQ(Connect("", "Select * from Win32_BIOS", error, session), ConnectOutcome::Failed);
        ExpectComposed(error, failure.message, failure.code);
        EXPECT_EQ(LiveFakeWmiObjects(), 0);
    }
}

TEST_F(WmiSessionTest, CodeWithoutSystemTextEndsWithAnEmptyLine)
{
    std::string text;
    ComposeErrorText(text, "Message", static_cast<HRESULT>(0x80041017));
    EXPECT_EQ(text, "Message\n\n[Code]\n0x80041017\n[Description]\n" + SystemErrorText(0x80041017));
    ComposeErrorText(text, "Message", E_ACCESSDENIED);
    EXPECT_EQ(text.rfind("Message\n\n[Code]\n0x80070005\n[Description]\n", 0), 0u);
    EXPECT_FALSE(SystemErrorText(E_ACCESSDENIED).empty());
}

TEST_F(WmiSessionTest, ComSecurityAlreadySetCountsAsSuccess)
{
    std::string error;
    {
        ComApartment apartment;
        EXPECT_TRUE(InitializeComForCheck(apartment, connector_, error));   // twice in one process: the real call
        EXPECT_TRUE(InitializeComForCheck(apartment, connector_, error));
        connector_.initializeSecurity = ([] { return static_cast<HRESULT>(RPC_E_TOO_LATE); });
        EXPECT_TRUE(InitializeComForCheck(apartment, connector_, error));
        connector_.initializeSecurity = ([] { return E_OUTOFMEMORY; });
        EXPECT_FALSE(InitializeComForCheck(apartment, connector_, error));
        ExpectComposed(error, IDS_COM_SECURITY_FAILED, E_OUTOFMEMORY);
    }
}

TEST_F(WmiSessionTest, ComInitialisationFailureIsComposedAndLeavesTheOtherApartmentAlone)
{
    std::thread([this] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        {
            ComApartment apartment;   // another apartment model already chosen
            std::string error;
            EXPECT_FALSE(InitializeComForCheck(apartment, connector_, error));
            ExpectComposed(error, IDS_COM_INIT_FAILED, RPC_E_CHANGED_MODE);
        }
        // The failed entry was not balanced: the thread is still in its own apartment.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
        CoUninitialize();
        CoUninitialize();
    }).join();
}
