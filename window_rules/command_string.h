// The command strings the game's music player understands: `play <file>` and
// `play "<file>"`, where the file is written with the old platform's
// backslashes or the native slashes.
#pragma once

#include <string>
#include <string_view>

namespace munyura::window_rules {

// What a command answers. The game ignores it; a player that cannot play
// still lets the game run.
enum class CommandError : int {
  kNone = 0,
  kUnrecognizedCommand = 1,  // a verb other than play, or no verb at all
  kMissingFileName = 2,      // play with nothing to play
  kBadSyntax = 3,            // an unclosed quote, or words after the file name
  kCannotPlay = 4,           // the file or the sound output cannot be opened
};

struct ParsedCommand {
  CommandError error = CommandError::kNone;
  std::string file;  // with native separators; empty unless error is kNone
};

// The verb is matched without regard to case, as the old player did. The
// file's bytes are kept as they are (UTF-8 here), except that every
// backslash becomes a slash.
ParsedCommand ParseCommandString(std::string_view command);

}  // namespace munyura::window_rules
