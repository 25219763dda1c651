// The loop draws a frame only when what it shows changed: each tick of the
// title screen slides the button, an idle tick of play changes nothing, and
// a key, a new look of the button or a new scale does. Where the window keeps
// its last frame, it draws again only the part of the game that changed. At
// a zoom, with the surround around the game, that must give exactly the
// pixels of a whole new frame, at every step of the title screen's slide and
// of play.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "desktop/picture_pixels.h"
#include "desktop/window/frame_content.h"
#include "desktop/window/offscreen_window.h"
#include "desktop/window/window_view.h"
#include "key_codes.h"

namespace munyura::desktop {
namespace {

// An output of its own, drawn by the real scene renderer.
struct Output {
  Output(const testing::OffscreenWindow& game, int scale)
      : frame(SDL_CreateRGBSurfaceWithFormat(0, 1300, 800, 32, SDL_PIXELFORMAT_ARGB8888)),
        renderer(SDL_CreateSoftwareRenderer(frame.get())),
        scene(*renderer, game.Pictures(), game.Fonts(), static_cast<float>(scale)) {}

  void Draw(const scene::Scene& game, ButtonLook look, const Letterbox& box, const SDL_Rect* part) {
    BeginGameFrame(*renderer, box, part);
    scene.Draw(game, look);
    SDL_RenderPresent(renderer.get());
  }

  SurfacePtr frame;
  RendererPtr renderer;
  SceneRenderer scene;
};

TEST(PartialFrameTest, DrawingOnlyWhatChangedGivesTheWholeFrame) {
  testing::OffscreenWindow game;
  Form1& form = game.Form();
  const Letterbox box = window_rules::FitGame(1300, 800);
  ASSERT_EQ(box.scale, 2);
  Output kept(game, box.scale);
  Output fresh(game, box.scale);
  FrameContent content;
  ButtonLook look{true, false};

  // Steps, each done some times, that must (1), must not (0) or may (-1) ask
  // for a frame.
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
  kept.Draw(form.Scene(), look, box, nullptr);
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
    kept.Draw(form.Scene(), look, box, &part);
    fresh.Draw(form.Scene(), look, box, nullptr);
    ASSERT_TRUE(testing::SurfacePixels(*kept.frame) == testing::SurfacePixels(*fresh.frame))
        << what;
  }
  EXPECT_GT(partial_frames, 30) << "the slide and the walk redraw only a part";
  EXPECT_TRUE(content.Update(form.Scene(), look, Letterbox{3, 0, 0})) << "zoomed";
  content.Forget();
  EXPECT_TRUE(content.Update(form.Scene(), look, Letterbox{3, 0, 0})) << "the window was exposed";
}

}  // namespace
}  // namespace munyura::desktop
