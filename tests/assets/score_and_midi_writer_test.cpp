// The score notation and the MIDI writer, on small hand-checked cases.
#include "MidiWriter.h"
#include "Score.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvan::music {
namespace {

TEST(Score, NamesPitchesAndChords)
{
    const std::pair<const char*, int> pitches[] = {{"C4", 60}, {"A4", 69}, {"F#5", 78}, {"Bb3", 58}, {"E1", 28}, {"C#5", 73}};
    for (auto [name, pitch] : pitches)
        EXPECT_EQ(Pitch(name), pitch) << name;
    EXPECT_EQ(ParseChord("Dm").Tones(Pitch("C3")), (std::vector<int>{50, 53, 57}));
    EXPECT_EQ(ParseChord("Bb").Tones(Pitch("D3")), (std::vector<int>{58, 62, 65}));
    EXPECT_EQ(ParseChord("F#").Tones(60), (std::vector<int>{66, 70, 73}));
    const auto bars = ParseBars({"F", "Bb C"});
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[1].size(), 2u);
}

TEST(Score, PlaysALineAndReturnsWhereItEnds)
{
    MidiTrack track("t", 0, 0);
    EXPECT_DOUBLE_EQ(PlayLine(track, 4, "A4:1 r:0.5 C5:1.5", 80), 7.0);
    EXPECT_EQ(track.Events().size(), 4u);  // two notes, on and off each
}

// The bytes of the one instrument track in a file with a single note.
std::vector<std::uint8_t> SecondTrack(const std::vector<std::uint8_t>& file)
{
    std::size_t at = 14;
    at += 8 + ((std::size_t(file[at + 4]) << 24) | (file[at + 5] << 16) | (file[at + 6] << 8) | file[at + 7]);
    const std::size_t length = (std::size_t(file[at + 4]) << 24) | (file[at + 5] << 16) | (file[at + 6] << 8) | file[at + 7];
    return std::vector<std::uint8_t>(file.begin() + long(at) + 8, file.begin() + long(at + 8 + length));
}

TEST(MidiWriter, EncodesDeltaTimesAsVariableLengthQuantities)
{
    // A note starting at beat b: its on event's delta is b * 480 ticks after the name and program.
    const std::pair<double, std::vector<std::uint8_t>> cases[] = {
        {0.0, {0x00}}, {127.0 / 480, {0x7F}}, {128.0 / 480, {0x81, 0x00}}, {16383.0 / 480, {0xFF, 0x7F}},
        {16384.0 / 480, {0x81, 0x80, 0x00}}};
    for (const auto& [beat, delta] : cases) {
        Song song{"s", 120, beat + 2, {}};
        MidiTrack track("a", 3, 40);
        track.Note(beat, 1, 60, 100);
        song.Tracks.push_back(track);
        const auto bytes = SecondTrack(WriteMidiFile(song));
        // 00 FF 03 01 'a' | 00 C3 28 | delta 93 3C 64 ...
        ASSERT_GE(bytes.size(), 8 + delta.size() + 3);
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 8, bytes.begin() + 8 + long(delta.size())), delta) << beat;
        EXPECT_EQ(bytes[8 + delta.size()], 0x93);
        EXPECT_EQ(bytes[8 + delta.size() + 1], 60);
        // Every track closes with an end-of-track event.
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - 3, bytes.end()), (std::vector<std::uint8_t>{0xFF, 0x2F, 0x00}));
    }
}

TEST(MidiWriter, WritesTheHeaderAndTempo)
{
    Song song{"s", 100, 4, {MidiTrack("a", 0, 0), MidiTrack("b", 9, 0)}};
    const auto file = WriteMidiFile(song);
    const std::vector<std::uint8_t> header{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 3, 0x01, 0xE0};
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 14), header);
    // 100 beats a minute: 600,000 microseconds a beat = 0x0927C0.
    const std::vector<std::uint8_t> tempo{0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0};
    EXPECT_NE(std::search(file.begin(), file.end(), tempo.begin(), tempo.end()), file.end());
}

}  // namespace
}  // namespace korvan::music
