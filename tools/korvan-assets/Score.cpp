// Parsing the score notation.
#include "Score.h"

#include "base/KorvanError.h"

#include <cmath>
#include <sstream>

namespace korvan::music {
namespace {

int PitchClass(char letter)
{
    static constexpr int classes[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (letter < 'A' || letter > 'G')
        throw KorvanError(std::string("bad note letter ") + letter);
    return classes[letter - 'A'];
}

// A letter with an optional sharp or flat, read from name at i; i is left after it.
int NamedPitchClass(const std::string& name, std::size_t& i)
{
    int pc = PitchClass(name.at(i++));
    if (i < name.size() && name[i] == '#')
        ++pc, ++i;
    else if (i < name.size() && name[i] == 'b')
        --pc, ++i;
    return pc;
}

}  // namespace

int Pitch(const std::string& name)
{
    std::size_t i = 0;
    const int pc = NamedPitchClass(name, i);
    const int octave = std::stoi(name.substr(i));
    return 12 * (octave + 1) + pc;
}

std::vector<int> Chord::Tones(int lowest) const
{
    int root = lowest + ((Root - lowest % 12) + 12) % 12;
    return {root, root + (Minor ? 3 : 4), root + 7};
}

Chord ParseChord(const std::string& name)
{
    std::size_t i = 0;
    const int pc = NamedPitchClass(name, i);
    return Chord{(pc + 12) % 12, i < name.size() && name[i] == 'm'};
}

double Arch(double beat, double from, double length)
{
    if (length <= 0 || beat <= from || beat >= from + length)
        return 0;
    return std::sin(3.14159265358979 * (beat - from) / length);
}

double PlayLine(MidiTrack& track, double start, const std::string& line, int velocity, int transpose, double swell)
{
    struct Token {
        std::string Note;
        double Length;
    };
    std::vector<Token> tokens;
    std::istringstream in(line);
    std::string token;
    double total = 0;
    while (in >> token) {
        const auto colon = token.find(':');
        tokens.push_back({token.substr(0, colon), std::stod(token.substr(colon + 1))});
        total += tokens.back().Length;
    }
    double beat = start;
    int step = 0;
    for (const Token& t : tokens) {
        if (t.Note != "r") {
            // A little life: the first note of a group and long notes a touch louder.
            const int accent = (step % 4 == 0 ? 6 : 0) + (t.Length >= 2 ? 4 : 0);
            const int shaped = int(std::lround(swell * Arch(beat + t.Length / 2, start, total)));
            track.Note(beat, t.Length, Pitch(t.Note) + transpose, velocity + accent + shaped);
        }
        beat += t.Length;
        ++step;
    }
    return beat;
}

std::vector<std::vector<Chord>> ParseBars(const std::vector<std::string>& bars)
{
    std::vector<std::vector<Chord>> result;
    for (const std::string& bar : bars) {
        std::istringstream in(bar);
        std::string name;
        std::vector<Chord> chords;
        while (in >> name)
            chords.push_back(ParseChord(name));
        result.push_back(chords);
    }
    return result;
}

}  // namespace korvan::music
