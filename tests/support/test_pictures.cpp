#include "support/test_pictures.h"

#include <memory>

#include "scene/element_table.h"
#include "scene/screens.h"

namespace munyura::testing {

scene::PictureSet TestPictures() {
  scene::PictureSet set;
  for (std::size_t i = 0; i < 4; ++i) {
    const int width = i % 2 == 0 ? 47 : 49;  // facing up or down, right or left
    set.chick[i] = std::make_shared<scene::ScenePicture>(static_cast<std::uint32_t>(101 + i), width,
                                                         96 - width, 0x00FF00FFu);
  }
  for (std::size_t n = 0; n < 30; ++n) {
    set.monuments[n] =
        std::make_shared<scene::ScenePicture>(static_cast<std::uint32_t>(200 + n), 150, 150);
  }
  return set;
}

scene::Scene PlayScene(float left, float top, std::int16_t facing) {
  scene::Scene scene = scene::BuildScene(TestPictures());
  scene.Sekihi().SetPicture(scene.Image2(0).Picture());
  scene::ShowTitleScreen(scene);
  scene::ShowPlayScreen(scene);
  scene.Munyu().SetPicture(scene.Picture1(facing).Picture());
  scene.Munyu().Left = left;
  scene.Munyu().Top = top;
  return scene;
}

}  // namespace munyura::testing
