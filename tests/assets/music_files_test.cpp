// The two MIDI files: well-formed Standard MIDI Files of a plausible length, with several
// instruments, that FluidSynth's own player loads and plays to the end.
#include "AssetFiles.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <vector>

namespace korvan {
namespace {

std::vector<std::uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct MidiSummary {
    int Format = -1, TrackCount = 0, Division = 0, ChunksFound = 0;
    double Seconds = 0;
    std::set<int> Programs, Channels;
    int Notes = 0;
    bool EveryTrackEnds = true;
};

// A small reader of our own, independent of the writer: chunks, events, running status, tempo.
MidiSummary Parse(const std::vector<std::uint8_t>& f)
{
    MidiSummary s;
    auto be = [&](std::size_t at, int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = (v << 8) | f.at(at + std::size_t(i));
        return v;
    };
    if (f.size() < 14 || std::string(f.begin(), f.begin() + 4) != "MThd" || be(4, 4) != 6)
        return s;
    s.Format = int(be(8, 2));
    s.TrackCount = int(be(10, 2));
    s.Division = int(be(12, 2));
    std::map<long, std::uint32_t> tempo{{0, 500000}};
    long lastTick = 0;
    std::size_t at = 14;
    while (at + 8 <= f.size()) {
        if (std::string(f.begin() + long(at), f.begin() + long(at) + 4) != "MTrk")
            break;
        const std::size_t end = at + 8 + be(at + 4, 4);
        ++s.ChunksFound;
        std::size_t p = at + 8;
        long tick = 0;
        int status = 0;
        bool ended = false;
        while (p < end && !ended) {
            std::uint32_t delta = 0;
            do
                delta = (delta << 7) | (f.at(p) & 0x7F);
            while (f.at(p++) & 0x80);
            tick += long(delta);
            if (f.at(p) & 0x80)
                status = f.at(p++);
            if (status == 0xFF) {
                const int type = f.at(p++);
                std::uint32_t len = 0;
                do
                    len = (len << 7) | (f.at(p) & 0x7F);
                while (f.at(p++) & 0x80);
                if (type == 0x51)
                    tempo[tick] = be(p, 3);
                if (type == 0x2F)
                    ended = true;
                p += len;
            } else {
                const int kind = status & 0xF0;
                s.Channels.insert(status & 0x0F);
                if (kind == 0xC0)
                    s.Programs.insert(f.at(p));
                if (kind == 0x90 && f.at(p + 1) > 0)
                    ++s.Notes;
                p += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            }
        }
        s.EveryTrackEnds = s.EveryTrackEnds && ended && p == end;
        lastTick = std::max(lastTick, tick);
        at = end;
    }
    // Seconds up to the last end of track, through the tempo map.
    double seconds = 0;
    long from = 0;
    std::uint32_t micros = 500000;
    for (auto [t, m] : tempo) {
        if (t > lastTick)
            break;
        seconds += double(t - from) * micros / 1e6 / s.Division;
        from = t;
        micros = m;
    }
    s.Seconds = seconds + double(lastTick - from) * micros / 1e6 / s.Division;
    return s;
}

struct MusicCase {
    const char* File;
    double MinSeconds, MaxSeconds;
};
const MusicCase Pieces[] = {{"Music1.mid", 20, 40}, {"Music2.mid", 60, 120}};

TEST(MusicFiles, AreStandardMidiFilesOfAPlausibleLengthWithSeveralInstruments)
{
    for (const MusicCase& piece : Pieces) {
        SCOPED_TRACE(piece.File);
        const MidiSummary s = Parse(ReadAll(test::MusicFile(piece.File)));
        EXPECT_EQ(s.Format, 1);
        EXPECT_EQ(s.ChunksFound, s.TrackCount);
        EXPECT_GE(s.TrackCount, 4);
        EXPECT_TRUE(s.EveryTrackEnds);
        EXPECT_GE(s.Seconds, piece.MinSeconds);
        EXPECT_LE(s.Seconds, piece.MaxSeconds);
        EXPECT_GE(s.Programs.size(), 4u);
        EXPECT_GE(s.Notes, 100);
    }
}

// Plays the file offline through FluidSynth (no SoundFont, no audio driver) and returns the
// seconds of audio rendered until the player reaches the last tick.
double PlayedSeconds(const std::string& path)
{
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 22050);
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = new_fluid_player(synth);
    double seconds = -1;
    if (fluid_player_add(player, path.c_str()) == FLUID_OK && fluid_player_play(player) == FLUID_OK) {
        std::vector<std::int16_t> buffer(2 * 2048);
        long frames = 0;
        while (frames < 22050L * 300) {
            fluid_synth_write_s16(synth, 2048, buffer.data(), 0, 2, buffer.data(), 1, 2);
            frames += 2048;
            const int total = fluid_player_get_total_ticks(player);
            if (fluid_player_get_status(player) != FLUID_PLAYER_PLAYING ||
                (total > 0 && fluid_player_get_current_tick(player) >= total))
                break;
        }
        seconds = frames / 22050.0;
    }
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return seconds;
}

TEST(MusicFiles, FluidSynthLoadsAndPlaysThemToTheEnd)
{
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    for (const MusicCase& piece : Pieces) {
        SCOPED_TRACE(piece.File);
        const std::string path = test::MusicFile(piece.File);
        EXPECT_TRUE(fluid_is_midifile(path.c_str()));
        const double parsed = Parse(ReadAll(path)).Seconds;
        const double played = PlayedSeconds(path);
        EXPECT_NEAR(played, parsed, 1.0);
    }
}

}  // namespace
}  // namespace korvan
