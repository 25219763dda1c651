#include "music_command.h"

namespace munyura::sound {

std::string MusicCommand(std::string_view folder) {
  std::string command = "play \"";
  command += folder;
  command += '\\';
  command += kTuneFile;
  command += '"';
  return command;
}

void SendMusicCommand(Host& host) {
  host.SendMusicCommand(MusicCommand(host.ExecutableFolder()));
}

}  // namespace munyura::sound
