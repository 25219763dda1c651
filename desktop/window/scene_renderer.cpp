#include "desktop/window/scene_renderer.h"

#include <cmath>
#include <cstdlib>
#include <ranges>
#include <vector>

#include "desktop/text/control_painter.h"
#include "window_rules/letterbox.h"

namespace munyura::desktop {
namespace {

using scene::ControlKind;
using scene::SceneControl;

int Pixel(float position) {
  return static_cast<int>(std::lround(position));
}

// Picture boxes and the button are child windows: they lie above everything
// drawn on the window's own surface, whatever their rank.
bool IsChildWindow(const SceneControl& control) {
  return control.Kind == ControlKind::kPictureBox || control.Kind == ControlKind::kCommandButton;
}

void SetDrawColour(SDL_Renderer& renderer, std::uint32_t bbggrr) {
  SDL_SetRenderDrawColor(&renderer, bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF,
                         SDL_ALPHA_OPAQUE);
}

constexpr std::uint32_t kWindowText = 0x00000000;

}  // namespace

SceneRenderer::SceneRenderer(SDL_Renderer& renderer, const GamePictures& pictures,
                             const CaptionFonts& fonts, float pixel_scale)
    : renderer_(&renderer), pictures_(&pictures), fonts_(&fonts), pixel_scale_(pixel_scale) {}

void SceneRenderer::SetPixelScale(float pixel_scale) {
  if (pixel_scale != pixel_scale_) {
    pixel_scale_ = pixel_scale;
    painted_.clear();
  }
}

SDL_Rect SceneRenderer::Output(int left, int top, int width, int height) const {
  const auto at = [this](int game) { return window_rules::OutputPixel(game, pixel_scale_); };
  const int x = at(left);
  const int y = at(top);
  // However small the scale, a pixel of the game keeps an output pixel.
  const auto extent = [](int from, int to, int game_extent) {
    return game_extent > 0 ? std::max(1, to - from) : 0;
  };
  return {x, y, extent(x, at(left + width), width), extent(y, at(top + height), height)};
}

void SceneRenderer::Draw(const scene::Scene& scene, ButtonLook look) {
  SetDrawColour(*renderer_, scene::kWindowBackColour);
  // Only the game's own area: around it lies the window's surround.
  const SDL_Rect window = Output(0, 0, window_rules::kGameWidth, window_rules::kGameHeight);
  SDL_RenderFillRect(renderer_, &window);
  const auto controls = scene.Controls();
  for (const bool child_windows : {false, true}) {
    for (std::size_t position = controls.size(); position-- > 0;) {
      const SceneControl& control = controls[position];
      if (control.Visible == kTrue && IsChildWindow(control) == child_windows) {
        DrawControl(control, position, look);
      }
    }
  }
}

void SceneRenderer::DrawControl(const SceneControl& control, std::size_t position,
                                ButtonLook look) {
  switch (control.Kind) {
    case ControlKind::kPictureBox:
    case ControlKind::kImage:
      DrawPicture(control);
      break;
    case ControlKind::kLabel:
    case ControlKind::kCommandButton:
      DrawPainted(control, position, look);
      break;
    case ControlKind::kLine:
      DrawLine(control);
      break;
    case ControlKind::kShape:
      DrawOutline(control);
      break;
    case ControlKind::kTimer:
      break;
  }
}

void SceneRenderer::DrawPicture(const SceneControl& control) {
  const scene::PictureRef picture = control.Picture();
  if (!picture) {
    return;
  }
  SDL_Texture* const texture = PictureTexture(picture->Handle());
  if (!texture) {
    return;
  }
  // A picture is shown at its own size; a picture box crops it to the box.
  int width = picture->Width();
  int height = picture->Height();
  if (control.Kind == ControlKind::kPictureBox) {
    width = std::min(width, Pixel(control.Width));
    height = std::min(height, Pixel(control.Height));
  }
  const SDL_Rect source{0, 0, width, height};
  const SDL_Rect target = Output(Pixel(control.Left), Pixel(control.Top), width, height);
  SDL_RenderCopy(renderer_, texture, &source, &target);
}

void SceneRenderer::DrawPainted(const SceneControl& control, std::size_t position,
                                ButtonLook look) {
  const bool is_button = control.Kind == ControlKind::kCommandButton;
  PaintKey key{control.Caption, Pixel(control.Width), Pixel(control.Height), control.BackColour,
               is_button ? look : ButtonLook{}};
  if (key.width <= 0 || key.height <= 0) {
    return;
  }
  Painted& painted = painted_[position];
  if (!painted.texture || painted.key != key) {
    const PaintedImage image =
        is_button ? PaintButton(*fonts_, control, key.look.focused, key.look.pressed, pixel_scale_)
                  : PaintLabel(*fonts_, control, pixel_scale_);
    painted.texture.reset(SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                            SDL_TEXTUREACCESS_STATIC, image.Width(),
                                            image.Height()));
    if (!painted.texture) {
      return;
    }
    SDL_SetTextureScaleMode(painted.texture.get(), SDL_ScaleModeNearest);
    SDL_UpdateTexture(painted.texture.get(), nullptr, image.Data(), image.Stride());
    painted.key = std::move(key);
  }
  const SDL_Rect target =
      Output(Pixel(control.Left), Pixel(control.Top), painted.key.width, painted.key.height);
  SDL_RenderCopy(renderer_, painted.texture.get(), nullptr, &target);
}

