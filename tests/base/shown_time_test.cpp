// Times on screen in the user's short date and time formats (the tests run as en-US).
#include <gtest/gtest.h>

#include "base/shown_time.h"

namespace {

TEST(ShownTime, IsoTimesReadAsTheUserSetThemAtTheClockTimeWritten)
{
    // The offset names where the check ran: its clock time is shown, not converted.
    EXPECT_EQ(ShownTime("2026-12-01T09:30:05+09:00"), "12/1/2026 9:30 AM");
    EXPECT_EQ(ShownTime("2026-12-01T21:30:05Z"), "12/1/2026 9:30 PM");
    EXPECT_EQ(ShownTime("2026-12-01T00:00:00"), "12/1/2026 12:00 AM");
    EXPECT_EQ(ShownTime("2026-02-28"), "2/28/2026") << "a date alone";
    EXPECT_EQ(ShownTime("2026-12-31T23:59:60+00:00"), "12/31/2026 11:59 PM") << "a leap second";
}

TEST(ShownTime, AnythingElseComesBackAsItIs)
{
    for (const char* text : {"", "yesterday", "2026-13-01T09:30:00+09:00", "2026-12-01T25:00:00", "2026-12-1",
                             "1600-01-01T00:00:00Z", "2026-12-01T09:30", "２０２６-12-01"})
        EXPECT_EQ(ShownTime(text), text);
}

}  // namespace
