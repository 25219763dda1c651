// The window's look, pinned pixel for pixel by the references in golden/. After an intended
// change of the look, run this binary with --update-golden and look at them before committing.
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

// Runs ticks until `done` holds, at most 200 of them.
template <typename Done>
void TickUntil(Form1& form, Done done) {
  for (int i = 0; i < 200 && !done(); ++i) {
    form.Timer1_Timer();
  }
  ASSERT_TRUE(done()) << "not reached in 200 ticks";
}

// Reached from the moment before, drawn with the start button's `look`.
struct Moment {
  const char* name;
  std::function<void(Form1&)> reach;
  desktop::ButtonLook look;
};

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

const Moment kMoments[] = {
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
    // Played again: up into the height of the left doorway, then out through
    // it into (-1, 0), whose own left doorway is closed.
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
  ASSERT_EQ(desktop::FontSetup().FamilyFor(u"ＭＳ Ｐゴシック"), "IPAPGothic")
      << "install fonts-ipafont-gothic";
  testing::OffscreenWindow window;  // one game, from moment to moment
  for (const Moment& moment : kMoments) {
    SCOPED_TRACE(moment.name);
    moment.reach(window.form);
    ASSERT_FALSE(HasFatalFailure());
    const testing::Pixels actual = window.Draw(moment.look);
    const std::string path = std::string(MUNYURA_GOLDEN_DIR) + "/" + moment.name + ".png";
    if (update_golden) {
      ASSERT_EQ(IMG_SavePNG(window.output.frame.get(), path.c_str()), 0) << SDL_GetError();
      continue;
    }
    const desktop::SurfacePtr stored(IMG_Load(path.c_str()));
    ASSERT_TRUE(stored) << path << ": " << IMG_GetError();
    if (actual != testing::SurfacePixels(*stored)) {
      const std::string actual_path = std::string(moment.name) + ".actual.png";
      IMG_SavePNG(window.output.frame.get(), actual_path.c_str());
      ADD_FAILURE() << "differs from " << path << "; this frame is in " << actual_path;
    }
  }
}

}  // namespace
}  // namespace munyura

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  munyura::update_golden = argc == 2 && std::string(argv[1]) == "--update-golden";
  return RUN_ALL_TESTS();
}
