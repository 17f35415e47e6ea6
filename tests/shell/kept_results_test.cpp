// A check that ends before its first result keeps what the last check showed; a stopped
// check marks what it did not read. Real windows, a provider of the test's own.
#include "tests/shell/app_fixture.h"

#include "base/class_ids.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "tests/support/fake_wmi.h"

namespace {

FakeWmiScenario NamedObjects(int count)
{
    FakeWmiScenario scenario;
    for (int number = 1; number <= count; ++number)
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"Object " + std::to_wstring(number))}});
    return scenario;
}

class KeptResultsTest : public AppFixture {
protected:
    void RunWith(FakeWmiScenario& scenario, const std::string& computer)
    {
        View().SetWmiConnector(FakeWmiConnector(&scenario));
        SetWindowTextA(View().NameField(), computer.c_str());
        RunCheckToCompletion();
        View().SetWmiConnector({});
    }
    int RowsOfStore(int store) { return View().Run().Stores.Store(store)->RowCount(); }
    std::string TreeLabel(int page) { return Standard().Tree().ItemText(Standard().PageItem(page)); }
};

}  // namespace

TEST_F(KeptResultsTest, FailedStandardCheckKeepsTheResultsAndTheRootLabel)
{
    FakeWmiScenario good = NamedObjects(3);
    RunWith(good, "");
    ASSERT_EQ(RowsOfStore(0), 3);
    const std::string root = TreeLabel(kRootPage);
    EXPECT_EQ(root, LoadText(IDS_LOCAL_COMPUTER));
    Standard().SelectPageInTree(kFirstCategoryPage);

    FakeWmiScenario refused;
    refused.connectResult = WBEM_E_ACCESS_DENIED;
    RunWith(refused, "127.0.0.1");
    ASSERT_EQ(Messages().size(), 1u) << "the failure is told";
    EXPECT_EQ(RowsOfStore(0), 3) << "the last results stay";
    EXPECT_EQ(Standard().DisplayList().Model().RowCount(), 3);
    EXPECT_EQ(TreeLabel(kRootPage), root) << "not renamed as if the failed check had succeeded";
    EXPECT_EQ(View().Run().TargetComputer, "") << "saves still name the computer of the shown results";
    EXPECT_EQ(StatusText(), LoadText(IDS_RESULTS_KEPT));
}

TEST_F(KeptResultsTest, FailedIndividualCheckKeepsTheRowsButAnEmptyAnswerEmptiesThem)
{
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    ChooseClass(101, 204, ClassId::Win32_Processor);
    FakeWmiScenario good = NamedObjects(4);
    RunWith(good, "");
    ResultList& list = Individual().ResultListControl();
    ASSERT_EQ(list.Model().RowCount(), 4);

    FakeWmiScenario refused;
    refused.connectResult = WBEM_E_ACCESS_DENIED;
    RunWith(refused, "");
    EXPECT_EQ(list.Model().RowCount(), 4);
    EXPECT_EQ(list.View().ItemCount(), 4);
    EXPECT_TRUE(IsWindowEnabled(list.Handle()));

    FakeWmiScenario none;   // a class without objects is an answer: the list empties
    RunWith(none, "");
    EXPECT_EQ(list.Model().RowCount(), 0);
    EXPECT_EQ(list.EmptyText(), LoadText(IDS_NO_OBJECTS)) << "and says so";
    EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(KeptResultsTest, StoppedStandardCheckMarksWhatItDidNotRead)
{
    FakeWmiScenario scenario = NamedObjects(2);
    scenario.onGet = [&](int object, int property, const std::wstring&) {
        if (scenario.connectedPaths.size() == 3 && object == 2 && property == 1)   // the third category
            View().Run().Check->RequestStop();
    };
    RunWith(scenario, "");
    for (int store = 0; store < kCategoryCount; ++store) {
        const StandardCategory& category = kStandardCategories[store];
        const bool marked = TreeLabel(category.page).find(LoadText(IDS_INCOMPLETE_MARK)) != std::string::npos;
        EXPECT_EQ(marked, category.storeIndex >= 2) << TreeLabel(category.page);
    }
    EXPECT_EQ(StatusText(), LoadText(IDS_STOPPED_STANDARD));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(KeptResultsTest, ProgressBarCountsTheCategoriesWhileTheCheckRuns)
{
    FakeWmiScenario slow = NamedObjects(1);
    slow.delayPerObjectMs = 40;
    View().SetWmiConnector(FakeWmiConnector(&slow));
    HWND bar = TheApp().progressBar;
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(IsWindowVisible(bar));
    View().OnRunButton();
    PumpUntil([&] { return SendMessageA(bar, PBM_GETPOS, 0, 0) >= 3 || !CheckRunning(); });
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), kCategoryCount);
    PumpUntil([this] { return !CheckRunning(); });
    EXPECT_FALSE(IsWindowVisible(bar)) << "gone with the check";
    View().SetWmiConnector({});
}
