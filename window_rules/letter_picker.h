// The letter picker: all 26 letters A to Z, always in that order, on a grid
// of 13 columns and 2 rows (A to M above, N to Z below), one of them
// highlighted. Both front ends draw it from this state.
#pragma once

#include <cstdint>

#include "window_rules/control_mapping.h"

namespace munyura::window_rules {

inline constexpr int kPickerColumns = 13;
inline constexpr int kPickerRows = 2;

// Where letter i (A = 0) lies on the grid.
constexpr int PickerColumn(int letter) {
  return letter % kPickerColumns;
}
constexpr int PickerRow(int letter) {
  return letter / kPickerColumns;
}

class LetterPicker {
 public:
  bool IsOpen() const noexcept { return open_; }
  void Open() noexcept { open_ = true; }
  void Close() noexcept { open_ = false; }

  // The highlighted letter, A = 0 ... Z = 25; A at first, and kept while
  // the picker is closed and opened again.
  int Highlighted() const noexcept { return highlighted_; }
  std::int16_t HighlightedKey() const noexcept { return LetterKey(highlighted_); }
  // Letters outside 0 ... 25 are ignored.
  void Highlight(int letter) noexcept;

  // One step on the grid, wrapping around: Left and Right along the row
  // (from A to M and back), Up and Down to the other row in the same column.
  void Move(Direction direction) noexcept;

 private:
  bool open_ = false;
  int highlighted_ = 0;
};

}  // namespace munyura::window_rules
