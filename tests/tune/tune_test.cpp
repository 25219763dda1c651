// The background tune, assets/bdmidi.mid, as the game reads and plays it. The
// game loops it forever, so every channel is set up on the first tick, the
// song stops on a bar line and no note hangs over the seam. It must still be
// what tools/make-tune.py writes, and one loop lasts 45 to 90 seconds and
// peaks between -6 and -3 dBFS: loud enough to hear, clear of clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include "desktop/music/tune_file.h"
#include "desktop/music/tune_playback.h"

namespace munyura::desktop {
namespace {

constexpr int kDrums = 9;
const std::string kTune = std::string(MUNYURA_SOURCE_DIR) + "/assets/bdmidi.mid";

bool Struck(const window_rules::MidiMessage& m) {
  return m.Kind() == 0x90 && m.data2 > 0;
}

// The data of a meta event among those on the first tick of the first track.
std::vector<std::uint8_t> FirstTickMeta(const std::vector<std::uint8_t>& file, int type) {
  for (std::size_t at = 22; at + 4 < file.size() && file[at] == 0 && file[at + 1] == 0xFF;
       at += 4 + file[at + 3]) {
    if (file[at + 2] == type) {
      return {file.begin() + at + 4, file.begin() + at + 4 + file[at + 3]};
    }
  }
  return {};
}

TEST(TuneFile, MelodyBassAndDrumsAreSetUpOnTheFirstTickOnChannelsOfTheirOwn) {
  const auto song = window_rules::ReadMidiSong(ReadTuneFile(kTune));
  std::map<int, std::vector<int>> keys;  // struck, by channel
  std::map<int, std::set<int>> setup;    // controllers, and 128 for a program, on the first tick
  std::set<int> programs;
  bool sounds_at_once = false;
  for (const auto& [time, m] : song.messages) {
    if (Struck(m)) {
      keys[m.Channel()].push_back(m.data1);
    }
    sounds_at_once |= time == 0 && Struck(m);
    if (time == 0 && (m.Kind() == 0xB0 || m.Kind() == 0xC0)) {
      setup[m.Channel()].insert(m.Kind() == 0xC0 ? 128 : m.data1);
    }
    if (time == 0 && m.Kind() == 0xC0 && m.Channel() != kDrums) {
      programs.insert(m.data1);
    }
  }
  EXPECT_TRUE(sounds_at_once);
  ASSERT_TRUE(keys.contains(kDrums));
  std::vector<int> medians;
  for (auto& [channel, struck] : keys) {
    const std::set<int> needed = channel == kDrums ? std::set{7, 10, 91} : std::set{7, 10, 91, 128};
    EXPECT_TRUE(std::ranges::includes(setup[channel], needed)) << "channel " << channel;
    std::ranges::nth_element(struck, struck.begin() + struck.size() / 2);
    if (channel != kDrums) {
      medians.push_back(struck[struck.size() / 2]);
    }
  }
  EXPECT_EQ(programs.size(), keys.size() - 1) << "melody and bass need instruments of their own";
  EXPECT_GE(std::ranges::max(medians), 67) << "no melody above G4";
  EXPECT_LE(std::ranges::min(medians), 52) << "no bass below E3";
}

TEST(TuneFile, EndsOnABarLineWithEveryNoteReleased) {
  const auto file = ReadTuneFile(kTune);
  const auto song = window_rules::ReadMidiSong(file);
  const auto tempo = FirstTickMeta(file, 0x51);
  const auto metre = FirstTickMeta(file, 0x58);
  ASSERT_EQ(tempo.size(), 3u) << "no tempo on the first tick";
  ASSERT_EQ(metre.size(), 4u) << "no metre on the first tick";
  const std::int64_t bar = (tempo[0] << 16 | tempo[1] << 8 | tempo[2]) * 4 * metre[0] >> metre[1];
  EXPECT_EQ(song.length_microseconds % bar, 0) << "the loop point is not on a bar line";
  std::map<std::pair<int, int>, int> sounding;  // by channel and key: 1 while struck
  for (const auto& [time, m] : song.messages) {
    if (m.Kind() == 0x80 || m.Kind() == 0x90) {
      const int now = sounding[{m.Channel(), m.data1}] += Struck(m) ? 1 : -1;
      EXPECT_TRUE(now == 0 || now == 1) << "key " << int{m.data1} << " struck again or released "
                                        << "unstruck at " << time << " µs";
    }
  }
  EXPECT_TRUE(std::ranges::all_of(sounding, [](const auto& key) { return key.second == 0; }))
      << "notes still sounding at the end";
}

TEST(TuneFile, IsWhatItsScriptWrites) {
  const std::string written = ::testing::TempDir() + "tune.mid";
  const std::string script = std::string(MUNYURA_SOURCE_DIR) + "/tools/make-tune.py";
  ASSERT_EQ(std::system((script + " --output '" + written + "' > /dev/null").c_str()), 0);
  EXPECT_TRUE(ReadTuneFile(written) == ReadTuneFile(kTune))
      << "tools/make-tune.py no longer writes assets/bdmidi.mid";
}

TEST(TuneFile, OneLoopLasts45To90SecondsAndPeaksAtMinus6ToMinus3Dbfs) {
  const auto playback = LoadTune(kTune, SystemSoundfont(), 44100);
  std::vector<float> loop(2 * static_cast<std::size_t>(playback->LoopFrames()));
  playback->Render(loop);
  const double seconds = playback->LoopFrames() / 44100.0;
  const auto loudest = std::ranges::max(loop, {}, [](float sample) { return std::abs(sample); });
  const double peak = 20 * std::log10(std::abs(loudest));
  std::cout << "one loop: " << seconds << " s, peak " << peak << " dBFS\n";
  EXPECT_TRUE(45 <= seconds && seconds <= 90) << seconds;
  EXPECT_TRUE(-6 <= peak && peak <= -3) << peak;
}

}  // namespace
}  // namespace munyura::desktop
