// Prints every text the game can show in a caption, in UTF-8, one to a line:
// the captions the window is built with, the title screen's help, and what Z
// can put on Label1. The page's build cuts its font down to these characters.
//
//   node caption_characters.js > characters.txt
#include <cstdint>
#include <iostream>
#include <memory>

#include "scene/element_table.h"
#include "scene/screens.h"
#include "window_rules/utf16_text.h"
#include "world/inscriptions.h"

int main() {
  using munyura::window_rules::Utf8FromUtf16;
  munyura::scene::PictureSet pictures;
  std::uint32_t handle = 1;
  for (auto& chick : pictures.chick) {
    chick = std::make_shared<const munyura::scene::ScenePicture>(handle++, 1, 1);
  }
  for (auto& monument : pictures.monuments) {
    monument = std::make_shared<const munyura::scene::ScenePicture>(handle++, 1, 1);
  }
  const munyura::scene::Scene scene = munyura::scene::BuildScene(pictures);
  for (const auto& control : scene.Controls()) {
    std::cout << Utf8FromUtf16(control.Caption) << '\n';
  }
  std::cout << Utf8FromUtf16(munyura::scene::kInstructions) << '\n'
            << Utf8FromUtf16(munyura::world::kNothingHere) << '\n';
  for (std::int16_t n = 0; n < 30; ++n) {
    std::cout << Utf8FromUtf16(munyura::world::Inscription(n)) << '\n';
  }
  return 0;
}
