#include "desktop/music/tune_playback.h"

#include <algorithm>
#include <string>
#include <utility>

#include "desktop/messages/messages.h"
#include "desktop/music/tune_file.h"

namespace munyura::desktop {

using window_rules::ReadMidiSong;

TunePlayback::TunePlayback(const MidiSong& song, TuneSynth synth, int frame_rate)
    : cursor_(song, frame_rate), synth_(std::move(synth)), loop_frames_(cursor_.LoopFrames()) {}

void TunePlayback::RenderBlock() {
  const bool muted = muted_ != nullptr && muted_->load(std::memory_order_relaxed);
  if (muted && !was_muted_) {
    synth_.SilenceAll();
  }
  was_muted_ = muted;
  if (muted) {
    // Everything but the notes themselves still reaches the synthesiser, so
    // instruments, volumes and bends are right when the sound comes back.
    cursor_.Advance(kBlockFrames, [this](const MidiMessage& message) {
      if (message.Kind() != 0x90) {
        synth_.Send(message);
      }
    });
    block_.fill(0);
  } else {
    cursor_.Advance(kBlockFrames, [this](const MidiMessage& message) { synth_.Send(message); });
    synth_.Render(block_);
  }
  block_frames_left_ = kBlockFrames;
  position_.store(cursor_.Position(), std::memory_order_relaxed);
  loops_.store(cursor_.Loops(), std::memory_order_relaxed);
}

void TunePlayback::Render(std::span<float> stereo) {
  std::size_t filled = 0;
  while (filled < stereo.size()) {
    if (block_frames_left_ == 0) {
      RenderBlock();
    }
    const std::size_t offset = 2 * static_cast<std::size_t>(kBlockFrames - block_frames_left_);
    const std::size_t count =
        std::min(stereo.size() - filled, 2 * static_cast<std::size_t>(block_frames_left_));
    std::copy_n(block_.begin() + static_cast<std::ptrdiff_t>(offset), count,
                stereo.begin() + static_cast<std::ptrdiff_t>(filled));
    filled += count;
    block_frames_left_ -= static_cast<int>(count / 2);
  }
  frames_played_.fetch_add(static_cast<std::int64_t>(stereo.size() / 2), std::memory_order_release);
}

PlaybackPosition TunePlayback::Position() const {
  return {frames_played_.load(std::memory_order_acquire), position_.load(std::memory_order_relaxed),
          loops_.load(std::memory_order_relaxed)};
}

std::unique_ptr<TunePlayback> LoadTune(const std::string& file, const std::string& soundfont,
                                       int frame_rate) {
  const MidiSong song = ReadMidiSong(ReadTuneFile(file));
  if (const std::int64_t busiest = window_rules::BusiestSecondMessages(song);
      busiest > window_rules::kMostMessagesPerSecond) {
    throw window_rules::MidiFileError(Translated(
        "it sends {1} messages in one second, more than the {2} the player takes",
        {std::to_string(busiest), std::to_string(window_rules::kMostMessagesPerSecond)}));
  }
  TuneSynth synth(soundfont, frame_rate, kTuneGain);
  synth.KeepInstrumentsLoaded(song);
  return std::make_unique<TunePlayback>(song, std::move(synth), frame_rate);
}

}  // namespace munyura::desktop
