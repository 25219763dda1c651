// The player's choices about the window, as opposed to the game: zoom,
// fullscreen and mute, from the settings file, the command line and the
// window's keys. A key changes the remembered setting and saves it; an
// option of the command line holds for this run only.
#pragma once

#include "desktop/command_line.h"
#include "desktop/music/command_string_player.h"
#include "desktop/settings/settings_file.h"
#include "desktop/window/window_keys.h"
#include "desktop/window/window_view.h"

namespace munyura::desktop {

class WindowControls {
 public:
  WindowControls(WindowView& view, CommandStringPlayer& music, SettingsFile& file,
                 const Settings& remembered, const SettingsOverrides& overrides);

  // Sizes the window, and mutes, as the settings say; before it is shown.
  void ApplyAtStart();
  // Acts on one of the window's keys. Returns whether the window needs
  // drawing again.
  bool Do(WindowAction action);

 private:
  WindowView* view_;
  CommandStringPlayer* music_;
  SettingsFile* file_;
  Settings remembered_;  // what the file holds, changed by keys only
  Settings now_;         // what this run shows
};

}  // namespace munyura::desktop
