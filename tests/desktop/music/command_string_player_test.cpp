// The real player on SDL's disk audio driver with the system's soundfont; zoom_end_to_end
// hears the game's tune as rendered, and music_end_to_end every kind of bad file refused.
#include "desktop/music/command_string_player.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <thread>

#include "window_rules/midi_bytes.h"

namespace munyura::desktop {
namespace {

namespace fs = std::filesystem;
using namespace munyura::testing;

const fs::path kHome = fs::temp_directory_path() / ("munyura-player-" + std::to_string(getpid()));
const fs::path kFolder = kHome / "ゲーム フォルダ";

std::string Path(const std::string& name) {
  return (kFolder / name).string();
}
// As the game writes it: the folder, a backslash and the file's name.
std::string Play(const std::string& name) {
  return "play \"" + kFolder.string() + "\\" + name + "\"";
}

DeviceState SendUntilSettled(CommandStringPlayer& player, const std::string& name) {
  for (int i = 0; i < 1000; ++i) {
    player.SendString(Play(name), {}, nullptr);
    if (player.State(Path(name)) != DeviceState::kOpening) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return player.State(Path(name)).value_or(DeviceState::kOpening);
}

// Then other commands change nothing, say one line and write no text back.
TEST(CommandStringPlayer, PlaysAtTheTimersPaceKeepsOneDeviceAndTakesNoOtherCommand) {
  WriteFile(Path("tune.mid"), HeldChordSong(30));
  std::ostringstream messages;
  CommandStringPlayer player(messages);
  // 100 plays at least, and on until two seconds are played however slow the opening.
  std::int64_t played = 0;
  for (int tick = 0; tick < 500 && (tick < 100 || played < 2 * 44100); ++tick) {
    EXPECT_EQ(player.SendString(Play("tune.mid"), {}, nullptr), 0) << tick;
    if (const auto position = player.Position(Path("tune.mid"))) {
      // Read after the time played, the song's place is never behind it.
      EXPECT_GE(position->position, position->frames_played) << tick;
      played = position->frames_played;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
  }
  EXPECT_GE(played, 2 * 44100) << messages.str();

  for (const std::string& command :
       {std::string(""), "stop \"" + Path("tune.mid") + "\"", Play("tune.mid") + " from 0"}) {
    std::string text(8, 'x');
    EXPECT_NE(player.SendString(command, std::span(text).first(0), nullptr), 0) << command;
    EXPECT_EQ(text, "xxxxxxxx") << command;
    player.SendString(command, text, nullptr);
    EXPECT_EQ(text, std::string("\0xxxxxxx", 8)) << command;
    EXPECT_EQ(player.DeviceNames(), std::vector{Path("tune.mid")}) << command;
    EXPECT_EQ(player.State(Path("tune.mid")), DeviceState::kPlaying) << command;
  }
  EXPECT_EQ(messages.str(),
            "ムニュラ: cannot carry out the music command '': only play is understood\n");
}

// A half-second chord loops without a gap; muted from 0.75 s to 1.1 s it plays on unheard
// and is back at 1.5 s, not 0.35 s after the unmute as a stopped tune would be.
TEST(TunePlayback, LoopsWithoutAGapAndKeepsItsPlaceWhileMuted) {
  WriteFile(::testing::TempDir() + "chord.mid", HeldChordSong(0.5));
  const auto playback = LoadTune(::testing::TempDir() + "chord.mid", SystemSoundfont(), 44100);
  std::atomic<bool> muted = false;
  playback->FollowMute(muted);
  std::vector<float> sound(2 * 3 * 44100);
  playback->Render(std::span(sound).first(2 * 33075));
  muted = true;
  playback->Render(std::span(sound).subspan(2 * 33075, 2 * 15435));
  muted = false;
  playback->Render(std::span(sound).subspan(2 * 48510));
  EXPECT_EQ(playback->Position().loops, 6);
  for (int centisecond = 10; centisecond < 300; ++centisecond) {
    const auto first = sound.begin() + 882 * centisecond;  // 10 ms of stereo
    const double rms = std::sqrt(std::inner_product(first, first + 882, first, 0.0) / 882);
    if (centisecond < 75 || centisecond >= 152) {
      EXPECT_GT(rms, 0.03) << "quiet at " << centisecond << " cs";
    } else if (centisecond > 75 && centisecond < 110) {
      EXPECT_EQ(rms, 0) << "heard while muted at " << centisecond << " cs";
    } else if (centisecond >= 125 && centisecond < 150) {
      EXPECT_LT(rms, 0.03) << "more than the reverb's tail at " << centisecond << " cs";
    }
  }
}

// The limits, and that a refused file is not read again until it changes.
TEST(CommandStringPlayer, ABadTuneOrSoundfontSaysWhyOnceAndIsReadAgainOnlyOnceMended) {
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
    const std::string tune = is_soundfont ? "tune.mid" : name;
    WriteFile(Path("tune.mid"), HeldChordSong(2));
    if (!content.empty()) {
      WriteFile(Path(name), content);
    }
    std::ostringstream messages;
    CommandStringPlayer player(messages, is_soundfont ? Path(name) : SystemSoundfont());
    ASSERT_EQ(SendUntilSettled(player, tune), DeviceState::kFailed) << name;
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
      EXPECT_EQ(SendUntilSettled(player, tune), DeviceState::kPlaying);
      EXPECT_EQ(player.DeviceNames(), std::vector{Path(tune)});
    }
  }
}

// The player's folder and SDL's disk audio for every test; SDL_Quit frees SDL's own state.
struct DiskAudio : ::testing::Environment {
  void SetUp() override {
    fs::create_directories(kFolder);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (kHome / "captured.raw").c_str(), 1);
  }
  void TearDown() override {
    fs::remove_all(kHome);
    SDL_Quit();
  }
};
const auto* const kDiskAudio = ::testing::AddGlobalTestEnvironment(new DiskAudio);

}  // namespace
}  // namespace munyura::desktop
