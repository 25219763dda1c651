#include "platform/game_window.h"

#include <string>

#include "platform/startup_error.h"

namespace munyura::platform {
namespace {

constexpr int kInnerWidth = 621;
constexpr int kInnerHeight = 380;
constexpr char kCaption[] = "ムニュラ";

RendererPtr CreateRenderer(SDL_Window& window, bool& software) {
  // Pictures are scaled by whole pixels, never smoothed.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  RendererPtr renderer(SDL_CreateRenderer(&window, -1, SDL_RENDERER_ACCELERATED));
  software = false;
  if (!renderer) {
    renderer.reset(SDL_CreateRenderer(&window, -1, SDL_RENDERER_SOFTWARE));
    software = true;
  }
  if (!renderer) {
    throw SdlStartupError("no renderer will start for the window");
  }
  if (SDL_RenderSetLogicalSize(renderer.get(), kInnerWidth, kInnerHeight) != 0) {
    throw SdlStartupError("the renderer cannot keep the window's size");
  }
  return renderer;
}

}  // namespace

GameWindow::GameWindow(const SDL_Surface& icon)
    : window_(SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               kInnerWidth, kInnerHeight,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI)) {
  if (!window_) {
    throw SdlStartupError("the window cannot be created");
  }
  SDL_SetWindowIcon(window_.get(), const_cast<SDL_Surface*>(&icon));
  renderer_ = CreateRenderer(*window_, software_);
  // The game reads its keys as key codes; typed text would only wake an input
  // method that the game has no use for.
  SDL_StopTextInput();
}

void GameWindow::Show() {
  SDL_ShowWindow(window_.get());
  SDL_RaiseWindow(window_.get());
}

float GameWindow::PixelScale() const {
  int width = 0;
  int height = 0;
  if (SDL_GetRendererOutputSize(renderer_.get(), &width, &height) != 0 || width < kInnerWidth) {
    return 1;
  }
  return static_cast<float>(width) / kInnerWidth;
}

void ShowStartupFailure(const char* message) {
  // Fails quietly when there is no display at all; stderr already has it.
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kCaption, message, nullptr);
}

}  // namespace munyura::platform
