#include "window_rules/letterbox.h"

#include <algorithm>
#include <cmath>

namespace munyura::window_rules {

bool Letterbox::WholeScale() const {
  return scale == std::floor(scale);
}

int OutputPixel(int game, float scale) {
  return static_cast<int>(std::lround(static_cast<double>(game) * scale));
}

Letterbox FitGame(int output_width, int output_height) {
  const int area_width = std::max(1, output_width);
  const int area_height = std::max(1, output_height);
  // The limiting side is the one the game fills first as it grows; in whole
  // numbers, so that an exact fit is never lost to rounding.
  const bool width_limits = static_cast<long long>(area_width) * kGameHeight <=
                            static_cast<long long>(area_height) * kGameWidth;
  const int whole = std::min(area_width / kGameWidth, area_height / kGameHeight);
  const bool whole_fills = width_limits ? 4 * whole * kGameWidth >= 3 * area_width
                                        : 4 * whole * kGameHeight >= 3 * area_height;
  Letterbox box;
  if (whole >= 1 && whole_fills) {
    box.scale = static_cast<float>(whole);
    box.width = kGameWidth * whole;
    box.height = kGameHeight * whole;
  } else if (width_limits) {
    box.scale = static_cast<float>(area_width) / kGameWidth;
    box.width = area_width;
    box.height = std::clamp(box.OutputAt(kGameHeight), 1, area_height);
  } else {
    box.scale = static_cast<float>(area_height) / kGameHeight;
    box.height = area_height;
    box.width = std::clamp(box.OutputAt(kGameWidth), 1, area_width);
  }
  box.left = (output_width - box.width) / 2;
  box.top = (output_height - box.height) / 2;
  return box;
}

GamePoint GameCoordinates(const Letterbox& box, float output_x, float output_y) {
  // Whole game pixels, as the game has always been given: every output point
  // inside a game pixel's square is that pixel.
  return {std::floor((output_x - static_cast<float>(box.left)) / box.scale),
          std::floor((output_y - static_cast<float>(box.top)) / box.scale)};
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
