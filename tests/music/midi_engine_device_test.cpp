// The music engine on a real audio driver that never blocks (ALSA's null device, no sound card
// needed): the audio it makes follows a clock the test moves by hand, Stop closes the device and
// Play opens it again where the music stopped.
#include "FakePaceClock.h"
#include "base/KorvanError.h"
#include "music/MidiEngine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace korvan {
namespace {

const std::string EditorMusic = std::string(KORVAN_RUN_DIR) + "/Music/Music2.mid";

// Moves the clock on in steps shorter than a device period, each time until the audio thread has
// made what the clock allows and sleeps again: time passing as it does, not in one leap.
bool Pass(testing::FakePaceClock& clock, double seconds)
{
    for (int step = 0; step < static_cast<int>(seconds * 20 + 0.5); ++step) {
        clock.Advance(0.05);
        if (!clock.WaitForSleeper())
            return false;
    }
    return true;
}

TEST(MidiEngineDevice, MakesAudioAtTheClocksPaceAndClosesTheDeviceWhileStopped)
{
    auto clock = std::make_shared<testing::FakePaceClock>();
    MidiEngineOptions options;
    options.AudioDrivers = {"alsa"};
    options.AlsaDevice = "null";
    options.Clock = clock;
    std::atomic<int> ends{0};
    MidiEngine engine(options, [&ends](std::uint64_t) { ++ends; });
    try {
        engine.Open(EditorMusic);
    } catch (const KorvanError& error) {
        GTEST_SKIP() << "ALSA's null device is not available: " << error.what();
    }
    ASSERT_TRUE(engine.IsOutputOpen());
    const long long rate = options.SampleRate;
    const long long block = options.PeriodFrames;
    const long long lead = block * options.Periods + rate / 2;

    // Opened but not playing: the device still takes audio, as much as the clock allows.
    ASSERT_TRUE(clock->WaitForSleeper());
    long long base = engine.FramesRendered();
    EXPECT_LE(base, lead + block);
    engine.Play();
    for (int second = 1; second <= 3; ++second) {
        ASSERT_TRUE(Pass(*clock, 1.0));
        const long long made = engine.FramesRendered();
        EXPECT_LE(made, base + second * rate + block) << "after " << second << " s";
        EXPECT_GE(made, base + second * rate - block) << "after " << second << " s";
    }
    EXPECT_GT(engine.CurrentTick(), 0);

    // Stop: the device is closed, so nothing more is made however long the clock runs.
    engine.Stop();
    EXPECT_FALSE(engine.IsOutputOpen());
    const int kept = engine.CurrentTick();
    base = engine.FramesRendered();
    clock->Advance(10.0);
    EXPECT_EQ(engine.FramesRendered(), base);
    EXPECT_EQ(engine.CurrentTick(), kept);

    // Play: the device opens again, the music goes on from where it stopped, paced as before.
    engine.Play();
    EXPECT_TRUE(engine.IsOutputOpen());
    EXPECT_TRUE(engine.IsPlaying());
    ASSERT_TRUE(clock->WaitForSleeper());
    EXPECT_LE(engine.FramesRendered() - base, lead + block);
    EXPECT_GE(engine.CurrentTick(), kept);
    ASSERT_TRUE(Pass(*clock, 1.0));
    EXPECT_GT(engine.CurrentTick(), kept);
    EXPECT_EQ(ends, 0);

    // Closing the file closes the device too: nothing is left to play.
    engine.Close();
    EXPECT_FALSE(engine.IsOutputOpen());
}

}  // namespace
}  // namespace korvan
