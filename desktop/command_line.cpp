#include "desktop/command_line.h"

#include "desktop/messages/messages.h"

namespace munyura::desktop {
namespace {

CommandLine UsageError(std::string error) {
  return {CommandLine::Action::kUsageError, {}, std::move(error)};
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> arguments) {
  CommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      line.action = CommandLine::Action::kHelp;
    } else if (argument == "--version") {
      // Help, asked for anywhere, is the more useful answer.
      if (line.action != CommandLine::Action::kHelp) {
        line.action = CommandLine::Action::kVersion;
      }
    } else if (argument == "--fullscreen") {
      line.overrides.fullscreen = true;
    } else if (argument == "--window") {
      line.overrides.fullscreen = false;
    } else if (argument == "--mute") {
      line.overrides.muted = true;
    } else if (argument == "--zoom" || argument.starts_with("--zoom=")) {
      std::string_view value;
      if (argument == "--zoom") {
        if (i + 1 == arguments.size()) {
          return UsageError(Translated("--zoom needs a number"));
        }
        value = arguments[++i];
      } else {
        value = argument.substr(std::string_view("--zoom=").size());
      }
      line.overrides.zoom = ZoomOf(value);
      if (!line.overrides.zoom) {
        return UsageError(Translated("--zoom takes a whole number from 1 to {1}, not '{2}'",
                                     {std::to_string(kLargestZoom), value}));
      }
    } else {
      return UsageError(Translated("unknown option '{1}'", {argument}));
    }
  }
  return line;
}

std::string Usage(std::string_view program) {
  return Translated(
      // TRANSLATORS: {1} is how the game was started, {2} the largest zoom.
      // The options and the keys' names stay as they are.
      "Usage: {1} [OPTION]...\n"
      "A chick walks through thirty rooms of stone monuments.\n"
      "\n"
      "  --fullscreen  play fullscreen\n"
      "  --window      play in a window\n"
      "  --zoom N      a window N times the game's size (1 to {2}, as far as the screen allows)\n"
      "  --mute        play without the tune\n"
      "  --help        show this help and exit\n"
      "  --version     show the version and exit\n"
      "\n"
      "These options hold for this run only; the game remembers what is set\n"
      "with its keys: Ctrl+Plus, Ctrl+Minus and Ctrl+0 zoom, F11 or Alt+Enter\n"
      "fullscreen, M the tune. Settings live in $XDG_CONFIG_HOME/munyura/settings.conf\n"
      "(~/.config/munyura/settings.conf by default).\n"
      "\n"
      "A pad plays too: the d-pad or the left stick walks, A reads (Z), Start\n"
      "presses STRAT, Back clicks ﾊﾂﾞﾒｶﾗ, and Y opens a picker of the letters A to Z\n"
      "(the d-pad moves in it, A types, B or Y closes it). Pads SDL does not know\n"
      "are mapped in $XDG_CONFIG_HOME/munyura/gamecontrollerdb.txt or\n"
      "SDL_GAMECONTROLLERCONFIG, in the community's gamecontrollerdb.txt format.\n",
      {program, std::to_string(kLargestZoom)});
}

std::string_view Version() {
  return MUNYURA_VERSION;
}

}  // namespace munyura::desktop
