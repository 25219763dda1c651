#include "window_rules/pointed_directions.h"

#include <cmath>
#include <numbers>

namespace munyura::window_rules {

Directions DirectionsFromVector(float x, float y, float dead_zone) {
  const double length = std::hypot(double{x}, double{y});
  if (!std::isfinite(length) || !(length > dead_zone)) {
    return {};
  }
  // Counter-clockwise from Right, with y flipped to grow upward; the
  // nearest multiple of 45 degrees names the sector, halves rounding away
  // from Right and Left towards the diagonals.
  const double eighths = std::atan2(-double{y}, double{x}) / (std::numbers::pi / 4);
  const long sector = ((std::lround(eighths) % 8) + 8) % 8;
  // Sector 0 is Right, 1 Right+Up, 2 Up, ... 7 Right+Down.
  static constexpr unsigned long kSectorDirections[8] = {0b0100, 0b0110, 0b0010, 0b0011,
                                                         0b0001, 0b1001, 0b1000, 0b1100};
  return Directions(kSectorDirections[sector]);
}

}  // namespace munyura::window_rules
