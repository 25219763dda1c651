#include "walking.h"

#include <array>

namespace munyura::play {
namespace {

struct WalkStep {
  std::size_t flag;
  float dx;
  float dy;
  std::int16_t picture;  // Picture1 index: 0 up, 1 right, 2 down, 3 left
};

constexpr std::array<WalkStep, 4> kWalkSteps{{
    {kMoveLeft, -kWalkStep, 0, 3},
    {kMoveRight, kWalkStep, 0, 1},
    {kMoveUp, 0, -kWalkStep, 0},
    {kMoveDown, 0, kWalkStep, 2},
}};

}  // namespace

void ApplyWalkingAreaLimits(GameState& state, const scene::Scene& scene) {
  const scene::SceneControl& m = scene.Munyu();
  const scene::SceneControl& wall = scene.Shape2();
  if (m.Left < wall.Left) {
    state.MoveKey[kMoveLeft] = kFalse;
  }
  if (SingleSum(wall.Left, wall.Width) < SingleSum(m.Left, m.Width)) {
    state.MoveKey[kMoveRight] = kFalse;
  }
  if (m.Top < wall.Top) {
    state.MoveKey[kMoveUp] = kFalse;
  }
  if (SingleSum(wall.Top, wall.Height) < SingleSum(m.Top, m.Height)) {
    state.MoveKey[kMoveDown] = kFalse;
  }
}

void MoveChick(const GameState& state, scene::Scene& scene) {
  scene::SceneControl& m = scene.Munyu();
  for (const WalkStep& step : kWalkSteps) {
    if (state.MoveKey[step.flag] != kTrue) {
      continue;
    }
    if (step.dx != 0) {
      m.Left = SingleSum(m.Left, step.dx);
    } else {
      m.Top = SingleSum(m.Top, step.dy);
    }
    m.SetPicture(scene.Picture1(step.picture).Picture());
  }
}

}  // namespace munyura::play
