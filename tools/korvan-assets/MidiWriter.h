// Writing Standard MIDI Files (format 1): one conductor track and one track per instrument.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvan::music {

inline constexpr int TicksPerBeat = 480;

class MidiTrack {
public:
    MidiTrack(std::string name, int channel, int program);
    void Note(double beat, double beats, int pitch, int velocity);
    void Control(double beat, int controller, int value);
    const std::string& Name() const { return Name_; }
    int Channel() const { return Channel_; }
    int Program() const { return Program_; }

    struct Event {
        long Tick;
        int Order;  // note-offs before note-ons at the same tick
        std::vector<std::uint8_t> Bytes;
    };
    const std::vector<Event>& Events() const { return Events_; }

private:
    std::string Name_;
    int Channel_, Program_;
    std::vector<Event> Events_;
};

struct Song {
    std::string Title;
    double BeatsPerMinute = 100;
    double TotalBeats = 0;  // where every track ends
    std::vector<MidiTrack> Tracks;
};

std::vector<std::uint8_t> WriteMidiFile(const Song& song);

}  // namespace korvan::music