void SceneRenderer::DrawLine(const SceneControl& line) {
  // Both end points included, one game pixel wide: each game pixel of the
  // line filled at the scale, so that no scale thins it away.
  int x = Pixel(line.X1);
  int y = Pixel(line.Y1);
  const int x2 = Pixel(line.X2);
  const int y2 = Pixel(line.Y2);
  const int dx = std::abs(x2 - x);
  const int dy = -std::abs(y2 - y);
  const int step_x = x < x2 ? 1 : -1;
  const int step_y = y < y2 ? 1 : -1;
  std::vector<SDL_Rect> pixels;
  for (int error = dx + dy;;) {
    pixels.push_back(Output(x, y, 1, 1));
    if (x == x2 && y == y2) {
      break;
    }
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x += step_x;
    }
    if (doubled <= dx) {
      error += dx;
      y += step_y;
    }
  }
  SetDrawColour(*renderer_, kWindowText);
  SDL_RenderFillRects(renderer_, pixels.data(), static_cast<int>(pixels.size()));
}

void SceneRenderer::DrawOutline(const SceneControl& shape) {
  const int left = Pixel(shape.Left);
  const int top = Pixel(shape.Top);
  const int width = Pixel(shape.Width);
  const int height = Pixel(shape.Height);
  if (width <= 0 || height <= 0) {
    return;
  }
  const SDL_Rect sides[] = {Output(left, top, width, 1), Output(left, top + height - 1, width, 1),
                            Output(left, top, 1, height), Output(left + width - 1, top, 1, height)};
  SetDrawColour(*renderer_, kWindowText);
  SDL_RenderFillRects(renderer_, sides, 4);
}

SDL_Texture* SceneRenderer::PictureTexture(std::uint32_t handle) {
  auto found = picture_textures_.find(handle);
  if (found == picture_textures_.end()) {
    const SDL_Surface* const pixels = pictures_->PixelsOf(handle);
    if (!pixels) {
      return nullptr;
    }
    // The surface's colour key becomes transparency in the texture.
    TexturePtr texture(SDL_CreateTextureFromSurface(renderer_, const_cast<SDL_Surface*>(pixels)));
    // Scaled, a picture keeps its hard edges.
    if (texture) {
      SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeNearest);
    }
    found = picture_textures_.emplace(handle, std::move(texture)).first;
  }
  return found->second.get();
}

}  // namespace munyura::desktop
