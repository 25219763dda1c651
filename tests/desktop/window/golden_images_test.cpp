// The window's look, pinned: moments of the game drawn off-screen by the real
// scene renderer on SDL's software renderer, compared pixel for pixel with the
// reference images in golden/. Among them, which element covers which: the
// chick over the monument, its transparent corners showing the stone; Label1
// over the chick and the bottom posts; the start button over everything, cut
// at the window's edge. After an intended change of the look, run this binary
// with --update-golden to write new references, and look at them before
// committing.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "desktop/picture_pixels.h"
#include "desktop/pictures/game_pictures.h"
#include "desktop/text/font_setup.h"
#include "desktop/window/offscreen_window.h"
#include "desktop/window/scene_renderer.h"
#include "form1.h"
#include "key_codes.h"
#include "support/test_pictures.h"

namespace munyura {

bool update_golden = false;

namespace {

void TickUntil(Form1& form, const std::function<bool()>& done) {
  ASSERT_TRUE(testing::TickUntil(form, done)) << "not reached in 200 ticks";
}

struct Moment {
  const char* name;
  std::function<void(Form1&)> reach;
  desktop::ButtonLook look;
};

// The start button `width` wide, sliding on from the left edge it wrapped
// back to at 20 wide: narrower than its caption, which stays whole and is cut
// by the edges.
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

const Moment kMoments[] = {
    {"title", [](Form1&) {}, {.focused = true}},
    {"button-20", ButtonWidth(20, false), {.focused = true}},
    {"button-40", ButtonWidth(40, false), {.focused = true, .pressed = true}},
    {"button-60", ButtonWidth(60, true), {}},
    {"button-80", ButtonWidth(80, true), {.pressed = true}},
    // The button slides right and widens until it crosses the wall and the
    // window's right edge.
    {"title-button-at-the-edge",
     [](Form1& form) {
       const auto& button = form.Scene().Command1();
       TickUntil(form, [&] { return button.Left + button.Width > 640; });
     },
     {.focused = true}},
    // The chick over monument 0 and the posts reaching the window's edges.
    {"room-0-0", [](Form1& form) { form.Command1_Click(); }, {}},
    {"inscription",
     [](Form1& form) {
       form.Command1_Click();
       form.Form_KeyDown(kKeyZ, 0);
     },
     {}},
    // Down with the inscription shown until Label1 covers the chick.
    {"inscription-over-the-chick",
     [](Form1& form) {
       form.Command1_Click();
       form.Form_KeyDown(kKeyZ, 0);
       form.Form_KeyDown(kKeyDown, 0);
       TickUntil(form, [&] { return form.Scene().Munyu().Top >= 270; });
     },
     {}},
    // Up into the height of the left doorway, then out through it into
    // (-1, 0), whose own left doorway is closed.
    {"closed-doorways",
     [](Form1& form) {
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
  ASSERT_EQ(desktop::FontSetup().FamilyFor(u"ＭＳ Ｐゴシック"), "IPAPGothic")
      << "install fonts-ipafont-gothic";
  for (const Moment& moment : kMoments) {
    SCOPED_TRACE(moment.name);
    testing::OffscreenWindow window;
    moment.reach(window.Form());
    ASSERT_FALSE(HasFatalFailure());
    SDL_Surface& frame = const_cast<SDL_Surface&>(window.Draw(moment.look));
    const std::string path = std::string(MUNYURA_GOLDEN_DIR) + "/" + moment.name + ".png";
    if (update_golden) {
      ASSERT_EQ(IMG_SavePNG(&frame, path.c_str()), 0) << SDL_GetError();
      continue;
    }
    const desktop::SurfacePtr stored(IMG_Load(path.c_str()));
    ASSERT_TRUE(stored) << path << ": " << IMG_GetError();
    ASSERT_EQ(std::pair(stored->w, stored->h), std::pair(frame.w, frame.h));
    const std::vector<testing::Rgba> expected = testing::SurfacePixels(*stored);
    const std::vector<testing::Rgba> actual = testing::SurfacePixels(frame);
    long differing = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {  // colours only: alpha is not drawn
      const auto& [a, e] = std::tie(actual[i], expected[i]);
      differing += std::tie(a.r, a.g, a.b) != std::tie(e.r, e.g, e.b);
    }
    if (differing != 0) {
      const std::string actual_path = std::string(moment.name) + ".actual.png";
      IMG_SavePNG(&frame, actual_path.c_str());
      ADD_FAILURE() << differing << " pixels differ from " << path << "; this frame is in "
                    << actual_path;
    }
  }
}

}  // namespace
}  // namespace munyura

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    munyura::update_golden = munyura::update_golden || std::string(argv[i]) == "--update-golden";
  }
  return RUN_ALL_TESTS();
}
