#include "window_rules/midi_bytes.h"

#include <fstream>

namespace munyura::testing {

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes joined;
  for (const Bytes& part : parts) {
    joined.insert(joined.end(), part.begin(), part.end());
  }
  return joined;
}

Bytes Delta(std::uint32_t ticks) {
  Bytes bytes{static_cast<std::uint8_t>(ticks & 0x7F)};
  while (ticks >>= 7) {
    bytes.insert(bytes.begin(), static_cast<std::uint8_t>((ticks & 0x7F) | 0x80));
  }
  return bytes;
}

namespace {

Bytes BigEndian(std::uint32_t value, int size) {
  Bytes bytes;
  for (int i = size - 1; i >= 0; --i) {
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  return bytes;
}

}  // namespace

Bytes Track(std::initializer_list<Bytes> events) {
  const Bytes body = Join(events);
  return Join({{'M', 'T', 'r', 'k'}, BigEndian(static_cast<std::uint32_t>(body.size()), 4), body});
}

Bytes MidiFile(int format, int division, std::initializer_list<Bytes> tracks) {
  Bytes file = Join({{'M', 'T', 'h', 'd'},
                     BigEndian(6, 4),
                     BigEndian(format, 2),
                     BigEndian(static_cast<std::uint32_t>(tracks.size()), 2),
                     BigEndian(division, 2)});
  for (const Bytes& track : tracks) {
    file.insert(file.end(), track.begin(), track.end());
  }
  return file;
}

Bytes Tempo(std::uint32_t microseconds_per_quarter) {
  return Join({{0xFF, 0x51, 0x03}, BigEndian(microseconds_per_quarter, 3)});
}

Bytes HeldChordSong(double seconds) {
  const auto ticks = static_cast<std::uint32_t>(seconds * 2 * 480);
  return MidiFile(0, 480,
                  {Track({Join({Delta(0), {0xC0, 19}}),  // church organ: no decay
                          Join({Delta(0), {0x90, 60, 100}}), Join({Delta(0), {0x90, 67, 100}}),
                          Join({Delta(ticks), {0x80, 60, 0}}), Join({Delta(0), {0x80, 67, 0}}),
                          Join({Delta(0), kEndOfTrack})})});
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace munyura::testing
