// Held controls on the real game: a keyboard's repeat schedule, two
// directions at once, a held d-pad walking on into the next room, the
// picker's grid, nothing left held after the picker closes, the focus goes
// or a pad is unplugged, start and restart only on a visible element, and
// the eight sectors of a stick or touch vector.
#include "window_rules/held_controls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string_view>
#include <vector>

#include "window_rules/pointed_directions.h"
#include "window_rules/windowed_game.h"

namespace munyura::window_rules {
namespace {

using Keys = std::vector<std::int16_t>;

HeldControls::Clock::time_point At(int ms) {
  return HeldControls::Clock::time_point(std::chrono::milliseconds(ms));
}

// The game behind its window rules, with the start button clicked or not.
struct Game : testing::WindowedGame {
  explicit Game(bool started = true) {
    if (started) {
      Tap(held, 1, PadButton::kStart);
    }
  }
  static void Tap(HeldControls& held, DeviceId pad, PadButton button) {
    held.PressPadButton(pad, button, At(0));
    held.ReleasePadButton(pad, button);
  }
  bool Moving(int index) const { return form.State().MoveKey.at(index) == kTrue; }
};

// Left pressed at 0 ms, Up at 100 ms, Left again at 400 ms (which restarts
// nothing). The wake-up at 600 ms is late for Left's repeats at 566 and 599:
// it repeats once and keeps to its grid.
TEST(HeldControls, KeyDownsRepeatAtAKeyboardsPace) {
  KeyRepeat repeat;
  repeat.Hold(37, At(0));
  repeat.Hold(38, At(100));
  repeat.Hold(37, At(400));
  const struct {
    int at_ms;
    Keys due;
    int next_due_ms;
  } steps[] = {{499, {}, 500},       {500, {37}, 533}, {532, {}, 533},  {533, {37}, 566},
               {600, {37, 38}, 632}, {632, {37}, 633}, {633, {38}, 665}};
  for (const auto& step : steps) {
    EXPECT_EQ(repeat.TakeDue(At(step.at_ms)), step.due) << "at " << step.at_ms << " ms";
    EXPECT_EQ(repeat.NextDue(), At(step.next_due_ms)) << "after " << step.at_ms << " ms";
  }
}

TEST(HeldControls, TwoDirectionsHeldAtOnceAndReleasedApart) {
  Game game;
  game.held.PressPadButton(1, PadButton::kDpadLeft, At(10));
  game.held.PointDirections(2, Directions(0b0011), At(10));  // a stick to the upper left
  EXPECT_TRUE(game.Moving(0) && game.Moving(2));
  game.held.ReleasePadButton(1, PadButton::kDpadLeft);
  EXPECT_TRUE(game.Moving(0)) << "the stick still holds Left";
  game.held.PointDirections(2, Directions(0b0010), At(20));
  EXPECT_FALSE(game.Moving(0));
  EXPECT_EQ(game.held.HeldKeys(), Keys{38});
}

// LoadRoom clears the flags; only a repeat of the held d-pad walks on.
TEST(HeldControls, AHeldDpadWalksOnIntoTheNextRoom) {
  Game game;
  int now = 0;
  auto tick = [&] {
    now += 60;
    game.held.Advance(At(now));
    game.events.Tick();
  };
  // One step up brings the chick between the posts of the left doorway.
  game.held.PressPadButton(1, PadButton::kDpadUp, At(now));
  tick();
  game.held.ReleasePadButton(1, PadButton::kDpadUp);
  game.held.PressPadButton(1, PadButton::kDpadLeft, At(now));
  while (game.form.State().RoomX == 0 && now < 10000) {
    tick();
  }
  ASSERT_EQ(game.form.State().RoomX, -1);
  const float entered_at = game.form.Scene().Munyu().Left;
  for (int i = 0; i < 3; ++i) {
    tick();
  }
  EXPECT_LT(game.form.Scene().Munyu().Left, entered_at);
}

// The picker's grid, A to M above and N to Z below, wraps round both ways;
// A types the highlighted letter and holds it as long as A is held.
TEST(HeldControls, TheDpadMovesThePickersHighlightAndATypesIt) {
  const struct {
    char from;
    PadButton button;
    char to;
  } moves[] = {{'A', PadButton::kDpadLeft, 'M'},
               {'M', PadButton::kDpadRight, 'A'},
               {'A', PadButton::kDpadUp, 'N'},
               {'Z', PadButton::kDpadDown, 'M'}};
  for (const auto& move : moves) {
    Game game;
    Game::Tap(game.held, 1, PadButton::kY);
    game.held.PressLetter(2, move.from - 'A', At(0));
    game.held.ReleaseLetter(2, move.from - 'A');
    game.held.PressPadButton(1, move.button, At(0));
    EXPECT_EQ(game.held.Picker().Highlighted(), move.to - 'A') << move.from;
    EXPECT_EQ(game.held.HeldKeys(), Keys{}) << "nothing walks";
    game.held.PressPadButton(1, PadButton::kA, At(0));
    game.held.Advance(At(600));
    EXPECT_EQ(game.held.HeldKeys(), Keys{static_cast<std::int16_t>(move.to)});
    game.held.ReleasePadButton(1, PadButton::kA);
    EXPECT_EQ(game.held.HeldKeys(), Keys{});
  }
}

// Every way of letting go reaches the game as key-ups.
TEST(HeldControls, NothingStaysHeld) {
  const struct {
    std::string_view what;
    std::function<void(HeldControls&)> hold_then_let_go;
    Keys still_held;
  } cases[] = {
      {"Y closes the picker and lets go the letters touched on it",
       [](HeldControls& held) {
         Game::Tap(held, 1, PadButton::kY);
         held.PressLetter(3, 10, At(0));
         Game::Tap(held, 1, PadButton::kY);
       },
       {}},
      {"opening the picker lets go the held d-pad, Z and stick",
       [](HeldControls& held) {
         held.PressPadButton(1, PadButton::kDpadLeft, At(0));
         held.PressPadButton(1, PadButton::kA, At(0));
         held.PointDirections(2, Directions(0b1000), At(0));
         Game::Tap(held, 1, PadButton::kY);
       },
       {}},
      {"losing the focus lets go every device",
       [](HeldControls& held) {
         held.PressPadButton(1, PadButton::kDpadRight, At(0));
         held.PointDirections(2, Directions(0b0010), At(0));
         held.PressLetter(3, 0, At(0));
         held.PressAction(3, Action::kRead, At(0));
         held.FocusLost();
       },
       {}},
      {"unplugging a pad lets go its buttons and stick, not another pad's",
       [](HeldControls& held) {
         held.PressPadButton(1, PadButton::kDpadLeft, At(0));
         held.PointDirections(1, Directions(0b1000), At(0));
         held.PressPadButton(2, PadButton::kDpadRight, At(0));
         held.Unplug(1);
       },
       {39}},
      {"A pressed before the picker opened lets go Z, not a letter, on release",
       [](HeldControls& held) {
         held.PressPadButton(1, PadButton::kA, At(0));
         held.PressPadButton(2, PadButton::kY, At(0));
         held.PressPadButton(2, PadButton::kA, At(0));
         held.ReleasePadButton(1, PadButton::kA);
       },
       {65}},
  };
  for (const auto& c : cases) {
    Game game;
    c.hold_then_let_go(game.held);
    EXPECT_EQ(game.held.HeldKeys(), c.still_held) << c.what;
    EXPECT_EQ(game.held.NextRepeatDue().has_value(), !c.still_held.empty()) << c.what;
    EXPECT_FALSE(game.Moving(0) || game.Moving(2) || game.Moving(3)) << c.what;
    EXPECT_EQ(game.Moving(1), c.still_held == Keys{39}) << c.what;
  }
}

TEST(HeldControls, StartAndRestartClickOnlyWhileTheirElementIsVisible) {
  const struct {
    bool started;
    Action action;
    bool changed, title_after;
  } cases[] = {{false, Action::kStart, true, false},
               {true, Action::kStart, false, false},
               {true, Action::kRestart, true, true},
               {false, Action::kRestart, false, true}};
  for (const auto& c : cases) {
    Game game(c.started);
    EXPECT_EQ(game.held.PressAction(4, c.action, At(0)), c.changed) << c.started;
    EXPECT_EQ(game.form.Scene().Command1().Visible == kTrue, c.title_after) << c.started;
    EXPECT_FALSE(game.held.ReleaseAction(4, c.action));
  }
}

// A stick or a touch vector: the nearest of eight sectors, halves rounding
// towards the diagonals, nothing inside the dead zone or for no number.
TEST(HeldControls, VectorsPointInEightSectorsOutsideTheDeadZone) {
  const struct {
    float degrees;  // counter-clockwise from Right, on screen
    float length;
    unsigned long directions;  // 1 Left, 2 Up, 4 Right, 8 Down
  } cases[] = {{22, 1, 0b0100},  {23, 1, 0b0110},         {67, 1, 0b0110},
               {68, 1, 0b0010},  {135, 1, 0b0011},        {180, 1, 0b0001},
               {225, 1, 0b1001}, {270, 1, 0b1000},        {-23, 1, 0b1100},
               {338, 1, 0b0100}, {90, kStickDeadZone, 0}, {90, kStickDeadZone * 1.01F, 0b0010},
               {0, 0, 0}};
  for (const auto& c : cases) {
    const double radians = c.degrees * std::numbers::pi / 180;
    const auto x = static_cast<float>(c.length * std::cos(radians));
    const auto y = static_cast<float>(-c.length * std::sin(radians));  // y grows down
    EXPECT_EQ(DirectionsFromVector(x, y, kStickDeadZone).to_ulong(), c.directions) << c.degrees;
  }
  EXPECT_EQ(DirectionsFromVector(std::nanf(""), 0.5F, kStickDeadZone).to_ulong(), 0U);
}

}  // namespace
}  // namespace munyura::window_rules
