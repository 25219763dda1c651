// What the player may say when starting the game: help, the version, and the
// window's settings for this run only. A setting given here overrides the
// remembered one without changing it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "desktop/settings/settings.h"

namespace munyura::desktop {

struct SettingsOverrides {
  std::optional<int> zoom;
  std::optional<bool> fullscreen;
  std::optional<bool> muted;
  bool operator==(const SettingsOverrides&) const = default;
};

struct CommandLine {
  enum class Action { kPlay, kHelp, kVersion, kUsageError };
  Action action = Action::kPlay;
  SettingsOverrides overrides;
  std::string error;  // what was wrong, for kUsageError
};

// The arguments after the program's name. Later options win over earlier
// ones (--fullscreen --window plays in a window).
CommandLine ParseCommandLine(std::span<const std::string_view> arguments);

// The text of --help; `program` is how the game was called.
std::string Usage(std::string_view program);

// The game's version, as the build was given it.
std::string_view Version();

}  // namespace munyura::desktop
