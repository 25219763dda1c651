// The game as the web page runs it: Form1 behind the shared window rules, the
// tick schedule on the page's clock, and the captions broken into lines by
// the shared rules. Standard library only: the page hands in its clock
// readings, key names and a way to measure text, and draws what it reads
// back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "form1.h"
#include "page_host.h"
#include "window_rules/held_controls.h"
#include "window_rules/line_breaks.h"
#include "window_rules/tick_schedule.h"
#include "window_rules/window_events.h"

namespace munyura::web {

// A reading of the page's clock (milliseconds) as a point on the rules' clock.
window_rules::TickSchedule::Clock::time_point PageTime(double now_ms);

struct PictureSize {
  int width = 0;
  int height = 0;
};

// What a key event did: whether the game has a virtual key for it, which one
// (the page's own keys, such as M for mute, are told by it, as on the
// desktop), and whether the scene may have changed.
struct KeyResult {
  bool known = false;
  bool redraw = false;
  std::int16_t virtual_key = 0;
};

class PageGame {
 public:
  // `sizes` are the pictures' sizes: the chick facing up, right, down and
  // left, then the thirty monuments. Throws std::invalid_argument for any
  // other count.
  PageGame(std::string folder, std::span<const PictureSize> sizes, std::function<void()> play_tune,
           std::ostream& errors);
  PageGame(const PageGame&) = delete;
  PageGame& operator=(const PageGame&) = delete;

  // The Handle of picture n, in the order of the sizes.
  std::uint32_t PictureHandle(std::size_t n) const;

  // Form_Load, with Timer1's clock started at `now_ms` (the page's clock).
  bool Load(double now_ms);
  bool TakeDueTick(double now_ms);
  bool Tick();
  int MillisecondsUntilNextTick(double now_ms) const;

  KeyResult KeyDown(std::string_view code, std::string_view key, std::int16_t shift);
  KeyResult KeyUp(std::string_view code, std::string_view key, std::int16_t shift);
  bool MousePress(float x, float y) { return events_.MousePress(x, y); }
  bool MouseRelease(float x, float y) { return events_.MouseRelease(x, y); }
  bool MouseMove(float x, float y) { return events_.MouseMove(x, y); }
  bool FocusLost() { return events_.FocusLost(); }
  window_rules::ButtonLook StartButtonLook() const { return events_.StartButtonLook(); }

  // The page's touch controls and pads, held through the shared rules on the
  // page's clock: see HeldControls.
  window_rules::HeldControls& Held() noexcept { return held_; }
  const window_rules::HeldControls& Held() const noexcept { return held_; }
  // Sends the auto-repeats of held controls due at `now_ms`.
  bool AdvanceHeld(double now_ms) { return held_.Advance(PageTime(now_ms)); }
  // How long until the next of them, or -1 while nothing is held.
  int MillisecondsUntilNextRepeat(double now_ms) const;

  const scene::Scene& Scene() const noexcept { return form_.Scene(); }
  const GameState& State() const noexcept { return form_.State(); }
  // Where Label1 stands in the scene table, for the page to read it aloud.
  std::size_t Label1Position() const noexcept;

  // The caption of the element at `position` broken into lines no wider than
  // `width`, each measured by `measure`.
  const std::vector<window_rules::BrokenLine>& CaptionLines(std::size_t position, float width,
                                                            const window_rules::LineWidth& measure);
  // The lines of the last CaptionLines.
  const std::vector<window_rules::BrokenLine>& Lines() const noexcept { return lines_; }

 private:
  std::shared_ptr<const scene::PictureSet> pictures_;
  PageHost host_;
  Form1 form_;
  window_rules::WindowEvents events_;
  window_rules::HeldControls held_{events_};
  std::optional<window_rules::TickSchedule> schedule_;
  std::vector<window_rules::BrokenLine> lines_;
};

}  // namespace munyura::web
