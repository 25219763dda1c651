// The real player on SDL's disk audio driver (its sound goes to a file, in
// real time) with the system's soundfont: one device per tune, never
// restarted by the game's commands, looping without a gap, and silent, brief
// and unblocked when the tune, the soundfont or the command is bad.
#include "desktop/music/command_string_player.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "window_rules/midi_bytes.h"

namespace munyura::desktop {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace munyura::testing;

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", (folder_.parent_path() / "captured.raw").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(folder_.parent_path()); }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  // As the game writes it: the folder, a backslash and the file's name.
  std::string Play(const std::string& name) const {
    return "play \"" + folder_.string() + "\\" + name + "\"";
  }
  // Sends the command every `interval` until the tune is playing or failed.
  static DeviceState SendUntilSettled(CommandStringPlayer& player, const std::string& command,
                                      const std::string& file, std::chrono::milliseconds interval) {
    for (int i = 0; i < 1000 && player.SendString(command, {}, nullptr) == 0; ++i) {
      if (player.State(file) != DeviceState::kOpening) {
        break;
      }
      std::this_thread::sleep_for(interval);
    }
    return player.State(file).value_or(DeviceState::kOpening);
  }

  fs::path folder_ = fs::temp_directory_path() / ("munyura-player-" + std::to_string(::getpid())) /
                     "ゲーム フォルダ";
};

// Then other commands change nothing, say one line and write no text back.
TEST_F(PlayerTest, PlaysAtTheTimersPaceKeepsOneDeviceAndTakesNoOtherCommand) {
  WriteFile(Path("tune.mid"), HeldChordSong(30));
  std::ostringstream messages;
  CommandStringPlayer player(messages);
  // A hundred plays at least, and on until the tune has played for two
  // seconds, however long its opening takes on a busy machine.
  std::int64_t played = 0;
  for (int tick = 0; tick < 500 && (tick < 100 || played < 2 * 44100); ++tick) {
    EXPECT_EQ(player.SendString(Play("tune.mid"), {}, nullptr), 0) << tick;
    EXPECT_EQ(player.DeviceNames(), std::vector{Path("tune.mid")}) << tick;
    if (const auto position = player.Position(Path("tune.mid"))) {
      EXPECT_GE(position->frames_played, played) << tick;
      // The song's place is read after the time played, so it is never
      // behind it; it is ahead by the blocks rendered meanwhile.
      EXPECT_GE(position->position, position->frames_played) << tick;
      EXPECT_EQ(position->loops, 0) << tick;
      played = position->frames_played;
    }
    std::this_thread::sleep_for(60ms);
  }
  EXPECT_GE(played, 2 * 44100) << messages.str();
  EXPECT_EQ(messages.str(), "");

  std::array<char, 8> text;
  for (const std::string& command :
       {std::string(""), "stop \"" + Path("tune.mid") + "\"", Play("tune.mid") + " from 0"}) {
    text.fill('x');
    EXPECT_NE(player.SendString(command, std::span(text).first(0), nullptr), 0) << command;
    EXPECT_EQ(std::string(text.begin(), text.end()), "xxxxxxxx") << command;
    player.SendString(command, text, nullptr);
    EXPECT_EQ(std::string(text.begin(), text.end()), std::string("\0xxxxxxx", 8)) << command;
    EXPECT_EQ(player.DeviceNames(), std::vector{Path("tune.mid")}) << command;
    EXPECT_EQ(player.State(Path("tune.mid")), DeviceState::kPlaying) << command;
  }
  EXPECT_EQ(messages.str(),
            "ムニュラ: cannot carry out the music command '': only play is understood\n");
}

TEST(TunePlayback, StartsAgainAtTheSongsEndWithoutAGap) {
  const std::string tune = ::testing::TempDir() + "chord.mid";
  WriteFile(tune, HeldChordSong(1));
  const auto playback = LoadTune(tune, SystemSoundfont(), 44100);
  std::vector<float> sound(2 * 4 * 44100);
  playback->Render(sound);
  EXPECT_EQ(playback->Position().loops, 4);
  // Once the organ has sounded (0.1 s in), no 10 ms stretch is quiet: the
  // chord ends on the song's last frame and starts again on the next.
  for (std::size_t at = 2 * 4410; at + 2 * 441 <= sound.size(); at += 2 * 441) {
    double energy = 0;
    for (std::size_t i = at; i < at + 2 * 441; ++i) {
      energy += double{sound[i]} * sound[i];
    }
    EXPECT_GT(std::sqrt(energy / (2 * 441)), 0.01) << "quiet at " << at / 2 << " frames";
  }
}

// Every kind of bad file is refused by the real game (music_end_to_end);
// here, the limits, and that a refused file is not read again.
TEST_F(PlayerTest, ABadTuneOrSoundfontSaysWhyOnceAndIsReadAgainOnlyOnceMended) {
  std::ifstream in(SystemSoundfont(), std::ios::binary);
  const Bytes soundfont{std::istreambuf_iterator<char>(in), {}};
  Bytes busy;  // 4,004 notes a second: 1,001 every 250 ms
  for (int note = 0; note < 1001; ++note) {
    busy = Join({busy, {0x00, 0x90, static_cast<std::uint8_t>(note % 128), 1}});
  }
  const struct {
    std::string name;
    Bytes content;
    std::string why;
  } cases[] = {
      {"missing.mid", {}, "No such file"},
      {"just-too-big.mid", Bytes(kLargestTuneFile + 1), "too large"},
      {"too-busy.mid", MidiFile(0, 480, {Track({busy, {0, 0xFF, 0x2F, 0}})}),
       "4004 messages in one second"},
      {"missing.sf2", {}, "No such file"},
      {"truncated.sf2", Bytes(soundfont.begin(), soundfont.end() - 1), "not a soundfont"},
  };
  for (const auto& [name, content, why] : cases) {
    const bool is_soundfont = name.ends_with(".sf2");
    WriteFile(Path("tune.mid"), HeldChordSong(2));
    if (!content.empty()) {
      WriteFile(Path(name), content);
    }
    const std::string tune = is_soundfont ? "tune.mid" : name;
    std::ostringstream messages;
    CommandStringPlayer player(messages, is_soundfont ? Path(name) : SystemSoundfont());
    ASSERT_EQ(SendUntilSettled(player, Play(tune), Path(tune), 10ms), DeviceState::kFailed) << name;
    for (int tick = 0; tick < 20; ++tick) {
      EXPECT_EQ(player.SendString(Play(tune), {}, nullptr), 4) << name;  // kCannotPlay
    }
    const std::string said = messages.str();
    EXPECT_TRUE(said.starts_with(
        "ムニュラ: no music: " + std::string(is_soundfont ? "no soundfont at " : "") + Path(name)))
        << said;
    EXPECT_NE(said.find(why), std::string::npos) << said;
    EXPECT_EQ(std::ranges::count(said, '\n'), 1) << said;
    if (!is_soundfont) {  // mended, it is read again and played
      WriteFile(Path(name), HeldChordSong(2));
      EXPECT_EQ(SendUntilSettled(player, Play(tune), Path(tune), 10ms), DeviceState::kPlaying);
      EXPECT_EQ(player.DeviceNames(), std::vector{Path(tune)});
    }
  }
}

// SDL keeps a little state of its own until it is told to quit.
class QuitSdlAtTheEnd : public ::testing::Environment {
 public:
  void TearDown() override { SDL_Quit(); }
};
const auto* const kQuitSdl = ::testing::AddGlobalTestEnvironment(new QuitSdlAtTheEnd);

}  // namespace
}  // namespace munyura::desktop
