// Draws the open letter picker over the frame the scene renderer has just
// drawn, painting it again only when its highlight or the scale changes.
#pragma once

#include <SDL.h>

#include "desktop/sdl_handles.h"
#include "desktop/text/caption_fonts.h"
#include "window_rules/letter_picker.h"
#include "window_rules/letterbox.h"

namespace munyura::desktop {

class PickerOverlay {
 public:
  PickerOverlay(SDL_Renderer& renderer, const CaptionFonts& fonts)
      : renderer_(&renderer), fonts_(&fonts) {}

  // In the renderer's output pixels from the game's corner, as the scene
  // is drawn; nothing while the picker is closed.
  void Draw(const window_rules::LetterPicker& picker, const window_rules::Letterbox& box);

 private:
  SDL_Renderer* renderer_;
  const CaptionFonts* fonts_;
  TexturePtr texture_;
  int painted_highlight_ = -1;
  SDL_Rect painted_target_{};
};

}  // namespace munyura::desktop
