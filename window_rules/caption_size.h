// How big a caption's font is drawn, for every front end.
#pragma once

namespace munyura::window_rules {

// The window is laid out at 96 dots per inch: 20.25 pt is 27 px.
constexpr double PixelsOfPoints(double points) {
  return points * 96.0 / 72.0;
}
static_assert(PixelsOfPoints(20.25) == 27 && PixelsOfPoints(11.25) == 15);

}  // namespace munyura::window_rules
