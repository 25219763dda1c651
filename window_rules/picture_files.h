// The names of the picture files in assets/, as the build embeds them.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace munyura::window_rules {

// In the order of the chick's pictures: facing up, right, down and left.
inline constexpr std::array<std::string_view, 4> kChickFiles = {"chick-up.gif", "chick-right.gif",
                                                                "chick-down.gif", "chick-left.gif"};

inline constexpr int kMonumentCount = 30;

// "monument-00.gif" to "monument-29.gif".
inline std::string MonumentFile(int n) {
  return std::string("monument-") + static_cast<char>('0' + n / 10) +
         static_cast<char>('0' + n % 10) + ".gif";
}

inline constexpr std::string_view kIconFile = "icon.png";

}  // namespace munyura::window_rules
