// A tiny score notation for the compositions: melodies as "A4:1 C5:0.5 r:1" (pitch and length
// in beats, r a rest) and chords by name ("F", "Dm", "Bb").
#pragma once

#include "MidiWriter.h"

#include <string>
#include <vector>

namespace korvan::music {

int Pitch(const std::string& name);  // "C4" = 60, "F#5", "Bb3"

struct Chord {
    int Root;    // pitch class 0..11
    bool Minor;
    std::vector<int> Tones(int lowest) const;  // root, third, fifth from the first root at or above lowest
};
Chord ParseChord(const std::string& name);

// Plays a melody written in the notation from beat start; returns the beat after its end. The
// line is shaped as one phrase: swell velocity steps louder towards its middle and softer again.
double PlayLine(MidiTrack& track, double start, const std::string& line, int velocity, int transpose = 0,
                double swell = 0);

// 0 at from, 1 halfway through length, 0 again at its end: the arch of a phrase.
double Arch(double beat, double from, double length);

// Chord names per bar, "Bb C" meaning two chords of half a bar each.
std::vector<std::vector<Chord>> ParseBars(const std::vector<std::string>& bars);

}  // namespace korvan::music
