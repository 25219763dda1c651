// The start button holds the keyboard focus on the first title screen only:
// Space clicks it on release, Enter on press, other keys do nothing; once it
// has been hidden every key reaches the window's handlers. Losing the
// window's focus lets go of a press without clicking.
#include "window_rules/keyboard_focus.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "window_rules/windowed_game.h"

namespace munyura::window_rules {
namespace {

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kSpace = 32;
constexpr std::int16_t kLeft = 37;

enum Event { kDown, kUp, kShown, kHidden, kFocusLost };
constexpr auto kNone = static_cast<KeyRoute>(-1);  // no key, no route
constexpr auto kIgnore = KeyRoute::kIgnore;
constexpr auto kClick = KeyRoute::kClickStartButton;
constexpr auto kWindow = KeyRoute::kToWindow;

struct Step {
  Event event;
  std::int16_t key = 0;
  KeyRoute route = kNone;
  bool focus_after = true;  // the button holds the focus
  bool pressed_after = false;
};

struct Sequence {
  std::string_view what;
  std::vector<Step> steps;
};

// Several steps to a row, as they happen one after another.
// clang-format off
const std::vector<Sequence> kSequences = {
    {"space presses the button and clicks it on release",
     {{kDown, kSpace, kIgnore, true, true}, {kDown, kSpace, kIgnore, true, true},
      {kShown, 0, kNone, true, true}, {kUp, kSpace, kClick}, {kUp, kSpace, kIgnore}}},
    {"enter clicks on every press, repeats included",
     {{kDown, kEnter, kClick}, {kDown, kEnter, kClick}, {kUp, kEnter, kIgnore}}},
    {"other keys, and a space release with no press, do nothing on the button",
     {{kDown, kLeft, kIgnore}, {kUp, kSpace, kIgnore}}},
    {"once the button is hidden every key goes to the window",
     {{kHidden, 0, kNone, false}, {kDown, kEnter, kWindow, false}, {kDown, kSpace, kWindow, false},
      {kUp, kSpace, kWindow, false}}},
    {"a restart shows the button but the window keeps the focus",
     {{kHidden, 0, kNone, false}, {kShown, 0, kNone, false}, {kUp, kSpace, kWindow, false},
      {kDown, kEnter, kWindow, false}}},
    {"a space press does not survive the button's hiding",
     {{kDown, kSpace, kIgnore, true, true}, {kHidden, 0, kNone, false},
      {kShown, 0, kNone, false}, {kUp, kSpace, kWindow, false}}},
    {"losing the window's focus lets go of space without a click",
     {{kDown, kSpace, kIgnore, true, true}, {kFocusLost}, {kUp, kSpace, kIgnore},
      {kDown, kSpace, kIgnore, true, true}, {kUp, kSpace, kClick}}},
};
// clang-format on

TEST(KeyboardFocus, RoutesEveryKeyOfTheSequences) {
  for (const Sequence& sequence : kSequences) {
    KeyboardFocus focus;
    for (std::size_t i = 0; i < sequence.steps.size(); ++i) {
      const Step& step = sequence.steps[i];
      KeyRoute route = kNone;
      if (step.event == kDown) {
        route = focus.KeyDown(step.key);
      } else if (step.event == kUp) {
        route = focus.KeyUp(step.key);
      } else if (step.event == kFocusLost) {
        focus.WindowLostFocus();
      } else {
        focus.NoticeStartButton(step.event == kShown);
      }
      const std::string where = std::string(sequence.what) + ", step " + std::to_string(i);
      EXPECT_EQ(route, step.route) << where;
      EXPECT_EQ(focus.StartButtonHasFocus(), step.focus_after) << where;
      EXPECT_EQ(focus.StartButtonPressedByKey(), step.pressed_after) << where;
    }
  }
}

// Through the whole seam, with the real game behind it: the press is let go
// (the button comes back up) and its release clicks nothing.
TEST(WindowEvents, LosingTheFocusCancelsAPressOfTheStartButtonBySpaceOrMouse) {
  for (const bool mouse : {false, true}) {
    testing::WindowedGame window;
    WindowEvents& events = window.events;
    const auto press = [&] { mouse ? events.MousePress(300, 150) : events.KeyDown(kSpace, 0); };
    const auto release = [&] { mouse ? events.MouseRelease(300, 150) : events.KeyUp(kSpace, 0); };
    press();
    EXPECT_TRUE(events.FocusLost()) << mouse;
    EXPECT_EQ(events.StartButtonLook(), (ButtonLook{.focused = true, .pressed = false}));
    release();
    EXPECT_EQ(window.form.Scene().Command1().Visible, kTrue) << "clicked, by mouse: " << mouse;
    press();
    release();
    EXPECT_EQ(window.form.Scene().Command1().Visible, kFalse) << "not clicked, by mouse: " << mouse;
  }
}

}  // namespace
}  // namespace munyura::window_rules
