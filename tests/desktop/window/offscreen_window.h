// The game's window drawn into memory: the real scene renderer on SDL's
// software renderer, so that tests see exactly the pixels a frame holds.
#pragma once

#include <cstdint>
#include <string>

#include "desktop/pictures/game_pictures.h"
#include "desktop/sdl_handles.h"
#include "desktop/window/scene_renderer.h"
#include "form1.h"
#include "support/test_pictures.h"

namespace munyura::testing {

class OffscreenWindow {
 public:
  OffscreenWindow();

  // The game with the real pictures, its handlers called by the test.
  Form1& Form() { return form_; }
  const desktop::GamePictures& Pictures() const { return pictures_; }
  const desktop::CaptionFonts& Fonts() const { return fonts_; }

  // Draws the scene as the window would and returns the frame.
  const SDL_Surface& Draw(desktop::ButtonLook look = {});

 private:
  desktop::GamePictures pictures_;
  desktop::CaptionFonts fonts_;
  RecordingHost host_;
  Form1 form_;
  desktop::SurfacePtr frame_;
  desktop::RendererPtr renderer_;
  desktop::SceneRenderer scene_renderer_;
};

// The colour of one pixel of an ARGB8888 surface, as 0xRRGGBB.
std::uint32_t RgbAt(const SDL_Surface& surface, int x, int y);

// Runs ticks until `done` holds, at most `limit` of them; returns whether it did.
template <typename Done>
bool TickUntil(Form1& form, Done done, int limit = 200) {
  for (int i = 0; i < limit && !done(); ++i) {
    form.Timer1_Timer();
  }
  return done();
}

}  // namespace munyura::testing
