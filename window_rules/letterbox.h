// Where the game's 621 x 380 window lies on a larger output: at the largest
// whole scale that fits, centred, so that every game pixel is a square of
// output pixels. Whatever size the output has, the game inside it is the
// same; only the surround changes. Any front end can use it.
#pragma once

#include <optional>

namespace munyura::window_rules {

inline constexpr int kGameWidth = 621;
inline constexpr int kGameHeight = 380;

struct Letterbox {
  int scale = 1;  // output pixels per game pixel
  int left = 0;   // the game's top-left corner, in output pixels
  int top = 0;
  int Width() const { return kGameWidth * scale; }
  int Height() const { return kGameHeight * scale; }
  bool operator==(const Letterbox&) const = default;
};

struct GamePoint {
  float x = 0;
  float y = 0;
  bool operator==(const GamePoint&) const = default;
};

// The largest whole scale that fits the output, at least 1 (an output too
// small for the game shows its middle).
Letterbox FitGame(int output_width, int output_height);

// A point of the output in whole game pixels, where the game lies; outside it,
// nothing.
std::optional<GamePoint> GameAt(const Letterbox& box, float output_x, float output_y);

// The same point in game pixels wherever it lies, beyond the game's edges
// too: a drag that leaves the game keeps being followed.
GamePoint GameCoordinates(const Letterbox& box, float output_x, float output_y);

// The largest whole zoom whose window fits an area, at least 1.
int LargestZoom(int area_width, int area_height);

}  // namespace munyura::window_rules
