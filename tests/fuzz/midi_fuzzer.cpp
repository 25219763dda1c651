// Any bytes at all through the MIDI reader, and whatever it accepts through
// the song cursor for one whole pass: no crash, no overflow, no hang, and
// every message delivered once, in order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "window_rules/midi_song.h"
#include "window_rules/song_cursor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace munyura::window_rules;
  MidiSong song;
  try {
    song = ReadMidiSong(std::span(data, size));
  } catch (const MidiFileError&) {
    return 0;
  }
  std::int64_t previous = 0;
  for (const TimedMessage& timed : song.messages) {
    if (timed.microseconds < previous || timed.microseconds > song.length_microseconds ||
        timed.message.status < 0x80 || timed.message.status >= 0xF0) {
      __builtin_trap();
    }
    previous = timed.microseconds;
  }
  const auto count = static_cast<std::int64_t>(song.messages.size());
  const std::int64_t busiest = BusiestSecondMessages(song);
  if (song.length_microseconds > kLongestSong || busiest > 5 * count ||
      (count > 0 && busiest < 1)) {
    __builtin_trap();
  }
  SongCursor cursor(song, 44100);
  // One pass in a few dozen steps of uneven length, as a sound card asks.
  std::size_t delivered = 0;
  std::int64_t left = cursor.LoopFrames();
  for (std::int64_t step = 1 + left / 37; left > 0; step = step * 2 % (1 + left / 3) + 64) {
    const std::int64_t frames = std::min(step, left);
    cursor.Advance(frames, [&](const MidiMessage& m) {
      if (delivered >= song.messages.size() || !(m == song.messages[delivered].message)) {
        __builtin_trap();
      }
      ++delivered;
    });
    left -= frames;
  }
  if (delivered != song.messages.size() || cursor.Loops() != 1 || cursor.Position() != 0) {
    __builtin_trap();
  }
  return 0;
}
