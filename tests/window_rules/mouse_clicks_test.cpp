// Left clicks: press and release on the same visible element, judged where
// the element is at each moment; the start button lies above the label; a
// lost focus ends the press.
#include "window_rules/mouse_clicks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <vector>

#include "scene/element_table.h"
#include "support/test_pictures.h"

namespace munyura::window_rules {
namespace {

struct Rect {
  float left, top, width, height;
};

// Where the button starts on the title screen, over the label and slid on;
// where the label sits.
constexpr Rect kStart{240, 128, 137, 49};
constexpr Rect kOverLabel{500, 0, 137, 49};
constexpr Rect kSlid{260, 128, 147, 49};
constexpr Rect kLabel{568, 0, 53, 15};

void Place(scene::SceneControl& control, Rect rect, bool visible) {
  control.Left = rect.left;
  control.Top = rect.top;
  control.Width = rect.width;
  control.Height = rect.height;
  control.Visible = ToBool16(visible);
}

enum Shown { kNeither = 0, kButton = 1, kLabelShown = 2, kBoth = 3 };
constexpr std::optional<ClickTarget> kStartButton = ClickTarget::kStartButton;
constexpr std::optional<ClickTarget> kRestart = ClickTarget::kRestartLabel;
constexpr std::optional<ClickTarget> kNothing;

struct ClickCase {
  std::string_view what;
  Shown shown;
  float press_x, press_y, release_x, release_y;
  std::optional<ClickTarget> expected;
  Rect button = kStart;
  std::optional<Rect> button_at_release = std::nullopt;  // it slid between ticks
  bool focus_lost_while_held = false;
};

const std::vector<ClickCase> kClickCases = {
    {"press and release on the button", kButton, 300, 150, 310, 160, kStartButton},
    {"press on the button, release outside", kButton, 300, 150, 300, 200, kNothing},
    {"the button's top-left pixel", kButton, 240, 128, 240, 128, kStartButton},
    {"just right of the button", kButton, 377, 150, 377, 150, kNothing},
    {"just below the button", kButton, 300, 177, 300, 177, kNothing},
    {"just left of the button", kButton, 239.9F, 150, 239.9F, 150, kNothing},
    {"just above the button", kButton, 300, 127.9F, 300, 127.9F, kNothing},
    {"a hidden button", kNeither, 300, 150, 300, 150, kNothing},
    {"the button slid away from the pointer", kButton, 250, 150, 250, 150, kNothing, kStart, kSlid},
    {"the release follows the slid button", kButton, 250, 150, 400, 150, kStartButton, kStart,
     kSlid},
    {"the window lost the focus while held", kButton, 300, 150, 300, 150, kNothing, kStart,
     std::nullopt, true},
    {"press and release on the label", kLabelShown, 570, 5, 600, 10, kRestart},
    {"a hidden label", kNeither, 570, 5, 570, 5, kNothing},
    {"the button over the label takes the click", kBoth, 570, 5, 570, 5, kStartButton, kOverLabel},
    {"a hidden button over the label lets it through", kLabelShown, 570, 5, 570, 5, kRestart,
     kOverLabel},
    {"press on the label, release on the button", kBoth, 600, 10, 510, 10, kNothing,
     Rect{500, 0, 80, 49}},
};

TEST(MouseClicks, ClickAnElementPressedAndReleasedOnIt) {
  const scene::Scene title = scene::BuildScene(testing::TestPictures());
  for (const ClickCase& c : kClickCases) {
    scene::Scene window = title;
    Place(window.Command1(), c.button, (c.shown & kButton) != 0);
    Place(window.Label2(), kLabel, (c.shown & kLabelShown) != 0);
    MouseClicks clicks;
    clicks.Press(c.press_x, c.press_y, window);
    if (c.button_at_release) {
      Place(window.Command1(), *c.button_at_release, true);
    }
    if (c.focus_lost_while_held) {
      clicks.Cancel();
    }
    EXPECT_EQ(clicks.Release(c.release_x, c.release_y, window), c.expected) << c.what;
    EXPECT_EQ(clicks.Release(c.release_x, c.release_y, window), kNothing)
        << c.what << ": a release with no press";
  }
}

TEST(MouseClicks, HoldTheButtonDownWhileThePointerIsOverIt) {
  scene::Scene window = scene::BuildScene(testing::TestPictures());
  Place(window.Command1(), kStart, true);
  Place(window.Label2(), kLabel, true);
  MouseClicks clicks;
  const auto looks_pressed = [&] { return clicks.StartButtonLooksPressed(window); };
  EXPECT_FALSE(looks_pressed());
  clicks.Press(300, 150, window);
  EXPECT_TRUE(looks_pressed());
  clicks.Move(300, 200);
  EXPECT_FALSE(looks_pressed()) << "dragged off";
  clicks.Move(250, 150);
  EXPECT_TRUE(looks_pressed()) << "dragged back";
  window.Command1().Left = 260;
  EXPECT_FALSE(looks_pressed()) << "slid away from the pointer";
  window.Command1().Left = 240;
  EXPECT_TRUE(looks_pressed());
  clicks.Cancel();
  EXPECT_FALSE(looks_pressed()) << "the focus was lost";

  clicks.Press(570, 5, window);  // on the label
  clicks.Move(300, 150);
  EXPECT_FALSE(looks_pressed()) << "pressed on the label, moved onto it";
}

}  // namespace
}  // namespace munyura::window_rules
