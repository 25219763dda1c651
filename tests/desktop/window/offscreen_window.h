// The game's window drawn into memory: the real scene renderer on SDL's
// software renderer, so that tests see exactly the pixels a frame holds.
#pragma once

#include <gtest/gtest.h>

#include "desktop/picture_pixels.h"
#include "desktop/pictures/game_pictures.h"
#include "desktop/text/caption_fonts_for_tests.h"
#include "desktop/window/scene_renderer.h"
#include "desktop/window/window_view.h"
#include "form1.h"
#include "support/test_pictures.h"

namespace munyura::testing {

// A frame of its own, `width` by `height`, drawn at `scale` output pixels
// per game pixel.
class Output {
 public:
  Output(const desktop::GamePictures& pictures, int width, int height, float scale = 1)
      : frame_(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888)),
        renderer_(SDL_CreateSoftwareRenderer(frame_.get())),
        scene_(*renderer_, pictures, Fonts(), scale) {}
  // In a letterbox, only `part` of the game when one is given.
  Pixels Draw(const scene::Scene& game, desktop::ButtonLook look,
              const desktop::Letterbox* box = nullptr, const SDL_Rect* part = nullptr) {
    if (box != nullptr) {
      desktop::BeginGameFrame(*renderer_, *box, part);
    }
    scene_.Draw(game, look);
    SDL_RenderPresent(renderer_.get());
    return SurfacePixels(*frame_);
  }
  SDL_Surface& Frame() { return *frame_; }

 private:
  desktop::SurfacePtr frame_;
  desktop::RendererPtr renderer_;
  desktop::SceneRenderer scene_;
};

// The game with the real pictures, its handlers called by the test, drawn
// into memory exactly as the window draws it.
class OffscreenWindow {
 public:
  OffscreenWindow() { form_.Form_Load(); }
  Form1& Form() { return form_; }
  const desktop::GamePictures& Pictures() const { return pictures_; }
  Pixels Draw(desktop::ButtonLook look = {}) { return output_.Draw(form_.Scene(), look); }
  SDL_Surface& Frame() { return output_.Frame(); }

 private:
  desktop::GamePictures pictures_ = desktop::GamePictures::DecodeEmbedded();
  RecordingHost host_;
  Form1 form_{pictures_.Pictures(), host_};
  Output output_{pictures_, 621, 380};
};

// Runs ticks until `done` holds, at most 200 of them.
template <typename Done>
void TickUntil(Form1& form, Done done) {
  for (int i = 0; i < 200 && !done(); ++i) {
    form.Timer1_Timer();
  }
  ASSERT_TRUE(done()) << "not reached in 200 ticks";
}

}  // namespace munyura::testing
