#include "runtime.h"

#include <cmath>
#include <limits>
#include <string>

namespace munyura {

RuntimeError::RuntimeError(ErrorNumber number)
    : std::runtime_error(std::string(ErrorMessage(number))), number_(number) {}

std::string_view ErrorMessage(ErrorNumber number) noexcept {
  switch (number) {
    case ErrorNumber::kOverflow:
      return "Overflow";
    case ErrorNumber::kSubscriptOutOfRange:
      return "Subscript out of range";
  }
  return "Application-defined error";
}

std::int16_t Int16Sum(std::int16_t a, std::int16_t b) {
  const int sum = int{a} + int{b};
  if (sum < std::numeric_limits<std::int16_t>::min() ||
      sum > std::numeric_limits<std::int16_t>::max()) {
    throw RuntimeError(ErrorNumber::kOverflow);
  }
  return static_cast<std::int16_t>(sum);
}

float SingleSum(float a, float b) {
  const double sum = static_cast<double>(a) + static_cast<double>(b);
  // NaN fails the comparison too, so an invalid sum is caught here as well.
  if (!(std::fabs(sum) <= static_cast<double>(std::numeric_limits<float>::max()))) {
    throw RuntimeError(ErrorNumber::kOverflow);
  }
  return static_cast<float>(sum);
}

std::size_t CheckedIndex(std::int16_t index, std::size_t size) {
  if (index < 0 || static_cast<std::size_t>(index) >= size) {
    throw RuntimeError(ErrorNumber::kSubscriptOutOfRange);
  }
  return static_cast<std::size_t>(index);
}

}  // namespace munyura
