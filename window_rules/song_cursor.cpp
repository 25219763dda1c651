#include "window_rules/song_cursor.h"

#include <algorithm>

namespace munyura::window_rules {
namespace {

std::int64_t ToFrames(std::int64_t microseconds, int frame_rate) {
  return microseconds * frame_rate / 1'000'000;
}

}  // namespace

SongCursor::SongCursor(const MidiSong& song, int frame_rate)
    : loop_frames_(
          ToFrames(std::max(song.length_microseconds, kShortestLoopMicroseconds), frame_rate)) {
  messages_.reserve(song.messages.size());
  for (const TimedMessage& timed : song.messages) {
    // A message at the very end belongs to the loop's join: it is sent just
    // before the song starts again.
    const std::int64_t frame = std::min(ToFrames(timed.microseconds, frame_rate), loop_frames_ - 1);
    messages_.push_back({frame, timed.message});
  }
}

}  // namespace munyura::window_rules
