// The settings file on disk: $XDG_CONFIG_HOME/munyura/settings.conf, or
// ~/.config/munyura/settings.conf. Whatever lies there (nothing, garbage, a
// huge file, a folder) the game starts with usable settings; every save
// replaces the whole file at once, so that a crash or a full disk leaves the
// old file or the new one, never half of one.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "desktop/settings/settings.h"

namespace munyura::desktop {

// No settings file of the game's is larger; a larger one is not read.
inline constexpr long kLargestSettingsFile = 4096;

// Where a file of the player's for the game belongs, from the environment:
// $XDG_CONFIG_HOME/munyura/<name> or ~/.config/munyura/<name>; nothing when
// neither XDG_CONFIG_HOME nor HOME names a folder.
std::optional<std::string> PlayerFilePath(std::string_view file_name);
// Where the settings file belongs.
std::optional<std::string> SettingsPath();

// The text of such a file, or why there is none to read: not a regular
// file, larger than `largest` bytes, or what the system said. A missing
// file is no problem at all (the player has not made one): no text and no
// problem. Opened without waiting, so that a pipe in its place cannot hold
// the game up.
std::pair<std::string, std::optional<std::string>> ReadPlayerFile(const std::string& path,
                                                                  long largest);

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
