// A run-time error ends only the handler that raised it: what the handler
// changed before stays, one line tells the player, and the next event runs.
#include "window_rules/handler_boundary.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace munyura {
namespace {

TEST(HandlerBoundary, ReportsTheErrorNumberMessageAndHandler) {
  const struct {
    ErrorNumber number;
    const char* handler;
    const char* line;
  } cases[] = {
      {ErrorNumber::kOverflow, "Timer1_Timer",
       "ムニュラ: run-time error 6 (Overflow) in Timer1_Timer"},
      {ErrorNumber::kSubscriptOutOfRange, "Form_KeyDown",
       "ムニュラ: run-time error 9 (Subscript out of range) in Form_KeyDown"},
  };
  for (const auto& c : cases) {
    std::ostringstream report;
    int changed = 0;
    const bool finished = window_rules::RunHandler(
        c.handler,
        [&] {
          changed = 1;
          throw RuntimeError(c.number);
        },
        report);
    EXPECT_FALSE(finished);
    EXPECT_EQ(changed, 1) << "the effects made before the error stay";
    EXPECT_EQ(report.str(), std::string(c.line) + "\n");
  }
}

TEST(HandlerBoundary, AHandlerThatFinishesReportsNothing) {
  std::ostringstream report;
  EXPECT_TRUE(window_rules::RunHandler(
      "Form_Load", [] {}, report));
  EXPECT_EQ(report.str(), "");
}

TEST(HandlerBoundary, OnlyTheGamesRunTimeErrorsAreCaught) {
  std::ostringstream report;
  EXPECT_THROW(window_rules::RunHandler(
                   "Form_Load", [] { throw std::logic_error("a mistake in the program"); }, report),
               std::logic_error);
}

}  // namespace
}  // namespace munyura
