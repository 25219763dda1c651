#include "platform/game_session.h"

#include <chrono>

#include "form1.h"
#include "platform/caption_fonts.h"
#include "platform/command_string_player.h"
#include "platform/game_pictures.h"
#include "platform/game_window.h"
#include "platform/platform_host.h"
#include "platform/sdl_handles.h"
#include "platform/startup_error.h"

namespace munyura::platform {
namespace {

GameWindow OpenWindow(const SDL_Surface& icon) {
  try {
    return GameWindow(icon);
  } catch (const StartupError& error) {
    ShowStartupFailure(error.what());
    throw;
  }
}

}  // namespace

void PlayGame(std::ostream& messages, LoopObserver& observer) {
  const SdlVideo video;
  const CaptionFonts fonts;
  if (const auto warning = fonts.Setup().MissingFontWarning()) {
    messages << "ムニュラ: " << *warning << '\n';
  }
  const GamePictures pictures = GamePictures::DecodeEmbedded();
  CommandStringPlayer music(messages);
  PlatformHost host(music);
  Form1 form(pictures.Pictures(), host);
  GameWindow window = OpenWindow(pictures.Icon());
  RunWindow(form, window, pictures, fonts, std::chrono::steady_clock::now(), messages, observer);
}

}  // namespace munyura::platform
