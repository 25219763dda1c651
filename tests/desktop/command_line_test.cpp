// The command line as a table: every option, its values, and what is refused.
#include "desktop/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace munyura::desktop {
namespace {

using Action = CommandLine::Action;

struct Case {
  std::vector<std::string_view> arguments;
  Action action;
  SettingsOverrides overrides;
};

// Every option the line takes is one the usage names, with where settings live.
TEST(CommandLineTest, EachOptionAndEachMistake) {
  const std::vector<Case> cases = {
      {{}, Action::kPlay, {}},
      {{"--fullscreen"}, Action::kPlay, {{}, true, {}}},
      {{"--window"}, Action::kPlay, {{}, false, {}}},
      {{"--fullscreen", "--window"}, Action::kPlay, {{}, false, {}}},
      {{"--mute"}, Action::kPlay, {{}, {}, true}},
      {{"--zoom", "3"}, Action::kPlay, {3, {}, {}}},
      {{"--zoom=2", "--mute"}, Action::kPlay, {2, {}, true}},
      {{"--zoom", "16"}, Action::kPlay, {16, {}, {}}},
      {{"--help"}, Action::kHelp, {}},
      {{"--version"}, Action::kVersion, {}},
      {{"--version", "--help"}, Action::kHelp, {}},
      // Refused: unknown options, bad or missing zooms.
      {{"--zoom"}, Action::kUsageError, {}},
      {{"--zoom", "0"}, Action::kUsageError, {}},
      {{"--zoom", "17"}, Action::kUsageError, {}},
      {{"--zoom", "2.5"}, Action::kUsageError, {}},
      {{"--zoom", "99999999999999999999"}, Action::kUsageError, {}},
      {{"--zoom", "--mute"}, Action::kUsageError, {}},
      {{"--mute", "--bogus", "--help"}, Action::kUsageError, {}},
  };
  const std::string usage = Usage("munyura");
  EXPECT_NE(usage.find("settings.conf"), std::string::npos);
  for (const Case& c : cases) {
    std::string shown;
    for (const auto argument : c.arguments) {
      shown += std::string(argument) + " ";
    }
    const CommandLine line = ParseCommandLine(c.arguments);
    EXPECT_EQ(line.action, c.action) << shown;
    EXPECT_EQ(line.error.empty(), c.action != Action::kUsageError) << shown;
    if (c.action != Action::kUsageError) {
      EXPECT_EQ(line.overrides, c.overrides) << shown;
      for (const auto argument : c.arguments) {
        EXPECT_TRUE(!argument.starts_with("--") ||
                    usage.find(argument.substr(0, argument.find('='))) != std::string::npos)
            << argument;
      }
    }
  }
}

}  // namespace
}  // namespace munyura::desktop
