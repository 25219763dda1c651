#include "runtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace munyura {
namespace {

constexpr float kMaxSingle = std::numeric_limits<float>::max();

TEST(Runtime, Int16SumRaisesOverflowInsteadOfWrapping) {
  struct Case {
    std::int16_t a, b;
    bool overflows;
  };
  for (const Case c : {Case{32766, 1, false}, Case{32767, 1, true}, Case{-32767, -1, false},
                       Case{-32768, -1, true}, Case{32767, -32768, false}}) {
    SCOPED_TRACE(::testing::Message() << c.a << " + " << c.b);
    if (c.overflows) {
      try {
        Int16Sum(c.a, c.b);
        FAIL() << "no error";
      } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), ErrorNumber::kOverflow);
        EXPECT_STREQ(e.what(), "Overflow");
      }
    } else {
      EXPECT_EQ(Int16Sum(c.a, c.b), c.a + c.b);
    }
  }
}

TEST(Runtime, SingleSumIsFormedInDoubleThenRoundedToSingle) {
  // 2^24 + 1 is not a single: the sum rounds back to 2^24.
  EXPECT_EQ(SingleSum(16777216.0F, 1.0F), 16777216.0F);
  EXPECT_EQ(SingleSum(kMaxSingle, -kMaxSingle), 0.0F);
  // A sum that fits a double but not a single, an infinite one and an
  // invalid one are all overflows.
  for (const auto& [a, b] : {std::pair{-kMaxSingle, -kMaxSingle},
                             std::pair{std::numeric_limits<float>::infinity(), 0.0F},
                             std::pair{std::numeric_limits<float>::quiet_NaN(), 1.0F}}) {
    EXPECT_THROW(SingleSum(a, b), RuntimeError) << a << " + " << b;
  }
}

TEST(Runtime, CheckedIndexRejectsEverythingOutsideTheArray) {
  EXPECT_EQ(CheckedIndex(0, 4), 0U);
  EXPECT_EQ(CheckedIndex(3, 4), 3U);
  for (const std::int16_t bad : {std::int16_t{-1}, std::int16_t{4}, std::int16_t{-32768}}) {
    try {
      CheckedIndex(bad, 4);
      FAIL() << bad << " accepted";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), ErrorNumber::kSubscriptOutOfRange);
      EXPECT_STREQ(e.what(), "Subscript out of range");
    }
  }
}

}  // namespace
}  // namespace munyura
