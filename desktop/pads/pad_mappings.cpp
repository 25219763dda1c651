#include "desktop/pads/pad_mappings.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>

#include "desktop/pads/pad_texts.h"
#include "desktop/settings/settings_file.h"

namespace munyura::desktop {
namespace {

// A line is "GUID,name,element:binding,...,platform:Linux," with fields
// that are not bindings of a button or axis.
constexpr std::string_view kPlatformField = "platform";
constexpr std::string_view kFreeFields[] = {kPlatformField, "crc", "hint", "sdk>=", "sdk<="};

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) {
      return parts;
    }
    text.remove_prefix(at + 1);
  }
}

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
    line.remove_suffix(1);
  }
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
    line.remove_prefix(1);
  }
  return line;
}

bool IsMappingLine(std::string_view line) {
  return !line.empty() && line.front() != '#';
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool IsGuid(std::string_view field) {
  // SDL also takes the word "xinput" for the one XInput pad of Windows.
  return field == "xinput" ||
         (field.size() == 32 && std::all_of(field.begin(), field.end(),
                                            [](unsigned char c) { return std::isxdigit(c) != 0; }));
}

// bN, hN.M, or aN with an optional half (+ or -) before and inversion (~) after.
bool IsBinding(std::string_view binding) {
  if (!binding.empty() && (binding.front() == '+' || binding.front() == '-')) {
    binding.remove_prefix(1);
    if (binding.empty() || binding.front() != 'a') {
      return false;
    }
  }
  if (binding.empty()) {
    return false;
  }
  const char kind = binding.front();
  binding.remove_prefix(1);
  if (kind == 'b') {
    return AllDigits(binding);
  }
  if (kind == 'a') {
    if (!binding.empty() && binding.back() == '~') {
      binding.remove_suffix(1);
    }
    return AllDigits(binding);
  }
  if (kind == 'h') {
    const auto parts = Split(binding, '.');
    return parts.size() == 2 && AllDigits(parts[0]) && AllDigits(parts[1]);
  }
  return false;
}

bool IsElement(std::string_view element) {
  const std::string name(element);
  if (SDL_GameControllerGetButtonFromString(name.c_str()) != SDL_CONTROLLER_BUTTON_INVALID) {
    return true;
  }
  // Half an axis: +leftx, -lefty.
  const std::string axis =
      !name.empty() && (name.front() == '+' || name.front() == '-') ? name.substr(1) : name;
  return SDL_GameControllerGetAxisFromString(axis.c_str()) != SDL_CONTROLLER_AXIS_INVALID;
}

bool IsFreeField(std::string_view element) {
  return std::find(std::begin(kFreeFields), std::end(kFreeFields), element) !=
         std::end(kFreeFields);
}

std::optional<std::string> LineProblem(std::string_view line) {
  const std::vector<std::string_view> fields = Split(line, ',');
  if (!IsGuid(fields[0])) {
    return pad_texts::NoGuid();
  }
  if (fields.size() < 3) {
    return pad_texts::NoName();
  }
  for (std::size_t i = 2; i < fields.size(); ++i) {
    const std::string_view field = fields[i];
    if (field.empty()) {
      continue;  // the comma that ends most lines
    }
    const auto colon = field.find(':');
    const std::string_view element = field.substr(0, colon);
    if (IsFreeField(element) && colon != std::string_view::npos) {
      continue;
    }
    if (colon == std::string_view::npos || !IsElement(element)) {
      return pad_texts::UnknownElement(element);
    }
    const std::string_view binding = field.substr(colon + 1);
    if (!IsBinding(binding)) {
      return pad_texts::BadBinding(element, binding);
    }
  }
  return std::nullopt;
}

std::optional<std::string_view> PlatformOf(std::string_view line) {
  for (const std::string_view field : Split(line, ',')) {
    const auto colon = field.find(':');
    if (colon != std::string_view::npos && field.substr(0, colon) == kPlatformField) {
      return field.substr(colon + 1);
    }
  }
  return std::nullopt;
}

void AddFromFile(const std::string& path, std::ostream& messages) {
  const auto [text, unreadable] = ReadPlayerFile(path, kLargestPadMappingFile);
  if (unreadable) {
    messages << pad_texts::MappingsNotRead(path, *unreadable) << '\n';
    return;
  }
  if (const auto problem = MappingTextProblem(text, SDL_GetPlatform())) {
    messages << pad_texts::MappingsNotUnderstood(path, *problem) << '\n';
    return;
  }
  for (const MappingLine& line : MappingsFor(text, SDL_GetPlatform())) {
    if (SDL_GameControllerAddMapping(line.mapping.c_str()) < 0) {
      // Told once: the lines after it are still added.
      messages << pad_texts::MappingRefused(path, line.number, SDL_GetError()) << '\n';
      return;
    }
  }
}

}  // namespace

std::optional<std::string> MappingTextProblem(std::string_view text, std::string_view platform) {
  for (const MappingLine& line : MappingsFor(text, platform)) {
    if (auto problem = LineProblem(line.mapping)) {
      return pad_texts::BadMappingLine(line.number, *problem);
    }
  }
  return std::nullopt;
}

std::vector<MappingLine> MappingsFor(std::string_view text, std::string_view platform) {
  std::vector<MappingLine> mappings;
  int number = 0;
  for (const std::string_view raw : Split(text, '\n')) {
    ++number;
    const std::string_view line = WithoutLineEnd(raw);
    if (!IsMappingLine(line)) {
      continue;
    }
    const auto line_platform = PlatformOf(line);
    if (!line_platform || *line_platform == platform) {
      mappings.push_back({number, std::string(line)});
    }
  }
  return mappings;
}

void AddPlayerPadMappings(std::ostream& messages) {
  if (const auto path = PlayerFilePath(kPadMappingFileName)) {
    AddFromFile(*path, messages);
  }
  // SDL_GAMECONTROLLERCONFIG, which SDL read when its game controllers
  // started, still wins: SDL keeps a mapping from its own settings over one
  // added through its API.
}

}  // namespace munyura::desktop
