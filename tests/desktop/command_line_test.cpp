// The command line as a table: every option, its values, and what is refused.
#include "desktop/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace munyura::desktop {
namespace {

TEST(CommandLine, EachOptionAndEachMistake) {
  using enum CommandLine::Action;
  const struct {
    std::vector<std::string_view> arguments;
    CommandLine::Action action;
    SettingsOverrides overrides;
  } cases[] = {
      {{}, kPlay, {}},
      {{"--fullscreen"}, kPlay, {{}, true, {}}},
      {{"--fullscreen", "--window"}, kPlay, {{}, false, {}}},
      {{"--zoom=2", "--mute"}, kPlay, {2, {}, true}},
      {{"--zoom", "16"}, kPlay, {16, {}, {}}},
      {{"--version"}, kVersion, {}},
      {{"--help", "--version"}, kHelp, {}},
      // Refused: unknown options, missing zooms and what ZoomOf refuses.
      {{"--zoom"}, kUsageError, {}},
      {{"--zoom", "99999999999999999999"}, kUsageError, {}},
      {{"--zoom", "--mute"}, kUsageError, {}},
      {{"--mute", "--bogus", "--help"}, kUsageError, {}},
  };
  const std::string usage = Usage("munyura");
  EXPECT_NE(usage.find("settings.conf"), std::string::npos);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    const CommandLine line = ParseCommandLine(c.arguments);
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.error.empty(), c.action != kUsageError);
    if (c.action != kUsageError) {
      EXPECT_EQ(line.overrides, c.overrides);
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
