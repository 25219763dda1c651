// The arithmetic and truth rules every handler of the game runs by.
//
// Flags are 16-bit integers that read -1 when set and 0 when clear. Room
// coordinates are 16-bit integers that refuse to wrap: an overflow is caught
// before the result is stored. Positions are single-precision pixels whose
// sums are formed in double, checked, and rounded back to single before they
// are compared. A rule that is broken raises a RuntimeError, which ends the
// running handler and keeps whatever it had already changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace munyura {

using Bool16 = std::int16_t;
inline constexpr Bool16 kTrue = -1;
inline constexpr Bool16 kFalse = 0;

constexpr Bool16 ToBool16(bool value) noexcept {
  return value ? kTrue : kFalse;
}

enum class ErrorNumber : int {
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
};

// A run-time error of the handler that raised it, with the number and the
// message the player's report shows ("Overflow", "Subscript out of range").
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(ErrorNumber number);
  ErrorNumber Number() const noexcept { return number_; }

 private:
  ErrorNumber number_;
};

std::string_view ErrorMessage(ErrorNumber number) noexcept;

// a + b as a 16-bit integer; raises Overflow instead of wrapping.
std::int16_t Int16Sum(std::int16_t a, std::int16_t b);

// a + b formed in double, raising Overflow for an infinite or invalid sum or
// one that does not fit single precision, then rounded to single.
float SingleSum(float a, float b);

// Checks a control-array index against the array's size; raises
// "Subscript out of range" outside 0..size-1.
std::size_t CheckedIndex(std::int16_t index, std::size_t size);

}  // namespace munyura
