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
#include <sstream>
#include <string_view>
#include <vector>

#include "form1.h"
#include "support/test_pictures.h"
#include "window_rules/pointed_directions.h"

namespace munyura::window_rules {
namespace {

using Clock = HeldControls::Clock;
using std::chrono::milliseconds;
using Keys = std::vector<std::int16_t>;

Clock::time_point At(int ms) {
  return Clock::time_point(milliseconds(ms));
}

// The game behind its window rules, with the start button clicked or not.
class Game {
 public:
  explicit Game(bool started = true)
      : form_(testing::TestPictures(), host_), events_(form_, errors_) {
    events_.Load();
    if (started) {
      held.PressPadButton(kPad, PadButton::kStart, At(0));
      held.ReleasePadButton(kPad, PadButton::kStart);
    }
  }
  static constexpr DeviceId kPad = 1;

  const Form1& form() const { return form_; }
  WindowEvents& events() { return events_; }
  bool Moving(int index) const { return form_.State().MoveKey.at(index) == kTrue; }

 private:
  testing::RecordingHost host_;
  std::ostringstream errors_;
  Form1 form_;
  WindowEvents events_;

 public:
  HeldControls held{events_};
};

// ---- The repeat schedule of one key, pressed at 0 ms, and of a second one.

struct RepeatStep {
  int at_ms;
  Keys due;
  int next_due_ms;
};

struct RepeatCase {
  std::string_view what;
  std::vector<std::pair<std::int16_t, int>> holds;  // key, pressed at
  std::vector<RepeatStep> steps;
};

const std::vector<RepeatCase> kRepeatCases = {
    {"nothing before 500 ms", {{37, 0}}, {{499, {}, 500}}},
    {"the first repeat at 500 ms, then every 33 ms",
     {{37, 0}},
     {{500, {37}, 533}, {532, {}, 533}, {533, {37}, 566}, {566, {37}, 599}}},
    {"a late wake-up repeats once and keeps the grid", {{37, 0}}, {{700, {37}, 731}}},
    {"a second key repeats on its own grid",
     {{37, 0}, {38, 100}},
     {{500, {37}, 533}, {600, {37, 38}, 632}, {632, {37}, 633}, {633, {38}, 665}}},
    {"holding a held key again restarts nothing", {{37, 0}, {37, 400}}, {{500, {37}, 533}}},
};

class RepeatSchedule : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatSchedule, KeyDownsAtAKeyboardsPace) {
  KeyRepeat repeat;
  for (const auto& [key, at] : GetParam().holds) {
    repeat.Hold(key, At(at));
  }
  for (const RepeatStep& step : GetParam().steps) {
    EXPECT_EQ(repeat.TakeDue(At(step.at_ms)), step.due) << "at " << step.at_ms << " ms";
    EXPECT_EQ(repeat.NextDue(), At(step.next_due_ms)) << "after " << step.at_ms << " ms";
  }
}

INSTANTIATE_TEST_SUITE_P(HeldControls, RepeatSchedule, ::testing::ValuesIn(kRepeatCases),
                         [](const auto& test_case) {
                           return "Case" + std::to_string(test_case.index);
                         });

// ---- Two directions at once, from one pad or from a pad and a stick.

TEST(HeldControls, TwoDirectionsHeldAtOnceAndReleasedApart) {
  Game game;
  game.held.PressPadButton(1, PadButton::kDpadLeft, At(10));
  game.held.PointDirections(2, Directions(0b0011), At(10));  // a stick to the upper left
  EXPECT_TRUE(game.Moving(0) && game.Moving(2));
  game.held.ReleasePadButton(1, PadButton::kDpadLeft);
  EXPECT_TRUE(game.Moving(0)) << "the stick still holds Left";
  game.held.PointDirections(2, Directions(0b0010), At(20));
  EXPECT_FALSE(game.Moving(0));
  EXPECT_TRUE(game.Moving(2));
  EXPECT_EQ(game.held.HeldKeys(), Keys{38});
}

// LoadRoom clears the flags; only a repeat of the held d-pad walks on.
TEST(HeldControls, AHeldDpadWalksOnIntoTheNextRoom) {
  Game game;
  int now = 0;
  auto tick = [&] {
    now += 60;
    game.held.Advance(At(now));
    game.events().Tick();
  };
  // One step up brings the chick between the posts of the left doorway.
  game.held.PressPadButton(1, PadButton::kDpadUp, At(now));
  tick();
  game.held.ReleasePadButton(1, PadButton::kDpadUp);
  game.held.PressPadButton(1, PadButton::kDpadLeft, At(now));
  while (game.form().State().RoomX == 0 && now < 10000) {
    tick();
  }
  ASSERT_EQ(game.form().State().RoomX, -1);
  const float entered_at = game.form().Scene().Munyu().Left;
  for (int i = 0; i < 3; ++i) {
    tick();
  }
  EXPECT_LT(game.form().Scene().Munyu().Left, entered_at);
}

// ---- The picker's grid: A to M above, N to Z below, wrapping around.

struct PickerMove {
  char from;
  PadButton button;
  char to;
};

const std::vector<PickerMove> kPickerMoves = {
    {'A', PadButton::kDpadRight, 'B'}, {'A', PadButton::kDpadLeft, 'M'},
    {'M', PadButton::kDpadRight, 'A'}, {'A', PadButton::kDpadDown, 'N'},
    {'A', PadButton::kDpadUp, 'N'},    {'Z', PadButton::kDpadDown, 'M'},
    {'Z', PadButton::kDpadRight, 'N'}, {'N', PadButton::kDpadLeft, 'Z'},
};

class PickerMoves : public ::testing::TestWithParam<PickerMove> {};

TEST_P(PickerMoves, TheDpadMovesTheHighlightAndNothingWalks) {
  Game game;
  game.held.PressPadButton(1, PadButton::kY, At(0));
  game.held.ReleasePadButton(1, PadButton::kY);
  game.held.PressLetter(2, GetParam().from - 'A', At(0));
  game.held.ReleaseLetter(2, GetParam().from - 'A');
  game.held.PressPadButton(1, GetParam().button, At(0));
  EXPECT_EQ(game.held.Picker().Highlighted(), GetParam().to - 'A');
  EXPECT_EQ(game.held.HeldKeys(), Keys{});
  // A types the highlighted letter and holds it as long as A is held.
  game.held.PressPadButton(1, PadButton::kA, At(0));
  game.held.Advance(At(600));
  EXPECT_EQ(game.held.HeldKeys(), Keys{static_cast<std::int16_t>(GetParam().to)});
  game.held.ReleasePadButton(1, PadButton::kA);
  EXPECT_EQ(game.held.HeldKeys(), Keys{});
}

INSTANTIATE_TEST_SUITE_P(HeldControls, PickerMoves, ::testing::ValuesIn(kPickerMoves),
                         [](const auto& test_case) {
                           return std::string{test_case.param.from} + "To" + test_case.param.to +
                                  std::to_string(test_case.index);
                         });

// ---- Nothing stays held.

struct ReleaseCase {
  std::string_view what;
  std::function<void(HeldControls&)> hold_then_let_go;
  Keys still_held;
};

void Tap(HeldControls& held, DeviceId pad, PadButton button) {
  held.PressPadButton(pad, button, At(0));
  held.ReleasePadButton(pad, button);
}

const std::vector<ReleaseCase> kReleaseCases = {
    {"B closes the picker and lets go the typed letter",
     [](HeldControls& held) {
       Tap(held, 1, PadButton::kY);
       held.PressPadButton(1, PadButton::kA, At(0));
       Tap(held, 1, PadButton::kB);
     },
     {}},
    {"Y closes it as well, touched letters included",
     [](HeldControls& held) {
       Tap(held, 1, PadButton::kY);
       held.PressLetter(3, 10, At(0));
       Tap(held, 1, PadButton::kY);
     },
     {}},
    {"opening the picker lets go the held d-pad, Z and stick",
     [](HeldControls& held) {
       held.PressPadButton(1, PadButton::kDpadLeft, At(0));
       held.PressPadButton(1, PadButton::kA, At(0));
       held.PointDirections(2, Directions(0b1000), At(0));
       Tap(held, 1, PadButton::kY);
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

class NothingStaysHeld : public ::testing::TestWithParam<ReleaseCase> {};

TEST_P(NothingStaysHeld, KeyUpsReachTheGame) {
  Game game;
  GetParam().hold_then_let_go(game.held);
  EXPECT_EQ(game.held.HeldKeys(), GetParam().still_held);
  EXPECT_EQ(game.held.NextRepeatDue().has_value(), !GetParam().still_held.empty());
  EXPECT_FALSE(game.Moving(0) || game.Moving(2) || game.Moving(3));
  EXPECT_EQ(game.Moving(1), GetParam().still_held == Keys{39});
}

INSTANTIATE_TEST_SUITE_P(HeldControls, NothingStaysHeld, ::testing::ValuesIn(kReleaseCases),
                         [](const auto& test_case) {
                           return "Case" + std::to_string(test_case.index);
                         });

// ---- Start and restart click only what is visible.

struct ClickCase {
  std::string_view what;
  bool started;
  Action action;
  bool changed;
  bool title_after;
};

const std::vector<ClickCase> kClickCases = {
    {"start on the title screen starts", false, Action::kStart, true, false},
    {"start in play does nothing", true, Action::kStart, false, false},
    {"restart in play restarts", true, Action::kRestart, true, true},
    {"restart on the title screen does nothing", false, Action::kRestart, false, true},
};

class StartAndRestart : public ::testing::TestWithParam<ClickCase> {};

TEST_P(StartAndRestart, OnlyWhileTheirElementIsVisible) {
  Game game(GetParam().started);
  EXPECT_EQ(game.held.PressAction(4, GetParam().action, At(0)), GetParam().changed);
  EXPECT_EQ(game.form().Scene().Command1().Visible == kTrue, GetParam().title_after);
  EXPECT_FALSE(game.held.ReleaseAction(4, GetParam().action));
}

INSTANTIATE_TEST_SUITE_P(HeldControls, StartAndRestart, ::testing::ValuesIn(kClickCases),
                         [](const auto& test_case) {
                           return "Case" + std::to_string(test_case.index);
                         });

// ---- A stick or a touch vector: eight sectors and a dead zone.

struct VectorCase {
  float degrees;  // counter-clockwise from Right, on screen
  float length;
  unsigned long directions;  // 1 Left, 2 Up, 4 Right, 8 Down
};

const std::vector<VectorCase> kVectorCases = {
    {0, 1, 0b0100},    {22, 1, 0b0100},         {23, 1, 0b0110},
    {45, 1, 0b0110},   {67, 1, 0b0110},         {68, 1, 0b0010},
    {90, 1, 0b0010},   {135, 1, 0b0011},        {180, 1, 0b0001},
    {-180, 1, 0b0001}, {225, 1, 0b1001},        {270, 1, 0b1000},
    {-22, 1, 0b0100},  {-23, 1, 0b1100},        {315, 1, 0b1100},
    {338, 1, 0b0100},  {90, kStickDeadZone, 0}, {90, kStickDeadZone * 1.01F, 0b0010},
    {0, 0, 0},
};

class VectorDirections : public ::testing::TestWithParam<VectorCase> {};

TEST_P(VectorDirections, EightSectorsOutsideTheDeadZone) {
  const double radians = GetParam().degrees * std::numbers::pi / 180;
  const auto x = static_cast<float>(GetParam().length * std::cos(radians));
  const auto y = static_cast<float>(-GetParam().length * std::sin(radians));  // y grows down
  EXPECT_EQ(DirectionsFromVector(x, y, kStickDeadZone).to_ulong(), GetParam().directions);
}

INSTANTIATE_TEST_SUITE_P(HeldControls, VectorDirections, ::testing::ValuesIn(kVectorCases),
                         [](const auto& test_case) {
                           return "Case" + std::to_string(test_case.index);
                         });

TEST(HeldControls, NotANumberPointsNowhere) {
  EXPECT_EQ(DirectionsFromVector(std::nanf(""), 0.5F, kStickDeadZone).to_ulong(), 0U);
}

}  // namespace
}  // namespace munyura::window_rules
