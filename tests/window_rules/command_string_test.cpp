// What the player makes of the command text it is sent.
#include "window_rules/command_string.h"

#include <gtest/gtest.h>

namespace munyura::window_rules {
namespace {

TEST(CommandString, PlaysTheFileItNamesAndRefusesEverythingElse) {
  using enum CommandError;
  const struct {
    const char* command;
    CommandError error;
    const char* file;
  } cases[] = {
      // The game's own command: only the backslash before the tune's name is
      // a separator; folders may hold backslashes, quotes, spaces, Japanese.
      {R"(play "/opt/munyura\bdmidi.mid")", kNone, "/opt/munyura/bdmidi.mid"},
      {R"(play "/opt/ゲーム フォルダ\bdmidi.mid")", kNone, "/opt/ゲーム フォルダ/bdmidi.mid"},
      {R"(play "/home/a\b\bdmidi.mid")", kNone, R"(/home/a\b/bdmidi.mid)"},
      {R"(play "/home/a\\bdmidi.mid")", kNone, R"(/home/a\/bdmidi.mid)"},
      {R"(play "/home/say "hi"\bdmidi.mid")", kNone, R"(/home/say "hi"/bdmidi.mid)"},
      {R"(play "/home/a\b/bdmidi.mid")", kNone, R"(/home/a\b/bdmidi.mid)"},
      {R"(play /opt/munyura\bdmidi.mid)", kNone, "/opt/munyura/bdmidi.mid"},
      {"  PLAY \t \"tune.mid\"  ", kNone, "tune.mid"},
      {"play \"a \xE9t\xE9\\t.mid\"", kNone, "a \xE9t\xE9/t.mid"},  // bytes kept
      // Not for this player.
      {"", kUnrecognizedCommand, ""},
      {"stop tune.mid", kUnrecognizedCommand, ""},
      {"playing tune.mid", kUnrecognizedCommand, ""},
      {"\"play\" tune.mid", kUnrecognizedCommand, ""},
      {"play   ", kMissingFileName, ""},
      {"play \"\"", kMissingFileName, ""},
      {"play \"/opt/munyura\\bdmidi.mid", kBadSyntax, ""},
      {"play /opt/my games/bdmidi.mid", kBadSyntax, ""},
      {"play \"tune.mid\" from 0", kBadSyntax, ""},
      {"play \"tune.mid\"x", kBadSyntax, ""},
  };
  for (const auto& c : cases) {
    const ParsedCommand parsed = ParseCommandString(c.command);
    EXPECT_EQ(parsed.error, c.error) << c.command;
    EXPECT_EQ(parsed.file, c.file) << c.command;
  }
}

}  // namespace
}  // namespace munyura::window_rules
