// ムニュラ: a chick walks through thirty rooms of stone monuments.

#include <algorithm>
#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include "desktop/command_line.h"
#include "desktop/messages/message_language.h"
#include "desktop/messages/messages.h"
#include "desktop/standard_streams.h"
#include "desktop/window/game_session.h"

int main(int argc, char* argv[]) {
  munyura::desktop::MakeStandardStreamsSafe();
  munyura::desktop::UseThePlayersLanguage();
  using munyura::desktop::CommandLine;
  const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
  const CommandLine line = munyura::desktop::ParseCommandLine(arguments);
  const std::string_view program = argc > 0 ? argv[0] : "munyura";
  switch (line.action) {
    case CommandLine::Action::kHelp:
      std::cout << munyura::desktop::Usage(program);
      return 0;
    case CommandLine::Action::kVersion:
      std::cout << munyura::desktop::Translated(
                       // TRANSLATORS: the answer to --version; {1} is the version.
                       "munyura {1}", {munyura::desktop::Version()})
                << '\n';
      return 0;
    case CommandLine::Action::kUsageError:
      std::cerr << "ムニュラ: " << line.error << "\n\n" << munyura::desktop::Usage(program);
      return 2;
    case CommandLine::Action::kPlay:
      break;
  }
  try {
    munyura::desktop::LoopObserver nobody_watches;
    munyura::desktop::PlayGame(std::cerr, nobody_watches, line.overrides);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "ムニュラ: " << error.what() << '\n';
    return 1;
  }
}
