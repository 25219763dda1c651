// Text with its blanks (spaces, tabs and line ends) taken off, as the music
// commands and the settings file both read it.
#pragma once

#include <string_view>

namespace munyura::window_rules {

constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr std::string_view TrimmedLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  return text;
}

constexpr std::string_view Trimmed(std::string_view text) {
  text = TrimmedLeft(text);
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace munyura::window_rules
