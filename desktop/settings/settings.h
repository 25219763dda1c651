// What the desktop game remembers between runs, and the small text file it
// keeps them in: one "name = value" a line, "#" for a comment, so that a
// person can read and edit it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace munyura::desktop {

// The largest zoom a player may ask for, in the file or on the command line;
// the display may allow less.
inline constexpr int kLargestZoom = 16;

// A zoom written as a whole number from 1 to kLargestZoom, or nothing.
std::optional<int> ZoomOf(std::string_view text);

struct Settings {
  int zoom = 1;  // the window is 621 zoom x 380 zoom
  bool fullscreen = false;
  bool muted = false;
  bool operator==(const Settings&) const = default;
};

struct ReadSettings {
  Settings settings;
  // The first thing not understood, if any; what was understood is kept and
  // the rest keeps its default.
  std::optional<std::string> problem;
};

ReadSettings ParseSettings(std::string_view text);
std::string FormatSettings(const Settings& settings);

}  // namespace munyura::desktop
