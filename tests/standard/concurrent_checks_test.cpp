// Two checks in one process at the same time: a standard check of one computer and an
// individual check of another, each on its own worker, context and provider. Each gets its
// own results, progress and stop.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "engine/check_worker.h"
#include "individual/class_survey.h"
#include "resources/text.h"
#include "standard/standard_survey.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/recording_reporter.h"

namespace {

// `count` objects whose every text property names `host`.
std::vector<FakeObject> ObjectsOf(const std::wstring& host, int count)
{
    std::vector<FakeObject> objects;
    for (int number = 1; number <= count; ++number)
        objects.push_back({{L"Name", FakeValue::Text(host + L" object " + std::to_wstring(number))},
                           {L"Caption", FakeValue::Text(host)},
                           {L"HotFixID", FakeValue::Text(L"KB" + std::to_wstring(number))}});
    return objects;
}

WmiConnector ConnectorOutsideAnyDomain(FakeWmiScenario* scenario)
{
    WmiConnector connector = FakeWmiConnector(scenario);
    connector.lookUpDomainController = [](const std::string&, std::string&, std::string&) { return false; };
    return connector;
}

bool PumpUntilBothEnded(const CheckWorker& first, const CheckWorker& second)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(10))
        if (first.HasEnded() && second.HasEnded())
            return true;
    return false;
}

}  // namespace

TEST(ConcurrentChecks, StandardAndIndividualChecksOfTwoComputersKeepApart)
{
    SetTextLanguage(kEnglishLanguage);
    FakeWmiScenario alphaData;
    alphaData.objects = ObjectsOf(L"alpha", 2);
    FakeWmiScenario betaData;
    betaData.objects = ObjectsOf(L"beta", 40);
    betaData.delayPerObjectMs = 5;   // still reading while the standard check runs

    RecordingReporter alphaReporter, betaReporter;
    betaReporter.answer = IDYES;   // show what was read before the stop
    CheckContext alpha("alpha", &alphaReporter, ConnectorOutsideAnyDomain(&alphaData));
    CheckContext beta("beta", &betaReporter, ConnectorOutsideAnyDomain(&betaData));
    alphaReporter.progress = &alpha.Progress();
    betaReporter.progress = &beta.Progress();

    std::mutex seenLock;
    std::vector<std::string> alphaProgress, betaProgress;
    alphaData.onGet = [&](int, int property, const std::wstring&) {
        std::lock_guard<std::mutex> hold(seenLock);
        if (property == 0)
            alphaProgress.push_back(alpha.Progress().Get());
    };
    betaData.onGet = [&](int object, int property, const std::wstring&) {
        std::lock_guard<std::mutex> hold(seenLock);
        if (property == 0)
            betaProgress.push_back(beta.Progress().Get());
        if (object == 30)
            beta.RequestStop();
    };

    StandardStores stores;
    std::atomic<StandardOutcome> alphaOutcome{StandardOutcome::Failed};
    std::atomic<ClassOutcome> betaOutcome{ClassOutcome::Failed};
    CheckWorker alphaWorker, betaWorker;
    ASSERT_TRUE(betaWorker.Start(beta, nullptr, [&](CheckContext& check) {
        betaOutcome = RunClassSurvey(check, 1224);   // Win32_Processor
    }));
    ASSERT_TRUE(alphaWorker.Start(alpha, nullptr, [&](CheckContext& check) {
        alphaOutcome = RunStandardSurvey(check, stores);
    }));
    ASSERT_TRUE(PumpUntilBothEnded(alphaWorker, betaWorker));
    alphaWorker.Join();
    betaWorker.Join();

    // Each provider saw only its own computer.
    ASSERT_FALSE(alphaData.connectedPaths.empty());
    for (const std::wstring& path : alphaData.connectedPaths)
        EXPECT_EQ(path, L"\\\\alpha\\root\\cimv2");
    ASSERT_EQ(betaData.connectedPaths.size(), 1u);
    EXPECT_EQ(betaData.connectedPaths[0], L"\\\\beta\\root\\cimv2");

    // The standard check ran to its end, untouched by the other check's stop.
    EXPECT_EQ(alphaOutcome.load(), StandardOutcome::Done);
    EXPECT_FALSE(alpha.IsStopRequested());
    EXPECT_EQ(alphaData.queries.size(), 28u);
    EXPECT_EQ(stores.Store(15)->RowCount(), 2) << "processors of alpha";
    for (int index = 0; index < 28; ++index)
        for (int row = 0; row < stores.Store(index)->RowCount(); ++row)
            for (int column = 0; column < stores.Store(index)->ColumnCount(); ++column)
                EXPECT_EQ(stores.Store(index)->Cell(row, column).find("beta"), std::string::npos);
    EXPECT_TRUE(alphaReporter.messages.empty());
    EXPECT_TRUE(alphaReporter.rows.empty());

    // The individual check stopped at its 30th object and kept what it had read.
    EXPECT_EQ(betaOutcome.load(), ClassOutcome::Done);
    EXPECT_TRUE(beta.IsStopRequested());
    ASSERT_EQ(betaReporter.messages.size(), 1u) << "the question whether to show the data";
    ASSERT_FALSE(betaReporter.rows.empty());
    for (const ClassResultRow& row : betaReporter.rows) {
        EXPECT_LE(row.objectNumber, 30u);
        EXPECT_EQ(row.value.find("alpha"), std::string::npos);
    }
    EXPECT_EQ(stores.Store(15)->Cell(0, 0).find("alpha"), 0u);

    // Each progress line named its own check only.
    for (const std::string& line : alphaProgress)
        EXPECT_EQ(line.rfind("Checking resources : ", 0), 0u) << line;
    for (const std::string& line : betaProgress)
        EXPECT_NE(line.find("Win32_Processor"), std::string::npos) << line;
    EXPECT_EQ(alpha.Progress().Get(), "");
    EXPECT_EQ(beta.Progress().Get(), "");
    SetTextLanguage(0);
}
