// The music engine: FluidSynth's file player, its end seen from the tick position after each block.
#include "music/MidiEngine.h"

#include "music/MidiFile.h"
#include "base/KorvanError.h"
#include "base/FileAccess.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <stdexcept>


namespace korvan {
namespace {

constexpr int BlockFrames = 64;  // the synth's own block: the player advances once per block
constexpr int SilenceFrames = 4096;
constexpr float Inaudible = 1e-5f;  // 100 dB below full scale
constexpr std::size_t LargestMidiFile = 64 << 20;

// FluidSynth reports why a call failed only through its log. The last error of the calling thread
// is kept for the message of the failing operation, and nothing is printed: the program has no log.
thread_local std::string lastFluidError;

void KeepFluidError(int, const char* message, void*)
{
    lastFluidError = message ? message : "";
}

void CaptureFluidLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_PANIC, KeepFluidError, nullptr);
        fluid_set_log_function(FLUID_ERR, KeepFluidError, nullptr);
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    });
}

std::string TakeFluidError()
{
    std::string text = lastFluidError.empty() ? "Unknown error code" : lastFluidError;
    lastFluidError.clear();
    return text;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    // Never blocks: a FIFO in the music folder must not freeze the intro.
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadRegularFile(path, LargestMidiFile + 1);
    } catch (const FileError& error) {
        const bool notRegular = error.Error == EISDIR || dynamic_cast<const NotRegularFileError*>(&error);
        throw KorvanError("Cannot open music file " + Quoted(path) + ": " +
                          (notRegular ? std::string("not a regular file") : std::string(error.what())));
    }
    if (bytes.size() > LargestMidiFile)
        throw KorvanError("Cannot open music file " + Quoted(path) + ": too large for a MIDI file");
    return bytes;
}

std::string DriverTitle(const std::string& driver)
{
    if (driver == "pulseaudio")
        return "PulseAudio";
    if (driver == "alsa")
        return "ALSA";
    return driver;
}

}  // namespace

// The pacer lets a device's own buffer fill at once and half a second more: a device that blocks
// never meets it, one that does not is kept that close to the clock.
MidiEngine::MidiEngine(MidiEngineOptions options, EndHandler onEnd)
    : options_(std::move(options)), onEnd_(std::move(onEnd)),
      clock_(options_.Clock ? options_.Clock : SteadyPaceClock()),
      pacer_(*clock_, options_.SampleRate, options_.PeriodFrames * options_.Periods + options_.SampleRate / 2)
{
    CaptureFluidLog();
}

