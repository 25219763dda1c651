// The background tune: one "play" command, sent again on every tick.
#pragma once

#include <string>
#include <string_view>

#include "../host.h"

namespace munyura::sound {

inline constexpr std::string_view kTuneFile = "bdmidi.mid";

// play "<folder>\bdmidi.mid". The folder goes in unaltered and unescaped;
// the quotes keep a folder with spaces in one piece.
std::string MusicCommand(std::string_view folder);

// Asks the host for its folder afresh and sends the command. The player's
// answer is not looked at: it keeps a tune that is already playing going.
void SendMusicCommand(Host& host);

}  // namespace munyura::sound
