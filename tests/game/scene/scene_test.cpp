// The element table's checks, lookups by name and the sliding button (the looks: golden images).
#include "scene/scene.h"

#include <gtest/gtest.h>

#include <tuple>

#include "scene/element_table.h"
#include "scene/screens.h"
#include "support/test_pictures.h"

namespace munyura::scene {
namespace {

TEST(ElementTable, TicksEverySixtyMillisecondsAndRefusesPicturesThatCannotBeToldApart) {
  EXPECT_EQ(BuildScene(testing::TestPictures()).Timer1().Interval, 60);
  PictureSet pictures = testing::TestPictures();
  pictures.monuments[29] = nullptr;
  EXPECT_THROW(BuildScene(pictures), std::invalid_argument);
  pictures.monuments[29] = pictures.chick[0];  // Handle 101 twice
  EXPECT_THROW(BuildScene(pictures), std::invalid_argument);
}

TEST(Scene, FindsElementsByNameAndIndexAndRefusesAnIndexOutsideTheArray) {
  Scene scene = BuildScene(testing::TestPictures());
  EXPECT_EQ(&scene.Find("Munyu"), &scene.Munyu());
  EXPECT_EQ(&scene.Find("Line3", 1), &scene.Line3(1));
  EXPECT_THROW(scene.Find("Image2", -1), RuntimeError);
  EXPECT_THROW(scene.Find("Image2", 30), RuntimeError);
  EXPECT_THROW(scene.Find("Image2"), std::invalid_argument);
  EXPECT_THROW(scene.Find("Munyu", 0), std::invalid_argument);
}

TEST(Screens, TheStartButtonSlidesRightGrowingAndStartsOver) {
  using Place = std::pair<float, float>;  // left, width
  for (const auto& [from, to] : {std::pair<Place, Place>{{499.5F, 20}, {509.5F, 30}},
                                 {{500, 410}, {0, 20}},
                                 {{730, 9}, {0, 20}}}) {
    Scene scene = BuildScene(testing::TestPictures());
    std::tie(scene.Command1().Left, scene.Command1().Width) = from;
    SlideStartButton(scene);
    EXPECT_EQ(std::pair(scene.Command1().Left, scene.Command1().Width), to);
  }
}

}  // namespace
}  // namespace munyura::scene
