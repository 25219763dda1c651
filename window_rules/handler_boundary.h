// Where every event handler of the game runs. A run-time error of the game
// ends the handler that raised it; whatever the handler had already changed
// stays, the player is told on stderr, and the game goes on.
#pragma once

#include <ostream>
#include <string_view>

#include "runtime.h"

namespace munyura::window_rules {

// The line reported for a run-time error, such as
// "ムニュラ: run-time error 6 (Overflow) in Timer1_Timer".
std::string RuntimeErrorReport(const RuntimeError& error, std::string_view handler);

// Runs one handler. Returns false when it stopped on a run-time error.
template <typename Handler>
bool RunHandler(std::string_view name, Handler&& handler, std::ostream& report) {
  try {
    handler();
    return true;
  } catch (const RuntimeError& error) {
    report << RuntimeErrorReport(error, name) << '\n' << std::flush;
    return false;
  }
}

}  // namespace munyura::window_rules
