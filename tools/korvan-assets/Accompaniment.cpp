// The accompaniment figures. Every note's velocity is the section's base, its arch, an accent
// by the place in the bar and a small fixed unevenness, so no two bars sound stamped.
#include "Accompaniment.h"

#include <cmath>

namespace korvan::music {
namespace {

// Calls play(beat, length, chord) for every chord of the bars from start.
template <typename Play>
void EachChord(const Bars& bars, double start, Play play)
{
    double beat = start;
    for (const auto& bar : bars) {
        const double length = 4.0 / double(bar.size());
        for (const Chord& chord : bar) {
            play(beat, length, chord);
            beat += length;
        }
    }
}

// Loudness at beat within the section: base, arch, the bar's strong beats, unevenness of a hand.
int Velocity(const Section& s, double length, double beat, int pitch)
{
    const double inBar = std::fmod(beat - s.Start, 4.0);
    const int accent = inBar < 0.01 ? 7 : std::abs(inBar - 2) < 0.01 ? 3 : std::fmod(inBar, 1.0) > 0.01 ? -5 : 0;
    const unsigned h = unsigned(std::lround(beat * 480)) * 2654435761u ^ unsigned(pitch) * 40503u;
    const int uneven = int((h >> 13) % 5) - 2;
    return s.Velocity + int(std::lround(s.Swell * Arch(beat, s.Start, length))) + accent + uneven;
}

std::vector<int> Spread(const Chord& chord, int lowest)
{
    auto tones = chord.Tones(lowest);
    tones.push_back(tones[0] + 12);
    tones.push_back(tones[1] + 12);
    tones.push_back(tones[2] + 12);
    return tones;  // root, third, fifth, and the three an octave up
}

}  // namespace

double Length(const Bars& bars) { return 4.0 * double(bars.size()); }

void Pad(MidiTrack& track, const Bars& bars, const Section& s, int lowest)
{
    const double total = Length(bars);
    EachChord(bars, s.Start, [&](double beat, double length, const Chord& chord) {
        for (int pitch : chord.Tones(lowest))
            track.Note(beat, length, pitch, Velocity(s, total, beat + length / 2, pitch) - 4);
    });
}

void Broken(MidiTrack& track, const Bars& bars, const Section& s, int lowest, Figure figure)
{
    const double total = Length(bars);
    EachChord(bars, s.Start, [&](double beat, double length, const Chord& chord) {
        const auto t = Spread(chord, lowest);
        auto note = [&](double at, double beats, int tone, int softer = 0) {
            if (at - beat < length - 0.01)
                track.Note(at, std::min(beats, beat + length - at), t[std::size_t(tone)],
                           Velocity(s, total, at, t[std::size_t(tone)]) - softer);
        };
        switch (figure) {
        case Figure::Flowing: {
            static constexpr int up[8] = {0, 2, 3, 4, 5, 4, 3, 2};
            for (int i = 0; i < int(length * 2); ++i)
                note(beat + i * 0.5, 0.5, up[i % 8]);
            break;
        }
        case Figure::Strummed:
            for (double b = 0; b < length; b += 2) {
                note(beat + b, 1, b == 0 ? 0 : 2);
                for (int tone : {3, 4, 5})
                    note(beat + b + 1, 1, tone, 8);
            }
            break;
        case Figure::Syncopated:
            for (double b : {0.0, 1.5, 3.0}) {
                note(beat + b, b < 3 ? 1.5 : 1, b == 0 ? 0 : 2);
                note(beat + b, b < 3 ? 1.5 : 1, b == 1.5 ? 4 : 3, 4);
            }
            for (double b : {0.5, 1.0, 2.0, 2.5, 3.5})
                note(beat + b, 0.5, b < 2 ? 4 : 5, 14);
            break;
        case Figure::Rolled:
            for (double b = 0; b < length; b += 2)
                for (int tone = 0; tone < 6; ++tone)
                    note(beat + b + tone * 0.08, 2 - tone * 0.08, tone, tone * 2);
            break;
        }
    });
}

void Bass(MidiTrack& track, const Bars& bars, const Section& s, BassLine line)
{
    const double total = Length(bars);
    std::vector<std::pair<double, Chord>> chords;
    EachChord(bars, s.Start, [&](double beat, double, const Chord& chord) { chords.push_back({beat, chord}); });
    for (std::size_t i = 0; i < chords.size(); ++i) {
        const double beat = chords[i].first;
        const double length = (i + 1 < chords.size() ? chords[i + 1].first : s.Start + total) - beat;
        const auto t = chords[i].second.Tones(Pitch("E1"));
        auto note = [&](double at, double beats, int pitch, int softer = 0) {
            track.Note(at, beats, pitch, Velocity(s, total, at, pitch) - softer);
        };
        if (line == BassLine::Held || length < 2) {
            note(beat, length, t[0]);
        } else if (line == BassLine::RootFifth) {
            note(beat, 2, t[0]);
            note(beat + 2, length - 2.5, t[2], 6);
            note(beat + length - 0.5, 0.5, t[0] + 12, 10);
        } else {
            // Walking: the last quarter leans a step into the next chord's root.
            const int next = i + 1 < chords.size() ? chords[i + 1].second.Tones(Pitch("E1"))[0] : t[0];
            const int approach = next > t[0] ? next - 1 : next + 2;
            const int steps[4] = {t[0], t[1], t[2], approach};
            for (int q = 0; q < int(length); ++q)
                note(beat + q, 1, steps[q % 4], q == 0 ? 0 : 6);
        }
    }
}

void Drums(MidiTrack& drums, const Section& s, int barCount, Groove groove, bool fill)
{
    constexpr int Kick = 36, Stick = 37, Snare = 38, Hat = 42, Ride = 51, Crash = 49, Cabasa = 69;
    const double total = barCount * 4.0;
    auto hit = [&](double at, int drum, int offset) {
        drums.Note(at, 0.25, drum, Velocity(s, total, at, drum) + offset);
    };
    hit(s.Start, groove == Groove::Ride ? Crash : Cabasa, -6);
    for (int bar = 0; bar < barCount; ++bar) {
        const double b = s.Start + bar * 4;
        const bool filling = fill && bar == barCount - 1;
        hit(b, Kick, 6);
        if (groove == Groove::Brushes) {
            hit(b + 2.5, Kick, -8);
            hit(b + 1, Stick, -8);
            if (!filling)
                hit(b + 3, Stick, -8);
            for (int i = 0; i < (filling ? 4 : 8); ++i)
                hit(b + i * 0.5, Hat, i % 2 ? -20 : -14);
        } else {
            hit(b + 1.5, Kick, -6);
            hit(b + 2, Kick, -2);
            hit(b + 1, Snare, -12);
            if (!filling)
                hit(b + 3, Snare, -6);
            for (int i = 0; i < (filling ? 4 : 8); ++i)
                hit(b + i * 0.5, Ride, i % 2 ? -18 : -10);
        }
        if (filling) {
            // Sixteenths down the toms over the last two beats, growing louder.
            static constexpr int toms[8] = {50, 50, 48, 48, 47, 47, 45, 43};
            for (int i = 0; i < 8; ++i)
                hit(b + 2 + i * 0.25, toms[i], -14 + i * 2);
        }
    }
}

}  // namespace korvan::music
