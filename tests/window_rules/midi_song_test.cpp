// Reading Standard MIDI Files: the times of their messages along the tempo
// map, and the refusal of anything malformed (any bytes at all: midi_fuzz).
#include "window_rules/midi_song.h"

#include <gtest/gtest.h>

#include <vector>

#include "window_rules/midi_bytes.h"

namespace munyura::window_rules {
namespace {

using namespace munyura::testing;

// One event of a track: its delta time and its message.
Bytes Ev(std::uint32_t delta, const Bytes& message) {
  return Join({Delta(delta), message});
}

struct Expected {
  std::int64_t microseconds;
  MidiMessage message;
};

void ExpectSong(const Bytes& file, const std::vector<Expected>& expected, std::int64_t length,
                const char* name) {
  const MidiSong song = ReadMidiSong(file);
  ASSERT_EQ(song.messages.size(), expected.size()) << name;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(song.messages[i].microseconds, expected[i].microseconds) << name << " #" << i;
    EXPECT_EQ(song.messages[i].message, expected[i].message) << name << " #" << i;
  }
  EXPECT_EQ(song.length_microseconds, length) << name;
}

TEST(MidiSong, TimesFollowTheDivisionAndTheTempoMap) {
  // 480 ticks a quarter at the default 120 BPM: a tick is 500000/480 µs.
  ExpectSong(
      MidiFile(0, 480,
               {Track({Ev(0, {0x90, 60, 100}), Ev(480, {0x80, 60, 0}), Ev(240, kEndOfTrack)})}),
      {{0, {0x90, 60, 100}}, {500'000, {0x80, 60, 0}}}, 750'000, "default tempo");

  // Running status, a velocity-0 note-on, one-byte messages and skipped
  // system-exclusive and text events.
  ExpectSong(
      MidiFile(0, 96,
               {Track({Ev(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}), Ev(0, {0xC1, 5}),
                       Ev(0, {0x91, 64, 90}), Ev(48, {67, 80}), Ev(0, {0xFF, 0x01, 2, 'h', 'i'}),
                       Ev(48, {0x91, 64, 0}), Ev(0, {0xE1, 0x00, 0x40}), Ev(0, kEndOfTrack)})}),
      {{0, {0xC1, 5, 0}},
       {0, {0x91, 64, 90}},
       {250'000, {0x91, 67, 80}},
       {500'000, {0x91, 64, 0}},
       {500'000, {0xE1, 0x00, 0x40}}},
      500'000, "running status");

  // Format 1: the tempo track halves the tempo after one quarter, and the
  // second track's later notes follow it; equal times keep track order.
  ExpectSong(
      MidiFile(1, 480,
               {Track({Ev(0, Tempo(1'000'000)), Ev(480, Tempo(500'000)), Ev(0, kEndOfTrack)}),
                Track({Ev(0, {0x90, 60, 1}), Ev(960, {0x80, 60, 0}), Ev(0, kEndOfTrack)}),
                Track({Ev(480, {0x99, 36, 2}), Ev(0, kEndOfTrack)})}),
      {{0, {0x90, 60, 1}}, {1'000'000, {0x99, 36, 2}}, {1'500'000, {0x80, 60, 0}}}, 1'500'000,
      "tempo map");

  // SMPTE time: 25 frames a second, 40 ticks a frame, tempo ignored.
  ExpectSong(MidiFile(0, 0xE728,
                      {Track({Ev(0, Tempo(100)), Ev(1000, {0x90, 60, 1}), Ev(500, kEndOfTrack)})}),
             {{1'000'000, {0x90, 60, 1}}}, 1'500'000, "SMPTE");
}

TEST(MidiSong, RefusesWhatIsNotAWellFormedFile) {
  const Bytes note = Ev(0, {0x90, 60, 100});
  const Bytes end = Ev(0, kEndOfTrack);
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"empty", {}},
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
    EXPECT_THROW(ReadMidiSong(c.file), MidiFileError) << c.name;
  }
}

TEST(MidiSong, EveryTruncationOfAGoodFileIsRefused) {
  const Bytes whole = MidiFile(1, 480,
                               {Track({Ev(0, Tempo(400'000)), Ev(0, kEndOfTrack)}),
                                Track({Ev(0, {0xC0, 73}), Ev(0, {0x90, 72, 90}),
                                       Ev(240, {0x80, 72, 0}), Ev(0, kEndOfTrack)})});
  ASSERT_NO_THROW(ReadMidiSong(whole));
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_THROW(ReadMidiSong(std::span(whole).first(size)), MidiFileError) << size << " bytes";
  }
}

}  // namespace
}  // namespace munyura::window_rules
