// A translated message filled: each {n} takes the n-th value, once, wherever it was put.
#include "desktop/messages/messages.h"

#include <gtest/gtest.h>

#include <string_view>

namespace munyura::desktop {
namespace {

TEST(Filled, PutsEachValueInItsPlace) {
  const struct {
    std::string_view text, first, second, filled;
  } cases[] = {
      // A translation may give the values in another order.
      {"{2} ({1})", "a.conf", "gone", "gone (a.conf)"},
      // A value is never filled in turn, whatever it holds.
      {"'{1}'", "{2}", "y", "'{2}'"},
      // A number beyond the values, or not {1} to {9}: left as written.
      {"{3} {0} {12} {} {1", "x", "y", "{3} {0} {12} {} {1"},
      {"行 {1}{1}", "3", "", "行 33"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Filled(c.text, {c.first, c.second}), c.filled) << c.text;
  }
}

}  // namespace
}  // namespace munyura::desktop
