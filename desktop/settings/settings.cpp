#include "desktop/settings/settings.h"

#include <charconv>

#include "desktop/messages/messages.h"
#include "window_rules/trimmed_text.h"

namespace munyura::desktop {
namespace {

using window_rules::Trimmed;

std::optional<bool> YesOrNo(std::string_view value) {
  if (value == "yes") {
    return true;
  }
  if (value == "no") {
    return false;
  }
  return std::nullopt;
}

// Short printable ASCII, fit to be quoted back on a terminal.
bool IsPlainText(std::string_view text) {
  constexpr std::size_t kLongestQuoted = 40;
  if (text.size() > kLongestQuoted) {
    return false;
  }
  for (const char c : text) {
    if (c < ' ' || c > '~') {
      return false;
    }
  }
  return true;
}

// Applies one line; returns what is wrong with it, if anything.
std::optional<std::string> Apply(std::string_view line, Settings& settings) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) {
    return Translated("a line without '='");
  }
  const std::string_view name = Trimmed(line.substr(0, equals));
  const std::string_view value = Trimmed(line.substr(equals + 1));
  if (name == "zoom") {
    const auto zoom = ZoomOf(value);
    if (!zoom) {
      return Translated("zoom must be a whole number from 1 to {1}",
                        {std::to_string(kLargestZoom)});
    }
    settings.zoom = *zoom;
  } else if (name == "fullscreen" || name == "mute") {
    const auto flag = YesOrNo(value);
    if (!flag) {
      return Translated("{1} must be yes or no", {name});
    }
    (name == "mute" ? settings.muted : settings.fullscreen) = *flag;
  } else {
    return IsPlainText(name) ? Translated("no setting is called '{1}'", {name})
                             : Translated("not a setting");
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> ZoomOf(std::string_view value) {
  int zoom = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), zoom);
  if (error != std::errc() || end != value.data() + value.size() || zoom < 1 ||
      zoom > kLargestZoom) {
    return std::nullopt;
  }
  return zoom;
}

ReadSettings ParseSettings(std::string_view text) {
  ReadSettings read;
  int line_number = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++line_number;
    if (line.empty() || line.front() == '#') {
      continue;
    }
    if (auto problem = Apply(line, read.settings); problem && !read.problem) {
      read.problem = Translated("line {1}: {2}", {std::to_string(line_number), *problem});
    }
  }
  return read;
}

std::string FormatSettings(const Settings& settings) {
  const auto yes_no = [](bool flag) { return flag ? "yes" : "no"; };
  return "# ムニュラ's settings, also set in the game: Ctrl+Plus, Ctrl+Minus and Ctrl+0\n"
         "# zoom, F11 or Alt+Enter switch fullscreen, M turns the tune off and on.\n"
         "zoom = " +
         std::to_string(settings.zoom) + "\nfullscreen = " + yes_no(settings.fullscreen) +
         "\nmute = " + yes_no(settings.muted) + "\n";
}

}  // namespace munyura::desktop
