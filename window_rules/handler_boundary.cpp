#include "window_rules/handler_boundary.h"

#include <string>

namespace munyura::window_rules {

std::string RuntimeErrorReport(const RuntimeError& error, std::string_view handler) {
  std::string line = "ムニュラ: run-time error ";
  line += std::to_string(static_cast<int>(error.Number()));
  line += " (";
  line += ErrorMessage(error.Number());
  line += ") in ";
  line += handler;
  return line;
}

}  // namespace munyura::window_rules
