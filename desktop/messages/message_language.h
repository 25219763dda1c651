// Which language the program's messages are in: the player's, as the
// environment says (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), with English for
// the C and POSIX locales and for languages without a catalogue.
#pragma once

namespace munyura::desktop {

// The gettext domain, and so the catalogues' name: munyura.mo.
inline constexpr char kMessageDomain[] = "munyura";

// Takes the messages' language and character set from the environment, and
// finds the catalogues from the running executable's folder: locale/ beside
// it in the build tree, else the installed share/locale as seen from the
// game's folder under the prefix. Only LC_MESSAGES and LC_CTYPE change:
// numbers are read and written as in the C locale, and messages always come
// out as UTF-8.
void UseThePlayersLanguage();

}  // namespace munyura::desktop
