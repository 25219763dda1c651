// The two screens of the game, title and play, and the title screen's
// sliding start button.
#pragma once

#include <string_view>

#include "scene.h"

namespace munyura::scene {

// The keyboard help shown on the title screen (the gap is U+3000).
inline constexpr std::u16string_view kInstructions = u"zキーで決ティ　１０時キーで移ドゥ";

// The title screen's elements, as the start-up and every restart leave them:
// help text shown, start button and frame shown, restart label, posts and
// monument hidden, the chick without a picture back at its starting place.
void ShowTitleScreen(Scene& scene);

// What the start button does: hides the title screen and shows the start
// room's posts and monument with the chick facing down.
void ShowPlayScreen(Scene& scene);

// One tick of the title screen: the button travels right and widens by 10
// until its Left reaches 500, then starts over at the left edge.
void SlideStartButton(Scene& scene);

}  // namespace munyura::scene
