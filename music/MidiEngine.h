// The music engine without Qt: one FluidSynth synth playing one MIDI file, with its own play/end state.
#pragma once

#include "music/AudioPacer.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

extern "C" {
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;
}

namespace korvan {

// Device: a sound card through the desktop's sound server or ALSA. Offline: no audio device;
// the owner renders the audio by hand (tests, tools), which drives playback the same way.
enum class AudioOutput { Device, Offline };

struct MidiEngineOptions {
    AudioOutput Output = AudioOutput::Device;
    // The first of these that exists is loaded: Debian's preferred General MIDI SoundFont first
    // (an alternatives link, in SF2 or, with only fluid-soundfont-gm's compressed font, SF3).
    std::vector<std::string> SoundFonts = {"/usr/share/sounds/sf2/default-GM.sf2",
                                           "/usr/share/sounds/sf3/default-GM.sf3",
                                           "/usr/share/sounds/sf2/TimGM6mb.sf2",
                                           "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
    // FluidSynth audio drivers, tried in order: the desktop's sound server before the bare card.
    std::vector<std::string> AudioDrivers = {"pulseaudio", "alsa"};
    std::string AlsaDevice;  // empty: ALSA's default device
    int SampleRate = 44100;
    // FluidSynth's default of 0.2 leaves a General MIDI piano some 30 dB below full scale; 0.5
    // keeps a busy arrangement (melody, chords, drums) below it.
    double Gain = 0.5;
    // Background music needs no low latency: the device gets the audio in two periods of 186 ms
    // (FluidSynth's largest), so that the synthesiser and the sound server wake some five times a
    // second, not hundreds. The file player times its events by the sample all the same.
    int PeriodFrames = 8192;
    int Periods = 2;
    // The clock that keeps the synthesiser from running ahead of a device that never blocks; null
    // for the system's own.
    std::shared_ptr<PaceClock> Clock;
};

class MidiEngine {
public:
    // Told that playback number `playback` reached the end of its file. Runs on the thread that
    // renders audio (or inside Play, for a file already at its end), under the engine's lock:
    // it must hand the news elsewhere and never call back into the engine.
    using EndHandler = std::function<void(std::uint64_t playback)>;

    MidiEngine(MidiEngineOptions options, EndHandler onEnd);
    ~MidiEngine();
    MidiEngine(const MidiEngine&) = delete;
    MidiEngine& operator=(const MidiEngine&) = delete;

    // Closes any open file, then opens path at its start without playing. Raises KorvanError
    // and leaves no file open when the file, the SoundFont or the audio device fails.
    void Open(const std::string& path);
    // From the current position to the end of the file; returns at once. Opens the audio device
    // again if Stop closed it; if it cannot be opened, nothing plays.
    void Play();
    // Pauses: the position is kept for the next Play. Closes the audio device (a stream left open
    // costs the sound server and the synthesiser as much as music does).
    void Stop();
    // Back to the start, not playing.
    void Rewind();
    void Close();

    // True while no operation has happened since playback number `playback` was announced:
    // the owner delivers an end only then, so a stop, rewind or close withdraws it.
    bool IsCurrent(std::uint64_t playback) const;

    bool IsOpen() const;
    bool IsPlaying() const;
    // Whether the audio device (or, offline, the owner's rendering) takes the synthesiser's audio.
    bool IsOutputOpen() const;
    // Frames of audio made since the engine was created, on the device or offline.
    long long FramesRendered() const { return framesRendered_; }
    int CurrentTick() const;
    int TotalTicks() const;
    AudioOutput Output() const { return options_.Output; }
    int SampleRate() const { return options_.SampleRate; }

    // Offline output only: renders frames of stereo audio in the synth's 64-frame blocks, noting
    // the end of the file after each block as the audio device's thread does. While the output is
    // closed (after Stop, as a closed device would) it gives silence and the music does not move.
    void RenderOffline(float* left, float* right, int frames);

private:
    static int RenderFromDevice(void* engine, int frames, int nfx, float* fx[], int nout, float* out[]);
    void RenderLocked(float* left, float* right, int frames);
    void RequireOpenLocked() const;
    void CloseLocked();
    void OpenFile(const std::string& path);
    void StartSynth();
    void OpenOutput();   // throws KorvanError when no device opens
    void CloseOutput();  // without the lock: it waits for the audio thread
    void SilenceLocked();


    MidiEngineOptions options_;
    EndHandler onEnd_;
    mutable std::mutex mutex_;  // between the UI thread and the audio thread
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    fluid_player_t* player_ = nullptr;  // the open file; null when none is open
    std::shared_ptr<PaceClock> clock_;
    AudioPacer pacer_;  // the audio thread's alone
    std::atomic<long long> framesRendered_{0};
    bool outputOpen_ = false;
    bool playing_ = false;
    bool atEnd_ = false;
    int tick_ = 0;
    int totalTicks_ = 0;
    std::uint64_t playback_ = 0;  // changes with every operation that starts or ends a playback
};

}  // namespace korvan
