// MediaPlayer1, the main window's invisible music player, with its end-of-playback Notify signal.
#pragma once

#include "music/MidiEngine.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TMediaPlayer : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)

public:
    explicit TMediaPlayer(QObject* parent = nullptr, korvan::AudioOutput output = korvan::AudioOutput::Device);
    ~TMediaPlayer() override;  // closes the open file

    QString FileName() const { return fileName_; }
    void SetFileName(const QString& fileName) { fileName_ = fileName; }

    // Each raises korvan::KorvanError on failure. Play, Stop and Rewind need an open file.
    void Open();    // closes any open file (no notification), opens FileName at its start, not playing;
                    // FileName is looked for as the artwork is (working folder, beside the program, share/)
    void Play();    // from the current position; returns at once; the end raises Notify later
    void Stop();    // keeps the position for the next Play
    void Rewind();  // to the start, not playing
    void Close();   // nothing if no file is open

    bool IsOpen() const { return engine_->IsOpen(); }
    bool IsPlaying() const { return engine_->IsPlaying(); }
    // Whether the audio output is open: "Musica Off" (Stop) closes it, Play opens it again.
    bool IsOutputOpen() const { return engine_->IsOutputOpen(); }
    int CurrentTick() const { return engine_->CurrentTick(); }
    int TotalTicks() const { return engine_->TotalTicks(); }

    // For tests: the output, SoundFonts and drivers the next Open uses. Closes the open file.
    void SetEngineOptions(const korvan::MidiEngineOptions& options);
    void SetAudioOutput(korvan::AudioOutput output);  // the same, for the output alone
    const korvan::MidiEngineOptions& EngineOptions() const { return options_; }

    // Offline output only: renders frames of interleaved 16-bit stereo at the engine's sample
    // rate, which is what moves the music on; the end of the file is noted as during real playback.
    std::vector<std::int16_t> RenderOffline(int frames);

signals:
    // A playback reached the end of its file (or Play found the file already at its end). Always
    // delivered from the event loop; never for a playback cut short by Stop, Rewind, Close or Open.
    void Notify();

private:
    void Deliver(std::uint64_t engine, std::uint64_t playback);
    std::unique_ptr<korvan::MidiEngine> MakeEngine();

    QString fileName_ = QStringLiteral("Music/Music1.mid");
    korvan::MidiEngineOptions options_;
    std::unique_ptr<korvan::MidiEngine> engine_;
    std::uint64_t engineNumber_ = 0;  // an end posted by a replaced engine is not this one's
};
