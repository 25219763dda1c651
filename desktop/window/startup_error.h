// What stops the game before its window can run: no display, no renderer,
// pictures that will not decode. main reports it in one line and exits 1.
#pragma once

#include <stdexcept>
#include <string>

namespace munyura::desktop {

class StartupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The SDL call that failed, with SDL's own explanation.
StartupError SdlStartupError(const std::string& what);

}  // namespace munyura::desktop
