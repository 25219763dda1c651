// The tune's place: every message once per pass, in order, at its frame, the
// song starting again from the top without a gap, and what a second of it
// asks of the synthesiser.
#include "window_rules/song_cursor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace munyura::window_rules {
namespace {

constexpr int kRate = 1000;  // a frame is a millisecond

MidiSong Song(std::int64_t length_ms, std::vector<std::int64_t> times_ms) {
  MidiSong song{{}, length_ms * 1000};
  for (std::size_t i = 0; i < times_ms.size(); ++i) {
    song.messages.push_back({times_ms[i] * 1000, {0x90, static_cast<std::uint8_t>(i), 1}});
  }
  return song;
}

struct Delivery {
  std::int64_t played;  // frames played before the step that delivered it
  int step;             // that step's length
  int key;
};

// Plays exactly `total` frames in steps of the sizes given, over and over.
std::vector<Delivery> Play(SongCursor& cursor, std::int64_t total, std::vector<int> steps) {
  std::vector<Delivery> delivered;
  for (std::int64_t played = 0, i = 0; played < total; ++i) {
    const auto step =
        static_cast<int>(std::min<std::int64_t>(steps[i % steps.size()], total - played));
    cursor.Advance(step, [&](const MidiMessage& m) {
      delivered.push_back({played, step, m.data1});
    });
    played += step;
    EXPECT_EQ(cursor.Position(), played % cursor.LoopFrames()) << played;
    EXPECT_EQ(cursor.Loops(), played / cursor.LoopFrames()) << played;
  }
  return delivered;
}

TEST(SongCursor, DeliversEachMessageOncePerPassWithinTheStepItFallsIn) {
  // 1 s song: messages at 0, 300, 300, 999 ms, and one at the very end that
  // is due on the last frame, before the song starts again.
  const MidiSong song = Song(1000, {0, 300, 300, 999, 1000});
  const std::int64_t due_in_pass[] = {0, 300, 300, 999, 999};
  for (const std::vector<int>& steps : {std::vector{1}, {7, 250, 64, 1}, {999}}) {
    SongCursor cursor(song, kRate);
    const auto delivered = Play(cursor, 3000, steps);
    ASSERT_EQ(delivered.size(), 15u) << steps[0];
    for (std::size_t i = 0; i < delivered.size(); ++i) {
      const auto [played, step, key] = delivered[i];
      const std::int64_t due = static_cast<std::int64_t>(i / 5) * 1000 + due_in_pass[i % 5];
      EXPECT_EQ(key, static_cast<int>(i % 5)) << i;
      EXPECT_LE(played, due) << "step " << steps[0] << " message " << i;
      EXPECT_LT(due, played + step) << "step " << steps[0] << " message " << i;
    }
  }
}

TEST(SongCursor, AnEmptyOrTinySongRepeatsNoFasterThanFourTimesASecond) {
  for (const std::int64_t length_ms : {0, 1, 249}) {
    SongCursor cursor(Song(length_ms, {0}), kRate);
    EXPECT_EQ(cursor.LoopFrames(), 250) << length_ms;
    EXPECT_EQ(Play(cursor, 1000, {64}).size(), 4u) << length_ms;
  }
}

TEST(SongCursor, TheBusiestSecondCountsEveryPassAndWrapsRoundTheLoop) {
  const struct {
    MidiSong song;
    std::int64_t busiest;
  } cases[] = {
      {Song(0, {}), 0},
      {Song(1000, {0, 0, 0}), 3},
      {Song(100, {0}), 4},           // played every 250 ms
      {Song(600, {0, 500}), 4},      // 500 and 600 + 0 in the second's last 400 ms
      {Song(2000, {100, 1950}), 2},  // 1950 and 2000 + 100
      {Song(2000, {100, 900, 1150}), 2},
      {Song(1000, {1000, 1000}), 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BusiestSecondMessages(c.song), c.busiest) << c.song.length_microseconds;
  }
}

}  // namespace
}  // namespace munyura::window_rules
