// Keeps audio made no faster than it is played, on a device that takes samples as fast as they come.
#pragma once

#include <memory>

namespace korvan {

// The time the pacer goes by, in seconds. The audio thread sleeps on it; the owner interrupts a
// sleep when it closes the device, so that closing never waits for the clock.
class PaceClock {
public:
    virtual ~PaceClock() = default;
    virtual double Now() = 0;
    // Returns once Now() has reached `until`, or at once while interrupted.
    virtual void SleepUntil(double until) = 0;
    // On: ends any sleep now and makes later ones return at once. Off: sleeps last again.
    virtual void Interrupt(bool on) = 0;
};

// The monotonic clock of the system.
std::shared_ptr<PaceClock> SteadyPaceClock();

// Counts how far the audio made so far runs ahead of the clock, and sleeps before a block that
// would take it past `leadFrames`. A device that blocks (a sound server, a sound card) holds the
// audio thread back by itself and is never slowed down further, even if its clock runs a little
// faster than ours; a device that never blocks (ALSA's null device, a file) gets audio at the pace
// it would be played. Time that passes without audio (a stalled device) is not made up later.
// Used from the audio thread alone, but for Restart before that thread starts.
class AudioPacer {
public:
    AudioPacer(PaceClock& clock, int sampleRate, int leadFrames);

    void Restart();  // a new device: nothing made yet
    // Before a block of `frames` is made; may sleep.
    void BeforeBlock(int frames);
    // After the block has been made, before it goes to the device.
    void AfterBlock();

    long long Sleeps() const { return sleeps_; }

private:
    PaceClock& clock_;
    double rate_;
    double lead_;       // seconds
    double ahead_ = 0;  // seconds of audio made beyond what the clock says has been played
    double last_ = 0;   // when ahead_ was last brought up to date
    double handedOver_ = 0;  // when the last block went to the device
    double lastBlock_ = 0;   // that block's length in seconds
    bool started_ = false;
    long long sleeps_ = 0;
};

}  // namespace korvan
