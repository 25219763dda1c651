// The machine as the game's logic sees it: the folder of the running
// executable, and the music player its commands go to.
#pragma once

#include <string>
#include <string_view>

#include "host.h"
#include "platform/music_player.h"

namespace munyura::platform {

class PlatformHost final : public Host {
 public:
  explicit PlatformHost(MusicPlayer& music);

  std::string ExecutableFolder() override { return executable_folder_; }
  void SendMusicCommand(std::string_view command) override { music_->SendCommand(command); }

 private:
  std::string executable_folder_;
  MusicPlayer* music_;  // not owned; outlives the host
};

// The folder of the running executable without a trailing separator, as SDL
// finds it (symbolic links resolved), or "." when the system will not say.
std::string RunningExecutableFolder();

// The folder part of a base path that ends in a separator, such as
// "/usr/libexec/munyura/" -> "/usr/libexec/munyura", "/" -> "/".
std::string WithoutTrailingSeparator(std::string folder);

}  // namespace munyura::platform
