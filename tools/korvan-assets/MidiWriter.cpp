// The Standard MIDI File writer: variable-length delta times, running order by tick.
#include "MidiWriter.h"

#include <algorithm>
#include <cmath>

namespace korvan::music {
namespace {

long ToTick(double beat) { return std::lround(beat * TicksPerBeat); }

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t bytes[5];
    int n = 0;
    bytes[n++] = value & 0x7F;
    while (value >>= 7)
        bytes[n++] = std::uint8_t((value & 0x7F) | 0x80);
    while (n)
        out.push_back(bytes[--n]);
}

void PutBig(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

void PutMeta(std::vector<MidiTrack::Event>& events, long tick, int type, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> bytes{0xFF, std::uint8_t(type)};
    PutVarLen(bytes, std::uint32_t(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    events.push_back({tick, 0, bytes});
}

std::vector<std::uint8_t> Chunk(std::vector<MidiTrack::Event> events, long endTick)
{
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
        return a.Tick != b.Tick ? a.Tick < b.Tick : a.Order < b.Order;
    });
    std::vector<std::uint8_t> body;
    long now = 0;
    for (const auto& e : events) {
        PutVarLen(body, std::uint32_t(e.Tick - now));
        now = e.Tick;
        body.insert(body.end(), e.Bytes.begin(), e.Bytes.end());
    }
    PutVarLen(body, std::uint32_t(std::max(0L, endTick - now)));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
    PutBig(chunk, std::uint32_t(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<std::uint8_t> Text(const std::string& s) { return std::vector<std::uint8_t>(s.begin(), s.end()); }

}  // namespace

MidiTrack::MidiTrack(std::string name, int channel, int program)
    : Name_(std::move(name)), Channel_(channel), Program_(program)
{
}

void MidiTrack::Note(double beat, double beats, int pitch, int velocity)
{
    const long on = ToTick(beat), off = std::max(on + 1, ToTick(beat + beats) - 8);
    const auto p = std::uint8_t(std::clamp(pitch, 0, 127)), v = std::uint8_t(std::clamp(velocity, 1, 127));
    Events_.push_back({on, 2, {std::uint8_t(0x90 | Channel_), p, v}});
    Events_.push_back({off, 1, {std::uint8_t(0x80 | Channel_), p, 0}});
}

void MidiTrack::Control(double beat, int controller, int value)
{
    Events_.push_back({ToTick(beat), 0, {std::uint8_t(0xB0 | Channel_), std::uint8_t(controller), std::uint8_t(value)}});
}

std::vector<std::uint8_t> WriteMidiFile(const Song& song)
{
    const long endTick = ToTick(song.TotalBeats);
    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    PutBig(file, std::uint32_t(song.Tracks.size() + 1), 2);
    PutBig(file, TicksPerBeat, 2);

    std::vector<MidiTrack::Event> conductor;
    PutMeta(conductor, 0, 0x03, Text(song.Title));
    const auto micros = std::uint32_t(std::lround(60000000.0 / song.BeatsPerMinute));
    PutMeta(conductor, 0, 0x51, {std::uint8_t(micros >> 16), std::uint8_t(micros >> 8), std::uint8_t(micros)});
    PutMeta(conductor, 0, 0x58, {4, 2, 24, 8});
    const auto chunk = Chunk(conductor, endTick);
    file.insert(file.end(), chunk.begin(), chunk.end());

    for (const MidiTrack& track : song.Tracks) {
        std::vector<MidiTrack::Event> events = track.Events();
        PutMeta(events, 0, 0x03, Text(track.Name()));
        if (track.Channel() != 9)
            events.push_back({0, 0, {std::uint8_t(0xC0 | track.Channel()), std::uint8_t(track.Program())}});
        const auto body = Chunk(events, endTick);
        file.insert(file.end(), body.begin(), body.end());
    }
    return file;
}

}  // namespace korvan::music
