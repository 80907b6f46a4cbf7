// Standard MIDI File checks: a walk over the chunks and events that keeps only the tick counts.
#include "music/MidiFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace korvan {
namespace {

class Reader {
public:
    Reader(const std::uint8_t* begin, const std::uint8_t* end) : at_(begin), end_(end) {}

    bool AtEnd() const { return at_ >= end_; }
    std::size_t Left() const { return static_cast<std::size_t>(end_ - at_); }
    bool Byte(std::uint8_t& value)
    {
        if (AtEnd())
            return false;
        value = *at_++;
        return true;
    }
    bool Skip(std::uint64_t count)
    {
        if (count > Left())
            return false;
        at_ += count;
        return true;
    }
    // A variable-length quantity: at most four bytes, seven bits each.
    bool Quantity(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t byte = 0;
            if (!Byte(byte))
                return false;
            value = (value << 7) | (byte & 0x7Fu);
            if ((byte & 0x80u) == 0)
                return true;
        }
        return false;
    }
    const std::uint8_t* Here() const { return at_; }

private:
    const std::uint8_t* at_;
    const std::uint8_t* end_;
};

std::uint32_t BigEndian(const std::uint8_t* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

// The events of one track chunk; returns the reason it is damaged, or "" with its length in ticks.
std::string ReadTrack(Reader track, std::int64_t& ticks)
{
    ticks = 0;
    int runningStatus = -1;
    while (!track.AtEnd()) {
        std::uint32_t delta = 0;
        if (!track.Quantity(delta))
            return "an event time runs past the end of its track";
        ticks += delta;
        std::uint8_t status = 0;
        if (!track.Byte(status))
            return "a track ends inside an event";
        if (status == 0xFF) {
            std::uint8_t type = 0;
            std::uint32_t length = 0;
            if (!track.Byte(type) || !track.Quantity(length) || !track.Skip(length))
                return "a meta event runs past the end of its track";
            if (type == 0x2F)
                return "";  // end of track: anything after it is not played
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            std::uint32_t length = 0;
            if (!track.Quantity(length) || !track.Skip(length))
                return "a system exclusive message runs past the end of its track";
            runningStatus = -1;
            continue;
        }
        int dataBytes = 0;
        if (status & 0x80u) {
            if (status > 0xF0)
                return "it holds a real-time or system common message, which files may not contain";
            runningStatus = status;
            dataBytes = ((status & 0xF0u) == 0xC0 || (status & 0xF0u) == 0xD0) ? 1 : 2;
        } else {
            if (runningStatus < 0)
                return "a data byte comes with no status before it";
            dataBytes = ((runningStatus & 0xF0) == 0xC0 || (runningStatus & 0xF0) == 0xD0) ? 0 : 1;
        }
        if (!track.Skip(static_cast<std::uint64_t>(dataBytes)))
            return "a track ends inside an event";
    }
    return "";  // no end-of-track event: the player ends the track with its last event
}

}  // namespace

std::string ReadMidiFile(const std::vector<std::uint8_t>& bytes, MidiFileInfo& info)
{
    if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0)
        return "not a MIDI file (no MThd header)";
    const std::uint32_t headerLength = BigEndian(bytes.data() + 4, 4);
    if (headerLength < 6)
        return "damaged MIDI file (header too short)";
    info = {};
    info.Format = static_cast<int>(BigEndian(bytes.data() + 8, 2));
    info.Tracks = static_cast<int>(BigEndian(bytes.data() + 10, 2));
    const std::uint32_t division = BigEndian(bytes.data() + 12, 2);
    if (division & 0x8000u)
        return "MIDI files timed in SMPTE frames are not supported";
    if (division == 0)
        return "damaged MIDI file (zero ticks per quarter note)";
    if (info.Format > 2)
        return "unknown MIDI file format " + std::to_string(info.Format);
    if (info.Tracks == 0)
        return "the MIDI file holds no tracks";
    info.Division = static_cast<int>(division);

    Reader file(bytes.data() + 8, bytes.data() + bytes.size());
    if (!file.Skip(headerLength))
        return "damaged MIDI file (header runs past the end of the file)";
    std::int64_t longest = 0;
    for (int found = 0; found < info.Tracks;) {
        if (file.Left() < 8)
            return "damaged MIDI file (track " + std::to_string(found + 1) + " of " + std::to_string(info.Tracks) +
                   " is missing)";
        const std::uint8_t* chunk = file.Here();
        const std::uint32_t length = BigEndian(chunk + 4, 4);
        file.Skip(8);
        if (length > file.Left())
            return "damaged MIDI file (track " + std::to_string(found + 1) + " runs past the end of the file)";
        ++found;
        if (std::memcmp(chunk, "MTrk", 4) != 0) {
            --found;  // chunks of unknown type are skipped, as the player skips them
            file.Skip(length);
            continue;
        }
        std::int64_t ticks = 0;
        const std::string damage = ReadTrack(Reader(file.Here(), file.Here() + length), ticks);
        if (!damage.empty())
            return "damaged MIDI file (track " + std::to_string(found) + ": " + damage + ")";
        longest = std::max(longest, ticks);
        file.Skip(length);
    }
    if (longest == 0)
        return "the MIDI file holds no music (it lasts 0 ticks)";  // looping it would never rest
    if (longest > std::numeric_limits<int>::max())
        return "the MIDI file is too long to play";
    info.TotalTicks = static_cast<int>(longest);
    return "";
}

}  // namespace korvan
