#include "page_host.h"

#include <utility>

#include "sound/music_command.h"
#include "window_rules/command_string.h"

namespace munyura::web {

PageHost::PageHost(std::string folder, std::function<void()> play_tune)
    : folder_(std::move(folder)), play_tune_(std::move(play_tune)) {}

void PageHost::SendMusicCommand(std::string_view command) {
  const window_rules::ParsedCommand parsed = window_rules::ParseCommandString(command);
  // The page holds one tune, the game's own, rendered when the page was built.
  const std::string own_tune = folder_ + '/' + std::string(sound::kTuneFile);
  if (parsed.error == window_rules::CommandError::kNone && parsed.file == own_tune) {
    play_tune_();
  }
}

}  // namespace munyura::web
