#include "window_rules/utf16_text.h"

namespace munyura::window_rules {
namespace {

constexpr char32_t kReplacement = U'\uFFFD';

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
  const auto byte = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::vector<CodePoint> CodePointsOf(std::u16string_view text) {
  std::vector<CodePoint> points;
  points.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const char32_t value =
          0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      points.push_back({value, i, i + 2});
      i += 2;
    } else {
      const bool lone = IsHighSurrogate(unit) || IsLowSurrogate(unit);
      points.push_back({lone ? kReplacement : static_cast<char32_t>(unit), i, i + 1});
      ++i;
    }
  }
  return points;
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (const CodePoint& point : CodePointsOf(text)) {
    AppendUtf8(out, point.value);
  }
  return out;
}

}  // namespace munyura::window_rules
