// A frame is drawn only when what it shows changed, and then only the part
// that changed, which must give exactly the pixels of a whole new frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <tuple>
#include <vector>

#include "desktop/window/frame_content.h"
#include "desktop/window/offscreen_window.h"
#include "key_codes.h"

namespace munyura::desktop {
namespace {

using testing::kOpaqueBlack;
using testing::kOpaqueWhite;

// Every game pixel of every line inside the window has ink; the chick and the
// monument, scaled by nearest neighbour, show black and white only, to their edges.
void ExpectInkAndOnlyThePicturesColours(const testing::Pixels& frame, const scene::Scene& scene,
                                        const Letterbox& box) {
  // The colours of the output pixels a span of game pixels may touch.
  const auto first = [&box](float at) { return static_cast<int>(std::floor(at * box.scale)); };
  const auto end = [&box](float at) { return static_cast<int>(std::ceil(at * box.scale)); };
  const auto colours_in = [&](float left, float top, float right, float bottom) {
    std::set<testing::Rgba> found;
    for (int y = std::max(0, first(top)); y < std::min(box.height, end(bottom)); ++y) {
      for (int x = std::max(0, first(left)); x < std::min(box.width, end(right)); ++x) {
        found.insert(frame.At(box.left + x, box.top + y));
      }
    }
    return found;
  };
  int lines = 0;
  for (const scene::SceneControl& line : scene.Controls()) {
    if (line.Kind != scene::ControlKind::kLine || line.Visible != kTrue) {
      continue;
    }
    ++lines;
    const float steps = std::max({std::abs(line.X2 - line.X1), std::abs(line.Y2 - line.Y1), 1.0F});
    for (float step = 0; step <= steps; ++step) {  // both ends included
      const float x = std::round(line.X1 + (line.X2 - line.X1) * step / steps);
      const float y = std::round(line.Y1 + (line.Y2 - line.Y1) * step / steps);
      EXPECT_TRUE(x < 0 || y < 0 || x >= window_rules::kGameWidth ||
                  y >= window_rules::kGameHeight ||
                  colours_in(x, y, x + 1, y + 1).contains(kOpaqueBlack))
          << line.Name << " " << *line.Index << " at " << x << ", " << y;
    }
  }
  EXPECT_GE(lines, 8) << "two posts for each of the four doorways";
  for (const scene::SceneControl* picture : {&scene.Munyu(), &scene.Sekihi()}) {
    EXPECT_EQ(colours_in(picture->Left, picture->Top, picture->Left + picture->Width,
                         picture->Top + picture->Height),
              (std::set{kOpaqueBlack, kOpaqueWhite}))
        << picture->Name;
  }
}

// Output areas whose game has 2, 1.5 and 0.6 output pixels per game pixel.
class PartialFrameTest : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(PartialFrameTest, DrawingOnlyWhatChangedGivesTheWholeFrame) {
  testing::OffscreenWindow game;
  Form1& form = game.form;
  const Letterbox box = window_rules::FitGame(GetParam().first, GetParam().second);
  testing::Output kept(game.pictures, 1300, 800, box.scale);
  testing::Output fresh(game.pictures, 1300, 800, box.scale);
  FrameContent content;
  ButtonLook look{true, false};

  // Steps, each done some times, that must (1), must not (0) or may (-1) ask for a frame.
  std::vector<std::tuple<const char*, int, std::function<void()>>> steps;
  const auto add = [&steps](int times, const char* what, int frame, std::function<void()> step) {
    steps.insert(steps.end(), times, {what, frame, step});
  };
  const auto tick = [&] { form.Timer1_Timer(); };
  add(1, "nothing happened", 0, [] {});
  add(30, "the button slides", 1, tick);  // and wraps back to the left
  add(1, "the button sinks", 1, [&] { look.pressed = true; });
  add(1, "play starts", 1, [&] {
    look = {};
    form.Command1_Click();
  });
  add(5, "an idle tick", 0, tick);
  add(2, "Z reads, then hides", 1, [&] { form.Form_KeyDown(kKeyZ, 0); });
  add(1, "Left held", -1, [&] { form.Form_KeyDown(kKeyLeft, 0); });
  add(1, "the chick walks", 1, tick);
  add(40, "walking left to the wall", -1, tick);

  ASSERT_TRUE(content.Update(form.Scene(), look, box));
  kept.Draw(form.Scene(), look, &box);
  int partial_frames = 0;
  for (const auto& [what, frame, step] : steps) {
    step();
    const bool drawn = content.Update(form.Scene(), look, box);
    EXPECT_TRUE(frame < 0 || drawn == (frame == 1)) << what;
    if (!drawn) {
      continue;
    }
    const GameArea& area = content.ChangedArea();
    const SDL_Rect part{area.left, area.top, area.right - area.left, area.bottom - area.top};
    partial_frames += part.w < window_rules::kGameWidth || part.h < window_rules::kGameHeight;
    const testing::Pixels whole = fresh.Draw(form.Scene(), look, &box);
    ASSERT_TRUE(kept.Draw(form.Scene(), look, &box, &part) == whole) << what;
    if (what == std::string_view("play starts") && !box.WholeScale()) {
      ExpectInkAndOnlyThePicturesColours(whole, form.Scene(), box);  // room (0, 0)
    }
  }
  if (box.WholeScale()) {
    EXPECT_GT(partial_frames, 30) << "the slide and the walk redraw only a part";
  }
  EXPECT_TRUE(content.Update(form.Scene(), look, Letterbox{3, 0, 0})) << "zoomed";
  content.Forget();
  EXPECT_TRUE(content.Update(form.Scene(), look, Letterbox{3, 0, 0})) << "the window was exposed";
}

INSTANTIATE_TEST_SUITE_P(Scales, PartialFrameTest,
                         ::testing::Values(std::pair{1300, 800}, std::pair{1000, 570},
                                           std::pair{400, 228}));

}  // namespace
}  // namespace munyura::desktop
