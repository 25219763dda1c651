// The machine as the game sees it inside a web page: the page's folder stands
// for the executable's, and the music command goes through the shared command
// parser to the page's player, which plays the game's own tune and nothing
// else.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "host.h"

namespace munyura::web {

class PageHost final : public Host {
 public:
  // `folder` is the page's folder without a trailing slash ("" at a site's
  // root); `play_tune` starts the page's tune, or lets it play on.
  PageHost(std::string folder, std::function<void()> play_tune);

  std::string ExecutableFolder() override { return folder_; }
  void SendMusicCommand(std::string_view command) override;

 private:
  std::string folder_;
  std::function<void()> play_tune_;
};

}  // namespace munyura::web
