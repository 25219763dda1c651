// The real game, its start-up and its loop, played with an SDL virtual game
// controller plugged into its own process: a schedule of presses, releases,
// stick moves and unplugging, one step after another, each judged by the
// game's own state as the ticks leave it.
//
// Usage: pad_player                 the whole schedule
//        pad_player mapping GUID    prints "mapping " and SDL's mapping for
//                                   the GUID once the game has started, and
//                                   closes it (SDL 2.26 takes no mapping for
//                                   its virtual pads, so the player's
//                                   mappings are seen in SDL's table)
//
// It talks to tests/e2e/pad_test.py over its standard streams: it prints
// "ready" once its window is up and waits for a line (the window has been
// given the focus), prints "screenshot NAME" and waits for a line when the
// window should show something worth a look, and prints "ok ..." or
// "FAIL ..." for each step. It closes its window at the end and exits with
// 0 when every step passed.
#include <SDL.h>

#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "desktop/window/game_session.h"
#include "form1.h"
#include "world/inscriptions.h"

namespace {

using namespace munyura;
using Clock = std::chrono::steady_clock;

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
    if (index < 0) {
      return false;
    }
    joystick_ = SDL_JoystickOpen(index);
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

  // The button of that number on the joystick itself; without a mapping of
  // the player's, SDL maps them in its own order of the pad's buttons.
  void Button(int button, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
  }
  void Axis(SDL_GameControllerAxis axis, Sint16 value) {
    SDL_JoystickSetVirtualAxis(joystick_, axis, value);
  }

 private:
  SDL_Joystick* joystick_ = nullptr;
};

// One step of the schedule: something done at its first tick, then
// awaited, tick by tick, for at most `ticks` ticks.
struct Step {
  std::string what;
  std::function<void()> act;
  std::function<bool(const Form1&)> done;
  int ticks = 40;
};

bool ShowsInscription(const Form1& form, std::int16_t monument) {
  const auto& label = form.Scene().Label1();
  return label.Visible == kTrue && label.Caption == world::Inscription(monument);
}

bool NothingHeld(const Form1& form) {
  for (const Bool16 flag : form.State().MoveKey) {
    if (flag != kFalse) {
      return false;
    }
  }
  return true;
}

std::pair<float, float> ChickAt(const Form1& form) {
  return {form.Scene().Munyu().Left, form.Scene().Munyu().Top};
}

class Player final : public desktop::LoopObserver {
 public:
  // The whole schedule, or with `guid` only a look at its mapping.
  explicit Player(const std::optional<std::string>& guid) {
    if (guid) {
      steps_.push_back({"SDL's mapping told",
                        [guid] {
                          char* const mapping = SDL_GameControllerMappingForGUID(
                              SDL_JoystickGetGUIDFromString(guid->c_str()));
                          std::cout << "mapping " << (mapping ? mapping : "") << std::endl;
                          SDL_free(mapping);
                        },
                        [](const Form1&) { return true; }, 1});
      return;
    }
    Begin();
    Schedule();
  }

  void TickRan(Clock::time_point /*when*/, const Form1& form) override {
    if (step_ == steps_.size()) {
      return;
    }
    Step& step = steps_[step_];
    if (ticks_ == 0 && step.act) {
      step.act();
    }
    ++ticks_;
    const bool done = step.done(form);
    if (done || ticks_ >= step.ticks) {
      std::cout << (done ? "ok    " : "FAIL  ") << step.what << std::endl;
      failed_ |= !done;
      ticks_ = 0;
      ++step_;
      if (step_ == steps_.size() || !done) {
        step_ = steps_.size();
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
      }
    }
  }

  bool Failed() const { return failed_ || step_ != steps_.size(); }

 private:
  // Waits for the harness: after "ready", it has focused the window; after
  // "screenshot", it has looked at it.
  static void Tell(const std::string& line) {
    std::cout << line << std::endl;
    std::string answer;
    std::getline(std::cin, answer);
  }

  void Wait(std::string what, int ticks) {
    steps_.push_back({std::move(what), nullptr,
                      [this, ticks](const Form1&) { return ticks_ >= ticks; }, ticks + 1});
  }
  void Press(std::string what, int button, std::function<bool(const Form1&)> done, int ticks = 40) {
    steps_.push_back(
        {std::move(what), [this, button] { pad_.Button(button, true); }, std::move(done), ticks});
    steps_.push_back({"released", [this, button] { pad_.Button(button, false); },
                      [](const Form1&) { return true; }, 1});
  }
  void Screenshot(const std::string& name) {
    Wait("the frame is drawn", 3);
    steps_.push_back({"looked at: " + name, [name] { Tell("screenshot " + name); },
                      [](const Form1&) { return true; }, 1});
  }

  void Begin() {
    steps_.push_back({"the window has the focus", [] { Tell("ready"); },
                      [](const Form1&) { return SDL_GetKeyboardFocus() != nullptr; }, 100});
    Wait("its focus event is handled", 2);
    steps_.push_back({"a virtual pad is plugged in", [this] { plugged_ = pad_.Plug(); },
                      [this](const Form1&) { return plugged_; }, 1});
    Wait("the game opens it", 3);
  }

