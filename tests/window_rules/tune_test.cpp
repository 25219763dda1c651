// The tune: the player's command text, the MIDI file it names read along its
// tempo map, and the cursor playing it round and round.
#include "window_rules/command_string.h"
#include "window_rules/midi_song.h"
#include "window_rules/song_cursor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "window_rules/midi_bytes.h"

namespace munyura::window_rules {
namespace {

TEST(CommandString, PlaysTheFileItNamesAndRefusesEverythingElse) {
  using enum CommandError;
  const struct {
    const char* command;
    CommandError error;
    const char* file = "";  // none: refused
  } cases[] = {
      // clang-format off
      // The game's own command: only the backslash before the tune's name is
      // a separator; folders may hold backslashes, quotes, spaces, Japanese.
      {R"(play "/opt/ゲーム フォルダ\bdmidi.mid")", kNone, "/opt/ゲーム フォルダ/bdmidi.mid"},
      {R"(play "/home/a\b\bdmidi.mid")", kNone, R"(/home/a\b/bdmidi.mid)"},
      {R"(play "/home/say "hi"\bdmidi.mid")", kNone, R"(/home/say "hi"/bdmidi.mid)"},
      {R"(play "/home/a\b/bdmidi.mid")", kNone, R"(/home/a\b/bdmidi.mid)"},
      {R"(play /opt/munyura\bdmidi.mid)", kNone, "/opt/munyura/bdmidi.mid"},
      {"  PLAY \t \"tune.mid\"  ", kNone, "tune.mid"},
      {"play \"a \xE9t\xE9\\t.mid\"", kNone, "a \xE9t\xE9/t.mid"},  // bytes kept
      // Not for this player.
      {"", kUnrecognizedCommand}, {"playing tune.mid", kUnrecognizedCommand},
      {"\"play\" tune.mid", kUnrecognizedCommand}, {"play   ", kMissingFileName},
      {"play \"\"", kMissingFileName}, {"play \"/opt/munyura\\bdmidi.mid", kBadSyntax},
      {"play /opt/my games/bdmidi.mid", kBadSyntax}, {"play \"tune.mid\" from 0", kBadSyntax},
      // clang-format on
  };
  for (const auto& c : cases) {
    const ParsedCommand parsed = ParseCommandString(c.command);
    EXPECT_EQ(parsed.error, c.error) << c.command;
    EXPECT_EQ(parsed.file, c.file) << c.command;
  }
}

using namespace munyura::testing;

Bytes Ev(std::uint32_t delta, const Bytes& message) {
  return Join({Delta(delta), message});
}

// Each message's time in µs, status in hex and data; then the song's length.
std::string TimesOf(const MidiSong& song) {
  std::ostringstream out;
  for (const auto& [at, m] : song.messages) {
    out << at << ' ' << std::hex << +m.status << std::dec << ' ' << +m.data1 << ' ' << +m.data2
        << "; ";
  }
  out << "end " << song.length_microseconds;
  return out.str();
}

TEST(MidiSong, ReadsWellFormedFilesAlongTheirTempoMapsAndRefusesTheRest) {
  const Bytes end = Ev(0, kEndOfTrack);
  const Bytes note = Ev(0, {0x90, 60, 100});
  const struct {
    const char* name;
    Bytes file;
    const char* song = nullptr;  // none: refused
  } cases[] = {
      // 480 ticks a quarter at the default 120 BPM: a tick is 500000/480 µs.
      {"default tempo",
       MidiFile(0, 480, {Track({note, Ev(480, {0x80, 60, 0}), Ev(240, kEndOfTrack)})}),
       "0 90 60 100; 500000 80 60 0; end 750000"},
      // Running status, a velocity-0 note-on, one-byte messages and skipped
      // system-exclusive and text events.
      {"running status",
       MidiFile(0, 96,
                {Track({Ev(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}), Ev(0, {0xC1, 5}),
                        Ev(0, {0x91, 64, 90}), Ev(48, {67, 80}), Ev(0, {0xFF, 0x01, 2, 'h', 'i'}),
                        Ev(48, {0x91, 64, 0}), Ev(0, {0xE1, 0x00, 0x40}), end})}),
       "0 c1 5 0; 0 91 64 90; 250000 91 67 80; 500000 91 64 0; 500000 e1 0 64; end 500000"},
      // Format 1: the tempo track halves the tempo after one quarter, and the
      // second track's later notes follow it; equal times keep track order.
      {"tempo map",
       MidiFile(1, 480,
                {Track({Ev(0, Tempo(1'000'000)), Ev(480, Tempo(500'000)), end}),
                 Track({Ev(0, {0x90, 60, 1}), Ev(960, {0x80, 60, 0}), end}),
                 Track({Ev(480, {0x99, 36, 2}), end})}),
       "0 90 60 1; 1000000 99 36 2; 1500000 80 60 0; end 1500000"},
      // SMPTE time: 25 frames a second, 40 ticks a frame, tempo ignored.
      {"SMPTE",
       MidiFile(0, 0xE728,
                {Track({Ev(0, Tempo(100)), Ev(1000, {0x90, 60, 1}), Ev(500, kEndOfTrack)})}),
       "1000000 90 60 1; end 1500000"},
      {"text", {'h', 'e', 'l', 'l', 'o', ',', ' ', 'w', 'o', 'r', 'l', 'd', '!', '\n'}},
      {"no tracks", MidiFile(0, 480, {})},
      {"format 2", MidiFile(2, 480, {Track({end})})},
      {"format 0 with two tracks", MidiFile(0, 480, {Track({end}), Track({end})})},
      {"no ticks a quarter", MidiFile(0, 0, {Track({end})})},
      {"no end of track", MidiFile(0, 480, {Track({note})})},
      {"bytes after the end", MidiFile(0, 480, {Track({end, note})})},
      {"data before any status", MidiFile(0, 480, {Track({Ev(0, {60, 100}), end})})},
      {"message cut by a status", MidiFile(0, 480, {Track({Ev(0, {0x90, 60}), end})})},
      {"five-byte delta",
       MidiFile(0, 480, {Track({Join({{0x81, 0x81, 0x81, 0x81, 0x01}, {0x90, 60, 1}}), end})})},
      {"tempo of zero", MidiFile(0, 480, {Track({Ev(0, Tempo(0)), end})})},
      {"real-time byte", MidiFile(0, 480, {Track({Ev(0, {0xF8}), end})})},
      {"longer than an hour",
       MidiFile(0, 1, {Track({Ev(0, Tempo(0xFFFFFF)), Ev(300, kEndOfTrack)})})},
      {"chunk longer than the file",
       Join({MidiFile(0, 480, {}), {'M', 'T', 'r', 'k', 0x7F, 0xFF, 0xFF, 0xFF, 0x00}})},
  };
  for (const auto& c : cases) {
    if (c.song) {
      EXPECT_EQ(TimesOf(ReadMidiSong(c.file)), c.song) << c.name;
      // Every truncation of a good file is refused.
      for (std::size_t size = 0; size < c.file.size(); ++size) {
        EXPECT_THROW(ReadMidiSong(std::span(c.file).first(size)), MidiFileError) << c.name << size;
      }
    } else {
      EXPECT_THROW(ReadMidiSong(c.file), MidiFileError) << c.name;
    }
  }
}

MidiSong Song(int length_ms, const std::vector<int>& times_ms) {
  MidiSong song{{}, length_ms * 1000};
  for (std::size_t i = 0; i < times_ms.size(); ++i) {
    song.messages.push_back({times_ms[i] * 1000, {0x90, static_cast<std::uint8_t>(i), 1}});
  }
  return song;
}

// Played for 3 s in steps of the sizes given, each message comes once a pass,
// in order, in the step its frame falls in (one at the very end on the last
// frame); a tiny song repeats no faster than four times a second.
TEST(SongCursor, DeliversEachMessageOncePerPassWithinTheStepItFallsIn) {
  const struct {
    int length_ms;
    std::vector<int> times_ms;
    int loop;  // frames
  } songs[] = {{1000, {0, 300, 300, 999, 1000}, 1000}, {0, {0}, 250}, {249, {0, 249}, 250}};
  for (const auto& song : songs) {
    const int count = static_cast<int>(song.times_ms.size());
    for (const std::vector<int>& steps : {std::vector{1}, {7, song.loop, 64, 1}, {song.loop - 1}}) {
      SongCursor cursor(Song(song.length_ms, song.times_ms), 1000);  // a frame is a millisecond
      EXPECT_EQ(cursor.LoopFrames(), song.loop) << song.length_ms;
      int delivered = 0;
      for (int played = 0, i = 0; played < 3000; ++i) {
        const int step = std::min(steps[i % steps.size()], 3000 - played);
        cursor.Advance(step, [&](const MidiMessage& m) {
          const int due = delivered / count * song.loop +
                          std::min(song.times_ms[delivered % count], song.loop - 1);
          EXPECT_EQ(m.data1, delivered % count) << delivered;
          EXPECT_TRUE(played <= due && due < played + step)
              << song.length_ms << " ms, step " << steps[0] << ", #" << delivered;
          ++delivered;
        });
        played += step;
        EXPECT_EQ(cursor.Position(), played % song.loop) << played;
        EXPECT_EQ(cursor.Loops(), played / song.loop) << played;
      }
      EXPECT_EQ(delivered, 3000 / song.loop * count) << song.length_ms << " ms, step " << steps[0];
    }
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
