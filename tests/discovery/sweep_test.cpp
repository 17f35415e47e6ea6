// A ping sweep over loopback addresses, which all answer: every one found, in order, many
// at a time; and a stop ends a sweep of addresses that never answer at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discovery/address_sweep.h"

TEST(AddressSweep, EveryLoopbackAddressAnswersAndComesInOrder)
{
    AddressRange range;
    std::string reason;
    ASSERT_TRUE(ParseAddressRange("127.0.0.1-127.0.0.40", range, reason));
    CheckContext control;
    SweepSettings settings;
    settings.atATime = 8;
    std::vector<std::string> answered;
    uint32_t lastDone = 0;
    ASSERT_EQ(SweepRange(control, range, settings, answered, [&](uint32_t done, size_t) { lastDone = done; }),
              SweepOutcome::Swept);
    ASSERT_EQ(answered.size(), 40u);
    EXPECT_EQ(answered.front(), "127.0.0.1");
    EXPECT_EQ(answered[9], "127.0.0.10");
    EXPECT_EQ(answered.back(), "127.0.0.40");
    EXPECT_EQ(lastDone, 40u);
}

namespace {

// An echo that never comes back: each send waits its whole time.
DWORD WINAPI SilentEcho(HANDLE, ULONG, LPVOID, WORD, void*, LPVOID, DWORD, DWORD timeout)
{
    Sleep(timeout);
    return 0;
}
HANDLE WINAPI OpenEcho() { return reinterpret_cast<HANDLE>(1); }
BOOL WINAPI CloseEcho(HANDLE) { return TRUE; }

}  // namespace

TEST(AddressSweep, AStopEndsASilentSweepWithinASecond)
{
    AddressRange range;
    std::string reason;
    ASSERT_TRUE(ParseAddressRange("10.96.0.0/16", range, reason));
    CheckContext control;
    SweepSettings settings;
    settings.atATime = 16;
    settings.perAddressMs = 60000;
    IcmpLibrary silent;
    silent.IcmpCreateFile = OpenEcho;
    silent.IcmpCloseHandle = CloseEcho;
    silent.IcmpSendEcho = SilentEcho;
    settings.icmp = silent;
    std::thread stopper([&] {
        Sleep(1500);
        control.RequestStop();
    });
    const ULONGLONG start = GetTickCount64();
    std::vector<std::string> answered;
    EXPECT_EQ(SweepRange(control, range, settings, answered), SweepOutcome::Stopped);
    stopper.join();
    EXPECT_LT(GetTickCount64() - start, 2800u);
    EXPECT_TRUE(answered.empty());
}
