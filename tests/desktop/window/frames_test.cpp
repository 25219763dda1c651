// The window's frames as golden/ pins them (after an intended change of the look, run this binary
// with --update-golden and look at them before committing), and drawn only where they changed.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "desktop/picture_pixels.h"
#include "desktop/pictures/game_pictures.h"
#include "desktop/text/caption_fonts_for_tests.h"
#include "desktop/text/font_setup.h"
#include "desktop/window/frame_content.h"
#include "desktop/window/scene_renderer.h"
#include "desktop/window/window_view.h"
#include "form1.h"
#include "key_codes.h"
#include "support/test_pictures.h"

namespace munyura::desktop {

bool update_golden = false;

namespace {

using testing::Pixels;

// A frame of its own, drawn at `scale` output pixels per game pixel.
struct Output {
  Output(const GamePictures& pictures, int width, int height, float scale = 1)
      : frame(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888)),
        renderer(SDL_CreateSoftwareRenderer(frame.get())),
        scene(*renderer, pictures, testing::Fonts(), scale) {}
  Pixels Draw(const scene::Scene& game, ButtonLook look, const Letterbox* box = nullptr,
              const SDL_Rect* part = nullptr) {
    if (box != nullptr) {
      BeginGameFrame(*renderer, *box, part);
    }
    scene.Draw(game, look);
    SDL_RenderPresent(renderer.get());
    return testing::SurfacePixels(*frame);
  }

  SurfacePtr frame;
  RendererPtr renderer;
  SceneRenderer scene;
};

struct OffscreenWindow {
  OffscreenWindow() { form.Form_Load(); }

  GamePictures pictures = GamePictures::DecodeEmbedded();
  testing::RecordingHost host;
  Form1 form{pictures.Pictures(), host};
  Output output{pictures, 621, 380};
};

void TickUntil(Form1& form, const auto& done) {
  for (int i = 0; i < 200 && !done(); ++i) {
    form.Timer1_Timer();
  }
  ASSERT_TRUE(done()) << "not reached in 200 ticks";
}

// The start button `width` wide, sliding on from the left edge it wrapped back to at 20 wide:
// narrower than its whole caption, cut by the edges; then perhaps played and back on the title.
std::function<void(Form1&)> ButtonWidth(float width, bool restarted) {
  return [width, restarted](Form1& form) {
    const scene::SceneControl& button = form.Scene().Command1();
    TickUntil(form, [&] { return button.Left == width - 20 && button.Width == width; });
    if (restarted) {
      form.Command1_Click();
      form.Label2_Click();
    }
  };
}

const std::tuple<const char*, std::function<void(Form1&)>, ButtonLook> kMoments[] = {
    {"title", [](Form1&) {}, {.focused = true}},
    // The button slides right and widens across the wall and the window's edge.
    {"title-button-at-the-edge",
     [](Form1& form) {
       const auto& button = form.Scene().Command1();
       TickUntil(form, [&] { return button.Left + button.Width > 640; });
     },
     {.focused = true}},
    {"button-20", ButtonWidth(20, false), {.focused = true}},
    {"button-40", ButtonWidth(40, false), {.focused = true, .pressed = true}},
    {"button-60", ButtonWidth(60, true), {}},
    {"button-80", ButtonWidth(80, true), {.pressed = true}},
    // The chick over monument 0 and the posts reaching the window's edges.
    {"room-0-0", [](Form1& form) { form.Command1_Click(); }, {}},
    {"inscription", [](Form1& form) { form.Form_KeyDown(kKeyZ, 0); }, {}},
    // Down with the inscription shown until Label1 covers the chick.
    {"inscription-over-the-chick",
     [](Form1& form) {
       form.Form_KeyDown(kKeyDown, 0);
       TickUntil(form, [&] { return form.Scene().Munyu().Top >= 270; });
     },
     {}},
    // Played again: up to the left doorway's height, out into (-1, 0), whose left one is closed.
    {"closed-doorways",
     [](Form1& form) {
       form.Form_KeyUp(kKeyDown, 0);
       form.Label2_Click();
       form.Command1_Click();
       form.Form_KeyDown(kKeyUp, 0);
       form.Timer1_Timer();
       form.Form_KeyUp(kKeyUp, 0);
       form.Form_KeyDown(kKeyLeft, 0);
       TickUntil(form, [&] { return form.State().RoomX == -1; });
     },
     {}},
};

TEST(GoldenImages, EachMomentLooksAsItsReference) {
  // The references were drawn with this face; another would change every text.
  ASSERT_EQ(FontSetup().FamilyFor(u"ＭＳ Ｐゴシック"), "IPAPGothic")
      << "install fonts-ipafont-gothic";
  OffscreenWindow window;  // one game, from moment to moment
  for (const auto& [name, reach, look] : kMoments) {
    SCOPED_TRACE(name);
    reach(window.form);
    ASSERT_FALSE(HasFatalFailure());
    const Pixels actual = window.output.Draw(window.form.Scene(), look);
    const std::string path = std::string(MUNYURA_GOLDEN_DIR) + "/" + name + ".png";
    if (update_golden) {
      ASSERT_EQ(IMG_SavePNG(window.output.frame.get(), path.c_str()), 0) << SDL_GetError();
      continue;
    }
    const SurfacePtr stored(IMG_Load(path.c_str()));
    ASSERT_TRUE(stored) << path << ": " << IMG_GetError();
    if (actual != testing::SurfacePixels(*stored)) {
      const std::string actual_path = std::string(name) + ".actual.png";
      IMG_SavePNG(window.output.frame.get(), actual_path.c_str());
      ADD_FAILURE() << "differs from " << path << "; this frame is in " << actual_path;
    }
  }
}

// Every game pixel of every line inside the window has ink; the chick and the
// monument, scaled by nearest neighbour, show black and white only, to their edges.
void ExpectInkAndOnlyThePicturesColours(const Pixels& frame, const scene::Scene& scene,
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
                  colours_in(x, y, x + 1, y + 1).contains(testing::kOpaqueBlack))
          << line.Name << " " << *line.Index << " at " << x << ", " << y;
    }
  }
  EXPECT_GE(lines, 8) << "two posts for each of the four doorways";
  for (const scene::SceneControl* picture : {&scene.Munyu(), &scene.Sekihi()}) {
    EXPECT_EQ(colours_in(picture->Left, picture->Top, picture->Left + picture->Width,
                         picture->Top + picture->Height),
              (std::set{testing::kOpaqueBlack, testing::kOpaqueWhite}))
        << picture->Name;
  }
}

// Output areas whose game has 2, 1.5 and 0.6 output pixels per game pixel. Only the part of the
// game that changed is drawn, and must give exactly the pixels of a whole new frame.
struct PartialFrameTest : ::testing::TestWithParam<std::pair<int, int>>, OffscreenWindow {};

TEST_P(PartialFrameTest, DrawingOnlyWhatChangedGivesTheWholeFrame) {
  const Letterbox box = window_rules::FitGame(GetParam().first, GetParam().second);
  Output kept(pictures, 1300, 800, box.scale);
  Output fresh(pictures, 1300, 800, box.scale);
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
    const Pixels whole = fresh.Draw(form.Scene(), look, &box);
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

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  munyura::desktop::update_golden = argc == 2 && std::string(argv[1]) == "--update-golden";
  return RUN_ALL_TESTS();
}
