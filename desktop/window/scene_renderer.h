// Draws the window's elements from the scene table: back-most rank first, so
// that each element covers the ones ranked behind it, and the child windows
// (picture boxes and the button) last, above everything else.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "desktop/pictures/game_pictures.h"
#include "desktop/sdl_handles.h"
#include "desktop/text/caption_fonts.h"
#include "scene/scene.h"
#include "window_rules/window_events.h"

namespace munyura::desktop {

using window_rules::ButtonLook;

class SceneRenderer {
 public:
  // pixel_scale is the renderer's output pixels per game pixel, whole or
  // not: everything is placed in output pixels at it, and text is painted
  // at it so that it stays sharp on a high-density display.
  SceneRenderer(SDL_Renderer& renderer, const GamePictures& pictures, const CaptionFonts& fonts,
                float pixel_scale = 1);

  // Fills the game's 621 x 380 with the window's white and draws every
  // visible element; the caller presents the frame.
  void Draw(const scene::Scene& scene, ButtonLook look);

  // A new scale (the window was zoomed or went fullscreen): text is painted
  // again at it.
  void SetPixelScale(float pixel_scale);

 private:
  // What a label or the button was last painted from. Text is painted again
  // only when one of these changes, never on every frame.
  struct PaintKey {
    std::u16string caption;
    int width = 0;
    int height = 0;
    std::uint32_t back_colour = 0;
    ButtonLook look;
    bool operator==(const PaintKey&) const = default;
  };
  struct Painted {
    PaintKey key;
    TexturePtr texture;
  };

  // Whole game pixels as output pixels; at least one of them each way for a
  // rectangle that is not empty.
  SDL_Rect Output(int left, int top, int width, int height) const;
  void DrawControl(const scene::SceneControl& control, std::size_t position, ButtonLook look);
  void DrawPicture(const scene::SceneControl& control);
  void DrawPainted(const scene::SceneControl& control, std::size_t position, ButtonLook look);
  void DrawLine(const scene::SceneControl& line);
  void DrawOutline(const scene::SceneControl& shape);
  SDL_Texture* PictureTexture(std::uint32_t handle);

  SDL_Renderer* renderer_;
  const GamePictures* pictures_;
  const CaptionFonts* fonts_;
  float pixel_scale_;
  std::map<std::uint32_t, TexturePtr> picture_textures_;
  std::map<std::size_t, Painted> painted_;  // by the control's place in the scene
};

}  // namespace munyura::desktop
