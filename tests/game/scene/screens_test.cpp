#include "scene/screens.h"

#include <gtest/gtest.h>

#include "scene/element_table.h"
#include "support/test_pictures.h"

namespace munyura::scene {
namespace {

std::vector<Bool16> PostsShown(const Scene& scene) {
  std::vector<Bool16> shown;
  for (int array = 1; array <= 4; ++array) {
    shown.push_back(scene.Line(array, 0).Visible);
    shown.push_back(scene.Line(array, 1).Visible);
  }
  return shown;
}

TEST(Screens, TitleAndPlayShowTheirOwnElements) {
  Scene scene = BuildScene(testing::TestPictures());
  scene.Munyu().Left = 17;
  scene.Label1().Caption = u"何もないん";
  ShowTitleScreen(scene);
  EXPECT_EQ(scene.Label1().Caption,
            u"z\u30AD\u30FC\u3067\u6C7A\u30C6\u30A3\u3000\uFF11\uFF10"
            u"\u6642\u30AD\u30FC\u3067\u79FB\u30C9\u30A5");
  const auto shown = [&scene] {
    return std::vector{scene.Label1().Visible, scene.Command1().Visible, scene.Label2().Visible,
                       scene.Shape1().Visible, scene.Sekihi().Visible};
  };
  EXPECT_EQ(shown(), (std::vector<Bool16>{kTrue, kTrue, kFalse, kTrue, kFalse}));
  EXPECT_EQ(PostsShown(scene), std::vector<Bool16>(8, kFalse));
  EXPECT_EQ(scene.Munyu().Picture(), nullptr);
  EXPECT_EQ(std::pair(scene.Munyu().Left, scene.Munyu().Top), std::pair(280.0F, 192.0F));

  ShowPlayScreen(scene);
  EXPECT_EQ(shown(), (std::vector<Bool16>{kFalse, kFalse, kTrue, kFalse, kTrue}));
  EXPECT_EQ(PostsShown(scene), std::vector<Bool16>(8, kTrue));
  EXPECT_EQ(scene.Munyu().Picture(), scene.Picture1(2).Picture());
  EXPECT_EQ(std::pair(scene.Munyu().Width, scene.Munyu().Height), std::pair(47.0F, 49.0F));
  EXPECT_EQ(scene.Shape2().Visible, kTrue);
}

TEST(Screens, TheStartButtonSlidesRightGrowingAndStartsOver) {
  struct Case {
    float left, width, next_left, next_width;
  };
  for (const Case c : {Case{240, 137, 250, 147}, Case{490, 400, 500, 410},
                       Case{499.5F, 20, 509.5F, 30}, Case{500, 410, 0, 20}, Case{730, 9, 0, 20}}) {
    Scene scene = BuildScene(testing::TestPictures());
    scene.Command1().Left = c.left;
    scene.Command1().Width = c.width;
    SlideStartButton(scene);
    EXPECT_EQ(scene.Command1().Left, c.next_left) << c.left;
    EXPECT_EQ(scene.Command1().Width, c.next_width) << c.left;
    EXPECT_EQ(scene.Command1().Top, 128);
  }
  Scene scene = BuildScene(testing::TestPictures());
  scene.Command1().Left = 0;
  int ticks = 0;
  while (scene.Command1().Left < 500) {
    SlideStartButton(scene);
    ++ticks;
  }
  EXPECT_EQ(ticks, 50);
}

}  // namespace
}  // namespace munyura::scene
