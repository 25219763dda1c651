// The machine as the game's logic sees it: the folder of the running
// executable, and the music player its commands go to.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "desktop/music/command_string_player.h"
#include "host.h"

namespace munyura::desktop {

class PlatformHost final : public Host {
 public:
  // Says on `messages`, once, when the system cannot tell where the game is.
  PlatformHost(CommandStringPlayer& music, std::ostream& messages);

  std::string ExecutableFolder() override { return executable_folder_; }
  // No text is asked back and no window is notified; the answer is ignored.
  void SendMusicCommand(std::string_view command) override {
    music_->SendString(command, {}, nullptr);
  }

 private:
  std::string executable_folder_;
  CommandStringPlayer* music_;  // not owned; outlives the host
};

// The folder of the running executable without a trailing separator, as SDL
// finds it (symbolic links resolved), or "." when the system will not say,
// with one line on `messages`.
std::string RunningExecutableFolder(std::ostream& messages);

// The same from SDL's answer, which is null when it cannot tell.
std::string ExecutableFolderOf(const char* base_path, std::ostream& messages);

// The folder part of a base path that ends in a separator, such as
// "/usr/libexec/munyura/" -> "/usr/libexec/munyura", "/" -> "/".
std::string WithoutTrailingSeparator(std::string folder);

}  // namespace munyura::desktop
