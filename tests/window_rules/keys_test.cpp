// Keys on their way to the game: the browser's key names as the desktop's
// virtual keys, and the start button's focus, held until it is first hidden.
#include "window_rules/key_names.h"
#include "window_rules/keyboard_focus.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>

#include "window_rules/windowed_game.h"

namespace munyura::window_rules {
namespace {

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kSpace = 32;
constexpr std::int16_t kLeft = 37;

enum Event { kDown, kUp, kShown, kHidden };
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

// Space presses the button and clicks it on release, Enter on every press, other keys nothing; once
// the button is hidden every key goes to the window, even when a restart shows it again.
// clang-format off
const Step kSteps[] = {
    {kDown, kSpace, kIgnore, true, true}, {kDown, kSpace, kIgnore, true, true},
    {kShown, 0, kNone, true, true}, {kUp, kSpace, kClick}, {kUp, kSpace, kIgnore},
    {kDown, kEnter, kClick}, {kDown, kEnter, kClick}, {kUp, kEnter, kIgnore},
    {kDown, kLeft, kIgnore}, {kDown, kSpace, kIgnore, true, true}, {kHidden, 0, kNone, false},
    {kDown, kEnter, kWindow, false}, {kDown, kSpace, kWindow, false}, {kUp, kSpace, kWindow, false},
    {kShown, 0, kNone, false}, {kUp, kSpace, kWindow, false}, {kDown, kEnter, kWindow, false}};
// clang-format on

TEST(KeyboardFocus, RoutesEveryKeyOfTheSequence) {
  KeyboardFocus focus;
  for (std::size_t i = 0; i < std::size(kSteps); ++i) {
    const Step& step = kSteps[i];
    if (step.event == kShown || step.event == kHidden) {
      focus.NoticeStartButton(step.event == kShown);
    }
    const KeyRoute route = step.event == kDown ? focus.KeyDown(step.key)
                           : step.event == kUp ? focus.KeyUp(step.key)
                                               : kNone;
    EXPECT_EQ(route, step.route) << "step " << i;
    EXPECT_EQ(focus.StartButtonHasFocus(), step.focus_after) << "step " << i;
    EXPECT_EQ(focus.StartButtonPressedByKey(), step.pressed_after) << "step " << i;
  }
}

// Losing the window's focus lets go of the press: the button comes back up,
// keeps the focus, and the release clicks nothing.
TEST(WindowEvents, LosingTheFocusCancelsAPressOfTheStartButtonBySpaceOrMouse) {
  for (const bool mouse : {false, true}) {
    testing::WindowedGame window;
    mouse ? window.events.MousePress(300, 150) : window.events.KeyDown(kSpace, 0);
    EXPECT_TRUE(window.events.FocusLost()) << "the button was down, by mouse: " << mouse;
    EXPECT_EQ(window.events.StartButtonLook(), (ButtonLook{.focused = true, .pressed = false}));
    mouse ? window.events.MouseRelease(300, 150) : window.events.KeyUp(kSpace, 0);
    EXPECT_EQ(window.form.Scene().Command1().Visible, kTrue) << "clicked, by mouse: " << mouse;
  }
}

// Shift, Ctrl and Alt are bits 1, 2 and 4 of the shift state.
TEST(KeyNames, EachKeyOnEachLayoutGivesItsVirtualKey) {
  const struct {
    const char* code;  // KeyboardEvent.code: the key's place
    const char* key;   // KeyboardEvent.key: what it types
    std::optional<std::int16_t> expected;
  } cases[] = {
      // clang-format off
      {"ArrowUp", "ArrowUp", 38}, {"ArrowRight", "ArrowRight", 39}, {"ArrowDown", "ArrowDown", 40},
      {"Space", " ", 32}, {"Enter", "Enter", 13}, {"NumpadEnter", "Enter", 13},
      // AZERTY's A where US has Q, Dvorak's S where US has ; and its ; where US
      // has Z (no letter); another script, or none, gives the key of its place.
      {"KeyQ", "a", 65}, {"Semicolon", "s", 83}, {"KeyZ", ";", std::nullopt}, {"KeyZ", "я", 90},
      {"KeyA", "Unidentified", 65}, {"BracketLeft", "Dead", 219},
      {"Digit1", "&", 49},  // AZERTY's digit row, by place
      // The keypad: its digits with NumLock on, else the keys printed on it.
      {"Numpad7", "7", 103}, {"NumpadDecimal", ".", 110}, {"Numpad4", "ArrowLeft", 37},
      {"Numpad5", "Clear", 12}, {"NumpadDecimal", "Delete", 46},
      {"F1", "F1", 112}, {"F24", "F24", 135}, {"F25", "F25", std::nullopt},
      {"F01", "F1", std::nullopt}, {"Lang1", "HangulMode", std::nullopt}, {"", "", std::nullopt},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VirtualKeyOfKeyName(c.code, c.key), c.expected) << c.code << " " << c.key;
  }
  for (int bits = 0; bits < 8; ++bits) {
    EXPECT_EQ(ShiftStateOf(bits & 1, bits & 2, bits & 4), bits);
  }
}

}  // namespace
}  // namespace munyura::window_rules
