// Accompaniment figures for the compositions: pads, harp and guitar patterns, bass lines and
// drum grooves, each shaped in loudness over the section it plays.
#pragma once

#include "Score.h"

#include <vector>

namespace korvan::music {

using Bars = std::vector<std::vector<Chord>>;

// Where a section lies and how it breathes: start beat, base velocity, and how many steps the
// velocity rises towards the section's middle (negative: a section that thins out).
struct Section {
    double Start;
    int Velocity;
    double Swell = 0;
};

// Held chords, one voicing per chord from lowest up.
void Pad(MidiTrack& track, const Bars& bars, const Section& s, int lowest);

enum class Figure {
    Flowing,     // eighths up and down two octaves of the chord
    Strummed,    // bass note on one and three, the upper chord on two and four
    Syncopated,  // dyads on the 3 + 3 + 2 eighths of the bar, soft passing eighths between
    Rolled,      // the chord rolled upward on one and three and left to ring
};
void Broken(MidiTrack& track, const Bars& bars, const Section& s, int lowest, Figure figure);

enum class BassLine {
    Held,       // the root for the whole chord
    RootFifth,  // root, fifth, a passing octave
    Walking,    // quarter notes: root, third, fifth, a step into the next chord
};
void Bass(MidiTrack& track, const Bars& bars, const Section& s, BassLine line);

enum class Groove {
    Brushes,  // kick, side stick and soft hats
    Ride,     // fuller: ride cymbal, kick on the and of two, snare on four
};
// barCount bars of the groove; the last bar ends in a tom fill into the next section when fill is set.
void Drums(MidiTrack& drums, const Section& s, int barCount, Groove groove, bool fill);

// Beats a list of bars spans.
double Length(const Bars& bars);

}  // namespace korvan::music
