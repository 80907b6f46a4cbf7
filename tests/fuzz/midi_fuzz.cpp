// Fuzz target: any bytes as a music file: the file check, then the player's Open and a short
// offline playback of what it accepts.
#include "FuzzKit.h"

#include "music/MidiEngine.h"
#include "music/MidiFile.h"
#include "base/KorvanError.h"

#include <cstdlib>
#include <vector>

using namespace korvan;
using namespace korvan::fuzz;

namespace {

MidiEngine& Engine()
{
    static MidiEngine engine([] {
        MidiEngineOptions options;
        options.Output = AudioOutput::Offline;
        return options;
    }(), [](std::uint64_t) {});
    return engine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    MidiFileInfo info;
    const bool playable = ReadMidiFile(bytes, info).empty();

    MidiEngine& engine = Engine();
    const std::string path = WriteScratchFile("music.mid", data, size);
    try {
        engine.Open(path);
    } catch (const KorvanError&) {
        if (playable || engine.IsOpen()) {
            std::fprintf(stderr, "midi fuzz: Open failed on a checked file, or left it open\n");
            std::abort();
        }
        return 0;
    }
    if (!playable) {
        std::fprintf(stderr, "midi fuzz: Open took a file the check rejects\n");
        std::abort();
    }
    // A few blocks make FluidSynth's player parse the whole file and start its events.
    std::vector<float> left(1024), right(1024);
    engine.Play();
    engine.RenderOffline(left.data(), right.data(), int(left.size()));
    engine.Close();
    return 0;
}
