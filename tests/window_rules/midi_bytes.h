// Standard MIDI Files built byte by byte, for the tests of the reader and
// the player.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace munyura::testing {

using Bytes = std::vector<std::uint8_t>;

// A delta time as a variable-length number.
Bytes Delta(std::uint32_t ticks);

// One track chunk around events given as delta-time-and-message bytes.
Bytes Track(std::initializer_list<Bytes> events);

// A header chunk followed by the given track chunks.
Bytes MidiFile(int format, int division, std::initializer_list<Bytes> tracks);

Bytes Join(std::initializer_list<Bytes> parts);

inline const Bytes kEndOfTrack = {0xFF, 0x2F, 0x00};
Bytes Tempo(std::uint32_t microseconds_per_quarter);

// An organ chord held for `seconds` at 120 BPM and 480 ticks a quarter,
// ending exactly where the song ends: loud from the first frame to the last.
Bytes HeldChordSong(double seconds);

void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace munyura::testing
