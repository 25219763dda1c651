// The real game, its start-up and its loop, telling Form1's state and with an SDL virtual pad
// plugged into its process, played from standard input, one command a tick: "button NAME 1|0",
// "axis NAME VALUE" (SDL's names), "plug", "unplug", "ticks N" (answered after N ticks:
// "state title=0 room=-1,0 chick=280,192 held=0010 band=TEXT", MoveKey's flags and Label1's
// caption or "-"), "mapping GUID" (SDL's, as SDL 2.26 applies none to its virtual pads).
#include <SDL.h>

#include <iostream>
#include <sstream>
#include <string>

#include "desktop/window/game_session.h"
#include "form1.h"
#include "window_rules/utf16_text.h"

namespace {

using namespace munyura;

struct Player final : desktop::LoopObserver {
  void TickRan(Clock::time_point /*when*/, const Form1& form) override {
    if (ticks_left > 0 && --ticks_left == 0) {
      const auto& scene = form.Scene();
      std::cout << "state title=" << (scene.Command1().Visible != kFalse)
                << " room=" << form.State().RoomX << ',' << form.State().RoomY
                << " chick=" << scene.Munyu().Left << ',' << scene.Munyu().Top << " held=";
      for (const auto flag : form.State().MoveKey) {
        std::cout << (flag != kFalse);
      }
      const auto& label = scene.Label1();
      std::cout << " band="
                << (label.Visible == kFalse ? "-" : window_rules::Utf8FromUtf16(label.Caption))
                << std::endl;
    }
    // A whole line is there to read once a part of it is: the test writes lines.
    std::string line;
    if (ticks_left > 0 || std::cin.rdbuf()->in_avail() <= 0 || !std::getline(std::cin, line)) {
      return;
    }
    std::istringstream words(line);
    std::string command, name;
    int value = 0;
    words >> command >> name >> value;
    // Without the player's mapping, SDL maps a virtual pad's controls in its own order.
    if (command == "button") {
      SDL_JoystickSetVirtualButton(pad, SDL_GameControllerGetButtonFromString(name.c_str()),
                                   static_cast<Uint8>(value));
    } else if (command == "axis") {
      SDL_JoystickSetVirtualAxis(pad, SDL_GameControllerGetAxisFromString(name.c_str()),
                                 static_cast<Sint16>(value));
    } else if (command == "plug") {
      index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                        SDL_CONTROLLER_BUTTON_MAX, 0);
      pad = SDL_JoystickOpen(index);
    } else if (command == "unplug") {
      SDL_JoystickDetachVirtual(index);
      SDL_JoystickClose(pad);
    } else if (command == "ticks") {
      ticks_left = std::stoi(name);
    } else if (command == "mapping") {
      char* const mapping =
          SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(name.c_str()));
      std::cout << "mapping " << (mapping ? mapping : "") << std::endl;
      SDL_free(mapping);
    }
  }

  SDL_Joystick* pad = nullptr;
  int index = -1;
  int ticks_left = 0;
};

}  // namespace

int main() {
  // Unsynchronised, standard input tells how much of it waits to be read.
  std::ios::sync_with_stdio(false);
  Player player;
  munyura::desktop::PlayGame(std::cerr, player);
}
