// Standard MIDI Files built byte by byte.
#pragma once

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace munyura::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes joined;
  for (const Bytes& part : parts) {
    joined.insert(joined.end(), part.begin(), part.end());
  }
  return joined;
}

inline Bytes BigEndian(std::uint32_t value, int size) {
  Bytes bytes;
  for (int i = size - 1; i >= 0; --i) {
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  return bytes;
}

// A delta time as a variable-length number.
inline Bytes Delta(std::uint32_t ticks) {
  Bytes bytes{static_cast<std::uint8_t>(ticks & 0x7F)};
  while (ticks >>= 7) {
    bytes.insert(bytes.begin(), static_cast<std::uint8_t>((ticks & 0x7F) | 0x80));
  }
  return bytes;
}

inline const Bytes kEndOfTrack = {0xFF, 0x2F, 0x00};
inline Bytes Tempo(std::uint32_t microseconds_per_quarter) {
  return Join({{0xFF, 0x51, 0x03}, BigEndian(microseconds_per_quarter, 3)});
}

// One track chunk around events given as delta-time-and-message bytes.
inline Bytes Track(std::initializer_list<Bytes> events) {
  const Bytes body = Join(events);
  return Join({{'M', 'T', 'r', 'k'}, BigEndian(static_cast<std::uint32_t>(body.size()), 4), body});
}

inline Bytes MidiFile(int format, int division, std::initializer_list<Bytes> tracks) {
  return Join({{'M', 'T', 'h', 'd', 0, 0, 0, 6},
               BigEndian(format, 2),
               BigEndian(static_cast<std::uint32_t>(tracks.size()), 2),
               BigEndian(division, 2),
               Join(tracks)});
}

// An organ chord held for `seconds` at 120 BPM and 480 ticks a quarter,
// ending exactly where the song ends: loud from the first frame to the last.
inline Bytes HeldChordSong(double seconds) {
  return MidiFile(0, 480,
                  {Track({{0, 0xC0, 19},
                          {0, 0x90, 60, 100},
                          {0, 0x90, 67, 100},  // church organ
                          Join({Delta(static_cast<std::uint32_t>(seconds * 960)), {0x80, 60, 0}}),
                          {0, 0x80, 67, 0},
                          Join({Delta(0), kEndOfTrack})})});
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace munyura::testing
