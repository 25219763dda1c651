// The window's look, pinned: moments of the game drawn off-screen and
// compared pixel for pixel with the reference images in golden/. After an
// intended change of the look, run this test binary with --update-golden to
// write new references, and look at them before committing.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "desktop/text/font_setup.h"
#include "desktop/window/offscreen_window.h"
#include "key_codes.h"

namespace munyura {

bool update_golden = false;

namespace {

struct Moment {
  const char* name;
  std::function<void(Form1&)> reach;
  desktop::ButtonLook look;
};

void StartPlay(Form1& form) {
  form.Command1_Click();
}

void ReadMonument(Form1& form) {
  StartPlay(form);
  form.Form_KeyDown(kKeyZ, 0);
  form.Form_KeyUp(kKeyZ, 0);
}

// Up into the height of the left doorway, then out through it into (-1, 0),
// whose own left doorway is closed.
void WalkWest(Form1& form) {
  StartPlay(form);
  form.Form_KeyDown(kKeyUp, 0);
  form.Timer1_Timer();
  form.Form_KeyUp(kKeyUp, 0);
  form.Form_KeyDown(kKeyLeft, 0);
  ASSERT_TRUE(testing::TickUntil(form, [&] { return form.State().RoomX == -1; }));
  form.Form_KeyUp(kKeyLeft, 0);
}

// The start button `width` wide, sliding on from the left edge it wrapped
// back to at 20 wide: narrower than its caption, which stays whole and is cut
// by the edges.
std::function<void(Form1&)> ButtonWidth(float width, bool restarted) {
  return [width, restarted](Form1& form) {
    const scene::SceneControl& button = form.Scene().Command1();
    ASSERT_TRUE(testing::TickUntil(
        form, [&] { return button.Left == width - 20 && button.Width == width; }));
    if (restarted) {
      StartPlay(form);
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
    {"room-0-0", StartPlay, {}},
    {"inscription", ReadMonument, {}},
    {"closed-doorways", WalkWest, {}},
};

std::string GoldenPath(const std::string& name) {
  return std::string(MUNYURA_GOLDEN_DIR) + "/" + name + ".png";
}

// How many pixels of the two frames differ, or -1 if their sizes do.
long DifferingPixels(const SDL_Surface& actual, const SDL_Surface& expected) {
  if (actual.w != expected.w || actual.h != expected.h) {
    return -1;
  }
  long differing = 0;
  for (int y = 0; y < actual.h; ++y) {
    for (int x = 0; x < actual.w; ++x) {
      differing += testing::RgbAt(actual, x, y) != testing::RgbAt(expected, x, y);
    }
  }
  return differing;
}

TEST(GoldenImages, EachMomentLooksAsItsReference) {
  // The references were drawn with this face; another would change every text.
  ASSERT_EQ(desktop::FontSetup().FamilyFor(u"ＭＳ Ｐゴシック"), "IPAPGothic")
      << "install fonts-ipafont-gothic";
  for (const Moment& moment : kMoments) {
    SCOPED_TRACE(moment.name);
    testing::OffscreenWindow window;
    moment.reach(window.Form());
    SDL_Surface& frame = const_cast<SDL_Surface&>(window.Draw(moment.look));
    const std::string path = GoldenPath(moment.name);
    if (update_golden) {
      ASSERT_EQ(IMG_SavePNG(&frame, path.c_str()), 0) << SDL_GetError();
      continue;
    }
    const desktop::SurfacePtr stored(IMG_Load(path.c_str()));
    ASSERT_TRUE(stored) << path << ": " << IMG_GetError();
    const desktop::SurfacePtr expected(
        SDL_ConvertSurfaceFormat(stored.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    const long differing = DifferingPixels(frame, *expected);
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
