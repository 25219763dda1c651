// The real player on SDL's disk audio driver (its sound goes to a file, in
// real time) with the system's soundfont: one device per tune, never
// restarted by the game's commands, looping without a gap, and silent, brief
// and unblocked when the tune is missing or broken.
#include "desktop/music/command_string_player.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "window_rules/midi_bytes.h"

namespace munyura::desktop {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("munyura-player-" + std::to_string(::getpid()) + "/ゲーム フォルダ");
    fs::create_directories(folder_);
    audio_file_ = (folder_.parent_path() / "captured.raw").string();
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", audio_file_.c_str(), 1);
  }
  void TearDown() override { fs::remove_all(folder_.parent_path()); }

  std::string Path(const char* name) const { return (folder_ / name).string(); }
  // As the game writes it: the folder, a backslash and the file's name.
  std::string PlayCommand(const char* name) const {
    return "play \"" + folder_.string() + "\\" + name + "\"";
  }

  // Sends the command every `interval` until the tune is playing or failed.
  static DeviceState SendUntilSettled(CommandStringPlayer& player, const std::string& command,
                                      const std::string& file, std::chrono::milliseconds interval) {
    for (int i = 0; i < 500; ++i) {
      player.SendString(command, {}, nullptr);
      if (player.State(file) != DeviceState::kOpening) {
        return *player.State(file);
      }
      std::this_thread::sleep_for(interval);
    }
    return DeviceState::kOpening;
  }

  std::vector<float> CapturedSound() const {
    std::ifstream in(audio_file_, std::ios::binary);
    std::vector<float> samples;
    float sample = 0;
    while (in.read(reinterpret_cast<char*>(&sample), sizeof sample)) {
      samples.push_back(sample);
    }
    return samples;
  }

  fs::path folder_;
  std::string audio_file_;
};

TEST_F(PlayerTest, AHundredPlaysAtTheTimersPaceKeepOneDeviceAndNeverRestartTheTune) {
  testing::WriteFile(Path("tune.mid"), testing::HeldChordSong(30));
  std::ostringstream messages;
  CommandStringPlayer player(messages);

  std::int64_t last_played = 0;
  for (int tick = 0; tick < 100; ++tick) {
    EXPECT_EQ(player.SendString(PlayCommand("tune.mid"), {}, nullptr), 0) << tick;
    EXPECT_EQ(player.DeviceNames(), std::vector{Path("tune.mid")}) << tick;
    if (const auto position = player.Position(Path("tune.mid"))) {
      EXPECT_GE(position->frames_played, last_played) << tick;
      last_played = position->frames_played;
    }
    std::this_thread::sleep_for(60ms);
  }

  const auto position = player.Position(Path("tune.mid"));
  ASSERT_TRUE(position.has_value()) << messages.str();
  // Six seconds of commands: the tune has played for most of them, and the
  // place in the song is the whole time played, so it never went back.
  EXPECT_GT(position->frames_played, 4 * 44100);
  EXPECT_EQ(position->loops, 0);
  EXPECT_GE(position->position, position->frames_played);
  EXPECT_LT(position->position, position->frames_played + 64);
  EXPECT_EQ(messages.str(), "");
}

TEST_F(PlayerTest, TheTuneStartsAgainAtItsEndWithoutAGap) {
  testing::WriteFile(Path("tune.mid"), testing::HeldChordSong(1));
  std::ostringstream messages;
  CommandStringPlayer player(messages);
  ASSERT_EQ(SendUntilSettled(player, PlayCommand("tune.mid"), Path("tune.mid"), 60ms),
            DeviceState::kPlaying)
      << messages.str();
  for (int tick = 0; tick < 100 && player.Position(Path("tune.mid"))->loops < 3; ++tick) {
    player.SendString(PlayCommand("tune.mid"), {}, nullptr);
    std::this_thread::sleep_for(60ms);
  }
  ASSERT_GE(player.Position(Path("tune.mid"))->loops, 3);

  // Once the organ has sounded (0.1 s after its first frame), no 10 ms
  // stretch of the capture is quiet: the chord ends on the song's last
  // frame and starts again on the next.
  const std::vector<float> sound = CapturedSound();
  constexpr std::size_t kWindow = 2 * 441;
  std::size_t start = 0;
  while (start < sound.size() && std::abs(sound[start]) < 1e-3f) {
    ++start;
  }
  start += 2 * 4410;
  ASSERT_GT(sound.size(), start + 5 * 44100) << "less than 2.5 s captured";
  for (std::size_t at = start; at + kWindow <= start + 5 * 44100; at += kWindow) {
    double energy = 0;
    for (std::size_t i = at; i < at + kWindow; ++i) {
      energy += double{sound[i]} * sound[i];
    }
    EXPECT_GT(std::sqrt(energy / kWindow), 0.01) << "quiet at " << (at - start) / 2 << " frames";
  }
}

