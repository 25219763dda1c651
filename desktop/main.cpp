// ムニュラ: a chick walks through thirty rooms of stone monuments.

#include <exception>
#include <iostream>

#include "desktop/standard_streams.h"
#include "desktop/window/game_session.h"

int main(int /*argc*/, char* /*argv*/[]) {
  munyura::desktop::MakeStandardStreamsSafe();
  try {
    munyura::desktop::LoopObserver nobody_watches;
    munyura::desktop::PlayGame(std::cerr, nobody_watches);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "ムニュラ: " << error.what() << '\n';
    return 1;
  }
}
