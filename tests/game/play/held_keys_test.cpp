#include "play/held_keys.h"

#include <gtest/gtest.h>

#include "key_codes.h"

namespace munyura::play {
namespace {

TEST(HeldKeys, EachArrowSetsItsOwnFlagAndNothingElseSetsAny) {
  struct Case {
    std::int16_t key;
    std::array<Bool16, 4> flags;
  };
  for (const Case c :
       {Case{kKeyLeft, {kTrue, 0, 0, 0}}, Case{kKeyRight, {0, kTrue, 0, 0}},
        Case{kKeyUp, {0, 0, kTrue, 0}}, Case{kKeyDown, {0, 0, 0, kTrue}}, Case{kKeyK, {}},
        Case{kKeyR, {}}, Case{kKeyL, {}}, Case{36, {}}, Case{41, {}}, Case{-1, {}}}) {
    GameState state;
    EXPECT_EQ(PressArrowKey(c.key, state), (c.flags != std::array<Bool16, 4>{})) << c.key;
    EXPECT_EQ(state.MoveKey, c.flags) << c.key;
    EXPECT_EQ(state.ComboKey, (std::array<Bool16, 2>{})) << c.key;
  }
}

TEST(HeldKeys, ReleasingAKeyClearsOnlyTheFlagItHolds) {
  struct Case {
    std::int16_t key;
    std::array<Bool16, 4> move;
    std::array<Bool16, 2> combo;
  };
  constexpr Bool16 T = kTrue;
  for (const Case c : {Case{kKeyLeft, {0, T, T, T}, {T, T}}, Case{kKeyRight, {T, 0, T, T}, {T, T}},
                       Case{kKeyUp, {T, T, 0, T}, {T, T}}, Case{kKeyDown, {T, T, T, 0}, {T, T}},
                       Case{kKeyK, {T, T, T, T}, {0, T}}, Case{kKeyL, {T, T, T, T}, {T, 0}},
                       Case{kKeyR, {T, T, T, T}, {T, T}}, Case{kKeyZ, {T, T, T, T}, {T, T}}}) {
    GameState state{.MoveKey = {T, T, T, T}, .ComboKey = {T, T}};
    ReleaseKey(c.key, state);
    EXPECT_EQ(state.MoveKey, c.move) << c.key;
    EXPECT_EQ(state.ComboKey, c.combo) << c.key;
  }
}

}  // namespace
}  // namespace munyura::play
