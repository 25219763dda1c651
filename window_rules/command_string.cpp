#include "window_rules/command_string.h"

#include <algorithm>

#include "window_rules/trimmed_text.h"

namespace munyura::window_rules {
namespace {

bool IsPlay(std::string_view verb) {
  constexpr std::string_view kPlay = "play";
  return std::equal(verb.begin(), verb.end(), kPlay.begin(), kPlay.end(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

std::string WithNativeLastSeparator(std::string_view file) {
  std::string native(file);
  if (const auto last = native.find_last_of("\\/");
      last != std::string::npos && native[last] == '\\') {
    native[last] = '/';
  }
  return native;
}

}  // namespace

ParsedCommand ParseCommandString(std::string_view command) {
  command = Trimmed(command);
  const auto verb_end = std::find_if(command.begin(), command.end(), IsBlank) - command.begin();
  if (!IsPlay(command.substr(0, verb_end))) {
    return {CommandError::kUnrecognizedCommand, {}};
  }
  std::string_view rest = TrimmedLeft(command.substr(verb_end));
  if (rest.empty()) {
    return {CommandError::kMissingFileName, {}};
  }

  std::string_view file;
  if (rest.front() == '"') {
    const auto closing = rest.rfind('"');
    if (closing == 0) {
      return {CommandError::kBadSyntax, {}};
    }
    file = rest.substr(1, closing - 1);
    rest.remove_prefix(closing + 1);
  } else {
    const auto end = std::find_if(rest.begin(), rest.end(), IsBlank) - rest.begin();
    file = rest.substr(0, end);
    rest.remove_prefix(end);
  }
  // Flags such as "notify" or "from" would need a device that reports back
  // or seeks; the game never sends them, so they are refused, not ignored.
  if (!TrimmedLeft(rest).empty()) {
    return {CommandError::kBadSyntax, {}};
  }
  if (file.empty()) {
    return {CommandError::kMissingFileName, {}};
  }
  return {CommandError::kNone, WithNativeLastSeparator(file)};
}

}  // namespace munyura::window_rules
