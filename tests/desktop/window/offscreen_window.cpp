#include "desktop/window/offscreen_window.h"

#include <cstring>
#include <stdexcept>

namespace munyura::testing {
namespace {

desktop::SurfacePtr BlankFrame() {
  desktop::SurfacePtr frame(
      SDL_CreateRGBSurfaceWithFormat(0, 621, 380, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!frame) {
    throw std::runtime_error(SDL_GetError());
  }
  return frame;
}

desktop::RendererPtr SoftwareRenderer(SDL_Surface& frame) {
  desktop::RendererPtr renderer(SDL_CreateSoftwareRenderer(&frame));
  if (!renderer) {
    throw std::runtime_error(SDL_GetError());
  }
  return renderer;
}

}  // namespace

OffscreenWindow::OffscreenWindow()
    : pictures_(desktop::GamePictures::DecodeEmbedded()),
      form_(pictures_.Pictures(), host_),
      frame_(BlankFrame()),
      renderer_(SoftwareRenderer(*frame_)),
      scene_renderer_(*renderer_, pictures_, fonts_) {
  form_.Form_Load();
}

const SDL_Surface& OffscreenWindow::Draw(desktop::ButtonLook look) {
  scene_renderer_.Draw(form_.Scene(), look);
  SDL_RenderPresent(renderer_.get());
  return *frame_;
}

std::uint32_t RgbAt(const SDL_Surface& surface, int x, int y) {
  const auto* row = static_cast<const std::uint8_t*>(surface.pixels) + y * surface.pitch;
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, row + x * 4, sizeof pixel);
  return pixel & 0xFFFFFF;
}

}  // namespace munyura::testing
