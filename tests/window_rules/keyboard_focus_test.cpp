// The start button holds the keyboard focus on the first title screen only:
// Space clicks it on release, Enter on press, other keys do nothing; once it
// has been hidden every key reaches the window's handlers.
#include "window_rules/keyboard_focus.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <vector>

namespace munyura::window_rules {
namespace {

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kSpace = 32;
constexpr std::int16_t kLeft = 37;
constexpr std::int16_t kZ = 90;

enum class Event { kDown, kUp, kButtonShown, kButtonHidden };

struct Step {
  Event event;
  std::int16_t key = 0;
  std::optional<KeyRoute> route = std::nullopt;  // for key events
  bool button_has_focus_after = true;
  bool pressed_look_after = false;
};

constexpr Step Down(std::int16_t key, KeyRoute route, bool focus = true, bool pressed = false) {
  return {Event::kDown, key, route, focus, pressed};
}
constexpr Step Up(std::int16_t key, KeyRoute route, bool focus = true, bool pressed = false) {
  return {Event::kUp, key, route, focus, pressed};
}
constexpr Step Shown(bool focus, bool pressed = false) {
  return {Event::kButtonShown, 0, std::nullopt, focus, pressed};
}
constexpr Step Hidden() {
  return {Event::kButtonHidden, 0, std::nullopt, false, false};
}

constexpr auto kIgnore = KeyRoute::kIgnore;
constexpr auto kClick = KeyRoute::kClickStartButton;
constexpr auto kWindow = KeyRoute::kToWindow;

struct Sequence {
  std::string_view what;
  std::vector<Step> steps;
};

const std::vector<Sequence> kSequences = {
    {"space presses the button and clicks it on release",
     {Down(kSpace, kIgnore, true, true), Down(kSpace, kIgnore, true, true), Shown(true, true),
      Up(kSpace, kClick), Up(kSpace, kIgnore)}},
    {"enter clicks on every press, repeats included",
     {Down(kEnter, kClick), Down(kEnter, kClick), Down(kEnter, kClick), Up(kEnter, kIgnore)}},
    {"other keys do nothing while the button holds the focus",
     {Down(kLeft, kIgnore), Up(kLeft, kIgnore), Down(kZ, kIgnore), Up(kZ, kIgnore),
      Up(kSpace, kIgnore), Shown(true)}},
    {"a space release with no press on the button clicks nothing",
     {Down(kLeft, kIgnore), Up(kSpace, kIgnore), Down(kEnter, kClick), Up(kSpace, kIgnore)}},
    {"once the button is hidden every key goes to the window",
     {Down(kEnter, kClick), Hidden(), Down(kEnter, kWindow, false), Up(kEnter, kWindow, false),
      Down(kLeft, kWindow, false), Up(kLeft, kWindow, false), Down(kSpace, kWindow, false),
      Up(kSpace, kWindow, false), Down(kZ, kWindow, false)}},
    {"a restart shows the button but the window keeps the focus",
     {Hidden(), Shown(false), Down(kSpace, kWindow, false), Up(kSpace, kWindow, false),
      Down(kEnter, kWindow, false), Down(kLeft, kWindow, false), Hidden(), Shown(false),
      Up(kLeft, kWindow, false)}},
    {"a space pressed on the button and released after it hid goes to the window",
     {Down(kSpace, kIgnore, true, true), Hidden(), Up(kSpace, kWindow, false)}},
    {"a space press on the button does not survive a hide and a restart",
     {Down(kSpace, kIgnore, true, true), Hidden(), Shown(false), Up(kSpace, kWindow, false),
      Down(kSpace, kWindow, false)}},
};

TEST(KeyboardFocus, RoutesEveryKeyOfTheSequences) {
  for (const Sequence& sequence : kSequences) {
    KeyboardFocus focus;
    EXPECT_TRUE(focus.StartButtonHasFocus()) << sequence.what;
    EXPECT_FALSE(focus.StartButtonPressedByKey()) << sequence.what;
    for (std::size_t i = 0; i < sequence.steps.size(); ++i) {
      const Step& step = sequence.steps[i];
      std::optional<KeyRoute> route;
      switch (step.event) {
        case Event::kDown:
          route = focus.KeyDown(step.key);
          break;
        case Event::kUp:
          route = focus.KeyUp(step.key);
          break;
        case Event::kButtonShown:
          focus.NoticeStartButton(true);
          break;
        case Event::kButtonHidden:
          focus.NoticeStartButton(false);
          break;
      }
      EXPECT_EQ(route, step.route) << sequence.what << ", step " << i;
      EXPECT_EQ(focus.StartButtonHasFocus(), step.button_has_focus_after)
          << sequence.what << ", step " << i;
      EXPECT_EQ(focus.StartButtonPressedByKey(), step.pressed_look_after)
          << sequence.what << ", step " << i;
    }
  }
}

}  // namespace
}  // namespace munyura::window_rules
