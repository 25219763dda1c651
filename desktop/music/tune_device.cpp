#include "desktop/music/tune_device.h"

#include <SDL.h>

#include <utility>

#include "desktop/music/tune_file.h"
#include "window_rules/midi_song.h"

namespace munyura::desktop {

using window_rules::MidiFileError;
using window_rules::ReadMidiSong;

TuneDevice::TuneDevice(std::string file, std::string soundfont, std::mutex& sdl_audio,
                       const std::atomic<bool>& muted)
    : file_(std::move(file)),
      soundfont_(std::move(soundfont)),
      sdl_audio_(&sdl_audio),
      muted_(&muted),
      opener_([this] { Open(); }) {}

void TuneDevice::Open() {
  // SDL keeps per-thread data (its error text) for threads it did not start;
  // this one ends here, so it hands that back.
  struct ReleaseSdlThreadData {
    ~ReleaseSdlThreadData() { SDL_TLSCleanup(); }
  } const release_sdl_thread_data;
  try {
    // The file first: a missing or broken tune never touches the sound card.
    auto playback = LoadTune(file_, soundfont_, AudioOutput::kFrameRate);
    playback->FollowMute(*muted_);
    auto output = std::make_unique<AudioOutput>(*sdl_audio_);
    output->Play(*playback);
    playback_ = std::move(playback);
    output_ = std::move(output);
    state_.store(DeviceState::kPlaying, std::memory_order_release);
  } catch (const TuneFileError& error) {
    Fail(file_ + ": " + error.what());
  } catch (const MidiFileError& error) {
    Fail(file_ + ": not a tune that can be played (" + error.what() + ")");
  } catch (const std::exception& error) {
    Fail(error.what());
  }
}

void TuneDevice::Fail(std::string why) {
  failure_ = std::move(why);
  state_.store(DeviceState::kFailed, std::memory_order_release);
}

std::string TuneDevice::Failure() const {
  return State() == DeviceState::kFailed ? failure_ : std::string();
}

std::optional<PlaybackPosition> TuneDevice::Position() const {
  if (State() != DeviceState::kPlaying) {
    return std::nullopt;
  }
  return playback_->Position();
}

}  // namespace munyura::desktop
