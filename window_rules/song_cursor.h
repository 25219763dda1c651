// Where the tune is: walks a song's messages frame by frame at the output's
// frame rate and starts again from the top when the song ends, so the loop
// joins without a gap.
#pragma once

#include <cstdint>
#include <vector>

#include "window_rules/midi_song.h"

namespace munyura::window_rules {

// A song shorter than this (only a broken file is) repeats at this period
// instead, so that looping never costs more than a few passes a second.
inline constexpr std::int64_t kShortestLoopMicroseconds = 250'000;

// The most messages the player hands the synthesiser in any one second. A
// song that asks for more (only a hostile file does: a dense orchestral piece
// sends a few hundred) is refused, which keeps the synthesiser's work for any
// accepted song under a tenth of a core (bench/tune_cost).
inline constexpr std::int64_t kMostMessagesPerSecond = 4000;

// How many messages the busiest second of playing sends, the song repeating
// as the cursor repeats it.
std::int64_t BusiestSecondMessages(const MidiSong& song);

class SongCursor {
 public:
  SongCursor(const MidiSong& song, int frame_rate);

  // Hands `deliver` every message due before `frames` more frames have
  // passed, in order, then moves on by that much. `frames` is at most one
  // loop long.
  template <typename Deliver>
  void Advance(std::int64_t frames, Deliver&& deliver) {
    std::int64_t end = position_ + frames;
    if (end >= loop_frames_) {
      DeliverUntil(loop_frames_, deliver);
      end -= loop_frames_;
      position_ = 0;
      next_ = 0;
      ++loops_;
    }
    DeliverUntil(end, deliver);
    position_ = end;
  }

  std::int64_t Position() const { return position_; }  // frames into the song
  std::int64_t Loops() const { return loops_; }        // times it started again
  std::int64_t LoopFrames() const { return loop_frames_; }

 private:
  struct FrameMessage {
    std::int64_t frame;
    MidiMessage message;
  };

  template <typename Deliver>
  void DeliverUntil(std::int64_t end, Deliver& deliver) {
    while (next_ < messages_.size() && messages_[next_].frame < end) {
      deliver(messages_[next_++].message);
    }
  }

  std::vector<FrameMessage> messages_;
  std::int64_t loop_frames_;
  std::int64_t position_ = 0;
  std::int64_t loops_ = 0;
  std::size_t next_ = 0;
};

}  // namespace munyura::window_rules
