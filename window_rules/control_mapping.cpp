#include "window_rules/control_mapping.h"

#include <array>

namespace munyura::window_rules {

std::optional<Direction> DirectionOf(Action action) {
  switch (action) {
    case Action::kLeft:
      return Direction::kLeft;
    case Action::kUp:
      return Direction::kUp;
    case Action::kRight:
      return Direction::kRight;
    case Action::kDown:
      return Direction::kDown;
    default:
      return std::nullopt;
  }
}

std::optional<std::int16_t> HeldKeyOf(Action action) {
  if (const std::optional<Direction> direction = DirectionOf(action)) {
    return DirectionKey(*direction);
  }
  if (action == Action::kRead) {
    return kKeyZ;
  }
  return std::nullopt;
}

std::optional<Action> PadButtonAction(PadButton button, bool picker_open) {
  struct Row {
    PadButton button;
    std::optional<Action> closed;
    std::optional<Action> open;
  };
  static constexpr std::array<Row, 10> kTable{{
      {PadButton::kDpadLeft, Action::kLeft, Action::kLeft},
      {PadButton::kDpadUp, Action::kUp, Action::kUp},
      {PadButton::kDpadRight, Action::kRight, Action::kRight},
      {PadButton::kDpadDown, Action::kDown, Action::kDown},
      {PadButton::kA, Action::kRead, Action::kType},
      {PadButton::kB, std::nullopt, Action::kClosePicker},
      {PadButton::kY, Action::kPicker, Action::kPicker},
      {PadButton::kBack, Action::kRestart, Action::kRestart},
      {PadButton::kStart, Action::kStart, Action::kStart},
      {PadButton::kX, std::nullopt, std::nullopt},
  }};
  for (const Row& row : kTable) {
    if (row.button == button) {
      return picker_open ? row.open : row.closed;
    }
  }
  return std::nullopt;
}

}  // namespace munyura::window_rules
