// Muting the real player on SDL's disk audio driver: the sound stops within
// a few blocks, the tune keeps its place as if it were heard, and unmuting
// brings the sound back in time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "desktop/music/command_string_player.h"
#include "window_rules/midi_bytes.h"

namespace munyura::desktop {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::int64_t kFrameRate = 44100;
constexpr std::int64_t kLoopFrames = kFrameRate / 2;  // a chord of half a second

std::int64_t CapturedFrames(const std::string& file) {
  return static_cast<std::int64_t>(fs::file_size(file)) / (2 * sizeof(float));
}

// The loudest sample among frames [from, to) of the capture.
float Peak(const std::string& file, std::int64_t from, std::int64_t to) {
  std::FILE* const in = std::fopen(file.c_str(), "rb");
  std::fseek(in, static_cast<long>(from * 2 * sizeof(float)), SEEK_SET);
  std::vector<float> samples(static_cast<std::size_t>(2 * (to - from)));
  samples.resize(std::fread(samples.data(), sizeof(float), samples.size(), in));
  std::fclose(in);
  float peak = 0;
  for (const float sample : samples) {
    peak = std::max(peak, std::abs(sample));
  }
  return peak;
}

// How far the tune's place is ahead of (or behind) the frames played: the
// same for as long as the tune keeps its place.
std::int64_t PlaceOffset(const PlaybackPosition& at) {
  return at.loops * kLoopFrames + at.position - at.frames_played;
}

TEST(MuteTest, SilentAtOnceKeepingItsPlaceAndHeardAgainInTime) {
  const fs::path folder =
      fs::temp_directory_path() / ("munyura-mute-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string capture = (folder / "captured.raw").string();
  const std::string tune = (folder / "tune.mid").string();
  ::setenv("SDL_AUDIODRIVER", "disk", 1);
  ::setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
  testing::WriteFile(tune, testing::HeldChordSong(0.5));
  {
    std::ostringstream messages;
    CommandStringPlayer player(messages);
    const std::string play = "play \"" + tune + "\"";
    for (int i = 0;
         i < 500 && player.State(tune).value_or(DeviceState::kOpening) == DeviceState::kOpening;
         ++i) {
      player.SendString(play, {}, nullptr);
      std::this_thread::sleep_for(20ms);
    }
    ASSERT_EQ(player.State(tune), DeviceState::kPlaying) << messages.str();
    std::this_thread::sleep_for(700ms);
    const std::int64_t heard_until = CapturedFrames(capture);
    ASSERT_GT(Peak(capture, heard_until - kFrameRate / 4, heard_until), 0.05f);
    const std::int64_t offset = PlaceOffset(*player.Position(tune));

    player.SetMuted(true);
    const std::int64_t muted_at = CapturedFrames(capture);
    const auto muted_position = *player.Position(tune);
    std::this_thread::sleep_for(1200ms);
    const std::int64_t muted_until = CapturedFrames(capture);
    const auto later = *player.Position(tune);
    // Within 0.2 s of the switch nothing more is heard.
    ASSERT_GT(muted_until, muted_at + kFrameRate / 2);
    EXPECT_EQ(Peak(capture, muted_at + kFrameRate / 5, muted_until), 0.0f);
    // And the tune went on meanwhile, to the frame: its place is where it
    // would be had it been heard.
    EXPECT_GT(later.frames_played, muted_position.frames_played + kFrameRate / 2);
    EXPECT_GT(later.loops, muted_position.loops);
    EXPECT_NEAR(PlaceOffset(later), offset, 128);

    player.SetMuted(false);
    std::this_thread::sleep_for(1200ms);
    const std::int64_t unmuted_until = CapturedFrames(capture);
    EXPECT_GT(Peak(capture, unmuted_until - kFrameRate / 4, unmuted_until), 0.05f);
    EXPECT_NEAR(PlaceOffset(*player.Position(tune)), offset, 128);
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace munyura::desktop
