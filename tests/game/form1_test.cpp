// The window's handlers driven as the platform drives them.
#include "form1.h"

#include <gtest/gtest.h>

#include "key_codes.h"
#include "support/test_pictures.h"

namespace munyura {
namespace {

TEST(Form1, TheTitleScreenOnlySlidesTheButtonEveryTickPlaysTheTuneOfTheFolderAsItIs) {
  testing::RecordingHost host;
  Form1 form(testing::TestPictures(), host);
  form.Form_Load();
  form.Form_KeyDown(kKeyLeft, 0);
  for (const auto& [folder, command] : {
           std::pair<std::string, std::string>{"", R"(play "\bdmidi.mid")"},
           {"/home/a b/My Games", R"(play "/home/a b/My Games\bdmidi.mid")"},
           {"/home/ひよこ/ムニュラ", "play \"/home/ひよこ/ムニュラ\\bdmidi.mid\""},
           {"/srv/\xff\xfe", "play \"/srv/\xff\xfe\\bdmidi.mid\""},  // not UTF-8: byte for byte
       }) {
    host.folder = folder;
    form.Timer1_Timer();
    EXPECT_EQ(host.commands.back(), command);
  }
  const scene::Scene& scene = form.Scene();
  EXPECT_EQ(std::pair(scene.Command1().Left, scene.Command1().Width), std::pair(280.0F, 177.0F));
  form.Command1_Click();
  form.Timer1_Timer();  // the held Left steps at once
  EXPECT_EQ(std::pair(scene.Munyu().Left, scene.Munyu().Top), std::pair(270.0F, 192.0F));
  EXPECT_EQ(host.commands.size(), 5U) << "one command every tick";
  form.Form_KeyDown(kKeyZ, 1);  // the handlers never look at Shift
  EXPECT_EQ(std::pair(scene.Label1().Visible, scene.Label1().Caption.substr(0, 4)),
            std::pair(kTrue, std::u16string(u"おはこん")));
}

}  // namespace
}  // namespace munyura
