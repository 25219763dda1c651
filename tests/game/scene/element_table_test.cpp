#include "scene/element_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_pictures.h"

namespace munyura::scene {
namespace {

// Front-most first: picture boxes, timer, button, restart label, the hidden
// monuments, the message band, the chick, the posts, the frames, Sekihi last.
TEST(ElementTable, StacksTheElementsInDrawingOrder) {
  const Scene scene = BuildScene(testing::TestPictures());
  std::vector<std::string> order;
  for (const SceneControl& e : scene.Controls()) {
    EXPECT_EQ(e.Rank, static_cast<int>(order.size()) + 1);
    order.push_back(std::string(e.Name) + (e.Index ? std::to_string(*e.Index) : ""));
  }
  std::vector<std::string> expected{"Picture13", "Picture12", "Picture11", "Picture10",
                                    "Timer1",    "Command1",  "Label2"};
  for (int n = 29; n >= 1; --n) {
    expected.push_back("Image2" + std::to_string(n));
  }
  for (const char* name : {"Label1", "Munyu", "Line41", "Line31", "Line30", "Line40", "Line20",
                           "Line21", "Line11", "Line10", "Shape1", "Shape2", "Image20", "Sekihi"}) {
    expected.emplace_back(name);
  }
  EXPECT_EQ(order, expected);
  // Image2(n) holds monument n: the inscription is found through it.
  for (std::int16_t n = 0; n < 30; ++n) {
    EXPECT_EQ(scene.Image2(n).Picture()->Handle(), 200U + static_cast<unsigned>(n));
    EXPECT_EQ(scene.Image2(n).Visible, kFalse);
  }
  EXPECT_EQ(scene.Timer1().Interval, 60);
  EXPECT_EQ(scene.Timer1().Enabled, kTrue);
}

TEST(ElementTable, GivesTheTextsFontsAndColours) {
  const Scene scene = BuildScene(testing::TestPictures());
  const SceneControl& button = scene.Command1();
  EXPECT_EQ(button.Caption, u"STRAT");
  EXPECT_EQ(button.BackColour, 0x000000FFU);
  EXPECT_EQ(button.Font.Face, u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");
  EXPECT_EQ(button.Font.Size, 21.75F);
  EXPECT_FALSE(button.Font.Bold);
  const SceneControl& restart = scene.Label2();
  EXPECT_EQ(restart.Caption, u"\uFF8A\uFF82\uFF9E\uFF92\uFF76\uFF97");
  EXPECT_EQ(restart.Font.Size, 11.25F);
  EXPECT_TRUE(restart.Font.Bold);
  const SceneControl& message = scene.Label1();
  EXPECT_EQ(message.Caption, u"");
  EXPECT_EQ(message.BackColour, 0x0000FF00U);
  EXPECT_EQ(message.Font.Size, 20.25F);
  EXPECT_EQ(message.Font.Face, button.Font.Face);
  EXPECT_EQ(scene.ScaleWidth(), 621);
  EXPECT_EQ(scene.ScaleHeight(), 380);
}

TEST(ElementTable, RefusesPicturesThatCannotBeToldApart) {
  PictureSet missing = testing::TestPictures();
  missing.monuments[29] = nullptr;
  EXPECT_THROW(BuildScene(missing), std::invalid_argument);
  PictureSet twins = testing::TestPictures();
  twins.monuments[7] = std::make_shared<ScenePicture>(twins.chick[0]->Handle(), 150, 150);
  EXPECT_THROW(BuildScene(twins), std::invalid_argument);
}

}  // namespace
}  // namespace munyura::scene
