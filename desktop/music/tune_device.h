// One tune opened by the player: its file is read, its synthesiser loaded and
// the sound output opened on a thread of its own, so the game never waits,
// not even when it ends: an opening that hangs (a soundfont on a stalled
// mount) is left behind, and the exit does not wait for it.
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
  // Never waits for an opening that is still reading: that thread is left to
  // finish (or not) on its own, and never opens the sound output after this.
  ~TuneDevice();
  TuneDevice(const TuneDevice&) = delete;
  TuneDevice& operator=(const TuneDevice&) = delete;

  DeviceState State() const { return opening_->state.load(std::memory_order_acquire); }
  // Why it failed, in a few words; empty unless State() is kFailed.
  std::string Failure() const;
  // Where the tune is, while it plays.
  std::optional<PlaybackPosition> Position() const;

 private:
  // What the opening thread works on; it holds a share, so whatever it is
  // doing when the device goes, it never touches freed memory.
  struct Opening {
    std::string file;
    std::string soundfont;
    std::mutex* sdl_audio;           // only used under `gate` while not abandoned
    const std::atomic<bool>* muted;  // likewise
    std::mutex gate;  // the sound output is opened, or the device abandoned, not both
    bool abandoned = false;
    std::string failure;                     // written before state turns kFailed
    std::unique_ptr<TunePlayback> playback;  // written before state turns kPlaying
    std::unique_ptr<AudioOutput> output;     // closed before the playback goes
    std::atomic<DeviceState> state = DeviceState::kOpening;
  };
  static void Open(const std::shared_ptr<Opening>& opening);

  std::shared_ptr<Opening> opening_;
  std::thread opener_;
};

}  // namespace munyura::desktop
