#include "runtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace munyura {
namespace {

constexpr float kMax = std::numeric_limits<float>::max();

// Each sum or index gives its value or raises its error, never wraps: a single
// sum is formed in double and rounded, so 2^24 + 1 gives 2^24.
TEST(Runtime, SumsAndIndexesRaiseTheirErrorInsteadOfWrapping) {
  constexpr auto kOverflow = ErrorNumber::kOverflow;
  constexpr auto kOutside = ErrorNumber::kSubscriptOutOfRange;
  struct Case {
    std::function<double()> run;
    double value;
    std::optional<ErrorNumber> error;
  };
  for (const Case& c : {Case{[] { return Int16Sum(32766, 1); }, 32767, {}},
                        Case{[] { return Int16Sum(32767, 1); }, 0, kOverflow},
                        Case{[] { return Int16Sum(-32767, -1); }, -32768, {}},
                        Case{[] { return Int16Sum(-32768, -1); }, 0, kOverflow},
                        Case{[] { return Int16Sum(32767, -32768); }, -1, {}},
                        Case{[] { return SingleSum(16777216.0F, 1.0F); }, 16777216, {}},
                        Case{[] { return SingleSum(kMax, -kMax); }, 0, {}},
                        Case{[] { return SingleSum(-kMax, -kMax); }, 0, kOverflow},
                        Case{[] { return SingleSum(INFINITY, 0); }, 0, kOverflow},
                        Case{[] { return SingleSum(NAN, 1); }, 0, kOverflow},
                        Case{[] { return CheckedIndex(0, 4); }, 0, {}},
                        Case{[] { return CheckedIndex(3, 4); }, 3, {}},
                        Case{[] { return CheckedIndex(-1, 4); }, 0, kOutside},
                        Case{[] { return CheckedIndex(4, 4); }, 0, kOutside},
                        Case{[] { return CheckedIndex(-32768, 4); }, 0, kOutside}}) {
    SCOPED_TRACE(c.value);
    try {
      EXPECT_EQ(c.run(), c.value);
      EXPECT_FALSE(c.error) << "no error";
    } catch (const RuntimeError& e) {
      ASSERT_TRUE(c.error) << e.what();
      EXPECT_EQ(e.Number(), *c.error);
      EXPECT_EQ(e.what(),
                std::string(c.error == kOverflow ? "Overflow" : "Subscript out of range"));
    }
  }
}

}  // namespace
}  // namespace munyura
