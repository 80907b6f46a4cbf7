// The music engine without Qt: one FluidSynth synth playing one MIDI file, with its own play/end state.
#pragma once

#include <cstdint>
#include <functional>
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
    // From the current position to the end of the file; returns at once.
    void Play();
    // Pauses: the position is kept for the next Play.
    void Stop();
    // Back to the start, not playing.
    void Rewind();
    void Close();

    // True while no operation has happened since playback number `playback` was announced:
    // the owner delivers an end only then, so a stop, rewind or close withdraws it.
    bool IsCurrent(std::uint64_t playback) const;

    bool IsOpen() const;
    bool IsPlaying() const;
    int CurrentTick() const;
    int TotalTicks() const;
    AudioOutput Output() const { return options_.Output; }
    int SampleRate() const { return options_.SampleRate; }

    // Offline output only: renders frames of stereo audio in the synth's 64-frame blocks, noting
    // the end of the file after each block as the audio device's thread does.
    void RenderOffline(float* left, float* right, int frames);

private:
    static int RenderFromDevice(void* engine, int frames, int nfx, float* fx[], int nout, float* out[]);
    void RenderLocked(float* left, float* right, int frames);
    void RequireOpenLocked() const;
    void CloseLocked();
    void StartSynth();
    void StartAudioDevice();

    MidiEngineOptions options_;
    EndHandler onEnd_;
    mutable std::mutex mutex_;  // between the UI thread and the audio thread
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    fluid_player_t* player_ = nullptr;  // the open file; null when none is open
    bool playing_ = false;
    bool atEnd_ = false;
    int tick_ = 0;
    int totalTicks_ = 0;
    std::uint64_t playback_ = 0;  // changes with every operation that starts or ends a playback
};

}  // namespace korvan
