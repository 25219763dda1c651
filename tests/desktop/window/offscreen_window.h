// The game's window drawn into memory: the real scene renderer on SDL's
// software renderer, so that tests see exactly the pixels a frame holds.
#pragma once

#include <SDL.h>

#include <stdexcept>

#include "desktop/pictures/game_pictures.h"
#include "desktop/sdl_handles.h"
#include "desktop/text/caption_fonts_for_tests.h"
#include "desktop/window/scene_renderer.h"
#include "form1.h"
#include "support/test_pictures.h"

namespace munyura::testing {

template <typename Handle>
Handle Checked(Handle handle) {
  if (!handle) {
    throw std::runtime_error(SDL_GetError());
  }
  return handle;
}

// The game with the real pictures, its handlers called by the test, drawn
// into memory exactly as the window draws it.
class OffscreenWindow {
 public:
  OffscreenWindow() { form_.Form_Load(); }
  Form1& Form() { return form_; }
  const desktop::GamePictures& Pictures() const { return pictures_; }
  const desktop::CaptionFonts& Fonts() const { return fonts_; }
  const SDL_Surface& Draw(desktop::ButtonLook look = {}) {
    scene_renderer_.Draw(form_.Scene(), look);
    SDL_RenderPresent(renderer_.get());
    return *frame_;
  }

 private:
  desktop::GamePictures pictures_ = desktop::GamePictures::DecodeEmbedded();
  desktop::CaptionFonts fonts_{TheFontLibrary()};
  RecordingHost host_;
  Form1 form_{pictures_.Pictures(), host_};
  desktop::SurfacePtr frame_ = Checked(desktop::SurfacePtr(
      SDL_CreateRGBSurfaceWithFormat(0, 621, 380, 32, SDL_PIXELFORMAT_ARGB8888)));
  desktop::RendererPtr renderer_ =
      Checked(desktop::RendererPtr(SDL_CreateSoftwareRenderer(frame_.get())));
  desktop::SceneRenderer scene_renderer_{*renderer_, pictures_, fonts_};
};

// Runs ticks until `done` holds, at most 200 of them; returns whether it did.
template <typename Done>
bool TickUntil(Form1& form, Done done) {
  for (int i = 0; i < 200 && !done(); ++i) {
    form.Timer1_Timer();
  }
  return done();
}

}  // namespace munyura::testing