MidiEngine::~MidiEngine()
{
    Close();  // closes the device too, joining the audio thread
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

void MidiEngine::Open(const std::string& path)
{
    {
        std::lock_guard lock(mutex_);
        CloseLocked();
    }
    try {
        OpenFile(path);
    } catch (const KorvanError&) {
        CloseOutput();  // with no file, nothing is left to play
        throw;
    }
}

void MidiEngine::OpenFile(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    MidiFileInfo info;
    const std::string why = ReadMidiFile(bytes, info);
    if (!why.empty())
        throw KorvanError("Cannot play music file " + Quoted(path) + ": " + why);
    StartSynth();
    OpenOutput();  // kept open from one file to the next, so the switch of music costs no new stream

    std::lock_guard lock(mutex_);
    lastFluidError.clear();
    fluid_player_t* player = new_fluid_player(synth_);
    if (!player)
        throw KorvanError("Cannot start the MIDI player: " + TakeFluidError());
    if (fluid_player_add_mem(player, bytes.data(), bytes.size()) != FLUID_OK) {
        delete_fluid_player(player);
        throw KorvanError("Cannot play music file " + Quoted(path) + ": " + TakeFluidError());
    }
    player_ = player;
    totalTicks_ = info.TotalTicks;
    tick_ = 0;
    atEnd_ = false;
    playing_ = false;
    ++playback_;
}

void MidiEngine::StartSynth()
{
    if (synth_)
        return;
    const auto found = std::find_if(options_.SoundFonts.begin(), options_.SoundFonts.end(), [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    });
    if (found == options_.SoundFonts.end())
        throw KorvanError("No General MIDI SoundFont found: install timgm6mb-soundfont");

    lastFluidError.clear();
    if (!settings_) {
        settings_ = new_fluid_settings();
        if (!settings_)
            throw KorvanError("Cannot start the MIDI synthesizer: " + TakeFluidError());
        fluid_settings_setnum(settings_, "synth.sample-rate", options_.SampleRate);
        fluid_settings_setnum(settings_, "synth.gain", options_.Gain);
        fluid_settings_setint(settings_, "audio.period-size", options_.PeriodFrames);
        fluid_settings_setint(settings_, "audio.periods", options_.Periods);
        if (!options_.AlsaDevice.empty())
            fluid_settings_setstr(settings_, "audio.alsa.device", options_.AlsaDevice.c_str());
    }
    fluid_synth_t* synth = new_fluid_synth(settings_);
    if (!synth)
        throw KorvanError("Cannot start the MIDI synthesizer: " + TakeFluidError());
    if (fluid_synth_sfload(synth, found->c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth);
        throw KorvanError("Cannot load the SoundFont " + Quoted(*found) + ": " + TakeFluidError());
    }
    synth_ = synth;
}

void MidiEngine::OpenOutput()
{
    if (IsOutputOpen())
        return;
    if (options_.Output == AudioOutput::Offline) {
        std::lock_guard lock(mutex_);
        outputOpen_ = true;
        return;
    }
    std::string tried;
    pacer_.Restart();  // no audio thread runs yet
    for (const std::string& name : options_.AudioDrivers) {
        lastFluidError.clear();
        fluid_settings_setstr(settings_, "audio.driver", name.c_str());
        driver_ = new_fluid_audio_driver2(settings_, &MidiEngine::RenderFromDevice, this);
        if (driver_) {
            std::lock_guard lock(mutex_);
            outputOpen_ = true;
            return;
        }
        tried += (tried.empty() ? "" : "; ") + DriverTitle(name) + ": " + TakeFluidError();
    }
    throw KorvanError("No audio device could be opened for the music (" + (tried.empty() ? "no driver to try" : tried) +
                      "): start the desktop's sound server (PulseAudio or PipeWire) or check that a sound card is "
                      "present and not held by another program");
}

void MidiEngine::CloseOutput()
{
    if (driver_) {
        clock_->Interrupt(true);  // a pacer asleep on the audio thread wakes, so the join is prompt
        delete_fluid_audio_driver(driver_);  // joins the audio thread; the stream goes with it
        driver_ = nullptr;
        clock_->Interrupt(false);
    }
    std::lock_guard lock(mutex_);
    if (!outputOpen_)
        return;
    outputOpen_ = false;
    if (player_)
        SilenceLocked();
}

// What the device had not played yet went with it. Notes still ringing and the echoes in the
// reverb and chorus would otherwise sound, stale, when the music resumes: let them end now.
void MidiEngine::SilenceLocked()
{
    fluid_synth_all_sounds_off(synth_, -1);
    std::vector<float> left(SilenceFrames), right(SilenceFrames);
    for (int made = 0; made < 2 * options_.SampleRate; made += SilenceFrames) {
        fluid_synth_write_float(synth_, SilenceFrames, left.data(), 0, 1, right.data(), 0, 1);
        const auto loud = [](float value) { return value > Inaudible || value < -Inaudible; };
        if (std::none_of(left.begin(), left.end(), loud) && std::none_of(right.begin(), right.end(), loud))
            break;
    }
}

void MidiEngine::Play()
{
    {
        std::lock_guard lock(mutex_);
        RequireOpenLocked();
    }
    try {
        OpenOutput();
    } catch (const KorvanError&) {
        return;  // as with any other device error of Play: nothing plays, nothing is reported
    }
    std::lock_guard lock(mutex_);
    ++playback_;  // a playback still running is superseded: only this one reports its end
    if (atEnd_) {
        onEnd_(playback_);  // nothing left to play: the end is reached at once
        return;
    }
    if (!playing_) {
        fluid_player_play(player_);
        playing_ = true;
    }
}

void MidiEngine::Stop()
{
    {
        std::lock_guard lock(mutex_);
        RequireOpenLocked();
        if (playing_) {  // else an end already announced stays announced
            ++playback_;
            fluid_player_stop(player_);  // FluidSynth keeps the tick and resumes there
            playing_ = false;
        }
    }
    CloseOutput();
}

void MidiEngine::Rewind()
{
    std::lock_guard lock(mutex_);
    RequireOpenLocked();
    ++playback_;
    if (playing_)
        fluid_player_stop(player_);
    fluid_player_seek(player_, 0);  // applied when playing starts again
    playing_ = false;
    tick_ = 0;
    atEnd_ = false;
}

void MidiEngine::Close()
{
    {
        std::lock_guard lock(mutex_);
        CloseLocked();
    }
    CloseOutput();
}

void MidiEngine::CloseLocked()
{
    if (!player_)
        return;
    ++playback_;
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
    fluid_synth_system_reset(synth_);  // silences what still rings and forgets the file's programs
    playing_ = false;
    atEnd_ = false;
    tick_ = 0;
    totalTicks_ = 0;
}

void MidiEngine::RequireOpenLocked() const
{
    if (!player_)
        throw KorvanError("No MCI device open");
}

bool MidiEngine::IsCurrent(std::uint64_t playback) const
{
    std::lock_guard lock(mutex_);
    return playback == playback_;
}

bool MidiEngine::IsOpen() const
{
    std::lock_guard lock(mutex_);
    return player_ != nullptr;
}

bool MidiEngine::IsOutputOpen() const
{
    std::lock_guard lock(mutex_);
    return outputOpen_;
}

bool MidiEngine::IsPlaying() const
{
    std::lock_guard lock(mutex_);
    return playing_;
}

int MidiEngine::CurrentTick() const
{
    std::lock_guard lock(mutex_);
    return tick_;
}

int MidiEngine::TotalTicks() const
{
    std::lock_guard lock(mutex_);
    return totalTicks_;
}

int MidiEngine::RenderFromDevice(void* engine, int frames, int, float*[], int nout, float* out[])
{
    if (nout < 2)
        return FLUID_FAILED;
    auto* self = static_cast<MidiEngine*>(engine);
    self->pacer_.BeforeBlock(frames);  // never under the lock: the UI thread must not wait for it
    {
        std::lock_guard lock(self->mutex_);
        self->RenderLocked(out[0], out[1], frames);
    }
    self->pacer_.AfterBlock();
    return FLUID_OK;
}

void MidiEngine::RenderOffline(float* left, float* right, int frames)
{
    if (options_.Output != AudioOutput::Offline)
        throw std::logic_error("RenderOffline needs an engine without an audio device");
    for (int done = 0; done < frames; done += BlockFrames) {
        const int count = std::min(BlockFrames, frames - done);
        std::lock_guard lock(mutex_);
        if (synth_ && outputOpen_) {
            RenderLocked(left + done, right + done, count);
        } else {
            std::fill(left + done, left + done + count, 0.0f);
            std::fill(right + done, right + done + count, 0.0f);
        }
    }
}

void MidiEngine::RenderLocked(float* left, float* right, int frames)
{
    fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1);
    framesRendered_ += frames;
    if (!playing_)
        return;
    // FluidSynth's own status only turns to done seconds after the last event, once the voices have
    // faded; the tick position shows the end of the file at once. A player that gave up by itself
    // (say, on a file it could not read) also counts as ended, so a loop never hangs.
    const int tick = fluid_player_get_current_tick(player_);
    const bool gaveUp = fluid_player_get_status(player_) != FLUID_PLAYER_PLAYING;
    tick_ = std::clamp(tick, 0, totalTicks_);
    if (tick < totalTicks_ && !gaveUp)
        return;
    fluid_player_stop(player_);
    playing_ = false;
    atEnd_ = true;
    tick_ = totalTicks_;
    onEnd_(playback_);
}

}  // namespace korvan
