// A run-time error ends only the handler that raised it: what the handler
// changed before stays, one line tells the player, and the next event runs.
#include "window_rules/handler_boundary.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace munyura {
namespace {

TEST(HandlerBoundary, ReportsTheErrorNumberMessageAndHandlerAndKeepsWhatWasDone) {
  std::ostringstream report;
  EXPECT_TRUE(window_rules::RunHandler(
      "Form_Load", [] {}, report));
  // A mistake in the program is no run-time error of the game's.
  EXPECT_THROW(window_rules::RunHandler(
                   "Form_Load", [] { throw std::logic_error("a mistake in the program"); }, report),
               std::logic_error);
  int changed = 0;
  EXPECT_FALSE(window_rules::RunHandler(
      "Timer1_Timer",
      [&] {
        changed = 1;
        throw RuntimeError(ErrorNumber::kSubscriptOutOfRange);
      },
      report));
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(report.str(), "ムニュラ: run-time error 9 (Subscript out of range) in Timer1_Timer\n");
}

}  // namespace
}  // namespace munyura
