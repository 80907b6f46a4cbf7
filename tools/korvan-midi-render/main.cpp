// korvan-midi-render: a MIDI file through the editor's music engine, to a WAV file or the device.
#include "music/MidiEngine.h"
#include "base/KorvanError.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char* Usage =
    "usage: korvan-midi-render [--soundfont FILE.sf2] [--tail SECONDS] IN.mid OUT.wav\n"
    "       korvan-midi-render [--soundfont FILE.sf2] --device [--driver NAME] IN.mid\n";

void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

void WriteWav(const std::string& path, const std::vector<std::int16_t>& samples, int rate)
{
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    PutLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, 2, 2);  // stereo
    PutLittleEndian(out, static_cast<std::uint32_t>(rate), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(rate) * 4, 4);
    PutLittleEndian(out, 4, 2);
    PutLittleEndian(out, 16, 2);
    out.write("data", 4);
    PutLittleEndian(out, dataBytes, 4);
    for (const std::int16_t sample : samples)
        PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    if (!out)
        throw korvan::KorvanError("Cannot write " + path);
}

std::int16_t ToS16(float value)
{
    if (value > 1.0f)
        value = 1.0f;
    if (value < -1.0f)
        value = -1.0f;
    return static_cast<std::int16_t>(value * 32767.0f);
}

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

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    korvan::MidiEngineOptions options;
    options.Output = korvan::AudioOutput::Offline;
    double tail = 2.0;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--soundfont" && i + 1 < args.size()) {
            options.SoundFonts = {args[++i]};
        } else if (args[i] == "--tail" && i + 1 < args.size()) {
            tail = std::atof(args[++i].c_str());
        } else if (args[i] == "--device") {
            options.Output = korvan::AudioOutput::Device;
        } else if (args[i] == "--driver" && i + 1 < args.size()) {
            options.AudioDrivers = {args[++i]};
        } else if (!args[i].empty() && args[i][0] == '-') {
            std::cerr << Usage;
            return 2;
        } else {
            files.push_back(args[i]);
        }
    }
    const bool live = options.Output == korvan::AudioOutput::Device;
    if (files.size() != (live ? 1u : 2u)) {
        std::cerr << Usage;
        return 2;
    }
    try {
        std::atomic<int> ends{0};
        korvan::MidiEngine engine(options, [&ends](std::uint64_t) { ++ends; });
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
        WriteWav(files[1], samples, engine.SampleRate());
        std::printf("%s: %d ticks, end seen after %.2f s, %.2f s written\n", files[0].c_str(), engine.TotalTicks(),
                    playing, static_cast<double>(samples.size() / 2) / engine.SampleRate());
    } catch (const korvan::KorvanError& error) {
        std::cerr << "korvan-midi-render: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
