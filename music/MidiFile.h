// Standard MIDI File checks: whether bytes are a file the synth's player can play, and its length.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvan {

struct MidiFileInfo {
    int Format = 0;
    int Tracks = 0;
    int Division = 0;    // ticks per quarter note
    int TotalTicks = 0;  // the longest track, end-of-track event included
};

// Fills info and returns an empty string, or returns why the bytes are not a playable MIDI file.
// The length is counted the way FluidSynth's player counts it, so that its tick position can be
// compared with it to see the end of the file.
std::string ReadMidiFile(const std::vector<std::uint8_t>& bytes, MidiFileInfo& info);

}  // namespace korvan
