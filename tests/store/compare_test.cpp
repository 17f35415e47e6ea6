// Comparing two checks: objects matched by identity whatever their order or the case of
// their names, every real change and nothing else, volatile values only when asked for.
#include <gtest/gtest.h>

#include "store/check_comparison.h"
#include "tests/store/store_fixture.h"

namespace {

const std::vector<TestService> kServices = {{"BITS", "Manual", "Stopped"}, {"Spooler", "Auto", "Running"}};

TEST(Compare, MatchesObjectsByIdentityNotByPositionOrCase)
{
    StoredCheck before = MakeCheck("PC01", kServices, 100, 10);
    StoredCheck after = MakeCheck("PC01", {{"spooler", "Auto", "Running"}, {"BITS", "Manual", "Stopped"}}, 200, 20);
    CheckComparison comparison = CompareChecks(before, after);
    EXPECT_EQ(comparison.ChangeCount(false), 0);
    EXPECT_EQ(comparison.ChangeCount(true), 2);   // free memory and free space

    after = MakeCheck("PC01", {{"BITS", "Auto", "Stopped"}, {"NewSvc", "Auto", "Running"}}, 100, 10);
    comparison = CompareChecks(before, after);
    const PartComparison& services = comparison.parts[0];
    EXPECT_EQ(services.Count(ChangeKind::Added, false), 1);
    EXPECT_EQ(services.Count(ChangeKind::Removed, false), 1);
    EXPECT_EQ(services.Count(ChangeKind::Changed, false), 1);
    ASSERT_EQ(services.changes.size(), 3u);
    EXPECT_EQ(services.changes[0].property, "StartMode");
    EXPECT_EQ(services.changes[0].before.text, "Manual");
    EXPECT_EQ(services.changes[1].identity, "Name=NewSvc");
    EXPECT_EQ(services.changes[2].identity, "Name=Spooler");
    EXPECT_EQ(services.changes[2].kind, ChangeKind::Removed);
}

TEST(Compare, AValueShownInAnotherLanguageIsNoChange)
{
    StoredCheck before = MakeCheck("PC01", kServices);
    StoredCheck after = MakeCheck("PC01", kServices);
    after.parts[2].objects[0].cells[1].text = "九万";   // the same raw size, shown otherwise
    EXPECT_EQ(CompareChecks(before, after).ChangeCount(true), 0);
    after.parts[2].objects[0].cells[1] = {RawValue{}, ""};   // the value went away
    after.parts[2].objects[0].cells[1].raw.vartype = VT_NULL;
    EXPECT_EQ(CompareChecks(before, after).ChangeCount(false), 1);
}

TEST(Compare, ACategoryNotReadCompletelyIsNotCompared)
{
    StoredCheck before = MakeCheck("PC01", kServices);
    StoredCheck after = MakeCheck("PC01", {kServices[0]});
    after.parts[0].state = PartState::Incomplete;
    const CheckComparison comparison = CompareChecks(before, after);
    EXPECT_FALSE(comparison.parts[0].compared);
    EXPECT_EQ(comparison.ChangeCount(true), 0);
}

}  // namespace
