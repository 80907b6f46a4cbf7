// Parsing the score notation.
#include "Score.h"

#include "base/KorvanError.h"

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

double PlayLine(MidiTrack& track, double start, const std::string& line, int velocity, int transpose)
{
    std::istringstream in(line);
    std::string token;
    double beat = start;
    int step = 0;
    while (in >> token) {
        const auto colon = token.find(':');
        const double length = std::stod(token.substr(colon + 1));
        const std::string note = token.substr(0, colon);
        if (note != "r") {
            // A little life: the first note of a phrase and long notes a touch louder.
            const int accent = (step % 4 == 0 ? 6 : 0) + (length >= 2 ? 4 : 0);
            track.Note(beat, length, Pitch(note) + transpose, velocity + accent);
        }
        beat += length;
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
