// The lines the desktop prints about pads, all in one place, in the
// player's language.
#pragma once

#include <string>
#include <string_view>

#include "desktop/messages/messages.h"

namespace munyura::desktop::pad_texts {

inline std::string MappingsNotRead(std::string_view path, std::string_view why) {
  return "ムニュラ: " +
         Translated("pad mappings not read from {1}: {2}; the pads keep SDL's own mappings",
                    {path, why});
}

inline std::string MappingsNotUnderstood(std::string_view path, std::string_view why) {
  return "ムニュラ: " +
         Translated("pad mappings in {1} not used: {2}; the pads keep SDL's own mappings",
                    {path, why});
}

inline std::string MappingRefused(std::string_view path, int line, std::string_view why) {
  return "ムニュラ: " + Translated("{1}, line {2}: SDL refused the mapping ({3})",
                                   {path, std::to_string(line), why});
}

inline std::string NoPads(std::string_view why) {
  return "ムニュラ: " + Translated("playing without pads: {1}", {why});
}

// Why a line of a mapping file is not a mapping.
inline std::string BadMappingLine(int line, std::string_view why) {
  // TRANSLATORS: {2} is one of the reasons below, such as "has no name after the GUID".
  return Translated("line {1} {2}", {std::to_string(line), why});
}
inline std::string NoGuid() {
  return Translated("does not start with a pad's 32-digit GUID");
}
inline std::string NoName() {
  return Translated("has no name after the GUID");
}
inline std::string UnknownElement(std::string_view element) {
  return Translated("names no button or axis '{1}'", {element});
}
inline std::string BadBinding(std::string_view element, std::string_view binding) {
  return Translated("binds {1} to '{2}', not a button (b0), axis (a0) or hat (h0.1)",
                    {element, binding});
}

}  // namespace munyura::desktop::pad_texts
