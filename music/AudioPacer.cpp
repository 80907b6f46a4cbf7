// The audio pacer and the system's clock for it.
#include "music/AudioPacer.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace korvan {
namespace {

class SteadyClock : public PaceClock {
public:
    double Now() override { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); }

    void SleepUntil(double until) override
    {
        const auto deadline = Clock::time_point(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(until)));
        std::unique_lock lock(mutex_);
        wake_.wait_until(lock, deadline, [this] { return interrupted_; });
    }

    void Interrupt(bool on) override
    {
        {
            std::lock_guard lock(mutex_);
            interrupted_ = on;
        }
        wake_.notify_all();
    }

private:
    using Clock = std::chrono::steady_clock;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool interrupted_ = false;
};

}  // namespace

std::shared_ptr<PaceClock> SteadyPaceClock() { return std::make_shared<SteadyClock>(); }

AudioPacer::AudioPacer(PaceClock& clock, int sampleRate, int leadFrames)
    : clock_(clock), rate_(sampleRate), lead_(leadFrames / static_cast<double>(sampleRate))
{
}

void AudioPacer::Restart()
{
    started_ = false;
    ahead_ = 0;
}

void AudioPacer::BeforeBlock(int frames)
{
    const double block = frames / rate_;
    const double now = clock_.Now();
    if (!started_) {
        started_ = true;
        last_ = now;
    } else if (now - handedOver_ >= lastBlock_ / 4) {
        // The device kept the last block for a good part of its length: it plays at its own pace,
        // and what the count holds beyond its buffer is only the drift between its clock and ours.
        ahead_ = std::min(ahead_, lead_ / 2);
    }
    ahead_ = std::max(0.0, ahead_ - (now - last_));
    last_ = now;
    if (ahead_ + block > lead_) {
        clock_.SleepUntil(now + ahead_ + block - lead_);
        ++sleeps_;
        const double woke = clock_.Now();
        ahead_ = std::max(0.0, ahead_ - (woke - last_));
        last_ = woke;
    }
    ahead_ += block;
    lastBlock_ = block;
}

void AudioPacer::AfterBlock() { handedOver_ = clock_.Now(); }

}  // namespace korvan
