#include "runtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace munyura {
namespace {

constexpr float kMax = std::numeric_limits<float>::max();

// The run-time error `run` raises, as its number and the message the game shows for it.
std::string ErrorOf(void (*run)()) {
  try {
    run();
  } catch (const RuntimeError& e) {
    return std::to_string(static_cast<int>(e.Number())) + " " + e.what();
  }
  return "none";
}

// Sums and indexes give their value or raise their error, never wrap; a single sum is formed in
// double and rounded, so 2^24 + 1 gives 2^24.
TEST(Runtime, SumsAndIndexesRaiseTheirErrorInsteadOfWrapping) {
  EXPECT_EQ(Int16Sum(32766, 1), 32767);
  EXPECT_EQ(Int16Sum(-32767, -1), -32768);
  EXPECT_EQ(ErrorOf([] { Int16Sum(32767, 1); }), "6 Overflow");
  EXPECT_EQ(SingleSum(16777216.0F, 1.0F), 16777216.0F);
  EXPECT_EQ(SingleSum(kMax, -kMax), 0.0F);
  EXPECT_EQ(ErrorOf([] { SingleSum(-kMax, -kMax); }), "6 Overflow");
  EXPECT_EQ(ErrorOf([] { SingleSum(INFINITY, 0); }), "6 Overflow");
  EXPECT_EQ(ErrorOf([] { SingleSum(NAN, 1); }), "6 Overflow");
  EXPECT_EQ(ErrorOf([] { CheckedIndex(-1, 4); }), "9 Subscript out of range");
  EXPECT_EQ(ErrorOf([] { CheckedIndex(4, 4); }), "9 Subscript out of range");
  EXPECT_EQ(ErrorOf([] { CheckedIndex(-32768, 4); }), "9 Subscript out of range");
}

}  // namespace
}  // namespace munyura
