// MediaPlayer1: end reports from the audio thread turned into Notify on the UI thread, or withdrawn.
#include "MediaPlayer.h"

#include "base/AssetLookup.h"

#include <QCoreApplication>
#include <QFile>
#include <QMetaObject>

#include <algorithm>
#include <cmath>

TMediaPlayer::TMediaPlayer(QObject* parent, korvan::AudioOutput output) : QObject(parent)
{
    options_.Output = output;
    engine_ = MakeEngine();
}

TMediaPlayer::~TMediaPlayer()
{
    engine_.reset();  // closes the file and stops the audio thread before this object goes
}

std::unique_ptr<korvan::MidiEngine> TMediaPlayer::MakeEngine()
{
    ++engineNumber_;
    return std::make_unique<korvan::MidiEngine>(options_, [this, engine = engineNumber_](std::uint64_t playback) {
        QMetaObject::invokeMethod(this, [this, engine, playback] { Deliver(engine, playback); }, Qt::QueuedConnection);
    });
}

void TMediaPlayer::SetEngineOptions(const korvan::MidiEngineOptions& options)
{
    engine_.reset();
    options_ = options;
    engine_ = MakeEngine();
}

void TMediaPlayer::SetAudioOutput(korvan::AudioOutput output)
{
    korvan::MidiEngineOptions options = options_;
    options.Output = output;
    SetEngineOptions(options);
}

void TMediaPlayer::Open()
{
    // Looked for where the artwork is, so that an installed editor finds its music too.
    const std::string exeDir = korvan::ExecutableFolder();
    engine_->Open(korvan::ResolveAsset(QFile::encodeName(fileName_).toStdString(), exeDir));
}

void TMediaPlayer::Play() { engine_->Play(); }
void TMediaPlayer::Stop() { engine_->Stop(); }
void TMediaPlayer::Rewind() { engine_->Rewind(); }
void TMediaPlayer::Close() { engine_->Close(); }

void TMediaPlayer::Deliver(std::uint64_t engine, std::uint64_t playback)
{
    if (engine == engineNumber_ && engine_->IsCurrent(playback))
        emit Notify();
}

std::vector<std::int16_t> TMediaPlayer::RenderOffline(int frames)
{
    frames = std::max(frames, 0);
    std::vector<float> left(static_cast<std::size_t>(frames)), right(static_cast<std::size_t>(frames));
    engine_->RenderOffline(left.data(), right.data(), frames);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * 2);
    const auto toS16 = [](float value) {
        return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
    };
    for (std::size_t i = 0; i < left.size(); ++i) {
        samples[2 * i] = toS16(left[i]);
        samples[2 * i + 1] = toS16(right[i]);
    }
    return samples;
}
