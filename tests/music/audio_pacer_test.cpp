// The audio pacer against simulated devices: one that never blocks is held to the clock, with no
// catching up after a stall; one that blocks is never slowed, whichever way its clock drifts.
#include "FakePaceClock.h"
#include "music/AudioPacer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvan {
namespace {

constexpr int Rate = 44100;
constexpr int Block = 4096;
constexpr int Lead = 2 * Block + Rate / 2;

struct SimulatedDevice {
    const char* Name;
    bool Blocks;        // holds each write until its buffer of two blocks has room
    double Drift;       // how much faster than the pacer's clock it plays (0.01: 1 %)
    double StallAt;     // seconds; the clock jumps StallFor seconds there (0: never)
    double StallFor;
};

const SimulatedDevice Devices[] = {
    {"never blocks", false, 0, 0, 0},
    {"never blocks and stalls for 5 s", false, 0, 10, 5},
    {"blocks at the clock's pace", true, 0, 0, 0},
    {"blocks, its clock 1 % fast", true, 0.01, 0, 0},
    {"blocks, its clock 1 % slow", true, -0.01, 0, 0},
};

TEST(AudioPacer, KeepsEachDeviceFedAndNeverAheadOfTheClockByMoreThanTheLead)
{
    constexpr double Seconds = 600;
    for (const SimulatedDevice& device : Devices) {
        SCOPED_TRACE(device.Name);
        testing::FakePaceClock clock(/*jumping=*/true);  // a sleep passes its time at once
        AudioPacer pacer(clock, Rate, Lead);
        const double start = clock.Now();
        double origin = start;  // the count starts again after a stall: nothing is made up
        long long made = 0, madeAtOrigin = 0;
        double fill = 0, drained = start;  // the blocking device's buffer
        bool stalled = false;
        int underruns = 0;
        while (clock.Now() - start < Seconds) {
            if (device.StallAt > 0 && !stalled && clock.Now() - start >= device.StallAt) {
                clock.Advance(device.StallFor);
                stalled = true;
                origin = clock.Now();
                madeAtOrigin = made;
            }
            pacer.BeforeBlock(Block);
            made += Block;
            if (!device.Blocks) {
                ASSERT_LE(made - madeAtOrigin, (clock.Now() - origin) * Rate + Lead + 1) << "at " << clock.Now() - start << " s";
            }
            pacer.AfterBlock();
            if (device.Blocks) {
                const double pace = Rate * (1 + device.Drift);
                const double left = fill - (clock.Now() - drained) * pace;
                underruns += made > Block && left < 0;
                fill = std::max(0.0, left);
                if (fill + Block > 2 * Block) {
                    clock.Advance((fill - Block) / pace);
                    fill = Block;
                }
                fill += Block;
                drained = clock.Now();
            }
        }
        // Fed all along: a blocking device never ran dry, one that never blocks got all the clock allowed.
        if (device.Blocks) {
            EXPECT_EQ(underruns, 0);
            EXPECT_EQ(pacer.Sleeps(), 0);
        } else {
            EXPECT_GE(made - madeAtOrigin, (clock.Now() - origin) * Rate - Block);
            EXPECT_GT(pacer.Sleeps(), 0);
        }
    }
}

TEST(AudioPacer, AnInterruptedClockLetsEveryBlockThrough)
{
    testing::FakePaceClock clock;  // held: a sleep would last until the test moves the time
    clock.Interrupt(true);
    AudioPacer pacer(clock, Rate, Lead);
    for (int block = 0; block < 100; ++block) {
        pacer.BeforeBlock(Block);
        pacer.AfterBlock();
    }
    EXPECT_GT(pacer.Sleeps(), 90);
}

}  // namespace
}  // namespace korvan
