#include "desktop/messages/messages.h"

#include <libintl.h>

#include "desktop/messages/message_language.h"

namespace munyura::desktop {

std::string Translated(const char* english) {
  return dgettext(kMessageDomain, english);
}

std::string Translated(const char* english, std::initializer_list<std::string_view> values) {
  return Filled(Translated(english), values);
}

std::string Filled(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string filled;
  filled.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t close = text.find('}', i);
    if (text[i] == '{' && close != std::string_view::npos && close == i + 2 && text[i + 1] >= '1' &&
        text[i + 1] <= '9' && static_cast<std::size_t>(text[i + 1] - '1') < values.size()) {
      filled += values.begin()[text[i + 1] - '1'];
      i = close;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

}  // namespace munyura::desktop
