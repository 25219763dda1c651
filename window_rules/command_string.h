// The command strings the game's music player understands: `play <file>` and
// `play "<file>"`, where the file is written as the game writes it, with the
// old platform's backslash before the tune's name.
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
  std::string file;  // with a native last separator; empty unless error is kNone
};

// The verb is matched without regard to case, as the old player did. A quoted
// file name runs from the first quote to the command's last, so a folder
// whose name holds a quote stays whole. Its bytes are kept as they are (UTF-8
// here), except that the separator before the last name, when it is a
// backslash, becomes a slash: a backslash inside a folder's name stays.
ParsedCommand ParseCommandString(std::string_view command);

}  // namespace munyura::window_rules
