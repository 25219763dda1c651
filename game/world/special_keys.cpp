#include "special_keys.h"

#include <algorithm>

namespace munyura::world {
namespace {

constexpr float kPassageJump = 100;

void OpenPassage(const Passage& passage, GameState& state, scene::Scene& scene) {
  scene::SceneControl& chick = scene.Munyu();
  switch (passage.Effect) {
    case PassageEffect::kLift:
      chick.Top = SingleSum(chick.Top, -kPassageJump);
      break;
    case PassageEffect::kDrop:
      chick.Top = SingleSum(chick.Top, kPassageJump);
      break;
    case PassageEffect::kArmK:
      state.ComboKey[kComboK] = kTrue;
      break;
    case PassageEffect::kArmR:
      state.ComboKey[kComboR] = kTrue;
      break;
  }
  scene.Label1().Visible = kFalse;
}

}  // namespace

void PressSpecialKey(std::int16_t key_code, GameState& state, scene::Scene& scene) {
  const auto passage = std::find_if(kPassages.begin(), kPassages.end(),
                                    [key_code](const Passage& p) { return p.KeyCode == key_code; });
  if (passage == kPassages.end()) {
    return;
  }
  const bool in_doorway = StandsInDoorway(scene, passage->Doorway);
  const bool in_room_x = state.RoomX == passage->RoomX;
  const bool in_room_y = state.RoomY == passage->RoomY;
  if (in_doorway && in_room_x && in_room_y) {
    OpenPassage(*passage, state, scene);
  }
}

}  // namespace munyura::world
