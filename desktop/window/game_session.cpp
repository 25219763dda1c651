#include "desktop/window/game_session.h"

#include <chrono>

#include "desktop/music/command_string_player.h"
#include "desktop/pads/game_pads.h"
#include "desktop/pictures/game_pictures.h"
#include "desktop/sdl_handles.h"
#include "desktop/settings/settings_file.h"
#include "desktop/text/caption_fonts.h"
#include "desktop/window/display_loss.h"
#include "desktop/window/game_window.h"
#include "desktop/window/platform_host.h"
#include "desktop/window/startup_error.h"
#include "form1.h"

namespace munyura::desktop {
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

void PlayGame(std::ostream& messages, LoopObserver& observer, const SettingsOverrides& overrides) {
  const SdlVideo video;
  GamePads pads(messages);
  EndTheGameWhenTheDisplayGoesAway();
  FontLibrary font_library;
  const CaptionFonts fonts(font_library);
  if (const auto warning = fonts.Setup().MissingFontWarning()) {
    messages << "ムニュラ: " << *warning << '\n';
  }
  const GamePictures pictures = GamePictures::DecodeEmbedded();
  CommandStringPlayer music(messages);
  PlatformHost host(music, messages);
  Form1 form(pictures.Pictures(), host);
  GameWindow window = OpenWindow(pictures.Icon());
  const auto start = std::chrono::steady_clock::now();
  WindowView view(window.Window(), window.Renderer());
  SettingsFile settings(SettingsPath(), messages);
  WindowControls controls(view, music, settings, settings.Load(), overrides);
  controls.ApplyAtStart();
  RunWindow(form, window, pictures, fonts, start, messages, observer, view, controls, pads);
}

}  // namespace munyura::desktop