  void Schedule() {
    Press("Start starts play", SDL_CONTROLLER_BUTTON_START,
          [](const Form1& form) { return form.Scene().Command1().Visible == kFalse; });
    Press("A reads monument 0", SDL_CONTROLLER_BUTTON_A,
          [](const Form1& form) { return ShowsInscription(form, 0); });
    Press("A again hides it", SDL_CONTROLLER_BUTTON_A,
          [](const Form1& form) { return form.Scene().Label1().Visible == kFalse; });
    // Up a little, into the height of the left doorway, then Left until the
    // doorway takes the chick into the next room, and let go at once.
    steps_.push_back({"the d-pad's Up walks up",
                      [this] { pad_.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true); },
                      [this](const Form1& form) {
                        return ticks_ >= 3 && form.State().MoveKey[kMoveUp] == kTrue;
                      },
                      10});
    steps_.push_back({"the d-pad's Left walks left once Up is let go",
                      [this] {
                        pad_.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
                        pad_.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
                      },
                      [](const Form1& form) {
                        return form.State().MoveKey[kMoveLeft] == kTrue &&
                               form.State().MoveKey[kMoveUp] == kFalse;
                      },
                      10});
    steps_.push_back(
        {"held Left, it walks on through the doorway into room (-1, 0)", nullptr,
         [](const Form1& form) { return form.State().RoomX == -1 && form.State().RoomY == 0; },
         100});
    // LoadRoom let go of the key; only the held button's repeats walk on.
    steps_.push_back({"held on, its repeats walk it on over monument 6", nullptr,
                      [](const Form1& form) {
                        const auto& chick = form.Scene().Munyu();
                        const auto& monument = form.Scene().Sekihi();
                        return form.State().RoomX == -1 &&
                               chick.Left + 20 < monument.Left + monument.Width;
                      },
                      100});
    steps_.push_back({"Left let go",
                      [this] { pad_.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false); },
                      [](const Form1& form) { return NothingHeld(form); }, 5});
    Press("A reads monument 6", SDL_CONTROLLER_BUTTON_A,
          [](const Form1& form) { return ShowsInscription(form, 6); });
    Press("A again hides it", SDL_CONTROLLER_BUTTON_A,
          [](const Form1& form) { return form.Scene().Label1().Visible == kFalse; });
    Press(
        "Y opens the picker", SDL_CONTROLLER_BUTTON_Y, [](const Form1&) { return true; }, 1);
    Screenshot("picker-on-a");
    Press(
        "the d-pad's Left moves the highlight, and walks nowhere", SDL_CONTROLLER_BUTTON_DPAD_LEFT,
        [this](const Form1& form) { return ticks_ >= 3 && NothingHeld(form); }, 4);
    Screenshot("picker-on-m");
    Press(
        "Down moves it on, and walks nowhere", SDL_CONTROLLER_BUTTON_DPAD_DOWN,
        [this](const Form1& form) { return ticks_ >= 3 && NothingHeld(form); }, 4);
    Press("A types the highlighted Z, which reads monument 6", SDL_CONTROLLER_BUTTON_A,
          [](const Form1& form) { return ShowsInscription(form, 6); });
    Press(
        "B closes the picker", SDL_CONTROLLER_BUTTON_B, [](const Form1&) { return true; }, 1);
    Screenshot("picker-closed");
    steps_.push_back({"the d-pad's Down walks down",
                      [this] { pad_.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true); },
                      [](const Form1& form) { return form.State().MoveKey[kMoveDown] == kTrue; },
                      10});
    steps_.push_back({"another window takes the focus: the held Down lets go",
                      [] { Tell("take the focus"); },
                      [](const Form1& form) { return NothingHeld(form); }, 10});
    steps_.push_back(
        {"without the focus A reads nothing",
         [this] {
           pad_.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
           pad_.Button(SDL_CONTROLLER_BUTTON_A, true);
         },
         [this](const Form1& form) { return ticks_ >= 3 && ShowsInscription(form, 6); }, 4});
    steps_.push_back({"the focus back",
                      [this] {
                        pad_.Button(SDL_CONTROLLER_BUTTON_A, false);
                        Tell("give the focus");
                      },
                      [](const Form1&) { return SDL_GetKeyboardFocus() != nullptr; }, 100});
    Wait("its focus event is handled", 2);
    steps_.push_back({"the stick pushed down walks down",
                      [this] { pad_.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767); },
                      [](const Form1& form) { return form.State().MoveKey[kMoveDown] == kTrue; },
                      10});
    steps_.push_back({"unplugged with the stick held, the chick lets go", [this] { pad_.Unplug(); },
                      [this](const Form1& form) {
                        stopped_at_ = ChickAt(form);
                        return NothingHeld(form);
                      },
                      5});
    steps_.push_back({"and stays where it stopped", nullptr,
                      [this](const Form1& form) {
                        if (ChickAt(form) != stopped_at_) {
                          moved_after_unplugging_ = true;
                        }
                        return ticks_ >= 10 && !moved_after_unplugging_;
                      },
                      10});
    steps_.push_back({"a pad plugged in again", [this] { plugged_ = pad_.Plug(); },
                      [this](const Form1&) { return plugged_; }, 1});
    Wait("the game opens it", 3);
    Press("Back restarts: the title screen again", SDL_CONTROLLER_BUTTON_BACK,
          [](const Form1& form) { return form.Scene().Command1().Visible == kTrue; });
  }

  VirtualPad pad_;
  std::vector<Step> steps_;
  std::size_t step_ = 0;
  int ticks_ = 0;
  bool plugged_ = false;
  bool failed_ = false;
  std::pair<float, float> stopped_at_;
  bool moved_after_unplugging_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  std::optional<std::string> guid;
  if (arguments.size() == 2 && arguments[0] == "mapping") {
    guid = arguments[1];
  }
  try {
    Player player(guid);
    desktop::PlayGame(std::cerr, player);
    return player.Failed() ? 1 : 0;
  } catch (const std::exception& error) {
    std::cerr << "pad_player: " << error.what() << '\n';
    return 1;
  }
}
