#include "desktop/music/command_string_player.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "desktop/messages/messages.h"

namespace munyura::desktop {
namespace {

// Why the music command was refused, in the player's language.
std::string DescribedInWords(CommandError error) {
  switch (error) {
    case CommandError::kNone:
      return Translated("no error");
    case CommandError::kUnrecognizedCommand:
      return Translated("only play is understood");
    case CommandError::kMissingFileName:
      return Translated("it names no file");
    case CommandError::kBadSyntax:
      return Translated("it cannot be read");
    case CommandError::kCannotPlay:
      return Translated("the file cannot be played");
  }
  return Translated("unknown error");
}

}  // namespace

CommandStringPlayer::CommandStringPlayer(std::ostream& messages, std::string soundfont)
    : messages_(&messages), soundfont_(std::move(soundfont)) {}

int CommandStringPlayer::SendString(std::string_view command, std::span<char> returned_text,
                                    SDL_Window* /*notify_window*/) {
  if (!returned_text.empty()) {
    returned_text[0] = '\0';
  }
  const ParsedCommand parsed = ParseCommandString(command);
  if (parsed.error != CommandError::kNone) {
    ReportOnce(Translated("cannot carry out the music command '{1}': {2}",
                          {command, DescribedInWords(parsed.error)}));
    return static_cast<int>(parsed.error);
  }
  try {
    return static_cast<int>(Play(parsed.file));
  } catch (const std::exception&) {
    // No memory or no thread to open it with: the game plays on without it.
    return static_cast<int>(CommandError::kCannotPlay);
  }
}

CommandError CommandStringPlayer::Play(const std::string& file) {
  const auto found = devices_.find(file);
  if (found == devices_.end()) {
    devices_.emplace(file, Device{IdentifyFile(file), std::make_unique<TuneDevice>(
                                                          file, soundfont_, sdl_audio_, muted_)});
    return CommandError::kNone;
  }
  Device& device = found->second;
  if (device.tune->State() != DeviceState::kFailed) {
    return CommandError::kNone;  // opening or playing: let it go on
  }
  // TRANSLATORS: {1} is why: the tune or the soundfont and what is wrong
  // with it, or the sound output's trouble.
  ReportOnce(Translated("no music: {1}", {device.tune->Failure()}));
  // A file that failed is tried again only once it has changed, so that a
  // broken tune costs nothing at 60 ms a command.
  if (FileIdentity now = IdentifyFile(file); now != device.identity) {
    device = Device{now, std::make_unique<TuneDevice>(file, soundfont_, sdl_audio_, muted_)};
    return CommandError::kNone;
  }
  return CommandError::kCannotPlay;
}

void CommandStringPlayer::ReportOnce(std::string line) {
  if (!reported_) {
    // A folder's name may hold a line break; the report stays one line.
    std::ranges::replace_if(
        line, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    *messages_ << "ムニュラ: " << line << '\n' << std::flush;
    reported_ = true;
  }
}

std::vector<std::string> CommandStringPlayer::DeviceNames() const {
  std::vector<std::string> names;
  for (const auto& [name, device] : devices_) {
    names.push_back(name);
  }
  return names;
}

std::optional<DeviceState> CommandStringPlayer::State(std::string_view file) const {
  const auto found = devices_.find(file);
  if (found == devices_.end()) {
    return std::nullopt;
  }
  return found->second.tune->State();
}

std::optional<PlaybackPosition> CommandStringPlayer::Position(std::string_view file) const {
  const auto found = devices_.find(file);
  if (found == devices_.end()) {
    return std::nullopt;
  }
  return found->second.tune->Position();
}

}  // namespace munyura::desktop
