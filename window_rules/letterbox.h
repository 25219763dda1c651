// Where the game's 621 x 380 window lies in an output area: as large as fits,
// centred, never cut off. A whole number of output pixels per game pixel is
// kept while it fills at least three quarters of the limiting side, so that
// every game pixel stays a square of output pixels; below that (a phone, a
// fullscreen 1280 x 720) the game is scaled to fill that side exactly. The
// game inside is the same whatever the scale; only the surround changes. Any
// front end can use it.
#pragma once

#include <optional>

namespace munyura::window_rules {

inline constexpr int kGameWidth = 621;
inline constexpr int kGameHeight = 380;

// The output pixel where whole game pixel `game` begins at `scale`: each
// output pixel belongs to the game pixel its centre lies in.
int OutputPixel(int game, float scale);

struct Letterbox {
  float scale = 1;  // output pixels per game pixel
  int left = 0;     // the game's top-left corner, in output pixels
  int top = 0;
  int width = kGameWidth;  // the game's size, in output pixels
  int height = kGameHeight;
  bool WholeScale() const;
  // Where game column or row `game` begins in output pixels, from the game's
  // corner: game pixel x covers OutputAt(x) up to OutputAt(x + 1).
  int OutputAt(int game) const { return OutputPixel(game, scale); }
  bool operator==(const Letterbox&) const = default;
};

struct GamePoint {
  float x = 0;
  float y = 0;
  bool operator==(const GamePoint&) const = default;
};

// The game in an output area of this size (an empty area counts as one pixel).
Letterbox FitGame(int output_width, int output_height);

// A point of the output in whole game pixels (the game pixel it lies in),
// where the game lies; outside it, nothing.
std::optional<GamePoint> GameAt(const Letterbox& box, float output_x, float output_y);

// The same point in game pixels wherever it lies, beyond the game's edges
// too: a drag that leaves the game keeps being followed.
GamePoint GameCoordinates(const Letterbox& box, float output_x, float output_y);

// The largest whole zoom whose window fits an area, at least 1.
int LargestZoom(int area_width, int area_height);

}  // namespace munyura::window_rules
