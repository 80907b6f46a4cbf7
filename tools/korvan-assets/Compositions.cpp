// The two original pieces: "Alba sul Mare" for the intro (D minor, horns over harp and strings)
// and "Isole" for the editor (F major, flute and clarinet over guitar, made to loop).
#include "Music.h"
#include "Score.h"

#include <algorithm>

namespace korvan::music {
namespace {

using Bars = std::vector<std::vector<Chord>>;

// Walks the bars, calling play(beat, length, chord) for every chord.
template <typename Play>
void EachChord(const Bars& bars, double startBeat, Play play)
{
    double beat = startBeat;
    for (const auto& bar : bars) {
        const double length = 4.0 / double(bar.size());
        for (const Chord& chord : bar) {
            play(beat, length, chord);
            beat += length;
        }
    }
}

void Pad(MidiTrack& track, const Bars& bars, double start, int lowest, int velocity)
{
    EachChord(bars, start, [&](double beat, double length, const Chord& chord) {
        for (int pitch : chord.Tones(lowest))
            track.Note(beat, length, pitch, velocity);
    });
}

// Eighth notes up and down two octaves of the chord.
void Arpeggio(MidiTrack& track, const Bars& bars, double start, int lowest, int velocity)
{
    static constexpr int pattern[8] = {0, 2, 3, 4, 5, 4, 3, 2};
    EachChord(bars, start, [&](double beat, double length, const Chord& chord) {
        auto tones = chord.Tones(lowest);
        tones.push_back(tones[0] + 12);
        tones.push_back(tones[1] + 12);
        tones.push_back(tones[2] + 12);
        for (int i = 0; i < int(length * 2); ++i)
            track.Note(beat + i * 0.5, 0.5, tones[std::size_t(pattern[i % 8])], velocity - (i % 2) * 8);
    });
}

// Root on the chord's first beat, fifth on its third, a passing octave between.
void Bass(MidiTrack& track, const Bars& bars, double start, int velocity)
{
    EachChord(bars, start, [&](double beat, double length, const Chord& chord) {
        const auto tones = chord.Tones(Pitch("E1"));
        if (length >= 4) {
            track.Note(beat, 2, tones[0], velocity);
            track.Note(beat + 2, 1.5, tones[2], velocity - 10);
            track.Note(beat + 3.5, 0.5, tones[0] + 12, velocity - 16);
        } else {
            track.Note(beat, length, tones[0], velocity);
        }
    });
}

// A soft groove: kick, side stick, shaker-like hats.
void Groove(MidiTrack& drums, double start, int barCount, int velocity)
{
    for (int bar = 0; bar < barCount; ++bar) {
        const double b = start + bar * 4;
        drums.Note(b, 0.5, 36, velocity + 8);
        drums.Note(b + 2.5, 0.5, 36, velocity - 6);
        drums.Note(b + 1, 0.5, 37, velocity - 8);
        drums.Note(b + 3, 0.5, 37, velocity - 8);
        for (int i = 0; i < 8; ++i)
            drums.Note(b + i * 0.5, 0.25, 42, velocity - 18 + (i % 2 ? 0 : 6));
        if (bar % 4 == 3)
            drums.Note(b + 3.5, 0.5, 69, velocity - 10);  // cabasa into the next phrase
    }
}

}  // namespace

std::vector<std::uint8_t> IntroTheme()
{
    Song song{"Alba sul Mare", 84, 0, {}};
    const Bars bars = ParseBars({"Dm", "Bb", "F", "C", "Dm", "Gm", "Bb", "A", "Dm", "Bb C", "D"});
    song.TotalBeats = 11 * 4 + 4;  // the last chord rings on

    MidiTrack horn("Horns", 0, 60), strings("Strings", 1, 48), harp("Harp", 2, 46), bass("Contrabass", 3, 43),
        timpani("Timpani", 4, 47), trumpet("Trumpet", 5, 56);
    horn.Control(0, 91, 70);
    strings.Control(0, 91, 80);
    harp.Control(0, 10, 40);
    strings.Control(0, 10, 84);

    PlayLine(horn, 0,
             "r:4 r:2 A4:1 D5:1 "
             "C5:3 A4:1 G4:1 C5:1 E5:2 F5:2 E5:1 D5:1 D5:1.5 Bb4:0.5 G4:2 "
             "F4:1 Bb4:1 D5:1 F5:1 E5:3 C#5:1 D5:2 F5:1 A5:1 Bb5:2 G5:1 E5:1 F#5:8",
             84);
    // Trumpet joins for the last phrase, a third below the horn.
    PlayLine(trumpet, 32, "A4:2 D5:1 F5:1 G5:2 E5:1 C5:1 D5:8", 70);
    Pad(strings, bars, 0, Pitch("D3"), 62);
    strings.Note(44, 4, Pitch("D3"), 62);
    strings.Note(44, 4, Pitch("F#3"), 62);
    strings.Note(44, 4, Pitch("A3"), 62);
    Arpeggio(harp, bars, 0, Pitch("D3"), 66);
    Bass(bass, bars, 0, 82);
    bass.Note(44, 4, Pitch("D2"), 80);
    // Timpani: a roll to open, a stroke on every second bar, a roll under the final chord.
    for (int i = 0; i < 16; ++i)
        timpani.Note(i * 0.25, 0.25, Pitch("D2"), 40 + i * 4);
    for (int bar = 2; bar < 10; bar += 2)
        timpani.Note(bar * 4, 1, Pitch(bar % 4 ? "A1" : "D2"), 92);
    for (int i = 0; i < 24; ++i)
        timpani.Note(40 + i * 0.25, 0.25, Pitch(i < 16 ? "A1" : "D2"), 50 + i * 2);
    timpani.Note(46, 2, Pitch("D2"), 110);

    song.Tracks = {horn, trumpet, strings, harp, bass, timpani};
    return WriteMidiFile(song);
}

std::vector<std::uint8_t> EditorTheme()
{
    Song song{"Isole", 100, 0, {}};
    const std::vector<std::string> verse = {"F", "Dm", "Bb", "C", "F", "Am", "Bb C", "F"};
    const std::vector<std::string> bridge = {"Dm", "Bb", "F", "C", "Dm", "Gm", "Bb", "C"};
    const std::vector<std::string> outro = {"Bb", "C", "F", "C"};
    std::vector<std::string> all;
    for (const auto* part : {&verse, &verse, &bridge, &verse, &outro})
        all.insert(all.end(), part->begin(), part->end());
    const Bars bars = ParseBars(all);
    song.TotalBeats = double(bars.size()) * 4;  // 36 bars, about 86 seconds

    MidiTrack flute("Flute", 0, 73), clarinet("Clarinet", 1, 71), guitar("Guitar", 2, 24), strings("Strings", 3, 49),
        bass("Bass", 4, 32), drums("Percussion", 9, 0);
    flute.Control(0, 91, 60);
    guitar.Control(0, 10, 44);
    clarinet.Control(0, 10, 80);
    strings.Control(0, 7, 90);
    for (MidiTrack* track : {&flute, &clarinet, &guitar, &bass, &drums})
        track->Control(0, 7, 120);

    const std::string verseA =
        "A4:1 C5:1 F5:1.5 E5:0.5 D5:2 A4:1 C5:1 D5:1 F5:1 Bb4:1.5 C5:0.5 G4:3 r:1 "
        "A4:1 C5:1 F5:1 G5:1 A5:1.5 G5:0.5 E5:1 C5:1 D5:1 Bb4:1 E5:1 G5:1 F5:3 r:1";
    const std::string verseB =
        "F5:1 E5:0.5 D5:0.5 C5:1 A4:1 D5:1 F5:1 E5:1 D5:1 D5:1.5 C5:0.5 Bb4:1 D5:1 C5:2 E5:1 G5:1 "
        "A5:1.5 G5:0.5 F5:1 C5:1 E5:1 A5:1 G5:1 E5:1 F5:1 D5:1 C5:1 E5:1 F5:4";
    const std::string bridgeLine =
        "A4:1.5 D5:0.5 F5:1 E5:1 D5:1 F5:1 Bb4:2 A4:1 C5:1 F5:1 A5:1 G5:3 E5:1 "
        "F5:1.5 E5:0.5 D5:1 A4:1 Bb4:1 D5:1 G5:1.5 F5:0.5 F5:1 D5:1 Bb4:1 D5:1 E5:2 G5:1 C5:1";
    // Under the last verse the clarinet holds the chords' thirds, an echo of the bridge.
    const std::string counter =
        "A4:4 F4:4 D5:4 E5:4 C5:4 C5:4 D5:2 E5:2 C5:4";

    PlayLine(flute, 0, verseA, 94);
    PlayLine(flute, 32, verseB, 96);
    PlayLine(clarinet, 64, bridgeLine, 98, -12);
    PlayLine(flute, 96, verseA, 98);
    PlayLine(clarinet, 96, counter, 70, -12);
    PlayLine(flute, 128, "D5:2 F5:2 E5:2 G5:2 F5:3 C5:1 r:4", 84);

    Arpeggio(guitar, bars, 0, Pitch("C3"), 84);
    // Strings enter with the second verse and rest in the outro's last bar, so the loop breathes.
    Pad(strings, Bars(bars.begin() + 8, bars.begin() + 35), 32, Pitch("F3"), 58);
    Bass(bass, Bars(bars.begin() + 8, bars.end()), 32, 90);
    Groove(drums, 32, 27, 66);

    song.Tracks = {flute, clarinet, guitar, strings, bass, drums};
    return WriteMidiFile(song);
}

}  // namespace korvan::music
