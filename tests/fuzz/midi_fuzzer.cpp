// Any bytes through the MIDI reader, and whatever it accepts through the song cursor for a whole
// pass: no crash, overflow or hang, every message delivered once, in order. Seeds: corpus/ (the
// game's tune, small good files, each kind of malformed file, hostile ones).
#include <algorithm>
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
  const auto count = static_cast<std::int64_t>(song.messages.size());
  const std::int64_t busiest = BusiestSecondMessages(song);
  bool sound = song.length_microseconds <= kLongestSong && busiest <= 5 * count &&
               (count == 0 || busiest > 0);
  for (std::int64_t i = 0; i < count; ++i) {
    const TimedMessage& m = song.messages[static_cast<std::size_t>(i)];
    sound = sound && m.microseconds <= song.length_microseconds && m.message.status >= 0x80 &&
            m.message.status < 0xF0 &&
            (i == 0 || song.messages[i - 1].microseconds <= m.microseconds);
  }
  SongCursor cursor(song, 44100);
  std::int64_t delivered = 0;
  // One pass in a few dozen steps of uneven length, as a sound card asks.
  for (std::int64_t left = cursor.LoopFrames(), step = 1 + left / 37; left > 0;
       left -= step, step = step * 2 % (1 + left / 3) + 64) {
    step = std::min(step, left);
    cursor.Advance(step, [&](const MidiMessage& m) {
      sound = sound && delivered < count && m == song.messages[delivered++].message;
    });
  }
  if (!sound || delivered != count || cursor.Loops() != 1 || cursor.Position() != 0) {
    __builtin_trap();
  }
  return 0;
}
