// Start-up decoding: one ScenePicture per picture, each with a Handle of its
// own, the chick's transparency kept, and pixels the window can draw.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "desktop/pictures/game_pictures.h"
#include "desktop/pictures/picture_decoder.h"
#include "scene/element_table.h"

namespace munyura::desktop {
namespace {

TEST(GamePictures, GiveEveryPictureItsOwnHandleAndItsPixels) {
  const GamePictures decoded = GamePictures::DecodeEmbedded();
  const scene::PictureSet& set = decoded.Pictures();
  std::set<std::uint32_t> handles;
  std::vector<scene::SharedPicture> all(set.chick.begin(), set.chick.end());
  all.insert(all.end(), set.monuments.begin(), set.monuments.end());
  for (const scene::SharedPicture& picture : all) {
    ASSERT_TRUE(picture);
    handles.insert(picture->Handle());
    const SDL_Surface* pixels = decoded.PixelsOf(picture->Handle());
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels->w, picture->Width());
    EXPECT_EQ(pixels->h, picture->Height());
  }
  EXPECT_EQ(handles.size(), 34u);
  EXPECT_EQ(decoded.PixelsOf(0), nullptr);
  EXPECT_EQ(decoded.Icon().w, 64);
}

TEST(GamePictures, KeepTheChicksTransparencyAndGiveTheStonesNone) {
  const GamePictures decoded = GamePictures::DecodeEmbedded();
  for (const scene::SharedPicture& chick : decoded.Pictures().chick) {
    const auto colour = chick->TransparentColour();
    ASSERT_TRUE(colour.has_value());
    EXPECT_NE(*colour, 0x000000u) << "black is the outline, not the background";
    EXPECT_NE(*colour, 0xFFFFFFu) << "white is the body, not the background";
  }
  for (const scene::SharedPicture& monument : decoded.Pictures().monuments) {
    EXPECT_FALSE(monument->TransparentColour().has_value());
  }
}

TEST(GamePictures, BuildTheWindowsScene) {
  const GamePictures decoded = GamePictures::DecodeEmbedded();
  const scene::Scene scene = scene::BuildScene(decoded.Pictures());
  EXPECT_EQ(scene.Picture1(1).Picture(), decoded.Pictures().chick[1].get());
  EXPECT_EQ(scene.Image2(7).Picture(), decoded.Pictures().monuments[7].get());
}

TEST(DecodePicture, RefusesBytesThatAreNotAPicture) {
  const std::uint8_t noise[] = {0x13, 0x37, 0x00, 0xFF, 0x42, 0x42, 0x42, 0x42};
  const std::uint8_t truncated_header[] = {'G', 'I', 'F', '8', '9', 'a', 0x96};
  EXPECT_THROW(DecodePicture({}), std::runtime_error);
  EXPECT_THROW(DecodePicture(noise), std::runtime_error);
  EXPECT_THROW(DecodePicture(truncated_header), std::runtime_error);
}

}  // namespace
}  // namespace munyura::desktop
