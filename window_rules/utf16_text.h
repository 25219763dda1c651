// The game keeps its captions in UTF-16; the line breaker reads them as code
// points and Pango wants UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace munyura::window_rules {

// One code point and where its units lie in the UTF-16 text. A lone
// surrogate reads as U+FFFD but keeps its place.
struct CodePoint {
  char32_t value = 0;
  std::size_t begin = 0;
  std::size_t end = 0;
};

std::vector<CodePoint> CodePointsOf(std::u16string_view text);

std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace munyura::window_rules
