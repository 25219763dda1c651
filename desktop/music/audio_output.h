// The sound card, through SDL: float stereo at 44.1 kHz (SDL converts when
// the card wants something else), filled by a TunePlayback.
#pragma once

#include <SDL.h>

#include <memory>
#include <mutex>
#include <stdexcept>

#include "desktop/music/tune_playback.h"

namespace munyura::desktop {

class AudioError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class AudioOutput {
 public:
  static constexpr int kFrameRate = 44100;

  // Opens the default output, paused. `sdl_audio` serialises SDL's audio
  // set-up between outputs opened on different threads.
  // Throws AudioError when there is no sound output to open.
  explicit AudioOutput(std::mutex& sdl_audio);
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Starts the sound; `playback` must outlive this output.
  void Play(TunePlayback& playback);

 private:
  static void Fill(void* self, Uint8* stream, int bytes);

  // ALSA prints a screenful of complaints when a machine has no sound card;
  // while it is in use by SDL it is told to keep them to itself.
  struct AlsaLibraryCloser {
    void operator()(void* library) const noexcept;
  };
  std::unique_ptr<void, AlsaLibraryCloser> quiet_alsa_;

  std::mutex* sdl_audio_;
  TunePlayback* playback_ = nullptr;
  SDL_AudioDeviceID device_ = 0;
};

}  // namespace munyura::desktop
