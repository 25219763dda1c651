#include "desktop/pads/picker_overlay.h"

#include "desktop/pads/picker_painting.h"

namespace munyura::desktop {

void PickerOverlay::Draw(const window_rules::LetterPicker& picker,
                         const window_rules::Letterbox& box) {
  if (!picker.IsOpen()) {
    return;
  }
  const int top = box.OutputAt(kPickerTop);
  const SDL_Rect target{0, top, box.OutputAt(window_rules::kGameWidth),
                        box.OutputAt(window_rules::kGameHeight) - top};
  if (target.w <= 0 || target.h <= 0) {
    return;
  }
  const bool same_size = target.w == painted_target_.w && target.h == painted_target_.h;
  if (!texture_ || !same_size || picker.Highlighted() != painted_highlight_) {
    const PaintedImage image = PaintLetterPicker(*fonts_, picker.Highlighted(), target.w, target.h);
    texture_.reset(SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                     image.Width(), image.Height()));
    if (!texture_) {
      return;
    }
    SDL_UpdateTexture(texture_.get(), nullptr, image.Data(), image.Stride());
    painted_highlight_ = picker.Highlighted();
    painted_target_ = target;
  }
  SDL_RenderCopy(renderer_, texture_.get(), nullptr, &target);
}

}  // namespace munyura::desktop
