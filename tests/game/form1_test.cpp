// The window's handlers driven as the platform drives them.
#include "form1.h"

#include <gtest/gtest.h>

#include "key_codes.h"
#include "support/test_pictures.h"

namespace munyura {
namespace {

constexpr Bool16 T = kTrue;

class Form1Test : public ::testing::Test {
 protected:
  Form1Test() : form(testing::TestPictures(), host) { form.Form_Load(); }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      form.Timer1_Timer();
    }
  }
  const scene::SceneControl& Chick() const { return form.Scene().Munyu(); }

  testing::RecordingHost host;
  Form1 form;
};

TEST_F(Form1Test, TheTitleScreenOnlySlidesTheButtonAndPlaysMusic) {
  form.Form_KeyDown(kKeyLeft, 0);
  Ticks(3);
  EXPECT_EQ(form.Scene().Command1().Left, 270);
  EXPECT_EQ(form.Scene().Command1().Width, 167);
  EXPECT_EQ(std::pair(Chick().Left, Chick().Top), std::pair(280.0F, 192.0F));
  EXPECT_EQ(form.State().MoveKey[kMoveLeft], T) << "the flag waits for play";
  EXPECT_EQ(host.commands, std::vector<std::string>(3, R"(play "/opt/munyura\bdmidi.mid")"));

  form.Command1_Click();
  form.Timer1_Timer();
  EXPECT_EQ(Chick().Left, 270) << "a flag set on the title screen walks at once";
  EXPECT_EQ(host.commands.size(), 4U);
}

// The handlers never look at Shift: Z with Shift held reads the monument.
TEST_F(Form1Test, ShiftChangesNoKey) {
  form.Command1_Click();
  form.Form_KeyDown(kKeyZ, 1);
  EXPECT_EQ(form.Scene().Label1().Visible, T);
  EXPECT_EQ(form.Scene().Label1().Caption.substr(0, 4), u"おはこん");
}

}  // namespace
}  // namespace munyura
