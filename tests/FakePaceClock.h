// Clocks for the music pacer that tests move by hand: time stands still until the test advances it
// (or, jumping, moves on to whatever a sleep waits for), so that tests count audio, not time.
#pragma once

#include "music/AudioPacer.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace korvan::testing {

class FakePaceClock : public PaceClock {
public:
    // jumping: a sleep moves the time on to its end at once, so nothing is ever held back (on the
    // thread that sleeps alone: use it from one thread, or where pacing does not matter).
    explicit FakePaceClock(bool jumping = false) : jumping_(jumping) {}

    double Now() override
    {
        std::lock_guard lock(mutex_);
        return now_;
    }

    void SleepUntil(double until) override
    {
        std::unique_lock lock(mutex_);
        ++sleeps_;
        if (jumping_) {
            now_ = std::max(now_, until);
            return;
        }
        waitingUntil_ = until;
        changed_.notify_all();
        changed_.wait(lock, [&] { return interrupted_ || now_ >= until; });
        waitingUntil_ = -1;
        changed_.notify_all();
    }

    void Interrupt(bool on) override
    {
        std::lock_guard lock(mutex_);
        interrupted_ = on;
        changed_.notify_all();
    }

    void Advance(double seconds)
    {
        std::lock_guard lock(mutex_);
        now_ += seconds;
        changed_.notify_all();
    }

    // Waits, at most `limit` of real time, until a thread sleeps on this clock for a time still to
    // come: the audio thread has then made all the audio the clock allows.
    bool WaitForSleeper(std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return waitingUntil_ > now_; });
    }

    long long Sleeps()
    {
        std::lock_guard lock(mutex_);
        return sleeps_;
    }

private:
    const bool jumping_;
    std::mutex mutex_;
    std::condition_variable changed_;
    double now_ = 1000;  // any start: the pacer must not take it for zero
    double waitingUntil_ = -1;
    bool interrupted_ = false;
    long long sleeps_ = 0;
};

}  // namespace korvan::testing
