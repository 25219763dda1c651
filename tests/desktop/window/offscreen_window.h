// The game's window drawn into memory: the real scene renderer on SDL's
// software renderer, so that tests see exactly the pixels a frame holds.
#pragma once

#include "desktop/picture_pixels.h"
#include "desktop/pictures/game_pictures.h"
#include "desktop/text/caption_fonts_for_tests.h"
#include "desktop/window/scene_renderer.h"
#include "desktop/window/window_view.h"
#include "form1.h"
#include "support/test_pictures.h"

namespace munyura::testing {

// A frame of its own, drawn at `scale` output pixels per game pixel.
struct Output {
  Output(const desktop::GamePictures& pictures, int width, int height, float scale = 1)
      : frame(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888)),
        renderer(SDL_CreateSoftwareRenderer(frame.get())),
        scene(*renderer, pictures, Fonts(), scale) {}
  // In a letterbox, only `part` of the game when one is given.
  Pixels Draw(const scene::Scene& game, desktop::ButtonLook look,
              const desktop::Letterbox* box = nullptr, const SDL_Rect* part = nullptr) {
    if (box != nullptr) {
      desktop::BeginGameFrame(*renderer, *box, part);
    }
    scene.Draw(game, look);
    SDL_RenderPresent(renderer.get());
    return SurfacePixels(*frame);
  }

  desktop::SurfacePtr frame;
  desktop::RendererPtr renderer;
  desktop::SceneRenderer scene;
};

// The game with the real pictures, driven by the test, drawn as the window draws it.
struct OffscreenWindow {
  OffscreenWindow() { form.Form_Load(); }
  Pixels Draw(desktop::ButtonLook look = {}) { return output.Draw(form.Scene(), look); }

  desktop::GamePictures pictures = desktop::GamePictures::DecodeEmbedded();
  RecordingHost host;
  Form1 form{pictures.Pictures(), host};
  Output output{pictures, 621, 380};
};

}  // namespace munyura::testing
