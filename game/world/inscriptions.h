// What is carved on each of the thirty monuments.
#pragma once

#include <cstdint>
#include <string_view>

#include "../runtime.h"

namespace munyura::world {

// Shown by Z away from any monument.
inline constexpr std::u16string_view kNothingHere = u"何もないん";

// The inscription of monument n (0 to 29).
std::u16string_view Inscription(std::int16_t monument);

}  // namespace munyura::world
