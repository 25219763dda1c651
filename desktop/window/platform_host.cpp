#include "desktop/window/platform_host.h"

#include <SDL.h>

#include <memory>

#include "desktop/messages/messages.h"

namespace munyura::desktop {

PlatformHost::PlatformHost(CommandStringPlayer& music, std::ostream& messages)
    : executable_folder_(RunningExecutableFolder(messages)), music_(&music) {}

std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
    folder.pop_back();
  }
  return folder;
}

std::string ExecutableFolderOf(const char* base_path, std::ostream& messages) {
  if (base_path == nullptr) {
    // Without /proc, say: the tune is then looked for where the game was started.
    messages << "ムニュラ: "
             << Translated(
                    "the system does not say where the game is, so its tune is looked for "
                    "in the current folder")
             << '\n'
             << std::flush;
    return ".";
  }
  return WithoutTrailingSeparator(base_path);
}

std::string RunningExecutableFolder(std::ostream& messages) {
  // The executable does not move while it runs, so the folder is asked once.
  const std::unique_ptr<char, decltype(&SDL_free)> base(SDL_GetBasePath(), &SDL_free);
  return ExecutableFolderOf(base.get(), messages);
}

}  // namespace munyura::desktop