TEST_F(PlayerTest, ABrokenOrMissingTuneIsSilentSaysWhyOnceAndIsNotReadAgain) {
  const testing::Bytes good = testing::HeldChordSong(2);
  testing::WriteFile(Path("truncated.mid"), testing::Bytes(good.begin(), good.end() - 5));
  testing::Bytes noise(4096);
  std::mt19937 random(7);
  for (auto& b : noise) {
    b = static_cast<std::uint8_t>(random());
  }
  testing::WriteFile(Path("noise.mid"), noise);
  std::ofstream(Path("empty.mid")).close();
  fs::create_directory(Path("folder.mid"));
  ASSERT_EQ(::mkfifo(Path("pipe.mid").c_str(), 0600), 0);
  std::ofstream(Path("huge.mid")).close();
  fs::resize_file(Path("huge.mid"), 100 << 20);
  fs::create_symlink(Path("loop-b.mid"), Path("loop-a.mid"));
  fs::create_symlink(Path("loop-a.mid"), Path("loop-b.mid"));

  for (const char* name : {"missing.mid", "truncated.mid", "noise.mid", "empty.mid", "folder.mid",
                           "pipe.mid", "huge.mid", "loop-a.mid"}) {
    std::ostringstream messages;
    CommandStringPlayer player(messages);
    ASSERT_EQ(SendUntilSettled(player, PlayCommand(name), Path(name), 10ms), DeviceState::kFailed)
        << name;
    for (int tick = 0; tick < 20; ++tick) {
      EXPECT_EQ(player.SendString(PlayCommand(name), {}, nullptr),
                static_cast<int>(CommandError::kCannotPlay))
          << name;
    }
    EXPECT_EQ(player.Position(Path(name)), std::nullopt) << name;
    const std::string said = messages.str();
    EXPECT_EQ(said.rfind("ムニュラ: no music: ", 0), 0u) << name << ": " << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << name << ": " << said;
  }
}

TEST_F(PlayerTest, WithoutASoundfontTheGameIsSilentAndSaysSoOnce) {
  testing::WriteFile(Path("tune.mid"), testing::HeldChordSong(2));
  std::ostringstream messages;
  CommandStringPlayer player(messages, Path("no-such-soundfont.sf2"));
  EXPECT_EQ(SendUntilSettled(player, PlayCommand("tune.mid"), Path("tune.mid"), 10ms),
            DeviceState::kFailed);
  player.SendString(PlayCommand("tune.mid"), {}, nullptr);
  EXPECT_EQ(messages.str(),
            "ムニュラ: no music: no soundfont at " + Path("no-such-soundfont.sf2") + "\n");
}

TEST_F(PlayerTest, ATuneThatAppearsLaterIsPlayedThen) {
  std::ostringstream messages;
  CommandStringPlayer player(messages);
  ASSERT_EQ(SendUntilSettled(player, PlayCommand("tune.mid"), Path("tune.mid"), 10ms),
            DeviceState::kFailed);
  testing::WriteFile(Path("tune.mid"), testing::HeldChordSong(2));
  EXPECT_EQ(SendUntilSettled(player, PlayCommand("tune.mid"), Path("tune.mid"), 10ms),
            DeviceState::kPlaying)
      << messages.str();
  EXPECT_EQ(player.DeviceNames(), std::vector{Path("tune.mid")});
}

TEST_F(PlayerTest, OtherCommandsChangeNothingAndNoTextComesBack) {
  testing::WriteFile(Path("tune.mid"), testing::HeldChordSong(30));
  std::ostringstream messages;
  CommandStringPlayer player(messages);
  ASSERT_EQ(SendUntilSettled(player, PlayCommand("tune.mid"), Path("tune.mid"), 10ms),
            DeviceState::kPlaying);

  std::array<char, 8> text;
  for (const std::string& command : std::vector<std::string>{
           "", "stop \"" + Path("tune.mid") + "\"", "close all",
           "play \"" + Path("tune.mid") + "\" from 0", PlayCommand("tune.mid")}) {
    text.fill('x');
    const int answer = player.SendString(command, std::span(text).first(0), nullptr);
    EXPECT_EQ(answer == 0, command == PlayCommand("tune.mid")) << command;
    EXPECT_EQ(std::string(text.begin(), text.end()), "xxxxxxxx") << command;
    player.SendString(command, text, nullptr);
    EXPECT_EQ(std::string(text.begin(), text.end()), std::string("\0xxxxxxx", 8)) << command;
    EXPECT_EQ(player.DeviceNames(), std::vector{Path("tune.mid")}) << command;
    EXPECT_EQ(player.State(Path("tune.mid")), DeviceState::kPlaying) << command;
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
