// The program's own messages in the player's language: usage, warnings and
// errors, the window title's "(muted)". The game's texts (its caption, its
// buttons, the inscriptions) never pass through here.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace munyura::desktop {

// The message `english` in the language chosen by UseThePlayersLanguage, or
// `english` itself when its catalogue has no translation.
std::string Translated(const char* english);

// The same, with {1}, {2}, ... replaced by `values` in order: a translation
// may put them where its language wants them.
std::string Translated(const char* english, std::initializer_list<std::string_view> values);

// Replaces {1}, {2}, ... in `text` by `values`; a number beyond them is left
// as it is.
std::string Filled(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace munyura::desktop
