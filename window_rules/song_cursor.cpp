#include "window_rules/song_cursor.h"

#include <algorithm>
#include <vector>

namespace munyura::window_rules {
namespace {

std::int64_t ToFrames(std::int64_t microseconds, int frame_rate) {
  return microseconds * frame_rate / 1'000'000;
}

}  // namespace

std::int64_t BusiestSecondMessages(const MidiSong& song) {
  constexpr std::int64_t kSecond = 1'000'000;
  const std::int64_t period = std::max(song.length_microseconds, kShortestLoopMicroseconds);
  const auto count = static_cast<std::int64_t>(song.messages.size());
  // A second holds whole passes, and a stretch of `rest` that may wrap round
  // the loop's end; that stretch is busiest when it starts at a message.
  const std::int64_t rest = kSecond % period;
  std::vector<std::int64_t> times;
  times.reserve(2 * song.messages.size());
  for (const TimedMessage& timed : song.messages) {
    times.push_back(std::min(timed.microseconds, period - 1));
  }
  for (std::int64_t i = 0; i < count; ++i) {
    times.push_back(times[static_cast<std::size_t>(i)] + period);
  }
  std::int64_t busiest_rest = 0;
  auto end = times.begin();
  for (auto start = times.begin(); start != times.begin() + count; ++start) {
    end = std::lower_bound(std::max(end, start), times.end(), *start + rest);
    busiest_rest = std::max<std::int64_t>(busiest_rest, end - start);
  }
  return kSecond / period * count + busiest_rest;
}

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
