// Which of a pad's buttons and axes are which: SDL's own mappings, the
// player's file $XDG_CONFIG_HOME/munyura/gamecontrollerdb.txt (in the
// community's gamecontrollerdb.txt format) over them, and
// SDL_GAMECONTROLLERCONFIG over both for the run it is set for.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace munyura::desktop {

inline constexpr std::string_view kPadMappingFileName = "gamecontrollerdb.txt";
// The community's whole file is about 600 KB.
inline constexpr long kLargestPadMappingFile = 4 * 1024 * 1024;

// Adds the player's mappings to SDL's; call it once SDL's game controllers
// have started and before any pad is opened. A file that cannot be read or
// is not all mappings is left out whole, with one line on `messages`; a
// missing file says nothing.
void AddPlayerPadMappings(std::ostream& messages);

// Why the text of a mapping file is not all mappings, comments (#) and
// blank lines, naming its first bad line; nothing when it is. Lines for
// another platform than `platform` are never used, and not judged: they
// may name what only that platform's SDL knows.
std::optional<std::string> MappingTextProblem(std::string_view text, std::string_view platform);

struct MappingLine {
  int number = 0;  // from 1
  std::string mapping;
};
// The mappings of the text meant for `platform` (SDL_GetPlatform()'s name):
// those whose platform field names it, and those without one.
std::vector<MappingLine> MappingsFor(std::string_view text, std::string_view platform);

}  // namespace munyura::desktop
