// The settings file on disk: $XDG_CONFIG_HOME/munyura/settings.conf, or
// ~/.config/munyura/settings.conf. Whatever lies there (nothing, garbage, a
// huge file, a folder) the game starts with usable settings; every save
// replaces the whole file at once, so that a crash or a full disk leaves the
// old file or the new one, never half of one.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "desktop/settings/settings.h"

namespace munyura::desktop {

// No settings file of the game's is larger; a larger one is not read.
inline constexpr long kLargestSettingsFile = 4096;

// Where the file belongs, from the environment; nothing when neither
// XDG_CONFIG_HOME nor HOME names a folder.
std::optional<std::string> SettingsPath();

class SettingsFile {
 public:
  // Problems are told on `messages`, one line at most for reading and one
  // for saving, however often saving fails.
  SettingsFile(std::optional<std::string> path, std::ostream& messages);

  // The settings in the file; the defaults where it has none or a bad one.
  Settings Load();
  // Replaces the file with these settings, making its folder when needed.
  // Returns whether it did.
  bool Save(const Settings& settings);

 private:
  std::optional<std::string> path_;
  std::ostream* messages_;
  bool told_about_saving_ = false;
};

}  // namespace munyura::desktop
