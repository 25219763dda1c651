// The tune as sound: the song's messages go to the synthesiser in blocks of
// 64 frames, so the output is the same whatever size of buffer the sound
// card asks for, and a direct render matches what the game plays.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "desktop/music/tune_synth.h"
#include "window_rules/midi_song.h"
#include "window_rules/song_cursor.h"

namespace munyura::desktop {

using window_rules::MidiSong;
using window_rules::SongCursor;

struct PlaybackPosition {
  std::int64_t frames_played = 0;  // since the tune started; never goes back
  std::int64_t position = 0;       // frames into the song
  std::int64_t loops = 0;          // times it started again from the top
};

class TunePlayback {
 public:
  static constexpr int kBlockFrames = 64;

  TunePlayback(const MidiSong& song, TuneSynth synth, int frame_rate);

  // While `muted` holds, the tune plays on in silence: its place advances as
  // if it were heard, for the cost of reading its messages, and unmuting
  // resumes in time. Notes that began while muted stay unheard. `muted` must
  // outlive this playback; set before the sound starts.
  void FollowMute(const std::atomic<bool>& muted) { muted_ = &muted; }

  // Called from the sound card's thread: fills interleaved stereo frames.
  void Render(std::span<float> stereo);

  // Safe from any thread.
  PlaybackPosition Position() const;
  std::int64_t LoopFrames() const { return loop_frames_; }

 private:
  void RenderBlock();

  SongCursor cursor_;
  TuneSynth synth_;
  const std::int64_t loop_frames_;
  const std::atomic<bool>* muted_ = nullptr;
  bool was_muted_ = false;
  std::array<float, 2 * kBlockFrames> block_{};
  int block_frames_left_ = 0;
  std::atomic<std::int64_t> frames_played_ = 0;
  std::atomic<std::int64_t> position_ = 0;
  std::atomic<std::int64_t> loops_ = 0;
};

// Reads the tune's file and readies the synthesiser with every instrument
// the tune uses. Throws TuneFileError, MidiFileError or SynthError.
std::unique_ptr<TunePlayback> LoadTune(const std::string& file, const std::string& soundfont,
                                       int frame_rate);

}  // namespace munyura::desktop
