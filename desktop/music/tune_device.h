// One tune opened by the player: its file is read, its synthesiser loaded and
// the sound output opened on a thread of its own, so the game never waits.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "desktop/music/audio_output.h"
#include "desktop/music/tune_playback.h"

namespace munyura::desktop {

enum class DeviceState { kOpening, kPlaying, kFailed };

class TuneDevice {
 public:
  // Starts opening at once; the tune plays as soon as everything is ready.
  // `muted` is the player's mute switch, which must outlive the device.
  TuneDevice(std::string file, std::string soundfont, std::mutex& sdl_audio,
             const std::atomic<bool>& muted);
  TuneDevice(const TuneDevice&) = delete;
  TuneDevice& operator=(const TuneDevice&) = delete;

  DeviceState State() const { return state_.load(std::memory_order_acquire); }
  // Why it failed, in a few words; empty unless State() is kFailed.
  std::string Failure() const;
  // Where the tune is, while it plays.
  std::optional<PlaybackPosition> Position() const;

 private:
  void Open();
  void Fail(std::string why);

  const std::string file_;
  const std::string soundfont_;
  std::mutex* sdl_audio_;
  const std::atomic<bool>* muted_;
  std::string failure_;                     // written before state_ turns kFailed
  std::unique_ptr<TunePlayback> playback_;  // written before state_ turns kPlaying
  std::unique_ptr<AudioOutput> output_;     // closed before the playback goes
  std::atomic<DeviceState> state_ = DeviceState::kOpening;
  std::jthread opener_;  // last, so it is joined before the rest is destroyed
};

}  // namespace munyura::desktop
