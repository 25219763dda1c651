// Where the game's music commands go: a player that takes command strings
// such as `play "/opt/munyura\bdmidi.mid"` and answers with an error code.
#pragma once

#include <string_view>

namespace munyura::platform {

class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  // Returns 0 when the command was carried out; the game ignores the answer.
  virtual int SendCommand(std::string_view command) = 0;
};

// Takes every command and plays nothing: the game's music has no synthesiser
// behind it yet.
class SilentMusicPlayer final : public MusicPlayer {
 public:
  int SendCommand(std::string_view /*command*/) override { return 0; }
};

}  // namespace munyura::platform
