#include "desktop/music/tune_device.h"

#include <SDL.h>

#include <utility>

#include "desktop/messages/messages.h"
#include "desktop/music/tune_file.h"
#include "window_rules/midi_song.h"

namespace munyura::desktop {

using window_rules::MidiFileError;

TuneDevice::TuneDevice(std::string file, std::string soundfont, std::mutex& sdl_audio,
                       const std::atomic<bool>& muted)
    : opening_(std::make_shared<Opening>()) {
  opening_->file = std::move(file);
  opening_->soundfont = std::move(soundfont);
  opening_->sdl_audio = &sdl_audio;
  opening_->muted = &muted;
  opener_ = std::thread([opening = opening_] { Open(opening); });
}

TuneDevice::~TuneDevice() {
  bool still_opening = false;
  {
    const std::scoped_lock lock(opening_->gate);
    opening_->abandoned = true;
    still_opening = State() == DeviceState::kOpening;
  }
  if (still_opening) {
    opener_.detach();  // it may be blocked in the kernel for ever
  } else {
    opener_.join();  // it has finished, or is just returning
  }
}

void TuneDevice::Open(const std::shared_ptr<Opening>& opening) {
  // SDL keeps per-thread data (its error text) for threads it did not start;
  // this one ends here, so it hands that back.
  struct ReleaseSdlThreadData {
    ~ReleaseSdlThreadData() { SDL_TLSCleanup(); }
  } const release_sdl_thread_data;
  auto fail = [&opening](std::string why) {
    opening->failure = std::move(why);
    opening->state.store(DeviceState::kFailed, std::memory_order_release);
  };
  try {
    // The file first: a missing or broken tune never touches the sound card.
    auto playback = LoadTune(opening->file, opening->soundfont, AudioOutput::kFrameRate);
    const std::scoped_lock lock(opening->gate);
    if (opening->abandoned) {
      return;  // the game has ended: nobody would hear it
    }
    playback->FollowMute(*opening->muted);
    auto output = std::make_unique<AudioOutput>(*opening->sdl_audio);
    output->Play(*playback);
    opening->playback = std::move(playback);
    opening->output = std::move(output);
    opening->state.store(DeviceState::kPlaying, std::memory_order_release);
  } catch (const TuneFileError& error) {
    fail(opening->file + ": " + error.what());
  } catch (const MidiFileError& error) {
    fail(Translated("{1}: not a tune that can be played ({2})", {opening->file, error.what()}));
  } catch (const std::exception& error) {
    fail(error.what());
  }
}

std::string TuneDevice::Failure() const {
  return State() == DeviceState::kFailed ? opening_->failure : std::string();
}

std::optional<PlaybackPosition> TuneDevice::Position() const {
  if (State() != DeviceState::kPlaying) {
    return std::nullopt;
  }
  return opening_->playback->Position();
}

}  // namespace munyura::desktop
