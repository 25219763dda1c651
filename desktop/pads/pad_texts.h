// The lines the desktop prints about pads, in plain English, all in one
// place so that they can be translated together.
#pragma once

#include <string>
#include <string_view>

namespace munyura::desktop::pad_texts {

inline std::string MappingsNotRead(std::string_view path, std::string_view why) {
  return "ムニュラ: pad mappings not read from " + std::string(path) + ": " + std::string(why) +
         "; the pads keep SDL's own mappings";
}

inline std::string MappingsNotUnderstood(std::string_view path, std::string_view why) {
  return "ムニュラ: pad mappings in " + std::string(path) + " not used: " + std::string(why) +
         "; the pads keep SDL's own mappings";
}

inline std::string MappingRefused(std::string_view path, int line, std::string_view why) {
  return "ムニュラ: " + std::string(path) + ", line " + std::to_string(line) +
         ": SDL refused the mapping (" + std::string(why) + ")";
}

inline std::string NoPads(std::string_view why) {
  return "ムニュラ: playing without pads: " + std::string(why);
}

// Why a line of a mapping file is not a mapping.
inline std::string BadMappingLine(int line, std::string_view why) {
  return "line " + std::to_string(line) + " " + std::string(why);
}
inline constexpr std::string_view kNoGuid = "does not start with a pad's 32-digit GUID";
inline constexpr std::string_view kNoName = "has no name after the GUID";
inline std::string UnknownElement(std::string_view element) {
  return "names no button or axis '" + std::string(element) + "'";
}
inline std::string BadBinding(std::string_view element, std::string_view binding) {
  return "binds " + std::string(element) + " to '" + std::string(binding) +
         "', not a button (b0), axis (a0) or hat (h0.1)";
}

}  // namespace munyura::desktop::pad_texts
