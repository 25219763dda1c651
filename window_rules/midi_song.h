// A Standard MIDI File read into one list of channel messages in playing
// order, each with the time it is due from the start of the song.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace munyura::window_rules {

struct MidiMessage {
  std::uint8_t status = 0;  // kind in the high nibble, channel in the low
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;

  int Kind() const { return status & 0xF0; }
  int Channel() const { return status & 0x0F; }
  bool operator==(const MidiMessage&) const = default;
};

struct TimedMessage {
  std::int64_t microseconds = 0;
  MidiMessage message;
};

struct MidiSong {
  std::vector<TimedMessage> messages;    // in order of time, then of track
  std::int64_t length_microseconds = 0;  // up to the last track's end
};

class MidiFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Songs longer than this are refused: a tune, not a recording, and a bound on
// the arithmetic of absurd delta times.
inline constexpr std::int64_t kLongestSong = 60LL * 60 * 1'000'000;

// Reads formats 0 and 1, with either kind of time division. System-exclusive
// and meta events other than tempo are skipped. Throws MidiFileError for
// anything that is not a well-formed Standard MIDI File.
MidiSong ReadMidiSong(std::span<const std::uint8_t> file);

}  // namespace munyura::window_rules
