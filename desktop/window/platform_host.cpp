#include "desktop/window/platform_host.h"

#include <SDL.h>

#include <memory>

namespace munyura::desktop {

PlatformHost::PlatformHost(CommandStringPlayer& music)
    : executable_folder_(RunningExecutableFolder()), music_(&music) {}

std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
    folder.pop_back();
  }
  return folder;
}

std::string RunningExecutableFolder() {
  // The executable does not move while it runs, so the folder is asked once.
  const std::unique_ptr<char, decltype(&SDL_free)> base(SDL_GetBasePath(), &SDL_free);
  if (!base) {
    return ".";
  }
  return WithoutTrailingSeparator(base.get());
}

}  // namespace munyura::desktop
