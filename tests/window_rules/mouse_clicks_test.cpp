// Left clicks: press and release on the same visible element, judged where
// the element is at each moment; the start button lies above the label.
#include "window_rules/mouse_clicks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <vector>

#include "scene/element_table.h"
#include "support/test_pictures.h"

namespace munyura::window_rules {
namespace {

struct Point {
  float x;
  float y;
};

struct Rect {
  float left;
  float top;
  float width;
  float height;
};

// Where the button starts on the title screen, and where the label sits.
constexpr Rect kButtonAtStart{240, 128, 137, 49};
constexpr Rect kLabel{568, 0, 53, 15};

void Place(scene::SceneControl& control, Rect rect, bool visible) {
  control.Left = rect.left;
  control.Top = rect.top;
  control.Width = rect.width;
  control.Height = rect.height;
  control.Visible = ToBool16(visible);
}

struct ClickCase {
  std::string_view what;
  bool button_visible;
  bool label_visible;
  Point press;
  Point release;
  std::optional<ClickTarget> expected;
  Rect button = kButtonAtStart;
  std::optional<Rect> button_at_release = std::nullopt;  // it slid between ticks
};

constexpr auto kButton = ClickTarget::kStartButton;
constexpr auto kRestart = ClickTarget::kRestartLabel;

const std::vector<ClickCase> kClickCases = {
    {"press and release on the button", true, false, {300, 150}, {310, 160}, kButton},
    {"press on the button, release outside", true, false, {300, 150}, {300, 200}, std::nullopt},
    {"press outside, release on the button", true, false, {100, 150}, {300, 150}, std::nullopt},
    {"the button's top-left pixel", true, false, {240, 128}, {240, 128}, kButton},
    {"the button's last fraction of a pixel",
     true,
     false,
     {376.9F, 176.9F},
     {376.9F, 176.9F},
     kButton},
    {"just right of the button", true, false, {377, 150}, {377, 150}, std::nullopt},
    {"just below the button", true, false, {300, 177}, {300, 177}, std::nullopt},
    {"just left of the button", true, false, {239.9F, 150}, {239.9F, 150}, std::nullopt},
    {"just above the button", true, false, {300, 127.9F}, {300, 127.9F}, std::nullopt},
    {"a hidden button", false, false, {300, 150}, {300, 150}, std::nullopt},
    {"the button slid away from under the pointer",
     true,
     false,
     {250, 150},
     {250, 150},
     std::nullopt,
     kButtonAtStart,
     Rect{260, 128, 147, 49}},
    {"the button slid on and the release follows it",
     true,
     false,
     {250, 150},
     {400, 150},
     kButton,
     kButtonAtStart,
     Rect{260, 128, 147, 49}},
    {"the button wrapped back to the left edge",
     true,
     false,
     {495, 150},
     {495, 150},
     std::nullopt,
     Rect{490, 128, 387, 49},
     Rect{0, 128, 137, 49}},
    {"press and release on the label", false, true, {570, 5}, {600, 10}, kRestart},
    {"the label's corners", false, true, {568, 0}, {620.9F, 14.9F}, kRestart},
    {"just below the label", false, true, {570, 15}, {570, 15}, std::nullopt},
    {"a hidden label", false, false, {570, 5}, {570, 5}, std::nullopt},
    {"press on the label, release outside", false, true, {570, 5}, {560, 5}, std::nullopt},
    {"the button over the label takes the click",
     true,
     true,
     {570, 5},
     {570, 5},
     kButton,
     Rect{500, 0, 137, 49}},
    {"a hidden button over the label lets it through",
     false,
     true,
     {570, 5},
     {570, 5},
     kRestart,
     Rect{500, 0, 137, 49}},
    {"press on the label, release on the button above it",
     true,
     true,
     {600, 10},
     {510, 10},
     std::nullopt,
     Rect{500, 0, 80, 49}},
    {"press on the button, release on the label", true, true, {300, 150}, {570, 5}, std::nullopt},
};

TEST(MouseClicks, ClickAnElementPressedAndReleasedOnIt) {
  const scene::Scene title = scene::BuildScene(testing::TestPictures());
  for (const ClickCase& c : kClickCases) {
    scene::Scene window = title;
    Place(window.Command1(), c.button, c.button_visible);
    Place(window.Label2(), kLabel, c.label_visible);
    MouseClicks clicks;
    clicks.Press(c.press.x, c.press.y, window);
    if (c.button_at_release) {
      Place(window.Command1(), *c.button_at_release, c.button_visible);
    }
    EXPECT_EQ(clicks.Release(c.release.x, c.release.y, window), c.expected) << c.what;
    EXPECT_EQ(clicks.Release(c.release.x, c.release.y, window), std::nullopt)
        << c.what << ": a release with no press";
  }
}

TEST(MouseClicks, HoldTheButtonDownWhileThePointerIsOverIt) {
  scene::Scene window = scene::BuildScene(testing::TestPictures());
  Place(window.Command1(), kButtonAtStart, true);
  MouseClicks clicks;
  EXPECT_FALSE(clicks.StartButtonLooksPressed(window));

  clicks.Press(300, 150, window);
  EXPECT_TRUE(clicks.StartButtonLooksPressed(window));
  clicks.Move(300, 200);
  EXPECT_FALSE(clicks.StartButtonLooksPressed(window)) << "dragged off";
  clicks.Move(250, 150);
  EXPECT_TRUE(clicks.StartButtonLooksPressed(window)) << "dragged back";
  window.Command1().Left = 260;
  EXPECT_FALSE(clicks.StartButtonLooksPressed(window)) << "slid away from the pointer";
  window.Command1().Left = 240;
  window.Command1().Visible = kFalse;
  EXPECT_FALSE(clicks.StartButtonLooksPressed(window)) << "hidden";
  window.Command1().Visible = kTrue;
  EXPECT_TRUE(clicks.StartButtonLooksPressed(window));
  EXPECT_EQ(clicks.Release(250, 150, window), ClickTarget::kStartButton);
  EXPECT_FALSE(clicks.StartButtonLooksPressed(window)) << "released";

  clicks.Press(100, 150, window);
  clicks.Move(300, 150);
  EXPECT_FALSE(clicks.StartButtonLooksPressed(window)) << "pressed elsewhere, moved onto it";
  EXPECT_EQ(clicks.Release(300, 150, window), std::nullopt);

  Place(window.Label2(), kLabel, true);
  clicks.Press(570, 5, window);
  EXPECT_FALSE(clicks.StartButtonLooksPressed(window)) << "the label was pressed";
  clicks.Move(300, 150);
  EXPECT_FALSE(clicks.StartButtonLooksPressed(window)) << "the label was pressed";
}

TEST(ClickTargetAt, FindsTheFrontMostVisibleElement) {
  scene::Scene window = scene::BuildScene(testing::TestPictures());
  Place(window.Command1(), Rect{500, 0, 137, 49}, true);
  Place(window.Label2(), kLabel, true);
  EXPECT_EQ(ClickTargetAt(570, 5, window), ClickTarget::kStartButton);
  EXPECT_EQ(ClickTargetAt(499, 5, window), std::nullopt);
  window.Command1().Visible = kFalse;
  EXPECT_EQ(ClickTargetAt(570, 5, window), ClickTarget::kRestartLabel);
  EXPECT_EQ(ClickTargetAt(520, 5, window), std::nullopt);
}

}  // namespace
}  // namespace munyura::window_rules
