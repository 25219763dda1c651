// The game's window drawn into memory: the real scene renderer on SDL's
// software renderer, so that tests see exactly the pixels a frame holds.
#pragma once

#include <cstdint>
#include <string>

#include "form1.h"
#include "platform/game_pictures.h"
#include "platform/scene_renderer.h"
#include "platform/sdl_handles.h"
#include "support/test_pictures.h"

namespace munyura::testing {

class OffscreenWindow {
 public:
  OffscreenWindow();

  // The game with the real pictures, its handlers called by the test.
  Form1& Form() { return form_; }
  const platform::GamePictures& Pictures() const { return pictures_; }
  const platform::CaptionFonts& Fonts() const { return fonts_; }

  // Draws the scene as the window would and returns the frame.
  const SDL_Surface& Draw(platform::ButtonLook look = {});

 private:
  platform::GamePictures pictures_;
  platform::CaptionFonts fonts_;
  RecordingHost host_;
  Form1 form_;
  platform::SurfacePtr frame_;
  platform::RendererPtr renderer_;
  platform::SceneRenderer scene_renderer_;
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
