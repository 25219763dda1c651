// The loop draws a frame only when what it shows changed: each tick of the
// title screen slides the button, an idle tick of play changes nothing, and
// a key, a new look of the button or a new scale does.
#include "desktop/window/frame_content.h"

#include <gtest/gtest.h>

#include "form1.h"
#include "key_codes.h"
#include "support/test_pictures.h"

namespace munyura::desktop {
namespace {

TEST(FrameContentTest, OnlyAChangeOfWhatIsShownAsksForAFrame) {
  const scene::PictureSet pictures = testing::TestPictures();
  testing::RecordingHost host;
  Form1 form(pictures, host);
  form.Form_Load();
  FrameContent content;
  const Letterbox box;
  EXPECT_TRUE(content.Update(form.Scene(), {true, false}, box)) << "the first frame";
  EXPECT_FALSE(content.Update(form.Scene(), {true, false}, box)) << "nothing happened";
  form.Timer1_Timer();
  EXPECT_TRUE(content.Update(form.Scene(), {true, false}, box)) << "the button slid";
  EXPECT_TRUE(content.Update(form.Scene(), {true, true}, box)) << "the button sank";

  form.Command1_Click();
  EXPECT_TRUE(content.Update(form.Scene(), {}, box)) << "play began";
  for (int tick = 0; tick < 5; ++tick) {
    form.Timer1_Timer();
    EXPECT_FALSE(content.Update(form.Scene(), {}, box)) << "idle tick " << tick;
  }
  form.Form_KeyDown(kKeyZ, 0);
  EXPECT_TRUE(content.Update(form.Scene(), {}, box)) << "Z showed the inscription";
  form.Form_KeyDown(kKeyRight, 0);
  form.Timer1_Timer();
  EXPECT_TRUE(content.Update(form.Scene(), {}, box)) << "the chick walked";

  EXPECT_TRUE(content.Update(form.Scene(), {}, Letterbox{2, 0, 0})) << "zoomed";
  content.Forget();
  EXPECT_TRUE(content.Update(form.Scene(), {}, Letterbox{2, 0, 0})) << "the window was exposed";
}

}  // namespace
}  // namespace munyura::desktop
