// What the game asks of the machine it runs on while it plays: the folder the
// game was started from, and somewhere to send the music command.
#pragma once

#include <string>
#include <string_view>

namespace munyura {

class Host {
 public:
  virtual ~Host() = default;

  // The folder of the running executable, without a trailing separator,
  // exactly as the system names it (it may raise a RuntimeError).
  virtual std::string ExecutableFolder() = 0;

  // Hands a command to the music player. Whatever the player answers is
  // ignored: a game without music still plays.
  virtual void SendMusicCommand(std::string_view command) = 0;
};

}  // namespace munyura
