// The window's handlers driven as the platform drives them.
#include "form1.h"

#include <gtest/gtest.h>

#include "key_codes.h"
#include "support/test_pictures.h"

namespace munyura {
namespace {

TEST(Form1, TheTitleScreenOnlySlidesTheButtonEveryTickAsksForTheFolderAndShiftChangesNoKey) {
  testing::RecordingHost host;
  host.folder = "/a";
  Form1 form(testing::TestPictures(), host);
  form.Form_Load();
  form.Form_KeyDown(kKeyLeft, 0);
  form.Timer1_Timer();
  form.Timer1_Timer();
  host.folder = "/b";
  form.Timer1_Timer();
  const scene::SceneControl& chick = form.Scene().Munyu();
  EXPECT_EQ(std::pair(form.Scene().Command1().Left, form.Scene().Command1().Width),
            std::pair(270.0F, 167.0F));
  EXPECT_EQ(std::pair(chick.Left, chick.Top), std::pair(280.0F, 192.0F));
  EXPECT_EQ(form.State().MoveKey[kMoveLeft], kTrue) << "the flag waits for play";
  EXPECT_EQ(host.commands,
            (std::vector<std::string>{R"(play "/a\bdmidi.mid")", R"(play "/a\bdmidi.mid")",
                                      R"(play "/b\bdmidi.mid")"}));
  form.Command1_Click();
  form.Timer1_Timer();
  EXPECT_EQ(chick.Left, 270) << "a flag set on the title screen walks at once";
  EXPECT_EQ(std::pair(host.commands.size(), host.folder_requests), std::pair(std::size_t{4}, 4));
  form.Form_KeyDown(kKeyZ, 1);  // the handlers never look at Shift
  EXPECT_EQ(std::pair(form.Scene().Label1().Visible, form.Scene().Label1().Caption.substr(0, 4)),
            std::pair(kTrue, std::u16string(u"おはこん")));
}

}  // namespace
}  // namespace munyura
