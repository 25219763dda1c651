// The window as it is created: every element with its design values.
#pragma once

#include "scene.h"

namespace munyura::scene {

inline constexpr std::u16string_view kGothic = u"ＭＳ Ｐゴシック";
inline constexpr std::uint32_t kRed = 0x000000FF;    // &H00BBGGRR&
inline constexpr std::uint32_t kGreen = 0x0000FF00;  // &H00BBGGRR&
inline constexpr int kTimerInterval = 60;            // milliseconds

// Builds the window's elements around the given pictures. Every picture must
// be present and have a Handle of its own, since the monuments are told apart
// by Handle; otherwise this throws std::invalid_argument.
Scene BuildScene(const PictureSet& pictures);

}  // namespace munyura::scene
