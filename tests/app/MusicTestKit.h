// Music test helpers: a tiny Standard MIDI File writer and offline playback with the event loop.
#pragma once

#include "MediaPlayer.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace korvan::testing {

constexpr int TicksPerQuarter = 480;  // and 120 beats per minute: a quarter note lasts 0.5 s

struct TestNote {
    int Start;   // ticks
    int Length;  // ticks
    int Key;
    int Channel = 0;
};

inline void PutQuantity(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7Fu);
        value >>= 7;
    } while (value != 0 && count < 4);
    while (count-- > 0)
        out.push_back(static_cast<std::uint8_t>(groups[count] | (count > 0 ? 0x80u : 0u)));
}

inline void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// One track chunk: tempo, a piano on every channel used, the notes, end of track at endTick (or
// at the last note's end when that is later).
inline std::vector<std::uint8_t> TrackChunk(const std::vector<TestNote>& notes, int endTick)
{
    std::vector<std::tuple<int, int, std::vector<std::uint8_t>>> events;  // tick, order, bytes
    events.push_back({0, 0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}});
    for (const TestNote& note : notes) {
        const auto channel = static_cast<std::uint8_t>(note.Channel);
        const auto key = static_cast<std::uint8_t>(note.Key);
        events.push_back({0, 1, {static_cast<std::uint8_t>(0xC0 | channel), 0}});
        events.push_back({note.Start, 3, {static_cast<std::uint8_t>(0x90 | channel), key, 100}});
        events.push_back({note.Start + note.Length, 2, {static_cast<std::uint8_t>(0x80 | channel), key, 0}});
        endTick = std::max(endTick, note.Start + note.Length);
    }
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    std::vector<std::uint8_t> body;
    int at = 0;
    for (const auto& [tick, order, bytes] : events) {
        PutQuantity(body, static_cast<std::uint32_t>(tick - at));
        body.insert(body.end(), bytes.begin(), bytes.end());
        at = tick;
    }
    PutQuantity(body, static_cast<std::uint32_t>(endTick - at));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

// A whole file, one track per list of notes (format 0 for one track, 1 for more).
inline std::vector<std::uint8_t> MidiBytes(const std::vector<std::vector<TestNote>>& tracks, int endTick = 0)
{
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    PutBigEndian(file, tracks.size() > 1 ? 1 : 0, 2);
    PutBigEndian(file, static_cast<std::uint32_t>(tracks.size()), 2);
    PutBigEndian(file, TicksPerQuarter, 2);
    for (const auto& notes : tracks) {
        const std::vector<std::uint8_t> chunk = TrackChunk(notes, endTick);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

// Quarter notes up a C major scale, `count` of them: count × 0.5 s of music.
inline std::vector<std::uint8_t> ScaleMidi(int count)
{
    static const int keys[] = {60, 62, 64, 65, 67, 69, 71, 72};
    std::vector<TestNote> notes;
    for (int i = 0; i < count; ++i)
        notes.push_back({i * TicksPerQuarter, TicksPerQuarter, keys[i % 8]});
    return MidiBytes({notes});
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// Plays `seconds` of the player's audio offline, in 20 ms periods like an audio device, and lets
// the event loop run after each period so that queued notifications arrive as they would live.
// Returns the interleaved stereo samples.
inline std::vector<std::int16_t> PlayFor(TMediaPlayer& player, double seconds)
{
    const int rate = player.EngineOptions().SampleRate;
    const int period = rate / 50;
    std::vector<std::int16_t> audio;
    for (int left = static_cast<int>(seconds * rate); left > 0; left -= period) {
        const std::vector<std::int16_t> part = player.RenderOffline(std::min(period, left));
        audio.insert(audio.end(), part.begin(), part.end());
        QCoreApplication::processEvents();
    }
    return audio;
}

inline int Peak(const std::vector<std::int16_t>& audio)
{
    int peak = 0;
    for (const std::int16_t sample : audio)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

}  // namespace korvan::testing
