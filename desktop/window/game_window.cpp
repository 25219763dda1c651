#include "desktop/window/game_window.h"

#include <array>
#include <string>
#include <string_view>

#include "desktop/messages/messages.h"
#include "desktop/window/direct_rendering.h"
#include "desktop/window/startup_error.h"
#include "scene/scene.h"
#include "window_rules/utf16_text.h"

namespace munyura::desktop {
namespace {

// The window's inner area is the game's own coordinate space.
constexpr int kInnerWidth = static_cast<int>(scene::kScaleWidth);
constexpr int kInnerHeight = static_cast<int>(scene::kScaleHeight);

WindowPtr CreateHiddenWindow(const SDL_Surface& icon) {
  const std::string caption = window_rules::Utf8FromUtf16(scene::kWindowCaption);
  WindowPtr window(SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                    kInnerWidth, kInnerHeight,
                                    SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI));
  if (!window) {
    throw SdlStartupError(Translated("the window cannot be created"));
  }
  SDL_SetWindowIcon(window.get(), const_cast<SDL_Surface*>(&icon));
  return window;
}

// An OpenGL driver that rasterises on the processor (Mesa's llvmpipe on a
// machine without a graphics card, or under Xvfb) costs several times the
// processor time and memory of SDL's own software renderer drawing straight
// into the window, for a picture this small.
bool RasterisesOnTheProcessor(SDL_Renderer& renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(&renderer, &info) != 0 ||
      std::string_view(info.name).find("opengl") == std::string_view::npos) {
    return false;
  }
  using GetString = const unsigned char* (*)(unsigned int);
  constexpr unsigned int kGlRenderer = 0x1F01;
  const auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* const name = get_string ? get_string(kGlRenderer) : nullptr;
  if (!name) {
    return false;
  }
  const std::string_view gl_renderer(reinterpret_cast<const char*>(name));
  constexpr std::array<std::string_view, 4> kSoftwareDrivers{"llvmpipe", "softpipe", "swrast",
                                                             "Software Rasterizer"};
  for (const std::string_view driver : kSoftwareDrivers) {
    if (gl_renderer.find(driver) != std::string_view::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace

GameWindow::GameWindow(const SDL_Surface& icon) : window_(CreateHiddenWindow(icon)) {
  // Pictures are scaled by whole pixels, never smoothed.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  bool software = DisplayLacksDirectRendering(*window_);
  if (!software) {
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
    if (renderer_ && RasterisesOnTheProcessor(*renderer_)) {
      // A window that has held an OpenGL context keeps the driver loaded, so
      // the software renderer gets a fresh one.
      renderer_.reset();
      window_ = CreateHiddenWindow(icon);
      software = true;
    }
  }
  if (software) {
    // Frames go to the window directly, not through an OpenGL texture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  if (!renderer_) {
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
  }
  if (!renderer_) {
    throw SdlStartupError(Translated("no renderer will start for the window"));
  }
  SDL_RendererInfo info{};
  software_ =
      SDL_GetRendererInfo(renderer_.get(), &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
  // The game reads its keys as key codes; typed text would only wake an input
  // method that the game has no use for.
  SDL_StopTextInput();
}

void GameWindow::Show() {
  SDL_ShowWindow(window_.get());
  SDL_RaiseWindow(window_.get());
}

void ShowStartupFailure(const char* message) {
  // Fails quietly when there is no display at all; stderr already has it.
  const std::string caption = window_rules::Utf8FromUtf16(scene::kWindowCaption);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), message, nullptr);
}

}  // namespace munyura::desktop
