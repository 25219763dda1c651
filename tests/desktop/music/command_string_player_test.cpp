// The real player on SDL's disk audio driver (its sound goes to a file, in
// real time) with the system's soundfont: one device per tune, never
// restarted by the game's commands, looping without a gap, and silent, brief
// and unblocked when the tune, the soundfont or the command is bad.
#include "desktop/music/command_string_player.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

#include "window_rules/midi_bytes.h"

namespace munyura::desktop {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::Bytes;
using testing::HeldChordSong;
using testing::WriteFile;

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

TEST_F(PlayerTest, PlaysAtTheTimersPaceKeepOneDeviceAndNeverRestartTheTune) {
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
}

TEST_F(PlayerTest, TheTuneStartsAgainAtItsEndWithoutAGap) {
  WriteFile(Path("tune.mid"), HeldChordSong(1));
  std::ostringstream messages;
  CommandStringPlayer player(messages);
  ASSERT_EQ(SendUntilSettled(player, Play("tune.mid"), Path("tune.mid"), 60ms),
            DeviceState::kPlaying)
      << messages.str();
  for (int tick = 0; tick < 500 && player.Position(Path("tune.mid"))->loops < 3; ++tick) {
    player.SendString(Play("tune.mid"), {}, nullptr);
    std::this_thread::sleep_for(60ms);
  }
  ASSERT_GE(player.Position(Path("tune.mid"))->loops, 3);

  // Once the organ has sounded (0.1 s after its first frame), no 10 ms
  // stretch of the capture is quiet: the chord ends on the song's last
  // frame and starts again on the next.
  std::ifstream in(std::getenv("SDL_DISKAUDIOFILE"), std::ios::binary);
  std::vector<float> sound;
  for (float sample = 0; in.read(reinterpret_cast<char*>(&sample), sizeof sample);) {
    sound.push_back(sample);
  }
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

TEST_F(PlayerTest, ABadTuneOrSoundfontIsSilentSaysWhyOnceAndIsNotReadAgain) {
  const Bytes good = HeldChordSong(2);
  const Bytes soundfont = [] {
    std::ifstream in(SystemSoundfont(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }();
  Bytes noise(4096);
  std::ranges::generate(noise, std::mt19937(7));
  Bytes busy = testing::MidiFile(0, 480, {});  // 4,004 notes a second: 1,001 every 250 ms
  for (int note = 0; note < 1001; ++note) {
    busy = testing::Join({busy, {0x00, 0x90, static_cast<std::uint8_t>(note % 128), 1}});
  }
  const auto sized = [](std::uintmax_t size) {
    return [size](const std::string& path) {
      std::ofstream(path).close();
      fs::resize_file(path, size);
    };
  };
  const auto bytes = [](const Bytes& content) {
    return [content](const std::string& path) { WriteFile(path, content); };
  };
  const struct {
    const char* name;
    std::function<void(const std::string&)> make;
    bool is_soundfont = false;
  } cases[] = {
      {"missing", [](const std::string&) {}},
      {"truncated", bytes(Bytes(good.begin(), good.end() - 5))},
      {"noise", bytes(noise)},
      {"empty", sized(0)},
      {"folder", [](const std::string& path) { fs::create_directory(path); }},
      {"pipe", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
      {"just too big", sized(kLargestTuneFile + 1)},
      {"link loop",
       [](const std::string& path) {
         fs::create_symlink(path + "-b", path);
         fs::create_symlink(path, path + "-b");
       }},
      {"too busy", bytes(testing::Join({busy, {0, 0xFF, 0x2F, 0}}))},
      {"missing", [](const std::string&) {}, true},
      {"pipe", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, true},
      {"noise", bytes(noise), true},
      {"truncated", bytes(Bytes(soundfont.begin(), soundfont.end() - 5)), true},
      {"broken inside",
       bytes(testing::Join({Bytes(soundfont.begin(), soundfont.begin() + 12), noise,
                            Bytes(soundfont.size() - 12 - noise.size())})),
       true},
  };
  for (const auto& c : cases) {
    const std::string broken = Path(std::string(c.name) + (c.is_soundfont ? ".sf2" : ".mid"));
    c.make(broken);
    const std::string tune = c.is_soundfont ? Path("tune.mid") : broken;
    WriteFile(Path("tune.mid"), good);
    std::ostringstream messages;
    CommandStringPlayer player(messages, c.is_soundfont ? broken : SystemSoundfont());
    ASSERT_EQ(SendUntilSettled(player, Play(fs::path(tune).filename()), tune, 10ms),
              DeviceState::kFailed)
        << broken;
    for (int tick = 0; tick < 20; ++tick) {
      EXPECT_EQ(player.SendString(Play(fs::path(tune).filename()), {}, nullptr),
                static_cast<int>(CommandError::kCannotPlay))
          << broken;
    }
    const std::string said = messages.str();
    EXPECT_EQ(
        said.rfind("ムニュラ: no music: " + (c.is_soundfont ? "no soundfont at " + broken : tune),
                   0),
        0u)
        << said;
    EXPECT_EQ(std::ranges::count(said, '\n'), 1) << said;
  }
}

TEST_F(PlayerTest, ATuneThatAppearsLaterIsPlayedThen) {
  std::ostringstream messages;
  CommandStringPlayer player(messages);
  ASSERT_EQ(SendUntilSettled(player, Play("tune.mid"), Path("tune.mid"), 10ms),
            DeviceState::kFailed);
  WriteFile(Path("tune.mid"), HeldChordSong(2));
  EXPECT_EQ(SendUntilSettled(player, Play("tune.mid"), Path("tune.mid"), 10ms),
            DeviceState::kPlaying)
      << messages.str();
  EXPECT_EQ(player.DeviceNames(), std::vector{Path("tune.mid")});
}

TEST_F(PlayerTest, OtherCommandsChangeNothingSayOneLineAndNoTextComesBack) {
  WriteFile(Path("tune.mid"), HeldChordSong(30));
  std::ostringstream messages;
  CommandStringPlayer player(messages);
  ASSERT_EQ(SendUntilSettled(player, Play("tune.mid"), Path("tune.mid"), 10ms),
            DeviceState::kPlaying);
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

// SDL keeps a little state of its own until it is told to quit.
class QuitSdlAtTheEnd : public ::testing::Environment {
 public:
  void TearDown() override { SDL_Quit(); }
};
const auto* const kQuitSdl = ::testing::AddGlobalTestEnvironment(new QuitSdlAtTheEnd);

}  // namespace
}  // namespace munyura::desktop
