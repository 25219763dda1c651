#include "window_rules/letterbox.h"

#include <algorithm>
#include <cmath>

namespace munyura::window_rules {

Letterbox FitGame(int output_width, int output_height) {
  Letterbox box;
  box.scale = LargestZoom(output_width, output_height);
  box.left = (output_width - box.Width()) / 2;
  box.top = (output_height - box.Height()) / 2;
  return box;
}

GamePoint GameCoordinates(const Letterbox& box, float output_x, float output_y) {
  // Whole game pixels, as the game has always been given: every output pixel
  // of a game pixel's square is that pixel.
  const auto scale = static_cast<float>(box.scale);
  return {std::floor((output_x - static_cast<float>(box.left)) / scale),
          std::floor((output_y - static_cast<float>(box.top)) / scale)};
}

std::optional<GamePoint> GameAt(const Letterbox& box, float output_x, float output_y) {
  const GamePoint point = GameCoordinates(box, output_x, output_y);
  if (point.x < 0 || point.y < 0 || point.x >= kGameWidth || point.y >= kGameHeight) {
    return std::nullopt;
  }
  return point;
}

int LargestZoom(int area_width, int area_height) {
  return std::max(1, std::min(area_width / kGameWidth, area_height / kGameHeight));
}

}  // namespace munyura::window_rules
