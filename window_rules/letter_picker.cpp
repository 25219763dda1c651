#include "window_rules/letter_picker.h"

namespace munyura::window_rules {

void LetterPicker::Highlight(int letter) noexcept {
  if (letter >= 0 && letter < kLetterCount) {
    highlighted_ = letter;
  }
}

void LetterPicker::Move(Direction direction) noexcept {
  int column = PickerColumn(highlighted_);
  int row = PickerRow(highlighted_);
  switch (direction) {
    case Direction::kLeft:
      column = (column + kPickerColumns - 1) % kPickerColumns;
      break;
    case Direction::kRight:
      column = (column + 1) % kPickerColumns;
      break;
    case Direction::kUp:
      row = (row + kPickerRows - 1) % kPickerRows;
      break;
    case Direction::kDown:
      row = (row + 1) % kPickerRows;
      break;
  }
  highlighted_ = row * kPickerColumns + column;
}

}  // namespace munyura::window_rules
