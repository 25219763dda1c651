// What the player makes of the command text it is sent.
#include "window_rules/command_string.h"

#include <gtest/gtest.h>

namespace munyura::window_rules {
namespace {

TEST(CommandString, PlaysTheFileItNamesAndRefusesEverythingElse) {
  const struct {
    const char* command;
    CommandError error;
    const char* file;
  } cases[] = {
      // The game's own command, backslash and all.
      {R"(play "/opt/munyura\bdmidi.mid")", CommandError::kNone, "/opt/munyura/bdmidi.mid"},
      {R"(play "/opt/ゲーム フォルダ\bdmidi.mid")", CommandError::kNone,
       "/opt/ゲーム フォルダ/bdmidi.mid"},
      {R"(play "C:\Program Files\munyura\bdmidi.mid")", CommandError::kNone,
       "C:/Program Files/munyura/bdmidi.mid"},
      {"play /opt/munyura/bdmidi.mid", CommandError::kNone, "/opt/munyura/bdmidi.mid"},
      {R"(play /opt/munyura\bdmidi.mid)", CommandError::kNone, "/opt/munyura/bdmidi.mid"},
      {"PLAY tune.mid", CommandError::kNone, "tune.mid"},
      {"  play \t \"tune.mid\"  ", CommandError::kNone, "tune.mid"},
      {"play \"a \xE9t\xE9\\t.mid\"", CommandError::kNone, "a \xE9t\xE9/t.mid"},  // bytes kept
      // Not for this player.
      {"", CommandError::kUnrecognizedCommand, ""},
      {"   ", CommandError::kUnrecognizedCommand, ""},
      {"open tune.mid", CommandError::kUnrecognizedCommand, ""},
      {"stop tune.mid", CommandError::kUnrecognizedCommand, ""},
      {"close all", CommandError::kUnrecognizedCommand, ""},
      {"playing tune.mid", CommandError::kUnrecognizedCommand, ""},
      {"\"play\" tune.mid", CommandError::kUnrecognizedCommand, ""},
      {"play", CommandError::kMissingFileName, ""},
      {"play   ", CommandError::kMissingFileName, ""},
      {"play \"\"", CommandError::kMissingFileName, ""},
      {"play \"/opt/munyura\\bdmidi.mid", CommandError::kBadSyntax, ""},
      {"play /opt/my games/bdmidi.mid", CommandError::kBadSyntax, ""},
      {"play tune.mid notify", CommandError::kBadSyntax, ""},
      {"play \"tune.mid\" from 0", CommandError::kBadSyntax, ""},
      {"play \"tune.mid\"x", CommandError::kBadSyntax, ""},
  };
  for (const auto& c : cases) {
    const ParsedCommand parsed = ParseCommandString(c.command);
    EXPECT_EQ(parsed.error, c.error) << c.command;
    EXPECT_EQ(parsed.file, c.file) << c.command;
  }
}

}  // namespace
}  // namespace munyura::window_rules
