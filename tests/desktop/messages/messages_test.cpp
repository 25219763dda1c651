// Filling a translated message: each {n} takes the n-th value wherever the
// translation put it, once.
#include "desktop/messages/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace munyura::desktop {
namespace {

struct Case {
  std::string_view text;
  std::string_view first;
  std::string_view second;
  std::string filled;
};

class FilledTest : public testing::TestWithParam<Case> {};

TEST_P(FilledTest, PutsEachValueInItsPlace) {
  const Case& c = GetParam();
  EXPECT_EQ(Filled(c.text, {c.first, c.second}), c.filled);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FilledTest,
    testing::Values(Case{"settings not read from {1}: {2}", "a.conf", "gone",
                         "settings not read from a.conf: gone"},
                    // A translation may give the values in another order.
                    Case{"{2} ({1})", "a.conf", "gone", "gone (a.conf)"},
                    Case{"{1}{1}", "x", "y", "xx"},
                    // A value is never filled in turn, whatever it holds.
                    Case{"'{1}'", "{2}", "y", "'{2}'"},
                    // A number beyond the values, or not {1} to {9}: left as written.
                    Case{"{3} {0} {12} {} {1", "x", "y", "{3} {0} {12} {} {1"},
                    Case{"行 {1}", "3", "", "行 3"}));

}  // namespace
}  // namespace munyura::desktop
