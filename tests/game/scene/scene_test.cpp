#include "scene/scene.h"

#include <gtest/gtest.h>

#include "scene/element_table.h"
#include "support/test_pictures.h"

namespace munyura::scene {
namespace {

TEST(Scene, FindsElementsByNameAndByIndex) {
  Scene scene = BuildScene(testing::TestPictures());
  EXPECT_EQ(&scene.Find("Munyu"), &scene.Munyu());
  EXPECT_EQ(&scene.Find("Line3", 1), &scene.Line3(1));
  EXPECT_EQ(scene.Find("Image2", 29).Picture()->Handle(), 229U);
  for (const auto& [name, index] : {std::pair{"Image2", -1}, std::pair{"Image2", 30},
                                    std::pair{"Picture1", 4}, std::pair{"Line2", 2}}) {
    try {
      scene.Find(name, static_cast<std::int16_t>(index));
      FAIL() << name << "(" << index << ") found";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), ErrorNumber::kSubscriptOutOfRange);
    }
  }
  EXPECT_THROW(scene.Picture1(-1), RuntimeError);
  EXPECT_THROW(scene.Find("Image2"), std::invalid_argument);
  EXPECT_THROW(scene.Find("Munyu", 0), std::invalid_argument);
  EXPECT_THROW(scene.Find("Image3", 0), std::invalid_argument);
}

TEST(Scene, AnImageTakesThePictureItIsGivenAtThePicturesSize) {
  Scene scene = BuildScene(testing::TestPictures());
  SceneControl& chick = scene.Munyu();
  chick.SetPicture(scene.Picture1(1).Picture());
  EXPECT_EQ(std::pair(chick.Width, chick.Height), std::pair(49.0F, 47.0F));
  chick.SetPicture(scene.Picture1(2).Picture());
  EXPECT_EQ(std::pair(chick.Width, chick.Height), std::pair(47.0F, 49.0F));
  chick.SetPicture(nullptr);
  EXPECT_EQ(chick.Picture(), nullptr);

  // Shared, not copied: the very object Image2(7) holds.
  scene.Sekihi().SetPicture(scene.Image2(7).Picture());
  EXPECT_EQ(scene.Sekihi().Picture(), scene.Image2(7).Picture());
  for (std::int16_t n = 0; n < 30; ++n) {
    EXPECT_EQ(scene.Sekihi().Picture()->Handle() == scene.Image2(n).Picture()->Handle(), n == 7);
  }
}

TEST(Scene, ACopyIsAnIndependentWindow) {
  Scene original = BuildScene(testing::TestPictures());
  Scene copy = original;
  copy.Munyu().Left = 10;
  copy.Line2(1).Visible = kTrue;
  EXPECT_EQ(original.Munyu().Left, 280);
  EXPECT_EQ(original.Line2(1).Visible, kFalse);
  EXPECT_EQ(&copy.Find("Munyu"), &copy.Munyu());
}

}  // namespace
}  // namespace munyura::scene
