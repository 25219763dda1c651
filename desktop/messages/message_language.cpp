#include "desktop/messages/message_language.h"

#include <libintl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <clocale>
#include <string>
#include <string_view>

namespace munyura::desktop {
namespace {

bool IsFolder(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The folder of the running executable, or "" when the system does not say.
std::string ExecutableFolder() {
  std::array<char, 4096> path{};
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) {
    return {};
  }
  const std::string_view executable(path.data(), static_cast<std::size_t>(length));
  return std::string(executable.substr(0, executable.rfind('/') + 1));
}

// Where the catalogues are for a game in `folder` (ending in '/').
std::string CatalogueFolder(const std::string& folder) {
  if (const std::string beside = folder + "locale"; IsFolder(beside)) {
    return beside;
  }
  return folder + MUNYURA_LOCALE_FROM_GAME;
}

}  // namespace

void UseThePlayersLanguage() {
  std::setlocale(LC_CTYPE, "");
  std::setlocale(LC_MESSAGES, "");
  if (const std::string folder = ExecutableFolder(); !folder.empty()) {
    bindtextdomain(kMessageDomain, CatalogueFolder(folder).c_str());
  }
  bind_textdomain_codeset(kMessageDomain, "UTF-8");
}

}  // namespace munyura::desktop
