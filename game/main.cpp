// ムニュラ: a chick walks through thirty rooms of stone monuments.

#include <exception>
#include <iostream>

#include "platform/game_session.h"

int main(int /*argc*/, char* /*argv*/[]) {
  try {
    munyura::platform::LoopObserver nobody_watches;
    munyura::platform::PlayGame(std::cerr, nobody_watches);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "ムニュラ: " << error.what() << '\n';
    return 1;
  }
}
