// The real game, its start-up and its loop, with an SDL virtual game
// controller plugged into its own process and played from standard input,
// one command a tick (tests/e2e/pad_test.py sends them):
//   button NAME 1|0   one of SDL's buttons by its name (a, b, y, start, dpup...)
//   axis NAME VALUE   one of SDL's axes (lefty...)
//   plug, unplug      the pad plugged in, pulled out
//   ticks N           after N more ticks, the state line
//   mapping GUID      "mapping " and SDL's mapping for the GUID (SDL 2.26
//                     takes no mapping for its virtual pads, so the player's
//                     mappings are seen in SDL's table)
//   quit              closes the window
// It prints "ready" at the first tick. The state line is read off Form1:
//   state focus=1 title=0 room=-1,0 chick=280,192 monument=6 band=6 held=37
// (band: the monument whose inscription Label1 shows, -1 for another text,
// "no" when hidden; held: the virtual keys of the directions held, or "no").
#include <SDL.h>

#include <algorithm>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "desktop/window/game_session.h"
#include "form1.h"
#include "world/inscriptions.h"

namespace {

using namespace munyura;
using Clock = std::chrono::steady_clock;

// The lines read so far, shared with the thread that reads them, which may
// outlive the game while it waits on a line.
struct Inbox {
  std::mutex mutex;
  std::deque<std::string> lines;

  std::optional<std::string> Take() {
    const std::lock_guard lock(mutex);
    if (lines.empty()) {
      return std::nullopt;
    }
    std::string line = std::move(lines.front());
    lines.pop_front();
    return line;
  }
};

// The pad plugged into the game's process: every button and axis of SDL's
// game controllers, in SDL's own order.
class VirtualPad {
 public:
  bool Plug() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.button_mask = (1U << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1U << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = "pad_player's pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    joystick_ = index < 0 ? nullptr : SDL_JoystickOpen(index);
    return joystick_ != nullptr;
  }

  void Unplug() {
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id) {
        SDL_JoystickDetachVirtual(i);
        break;
      }
    }
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
  }

  // Without a mapping of the player's, SDL maps a virtual pad's buttons and
  // axes in its own order.
  void Button(const std::string& name, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, SDL_GameControllerGetButtonFromString(name.c_str()),
                                 down ? 1 : 0);
  }
  void Axis(const std::string& name, Sint16 value) {
    SDL_JoystickSetVirtualAxis(joystick_, SDL_GameControllerGetAxisFromString(name.c_str()), value);
  }

 private:
  SDL_Joystick* joystick_ = nullptr;
};

std::string Band(const Form1& form) {
  const auto& label = form.Scene().Label1();
  if (label.Visible == kFalse) {
    return "no";
  }
  for (std::int16_t n = 0; n < 30; ++n) {
    if (label.Caption == world::Inscription(n)) {
      return std::to_string(n);
    }
  }
  return "-1";
}

int Monument(const Form1& form) {
  const auto& shown = form.Scene().Sekihi().Picture();
  for (std::int16_t n = 0; n < 30; ++n) {
    const auto& candidate = form.Scene().Image2(n).Picture();
    if (shown && candidate && shown->Handle() == candidate->Handle()) {
      return n;
    }
  }
  return -1;
}

std::string Held(const Form1& form) {
  // MoveKey's order (left, right, up, down) as virtual keys.
  constexpr int kVirtualKeys[] = {37, 39, 38, 40};
  std::ostringstream held;
  for (std::size_t i = 0; i < form.State().MoveKey.size(); ++i) {
    if (form.State().MoveKey[i] != kFalse) {
      held << (held.tellp() > 0 ? "," : "") << kVirtualKeys[i];
    }
  }
  return held.tellp() > 0 ? held.str() : "no";
}

class Player final : public desktop::LoopObserver {
 public:
  explicit Player(std::shared_ptr<Inbox> inbox) : inbox_(std::move(inbox)) {}

  void TickRan(Clock::time_point /*when*/, const Form1& form) override {
    if (!ready_) {
      ready_ = true;
      std::cout << "ready" << std::endl;
    }
    if (ticks_left_ > 0 && --ticks_left_ == 0) {
      const auto& chick = form.Scene().Munyu();
      std::cout << "state focus=" << (SDL_GetKeyboardFocus() != nullptr)
                << " title=" << (form.Scene().Command1().Visible != kFalse)
                << " room=" << form.State().RoomX << ',' << form.State().RoomY
                << " chick=" << chick.Left << ',' << chick.Top << " monument=" << Monument(form)
                << " band=" << Band(form) << " held=" << Held(form) << std::endl;
    }
    if (ticks_left_ == 0) {
      if (const auto line = inbox_->Take()) {
        Do(*line);
      }
    }
  }

 private:
  void Do(const std::string& line) {
    std::istringstream words(line);
    std::string command, name;
    long value = 0;
    words >> command >> name >> value;
    if (command == "button") {
      pad_.Button(name, value != 0);
    } else if (command == "axis") {
      pad_.Axis(name, static_cast<Sint16>(value));
    } else if (command == "plug") {
      std::cout << "plugged " << pad_.Plug() << std::endl;
    } else if (command == "unplug") {
      pad_.Unplug();
    } else if (command == "ticks") {
      ticks_left_ = std::max(1, std::stoi(name));
    } else if (command == "mapping") {
      char* const mapping =
          SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(name.c_str()));
      std::cout << "mapping " << (mapping ? mapping : "") << std::endl;
      SDL_free(mapping);
    } else if (command == "quit") {
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
    }
  }

  std::shared_ptr<Inbox> inbox_;
  VirtualPad pad_;
  bool ready_ = false;
  int ticks_left_ = 0;
};

}  // namespace

int main() {
  const auto inbox = std::make_shared<Inbox>();
  // Left waiting on its line when the game ends; the process's end ends it.
  std::thread([inbox] {
    for (std::string line; std::getline(std::cin, line);) {
      const std::lock_guard lock(inbox->mutex);
      inbox->lines.push_back(line);
    }
  }).detach();
  try {
    Player player(inbox);
    desktop::PlayGame(std::cerr, player);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "pad_player: " << error.what() << '\n';
    return 1;
  }
}
