// The two MIDI files: well-formed Standard MIDI Files of a plausible length, with several
// instruments, that FluidSynth's own player loads and plays to the end.
#include "AssetFiles.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <algorithm>
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

struct Note {
    int Track, Channel, Pitch, Velocity;
    long OnTick, OffTick;
    double On = 0, Off = 0;  // seconds
};

struct MidiSummary {
    int Format = -1, TrackCount = 0, Division = 0, ChunksFound = 0;
    double Seconds = 0;
    std::set<int> Programs, Channels;
    int Notes = 0;
    bool EveryTrackEnds = true;
    std::vector<Note> Played;  // every note with its start and end
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
        std::map<std::pair<int, int>, std::size_t> sounding;  // (channel, pitch) -> note
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
                if (kind == 0x90 && f.at(p + 1) > 0) {
                    ++s.Notes;
                    sounding[{status & 0x0F, f.at(p)}] = s.Played.size();
                    s.Played.push_back({s.ChunksFound - 1, status & 0x0F, f.at(p), f.at(p + 1), tick, -1});
                } else if (kind == 0x80 || kind == 0x90) {
                    const auto found = sounding.find({status & 0x0F, f.at(p)});
                    if (found != sounding.end()) {
                        s.Played[found->second].OffTick = tick;
                        sounding.erase(found);
                    }
                }
                p += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            }
        }
        s.EveryTrackEnds = s.EveryTrackEnds && ended && p == end;
        lastTick = std::max(lastTick, tick);
        at = end;
    }
    // Seconds through the tempo map.
    auto secondsAt = [&](long tick) {
        double seconds = 0;
        long from = 0;
        std::uint32_t micros = 500000;
        for (auto [t, m] : tempo) {
            if (t > tick)
                break;
            seconds += double(t - from) * micros / 1e6 / s.Division;
            from = t;
            micros = m;
        }
        return seconds + double(tick - from) * micros / 1e6 / s.Division;
    };
    s.Seconds = secondsAt(lastTick);
    for (Note& n : s.Played) {
        n.On = secondsAt(n.OnTick);
        n.Off = n.OffTick < 0 ? 1e9 : secondsAt(n.OffTick);  // never released: sounds for ever
    }
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

// Pitch classes of the pitched notes (not channel 10's drums) sounding at a moment.
std::set<int> SoundingAt(const MidiSummary& s, double seconds)
{
    std::set<int> classes;
    for (const Note& n : s.Played)
        if (n.Channel != 9 && n.On <= seconds && n.Off > seconds)
            classes.insert(n.Pitch % 12);
    return classes;
}

bool IsTriad(const std::set<int>& classes)
{
    for (int root : classes)
        for (int third : {3, 4}) {
            const std::set<int> triad{root, (root + third) % 12, (root + 7) % 12};
            if (classes == triad)
                return true;
        }
    return false;
}

TEST(MusicFiles, EveryPartShapesItsLoudness)
{
    for (const MusicCase& piece : Pieces) {
        const MidiSummary s = Parse(ReadAll(test::MusicFile(piece.File)));
        std::map<int, std::set<int>> velocities;
        for (const Note& n : s.Played)
            velocities[n.Track].insert(n.Velocity);
        EXPECT_GE(velocities.size(), 4u) << piece.File;
        for (const auto& [track, used] : velocities) {
            EXPECT_GE(used.size(), 3u) << piece.File << " track " << track;
            EXPECT_GE(*used.rbegin() - *used.begin(), 10) << piece.File << " track " << track;
        }
    }
}

// The intro shows for about five seconds and plays only the start of Music1: that start must be
// a phrase of its own, ending on a chord that is already sounding and still sounds at 5 s.
TEST(MusicFiles, IntroMusicsFirstFiveSecondsEndOnASoundingChord)
{
    const MidiSummary s = Parse(ReadAll(test::MusicFile("Music1.mid")));
    const std::set<int> atFive = SoundingAt(s, 5.0);
    EXPECT_TRUE(IsTriad(atFive)) << "pitch classes at 5 s: " << atFive.size();
    EXPECT_EQ(SoundingAt(s, 4.5), atFive) << "the chord must already ring half a second before";
    // The tune itself (the first part) holds its last note across that half second.
    const bool held = std::any_of(s.Played.begin(), s.Played.end(),
                                  [](const Note& n) { return n.Track == 1 && n.On <= 4.5 && n.Off > 5.0; });
    EXPECT_TRUE(held);
}

// Music2 loops: nothing may still sound when the file ends (the rewind would cut it), and
// there is music on both sides of the join, so no silence opens at the loop.
TEST(MusicFiles, EditorMusicLoopsWithoutACutOrAGap)
{
    const MidiSummary s = Parse(ReadAll(test::MusicFile("Music2.mid")));
    for (const Note& n : s.Played)
        ASSERT_LE(n.Off, s.Seconds + 1e-6) << "a note outlives the end at " << n.On << " s";
    EXPECT_FALSE(SoundingAt(s, 0.01).empty());
    EXPECT_FALSE(SoundingAt(s, s.Seconds - 0.1).empty());
}

}  // namespace
}  // namespace korvan
