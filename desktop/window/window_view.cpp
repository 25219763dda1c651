#include "desktop/window/window_view.h"

#include <algorithm>
#include <string>

#include "desktop/messages/messages.h"

namespace munyura::desktop {
namespace {

using window_rules::kGameHeight;
using window_rules::kGameWidth;

constexpr char kCaption[] = "ムニュラ";

// The surround: a dark grey that frames the white game quietly.
constexpr Uint8 kSurroundGrey = 0x20;

}  // namespace

int WindowView::LargestZoom() const {
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) {
    return 1;
  }
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  // Unknown before the window manager has framed the window: then only the
  // area counts.
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) {
    top = left = bottom = right = 0;
  }
  return window_rules::LargestZoom(usable.w - left - right, usable.h - top - bottom);
}

int WindowView::SetZoom(int zoom) {
  zoom = std::clamp(zoom, 1, LargestZoom());
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  const bool fullscreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  if (!fullscreen && width == kGameWidth * zoom && height == kGameHeight * zoom) {
    return zoom;  // asking the window manager for nothing costs it a wait
  }
  SDL_SetWindowSize(window_, kGameWidth * zoom, kGameHeight * zoom);
  if (!fullscreen) {
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(display));
  }
  return zoom;
}

void WindowView::SetFullscreen(bool fullscreen, int zoom) {
  SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fullscreen) {
    // Back to the zoom's size, whatever the window manager restores.
    SetZoom(zoom);
  }
}

void WindowView::ShowMuted(bool muted) {
  // TRANSLATORS: the window's title while the tune is muted; {1} is the
  // game's caption, ムニュラ, which stays as it is.
  const std::string title = muted ? Translated("{1} (muted)", {kCaption}) : kCaption;
  SDL_SetWindowTitle(window_, title.c_str());
}

Letterbox WindowView::Box() const {
  int width = 0;
  int height = 0;
  if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) {
    SDL_GetWindowSize(window_, &width, &height);
  }
  return window_rules::FitGame(width, height);
}

float WindowView::OutputPerWindowUnit() const {
  int window_width = 0;
  int window_height = 0;
  SDL_GetWindowSize(window_, &window_width, &window_height);
  int output_width = 0;
  int output_height = 0;
  if (window_width <= 0 ||
      SDL_GetRendererOutputSize(renderer_, &output_width, &output_height) != 0) {
    return 1;
  }
  return static_cast<float>(output_width) / static_cast<float>(window_width);
}

GamePoint WindowView::GameCoordinates(int x, int y) const {
  const float ratio = OutputPerWindowUnit();
  return window_rules::GameCoordinates(Box(), static_cast<float>(x) * ratio,
                                       static_cast<float>(y) * ratio);
}

std::optional<GamePoint> WindowView::GameAt(int x, int y) const {
  const float ratio = OutputPerWindowUnit();
  return window_rules::GameAt(Box(), static_cast<float>(x) * ratio, static_cast<float>(y) * ratio);
}

void BeginGameFrame(SDL_Renderer& renderer, const Letterbox& box, const SDL_Rect* part) {
  SDL_RenderSetClipRect(&renderer, nullptr);
  SDL_RenderSetScale(&renderer, 1, 1);
  SDL_RenderSetViewport(&renderer, nullptr);
  if (!part) {
    SDL_SetRenderDrawColor(&renderer, kSurroundGrey, kSurroundGrey, kSurroundGrey,
                           SDL_ALPHA_OPAQUE);
    SDL_RenderClear(&renderer);
  }
  // Everything is drawn in output pixels from the game's corner: the scene
  // renderer places each game pixel itself, so that a fractional scale still
  // gives every line a whole output pixel.
  const SDL_Rect game{box.left, box.top, box.width, box.height};
  SDL_RenderSetViewport(&renderer, &game);
  if (part) {
    // Whole game pixels, so that a picture cut at its edge is cut between
    // its scaled pixels.
    const int left = box.OutputAt(part->x);
    const int top = box.OutputAt(part->y);
    const SDL_Rect clip{left, top, box.OutputAt(part->x + part->w) - left,
                        box.OutputAt(part->y + part->h) - top};
    SDL_RenderSetClipRect(&renderer, &clip);
  }
}

}  // namespace munyura::desktop
