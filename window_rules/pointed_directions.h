// The arrows a stick or a touch vector points at: eight sectors of 45
// degrees around the centre, each straight one an arrow, each diagonal one
// two arrows, and nothing inside the dead zone.
#pragma once

#include "window_rules/control_mapping.h"

namespace munyura::window_rules {

// A stick's dead zone, as a fraction of its full deflection: a worn stick
// rests up to about a quarter off its centre.
inline constexpr float kStickDeadZone = 0.25F;

// (x, y) in any unit, x growing rightward and y downward (as sticks and
// screens report it). Nothing when its length is at most `dead_zone` (or it
// is not finite); otherwise the sector of its angle: Right covers -22.5 to
// 22.5 degrees, Right+Up 22.5 to 67.5, and so on; a vector exactly on a
// border between a straight and a diagonal sector counts as the diagonal.
Directions DirectionsFromVector(float x, float y, float dead_zone);

}  // namespace munyura::window_rules
