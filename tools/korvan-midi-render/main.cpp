// korvan-midi-render: a MIDI file through the editor's music engine, to a WAV file or the device.
#include "CommandLine.h"
#include "base/FileAccess.h"
#include "music/MidiEngine.h"
#include "music/MidiFile.h"
#include "OutputFile.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace korvan::cli;

constexpr const char* Usage =
    "Usage: korvan-midi-render [--soundfont FILE.sf2] [--tail SECONDS] IN.mid OUT.wav\n"
    "       korvan-midi-render [--soundfont FILE.sf2] [--tail SECONDS] --device [--driver NAME] IN.mid\n";
constexpr double LongestTail = 3600;
constexpr std::size_t MaxMidiBytes = (64u << 20) + 1;  // the engine refuses anything longer itself

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu));
}

std::vector<std::uint8_t> WavFile(const std::vector<std::int16_t>& samples, int rate)
{
    std::vector<std::uint8_t> out;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.reserve(44 + dataBytes);
    const auto put = [&out](const char* text) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(text[i]));
    };
    put("RIFF");
    PutLittleEndian(out, 36 + dataBytes, 4);
    put("WAVE");
    put("fmt ");
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, 2, 2);  // stereo
    PutLittleEndian(out, static_cast<std::uint32_t>(rate), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(rate) * 4, 4);
    PutLittleEndian(out, 4, 2);
    PutLittleEndian(out, 16, 2);
    put("data");
    PutLittleEndian(out, dataBytes, 4);
    for (const std::int16_t sample : samples)
        PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    return out;
}

std::int16_t ToS16(float value) { return static_cast<std::int16_t>(std::clamp(value, -1.0f, 1.0f) * 32767.0f); }

// The file from its start to its end, plus `tail` seconds for the last notes to fade. `playing`
// receives the seconds of audio that passed before the engine saw the end.
std::vector<std::int16_t> RenderToEnd(korvan::MidiEngine& engine, double tail, double& playing)
{
    const int rate = engine.SampleRate();
    const int period = rate / 50;
    const long long longest = 60LL * 60 * rate;  // a file that never ends stops after an hour
    std::vector<float> left(static_cast<std::size_t>(period)), right(static_cast<std::size_t>(period));
    std::vector<std::int16_t> samples;
    long long frames = 0;
    long long tailLeft = static_cast<long long>(tail * rate);
    engine.Play();
    playing = -1;
    while (frames < longest && (engine.IsPlaying() || tailLeft > 0)) {
        if (!engine.IsPlaying())
            tailLeft -= period;
        engine.RenderOffline(left.data(), right.data(), period);
        for (int i = 0; i < period; ++i) {
            samples.push_back(ToS16(left[static_cast<std::size_t>(i)]));
            samples.push_back(ToS16(right[static_cast<std::size_t>(i)]));
        }
        frames += period;
        if (playing < 0 && !engine.IsPlaying())
            playing = static_cast<double>(frames) / rate;
    }
    return samples;
}

bool IsWavName(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return name == "-" || (name.size() > 4 && name.ends_with(".wav") && name[name.size() - 5] != '/');
}

// A file that is no MIDI file fails as "PATH: reason", like every other file a tool reads.
void CheckMidiFile(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    OnFile(path, [&] { bytes = korvan::ReadRegularFile(path, MaxMidiBytes); });
    korvan::MidiFileInfo info;
    if (const std::string why = korvan::ReadMidiFile(bytes, info); !why.empty())
        throw Failure(path, why);
}

int Render(const QStringList& words)
{
    Options options(QString::fromLatin1(Usage).trimmed(),
                    "Plays a MIDI file through the editor's music engine (FluidSynth with a General MIDI\n"
                    "SoundFont) into a 16-bit stereo WAV file, or live on the sound device with --device.\n"
                    "An OUT.wav of - writes the WAV data to standard output.",
                    {{{"soundfont"}, "FILE", "the SoundFont (default: Debian's General MIDI SoundFont)"},
                     {{"tail"}, "SECONDS", "silence after the last event for notes to fade (default 2)"},
                     {{"device"}, {}, "play on the sound device instead of writing a file"},
                     {{"driver"}, "NAME", "FluidSynth audio driver for --device (default: pulseaudio, alsa)"},
                     {{"version"}, {}, "show the version and exit"}});
    options.Parse(words);
    if (options.Help()) {
        std::fputs(options.HelpText().c_str(), stdout);
        return 0;
    }
    if (options.IsSet("version")) {
        std::fputs(VersionText("korvan-midi-render").c_str(), stdout);
        return 0;
    }
    korvan::MidiEngineOptions engineOptions;
    const bool live = options.IsSet("device");
    engineOptions.Output = live ? korvan::AudioOutput::Device : korvan::AudioOutput::Offline;
    const double tail = options.IsSet("tail") ? ParseSeconds("--tail", options.Value("tail"), LongestTail) : 2.0;
    if (options.IsSet("driver"))
        engineOptions.AudioDrivers = {options.Value("driver")};
    const std::vector<std::string> files = options.Positional();
    if (files.size() != (live ? 1u : 2u))
        throw UsageError(live ? "--device needs exactly one IN.mid" : "needs IN.mid and OUT.wav");
    if (!live && !IsWavName(files[1]))
        throw UsageError("cannot write '" + files[1] + "': name it .wav (or - for standard output)");

    RequireRegularInput(files[0]);
    if (options.IsSet("soundfont")) {
        engineOptions.SoundFonts = {options.Value("soundfont")};
        RequireRegularInput(engineOptions.SoundFonts.front());
    }
    std::atomic<int> ends{0};
    korvan::MidiEngine engine(engineOptions, [&ends](std::uint64_t) { ++ends; });
    CheckMidiFile(files[0]);
    engine.Open(files[0]);
    if (live) {
        engine.Play();
        while (ends == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::this_thread::sleep_for(std::chrono::duration<double>(tail));
        return 0;
    }
    double playing = 0;
    const std::vector<std::int16_t> samples = RenderToEnd(engine, tail, playing);
    WriteOutput(files[1], WavFile(samples, engine.SampleRate()));
    // The summary goes to standard error when standard output carries the WAV data.
    std::fprintf(files[1] == "-" ? stderr : stdout, "%s: %d ticks, end seen after %.2f s, %.2f s written\n",
                 files[0].c_str(), engine.TotalTicks(), playing,
                 static_cast<double>(samples.size() / 2) / engine.SampleRate());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const QStringList words = Words(argc, argv);
    return RunTool("korvan-midi-render",
                   std::string(Usage) + "Try 'korvan-midi-render --help' for more information.\n",
                   [&](std::string&) { return Render(words.mid(1)); });
}
