// A picture as the game's logic sees it: a size and an identity. The pixels
// belong to whoever draws the window; the logic only compares Handles.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace munyura::scene {

class ScenePicture {
 public:
  ScenePicture(std::uint32_t handle, int width, int height,
               std::optional<std::uint32_t> transparent_colour = std::nullopt)
      : handle_(handle), width_(width), height_(height), transparent_colour_(transparent_colour) {}

  std::uint32_t Handle() const noexcept { return handle_; }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  // &H00BBGGRR& of the colour that lets the background show through.
  const std::optional<std::uint32_t>& TransparentColour() const noexcept {
    return transparent_colour_;
  }

 private:
  std::uint32_t handle_;
  int width_;
  int height_;
  std::optional<std::uint32_t> transparent_colour_;
};

using SharedPicture = std::shared_ptr<const ScenePicture>;

// The pictures the window is built with: the chick facing up, right, down and
// left, and the thirty monuments.
struct PictureSet {
  std::array<SharedPicture, 4> chick;
  std::array<SharedPicture, 30> monuments;
};

// How an element refers to its picture: the very object of the window's
// PictureSet, which the scene keeps alive (see Scene).
using PictureRef = const ScenePicture*;

}  // namespace munyura::scene
