// Held controls beyond what the pad walkthrough plays.
#include "window_rules/held_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "window_rules/pointed_directions.h"
#include "window_rules/windowed_game.h"

namespace munyura::window_rules {
namespace {

HeldControls::Clock::time_point At(int ms) {
  return HeldControls::Clock::time_point(std::chrono::milliseconds(ms));
}

// One thing a player does with a pad, a stick or the picker's letters.
enum Verb { kPress, kRelease, kTap, kPoint, kTouch, kFocusLost, kUnplug };
struct Step {
  Verb verb;
  DeviceId device = 0;
  PadButton button = {};
  unsigned long number = 0;  // the directions pointed (1 Left, 2 Up, 4 Right, 8 Down) or the letter
};

bool Play(HeldControls& held, const Step& step) {
  switch (step.verb) {
    case kTap:
      held.PressPadButton(step.device, step.button, At(0));
      [[fallthrough]];
    case kRelease:
      return held.ReleasePadButton(step.device, step.button);
    case kPress:
      return held.PressPadButton(step.device, step.button, At(0));
    case kPoint:
      return held.PointDirections(step.device, Directions(step.number), At(0));
    case kTouch:
      return held.PressLetter(step.device, static_cast<int>(step.number), At(0));
    case kFocusLost:
      return held.FocusLost();
    case kUnplug:
      return held.Unplug(step.device);
  }
  return false;
}

struct StartedGame : testing::WindowedGame {
  StartedGame() { Play(held, {kTap, 1, PadButton::kStart}); }
};

// Left pressed at 0 ms, Up at 100 ms, Left again at 400 ms (which restarts nothing). The wake-up at
// 600 ms is late for Left's repeats at 566 and 599: it repeats once and keeps to its grid.
TEST(HeldControls, KeyDownsRepeatAtAKeyboardsPace) {
  KeyRepeat repeat;
  repeat.Hold(37, At(0));
  repeat.Hold(38, At(100));
  repeat.Hold(37, At(400));
  const struct {
    int at_ms;
    std::vector<std::int16_t> due;
    int next_due_ms;
  } steps[] = {{499, {}, 500},       {500, {37}, 533}, {532, {}, 533},  {533, {37}, 566},
               {600, {37, 38}, 632}, {632, {37}, 633}, {633, {38}, 665}};
  for (const auto& step : steps) {
    EXPECT_EQ(repeat.TakeDue(At(step.at_ms)), step.due) << "at " << step.at_ms << " ms";
    EXPECT_EQ(repeat.NextDue(), At(step.next_due_ms)) << "after " << step.at_ms << " ms";
  }
}

// LoadRoom clears the flags; only a repeat of the held d-pad walks on.
TEST(HeldControls, AHeldDpadWalksOnIntoTheNextRoom) {
  StartedGame game;
  // One step up brings the chick between the posts of the left doorway.
  game.held.PressPadButton(1, PadButton::kDpadUp, At(0));
  game.events.Tick();
  game.held.ReleasePadButton(1, PadButton::kDpadUp);
  game.held.PressPadButton(1, PadButton::kDpadLeft, At(0));
  int now = 0;
  for (; game.form.State().RoomX == 0 && now < 10000; now += 60) {
    game.events.Tick();
  }
  const float entered_at = game.form.Scene().Munyu().Left;
  game.held.Advance(At(now));
  game.events.Tick();
  EXPECT_LT(game.form.Scene().Munyu().Left, entered_at) << "entered after " << now << " ms";
}

// Every way of letting go reaches the game as key-ups, and a key two controls hold stays down until
// both let go. On the picker's grid (A to M above, N to Z below) Up and Down wrap round without
// walking; A types the highlighted letter.
TEST(HeldControls, EachSequenceLeavesItsKeysHeld) {
  using enum PadButton;
  const struct {
    std::string_view what;
    std::vector<Step> steps;
    std::vector<std::int16_t> held;
    char highlighted = 'A';
  } cases[] = {
      // clang-format off
      {"the d-pad lets go of Left while the stick still holds it",
       {{kPress, 1, kDpadLeft}, {kPoint, 2, {}, 0b0011}, {kRelease, 1, kDpadLeft}}, {37, 38}},
      {"the stick moved from the upper left to Up lets go of Left",
       {{kPoint, 2, {}, 0b0011}, {kPoint, 2, {}, 0b0010}}, {38}},
      {"opening the picker lets go the d-pad, stick and Z; A then types",
       {{kPress, 1, kDpadLeft}, {kPoint, 1, {}, 0b1000}, {kPress, 1, kA}, {kTap, 2, kY},
        {kPress, 2, kA}, {kRelease, 1, kA}}, {'A'}},
      {"closing the picker lets go the letters touched on it",
       {{kTap, 1, kY}, {kTouch, 3, {}, 10}, {kTap, 1, kY}}, {}, 'K'},
      {"losing the focus lets go every device",
       {{kPress, 1, kDpadRight}, {kPoint, 2, {}, 0b0010}, {kTouch, 3, {}, 0}, {kFocusLost}}, {}},
      {"unplugging a pad lets go its buttons and stick, not another pad's",
       {{kPress, 1, kDpadLeft}, {kPoint, 1, {}, 0b1000}, {kPress, 2, kDpadRight}, {kUnplug, 1}},
       {39}},
      {"Up from A", {{kTap, 1, kY}, {kTap, 1, kDpadUp}, {kPress, 1, kA}}, {'N'}, 'N'},
      {"Down from Z", {{kTap, 1, kY}, {kTouch, 2, {}, 25}, {kTap, 1, kDpadDown}}, {'Z'}, 'M'},
      // clang-format on
  };
  for (const auto& c : cases) {
    StartedGame game;
    for (const Step& step : c.steps) {
      Play(game.held, step);
    }
    EXPECT_EQ(game.held.HeldKeys(), c.held) << c.what;
    EXPECT_EQ(game.held.NextRepeatDue().has_value(), !c.held.empty()) << c.what;
    EXPECT_EQ(game.held.Picker().Highlighted(), c.highlighted - 'A') << c.what;
    const std::int16_t move_keys[] = {37, 39, 38, 40};  // MoveKey's order: Left, Right, Up, Down
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(game.form.State().MoveKey.at(i) == kTrue,
                std::count(c.held.begin(), c.held.end(), move_keys[i]) == 1)
          << c.what << ", key " << move_keys[i];
    }
  }
}

// A stick or a touch vector (y grows down): the nearest of eight sectors,
// whose edges lie at 22.5 degrees either side of each axis (tan 22.5 =
// 0.414), nothing inside the dead zone or for no number.
TEST(HeldControls, VectorsPointInEightSectorsOutsideTheDeadZone) {
  const float dead = kStickDeadZone;
  const struct {
    float x, y;
    unsigned long directions;  // 1 Left, 2 Up, 4 Right, 8 Down
  } cases[] = {{1, -0.41F, 0b0100}, {1, -0.42F, 0b0110},     {0.42F, -1, 0b0110},
               {0.41F, -1, 0b0010}, {-1, -1, 0b0011},        {-1, 0, 0b0001},
               {-1, 1, 0b1001},     {0, 1, 0b1000},          {1, 0.42F, 0b1100},
               {1, 0.41F, 0b0100},  {0, -dead, 0},           {0, -dead * 1.01F, 0b0010},
               {0, 0, 0},           {std::nanf(""), 0.5F, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(DirectionsFromVector(c.x, c.y, dead).to_ulong(), c.directions) << c.x << ", " << c.y;
  }
}

}  // namespace
}  // namespace munyura::window_rules
