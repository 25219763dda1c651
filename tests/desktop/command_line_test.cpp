// The command line as a table: every option, its values, and what is refused.
#include "desktop/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace munyura::desktop {
namespace {

using Action = CommandLine::Action;

constexpr std::optional<int> kNoZoom;
constexpr std::optional<bool> kNoFlag;

SettingsOverrides Overrides(std::optional<int> zoom, std::optional<bool> fullscreen,
                            std::optional<bool> muted) {
  SettingsOverrides overrides;
  overrides.zoom = zoom;
  overrides.fullscreen = fullscreen;
  overrides.muted = muted;
  return overrides;
}

struct Case {
  std::vector<std::string_view> arguments;
  Action action;
  SettingsOverrides overrides;
};

TEST(CommandLineTest, EachOptionAndEachMistake) {
  const std::vector<Case> cases = {
      {{}, Action::kPlay, {}},
      {{"--fullscreen"}, Action::kPlay, Overrides(kNoZoom, true, kNoFlag)},
      {{"--window"}, Action::kPlay, Overrides(kNoZoom, false, kNoFlag)},
      {{"--fullscreen", "--window"}, Action::kPlay, Overrides(kNoZoom, false, kNoFlag)},
      {{"--mute"}, Action::kPlay, Overrides(kNoZoom, kNoFlag, true)},
      {{"--zoom", "3"}, Action::kPlay, Overrides(3, kNoFlag, kNoFlag)},
      {{"--zoom=2", "--mute"}, Action::kPlay, Overrides(2, kNoFlag, true)},
      {{"--zoom", "16"}, Action::kPlay, Overrides(16, kNoFlag, kNoFlag)},
      {{"--help"}, Action::kHelp, {}},
      {{"--version"}, Action::kVersion, {}},
      {{"--version", "--help"}, Action::kHelp, {}},
      // Refused: unknown options, stray words, bad or missing zooms.
      {{"--zoom"}, Action::kUsageError, {}},
      {{"--zoom", "0"}, Action::kUsageError, {}},
      {{"--zoom", "17"}, Action::kUsageError, {}},
      {{"--zoom", "2.5"}, Action::kUsageError, {}},
      {{"--zoom", "two"}, Action::kUsageError, {}},
      {{"--zoom", "99999999999999999999"}, Action::kUsageError, {}},
      {{"--zoom", "--mute"}, Action::kUsageError, {}},
      {{"--full"}, Action::kUsageError, {}},
      {{"play"}, Action::kUsageError, {}},
      {{"--mute", "--bogus", "--help"}, Action::kUsageError, {}},
  };
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
    }
  }
}

TEST(CommandLineTest, TheUsageNamesEveryOption) {
  const std::string usage = Usage("munyura");
  for (const char* option :
       {"--help", "--version", "--fullscreen", "--window", "--zoom N", "--mute", "settings.conf"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace munyura::desktop
