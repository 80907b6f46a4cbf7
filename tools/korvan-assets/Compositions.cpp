// The two original pieces: "Alba sul Mare" for the intro (D minor, horns over harp and strings)
// and "Isole" for the editor (F major, flute and clarinet over guitar, made to loop).
#include "Accompaniment.h"
#include "Music.h"
#include "Score.h"

#include <sstream>
#include <string>

namespace korvan::music {
namespace {

// The intro shows for about five seconds, so the piece opens with a call of its own that
// closes on the tonic at 3.75 s and lets that chord ring to 7.5 s; whoever stays longer (or
// hears it loop) gets the theme, a second phrase with the trumpet, and a close in D major.
void IntroCall(MidiTrack& horn, MidiTrack& strings, MidiTrack& harp, MidiTrack& bass, MidiTrack& timpani)
{
    PlayLine(horn, 0, "A4:1 D5:1 F5:1.5 E5:0.5 D5:0.5 Bb4:0.5 C#5:1 D5:5.5", 80, 0, 12);
    PlayLine(horn, 0, "F4:2 F4:2 D4:1 E4:1 F4:5.5", 66, 0, 10);
    struct Step {
        double Beat, Length;
        const char* Chord;
        const char* Root;
    };
    const Step steps[] = {{0, 2, "Dm", "D2"}, {2, 2, "Bb", "Bb1"}, {4, 1, "Gm", "G1"}, {5, 1, "A", "A1"}, {6, 6, "Dm", "D2"}};
    int rise = 0;
    for (const Step& st : steps) {
        const auto tones = ParseChord(st.Chord).Tones(Pitch("C#3"));
        for (int pitch : tones)
            strings.Note(st.Beat, st.Length, pitch, 46 + rise);
        bass.Note(st.Beat, st.Length, Pitch(st.Root), 70 + rise);
        // The harp rolls each chord upward; the last roll spans two octaves and rings on.
        const int reach = st.Beat >= 6 ? 7 : 4;
        for (int k = 0; k < reach; ++k) {
            const int pitch = tones[std::size_t(k % 3)] + 12 * (k / 3);
            harp.Note(st.Beat + k * 0.1, st.Length - k * 0.1, pitch, 58 + rise - k);
        }
        rise += 3;
    }
    for (int i = 0; i < 8; ++i)  // a roll that opens the call
        timpani.Note(i * 0.25, 0.25, Pitch("D2"), 44 + i * 5);
    timpani.Note(5, 1, Pitch("A1"), 70);
    timpani.Note(6, 1, Pitch("D2"), 96);
    for (int i = 0; i < 12; ++i)  // dying away under the held chord
        timpani.Note(7 + i * 0.25, 0.25, Pitch("D2"), 60 - i * 3);
}

}  // namespace

std::vector<std::uint8_t> IntroTheme()
{
    Song song{"Alba sul Mare", 96, 0, {}};
    MidiTrack horn("Horns", 0, 60), strings("Strings", 1, 48), harp("Harp", 2, 46), bass("Contrabass", 3, 43),
        timpani("Timpani", 4, 47), trumpet("Trumpet", 5, 56);
    horn.Control(0, 91, 70);
    strings.Control(0, 91, 80);
    strings.Control(0, 7, 64);  // the pad sits under the horns, not beside them
    harp.Control(0, 10, 40);
    strings.Control(0, 10, 84);

    IntroCall(horn, strings, harp, bass, timpani);

    // The theme (bars 4-7), the answer with the trumpet (8-11), the close (12-15).
    const Bars theme = ParseBars({"Dm", "Bb", "F", "C"});
    const Bars answer = ParseBars({"Dm", "Gm", "Bb", "A"});
    const Bars close = ParseBars({"Bb", "C", "Dm A", "D"});
    const Section a{12, 50, 10}, b{28, 52, 12}, c{44, 56, 8};

    PlayLine(horn, a.Start, "D5:1.5 E5:0.5 F5:1 A5:1 F5:1.5 G5:0.5 F5:1 D5:1 C5:1 F5:1 A5:1.5 G5:0.5 E5:3 r:1", 80, 0, 14);
    PlayLine(horn, b.Start, "F5:1 E5:1 D5:1 A4:1 Bb4:1.5 C5:0.5 D5:1 G5:1 F5:1.5 E5:0.5 D5:1 F5:1 E5:2 C#5:2", 82, 0, 14);
    PlayLine(trumpet, b.Start, "A4:4 G4:2 Bb4:2 Bb4:2 F4:2 A4:2 G4:1 E4:1", 62, 0, 12);
    PlayLine(horn, c.Start, "D5:1 F5:1 Bb5:2 G5:1.5 E5:0.5 C5:1 E5:1 D5:1 F5:1 E5:1 C#5:1 D5:4", 86, 0, 10);
    PlayLine(horn, c.Start + 12, "A4:4", 70);
    PlayLine(trumpet, c.Start, "F4:2 Bb4:2 C5:2 G4:2 A4:2 A4:2 F#4:4", 66, 0, 10);

    Pad(strings, theme, a, Pitch("D3"));
    Pad(strings, answer, b, Pitch("D3"));
    Pad(strings, close, c, Pitch("D3"));
    Broken(harp, theme, {a.Start, 58, 8}, Pitch("D3"), Figure::Flowing);
    Broken(harp, answer, {b.Start, 60, 8}, Pitch("D3"), Figure::Syncopated);
    Broken(harp, close, {c.Start, 62, 6}, Pitch("D3"), Figure::Rolled);
    Bass(bass, theme, {a.Start, 74, 6}, BassLine::RootFifth);
    Bass(bass, answer, {b.Start, 76, 6}, BassLine::Walking);
    Bass(bass, close, {c.Start, 80, 4}, BassLine::Held);

    timpani.Note(a.Start, 1, Pitch("D2"), 72);
    timpani.Note(a.Start + 8, 1, Pitch("A1"), 60);
    timpani.Note(b.Start, 1, Pitch("D2"), 74);
    for (int i = 0; i < 8; ++i)  // into the close
        timpani.Note(c.Start - 2 + i * 0.25, 0.25, Pitch(i % 2 ? "A1" : "D2"), 50 + i * 5);
    timpani.Note(c.Start, 1, Pitch("D2"), 92);
    for (int i = 0; i < 16; ++i)  // a roll under the last chord
        timpani.Note(c.Start + 12 + i * 0.25, 0.25, Pitch("D2"), 48 + i * 3);

    song.TotalBeats = c.Start + 16 + 1;  // the last chord rings on
    song.Tracks = {horn, trumpet, strings, harp, bass, timpani};
    return WriteMidiFile(song);
}

std::vector<std::uint8_t> EditorTheme()
{
    Song song{"Isole", 100, 0, {}};
    const Bars verse = ParseBars({"F", "Dm", "Bb", "C", "F", "Am", "Bb C", "F"});
    const Bars bridge = ParseBars({"Dm", "Bb", "F", "C", "Dm", "Gm", "Bb", "C"});
    const Bars outro = ParseBars({"Bb", "C", "F", "C"});
    // Verse, verse, bridge, verse, outro: 36 bars, about 86 seconds. The outro's C leads back
    // to the first verse's F, and the guitar's figure at the end is the one it starts with, so
    // the loop closes without a seam.
    song.TotalBeats = 36 * 4;

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
    const std::string counter = "A4:4 F4:4 D5:4 E5:4 C5:4 C5:4 D5:2 E5:2 C5:4";

    // Each four-bar phrase of the tune swells on its own.
    auto phrases = [](MidiTrack& track, double start, const std::string& line, int velocity, int transpose) {
        std::istringstream in(line);
        std::string token, phrase;
        double beat = start, length = 0;
        while (in >> token) {
            phrase += token + " ";
            length += std::stod(token.substr(token.find(':') + 1));
            if (length >= 16 - 1e-9) {
                beat = PlayLine(track, beat, phrase, velocity, transpose, 12);
                phrase.clear();
                length = 0;
            }
        }
        if (!phrase.empty())
            PlayLine(track, beat, phrase, velocity, transpose, 12);
    };
    phrases(flute, 0, verseA, 88, 0);
    phrases(flute, 32, verseB, 92, 0);
    phrases(clarinet, 64, bridgeLine, 94, -12);
    phrases(flute, 96, verseA, 94, 0);
    PlayLine(clarinet, 96, counter, 64, -12, 10);
    PlayLine(flute, 128, "D5:2 F5:2 E5:2 G5:2 F5:3 C5:1 r:2", 86, 0, -8);
    PlayLine(flute, 142, "G4:1 Bb4:1", 80);  // leads back into the first verse's A

    Broken(guitar, verse, {0, 70, 8}, Pitch("C3"), Figure::Flowing);
    Broken(guitar, verse, {32, 72, 10}, Pitch("C3"), Figure::Strummed);
    Broken(guitar, bridge, {64, 72, 10}, Pitch("C3"), Figure::Syncopated);
    Broken(guitar, verse, {96, 74, 8}, Pitch("C3"), Figure::Flowing);
    Broken(guitar, outro, {128, 72, 4}, Pitch("C3"), Figure::Flowing);

    // Strings enter with the second verse and rest in the outro's last bar, so the loop breathes.
    Pad(strings, verse, {32, 50, 12}, Pitch("F3"));
    Pad(strings, bridge, {64, 54, 14}, Pitch("F3"));
    Pad(strings, verse, {96, 52, 10}, Pitch("F3"));
    Pad(strings, Bars(outro.begin(), outro.begin() + 3), {128, 48, -6}, Pitch("F3"));
    Bass(bass, verse, {32, 84, 6}, BassLine::RootFifth);
    Bass(bass, bridge, {64, 84, 6}, BassLine::Walking);
    Bass(bass, verse, {96, 86, 6}, BassLine::RootFifth);
    Bass(bass, outro, {128, 80, -6}, BassLine::Held);
    Drums(drums, {32, 62, 8}, 8, Groove::Brushes, true);
    Drums(drums, {64, 64, 8}, 8, Groove::Ride, true);
    Drums(drums, {96, 64, 8}, 8, Groove::Brushes, true);
    Drums(drums, {128, 60, -6}, 3, Groove::Brushes, false);

    song.Tracks = {flute, clarinet, guitar, strings, bass, drums};
    return WriteMidiFile(song);
}

}  // namespace korvan::music
