#include "desktop/music/audio_output.h"

#include <dlfcn.h>

#include <string>

#include "desktop/messages/messages.h"

namespace munyura::desktop {
namespace {

void IgnoreAlsaMessage(const char* /*file*/, int /*line*/, const char* /*function*/, int /*error*/,
                       const char* /*format*/, ...) {}

using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

// Loads ALSA's library (the same copy SDL then loads) and silences it; null
// where the system has no ALSA.
void* QuietAlsa() {
  void* const library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (library) {
    if (void* const setter = dlsym(library, "snd_lib_error_set_handler")) {
      reinterpret_cast<SetAlsaErrorHandler>(setter)(&IgnoreAlsaMessage);
    }
  }
  return library;
}

}  // namespace

void AudioOutput::AlsaLibraryCloser::operator()(void* library) const noexcept {
  dlclose(library);
}

AudioOutput::AudioOutput(std::mutex& sdl_audio) : quiet_alsa_(QuietAlsa()), sdl_audio_(&sdl_audio) {
  const std::scoped_lock lock(*sdl_audio_);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    throw AudioError(Translated("no sound output: {1}", {SDL_GetError()}));
  }
  SDL_AudioSpec wanted{};
  wanted.freq = kFrameRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = 2;
  wanted.samples = 1024;  // 23 ms: the tune needs no quicker answer than that
  wanted.callback = &AudioOutput::Fill;
  wanted.userdata = this;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device_ == 0) {
    const std::string why = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    throw AudioError(Translated("no sound output: {1}", {why}));
  }
}

AudioOutput::~AudioOutput() {
  const std::scoped_lock lock(*sdl_audio_);
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioOutput::Play(TunePlayback& playback) {
  SDL_LockAudioDevice(device_);
  playback_ = &playback;
  SDL_UnlockAudioDevice(device_);
  SDL_PauseAudioDevice(device_, 0);
}

void AudioOutput::Fill(void* self, Uint8* stream, int bytes) {
  // SDL hands over a buffer of the float format asked for, suitably aligned.
  const std::span<float> stereo(reinterpret_cast<float*>(stream),
                                static_cast<std::size_t>(bytes) / sizeof(float));
  static_cast<AudioOutput*>(self)->playback_->Render(stereo);
}

}  // namespace munyura::desktop
