#include "desktop/window/window_loop.h"

#include <SDL.h>

#include <algorithm>
#include <array>

#include "desktop/pads/picker_overlay.h"
#include "desktop/window/frame_content.h"
#include "desktop/window/scene_renderer.h"
#include "desktop/window/virtual_keys.h"
#include "desktop/window/window_keys.h"
#include "window_rules/held_controls.h"
#include "window_rules/tick_schedule.h"
#include "window_rules/window_events.h"

namespace munyura::desktop {
namespace {

using window_rules::ButtonLook;
using window_rules::HeldControls;
using window_rules::LetterPicker;
using window_rules::WindowEvents;

// When the window loses the focus, SDL first queues the release of every key
// still held, then the focus-lost event itself. The game hears of the loss
// before those releases, so that it can tell them from a player's.
bool FocusLossWaiting() {
  std::array<SDL_Event, 32> waiting{};
  const int count = SDL_PeepEvents(waiting.data(), static_cast<int>(waiting.size()), SDL_PEEKEVENT,
                                   SDL_WINDOWEVENT, SDL_WINDOWEVENT);
  return std::any_of(waiting.begin(), waiting.begin() + std::max(count, 0), [](const SDL_Event& e) {
    return e.window.event == SDL_WINDOWEVENT_FOCUS_LOST;
  });
}

// What an event asks of the next frame.
enum class Drawing {
  kNone,
  kIfChanged,  // the game ran: draw if the scene or the button's look changed
  kWhole,      // the letter picker opened, closed or moved: draw the whole game
  kAnew,       // the window changed or lost its pixels: draw whatever
};

Drawing operator||(Drawing a, Drawing b) {
  return std::max(a, b);
}

Drawing IfChanged(bool may_have_changed) {
  return may_have_changed ? Drawing::kIfChanged : Drawing::kNone;
}

struct PickerLook {
  bool open = false;
  int highlighted = 0;
  bool operator==(const PickerLook&) const = default;
};

PickerLook LookOf(const LetterPicker& picker) {
  return {picker.IsOpen(), picker.Highlighted()};
}

struct Dispatcher {
  WindowEvents& events;
  HeldControls& held;
  GamePads& pads;
  WindowKeys& keys;
  WindowControls& controls;
  const WindowView& view;
  // Pads act only while the window has the focus, as the keyboard does.
  bool focused = false;

  Drawing Dispatch(const SDL_Event& event);
  Drawing DispatchToGame(const SDL_Event& event);
};

// The picker is drawn over the scene, outside what FrameContent compares:
// when it changes, the whole game is drawn again.
Drawing Dispatcher::Dispatch(const SDL_Event& event) {
  const PickerLook before = LookOf(held.Picker());
  const Drawing drawing = DispatchToGame(event);
  return LookOf(held.Picker()) == before ? drawing : drawing || Drawing::kWhole;
}

// Turns one SDL event into the game's events, or the window's own.
Drawing Dispatcher::DispatchToGame(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
      return IfChanged(pads.Handle(event, held, focused, LoopObserver::Clock::now()));
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      // The window's own keys first: the zoom and fullscreen keys go no
      // further, M goes on to the game as well.
      const KeyVerdict verdict = keys.Judge(event.key);
      const Drawing window_drawing = controls.Do(verdict.action) ? Drawing::kAnew : Drawing::kNone;
      if (!verdict.reaches_game) {
        return window_drawing;
      }
      const auto virtual_key = VirtualKeyOf(event.key.keysym);
      if (!virtual_key) {
        return window_drawing;
      }
      const std::int16_t shift = ShiftStateOf(event.key.keysym.mod);
      if (event.type == SDL_KEYDOWN) {
        return window_drawing || IfChanged(events.KeyDown(*virtual_key, shift));
      }
      const bool lost_focus = FocusLossWaiting() && events.FocusLost();
      return window_drawing || IfChanged(events.KeyUp(*virtual_key, shift) || lost_focus);
    }
    case SDL_MOUSEBUTTONDOWN: {
      // A press on the surround around the game reaches nothing.
      const auto at = view.GameAt(event.button.x, event.button.y);
      return event.button.button == SDL_BUTTON_LEFT && at
                 ? IfChanged(events.MousePress(at->x, at->y))
                 : Drawing::kNone;
    }
    case SDL_MOUSEBUTTONUP: {
      if (event.button.button != SDL_BUTTON_LEFT) {
        return Drawing::kNone;
      }
      // Followed beyond the game's edges, as a drag out of the window is.
      const auto at = view.GameCoordinates(event.button.x, event.button.y);
      return IfChanged(events.MouseRelease(at.x, at.y));
    }
    case SDL_MOUSEMOTION: {
      const auto at = view.GameCoordinates(event.motion.x, event.motion.y);
      return IfChanged(events.MouseMove(at.x, at.y));
    }
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        focused = true;
        return Drawing::kNone;
      }
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        focused = false;
        // The pads' held buttons and sticks as well as the keyboard's keys.
        const bool pads_let_go = held.FocusLost();
        return IfChanged(events.FocusLost() || pads_let_go);
      }
      return event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                     event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED
                 ? Drawing::kAnew
                 : Drawing::kNone;
    default:
      return Drawing::kNone;
  }
}

// Once the window has been asked to close, SDL (2.26) may still have a
// wake-up message of its own on the way to it, sent over a second connection
// to the display. Destroying the window before the display has delivered it
// makes the display report an error that ends the program with status 1, so
// the loop waits for its events to fall quiet first.
void LetTheLastMessagesArrive() {
  constexpr int kQuietMilliseconds = 50;
  constexpr int kMostMessages = 100;
  SDL_Event event;
  for (int i = 0; i < kMostMessages && SDL_WaitEventTimeout(&event, kQuietMilliseconds) != 0; ++i) {
  }
}

}  // namespace

void RunWindow(Form1& form, GameWindow& window, const GamePictures& pictures,
               const CaptionFonts& fonts, LoopObserver::Clock::time_point start,
               std::ostream& errors, LoopObserver& observer, const WindowView& view,
               WindowControls& controls, GamePads& pads) {
  using Clock = LoopObserver::Clock;
  WindowEvents events(form, errors);
  HeldControls held(events);
  WindowKeys keys;
  Dispatcher dispatcher{events, held, pads, keys, controls, view};
  SceneRenderer renderer(window.Renderer(), pictures, fonts);
  PickerOverlay picker(window.Renderer(), fonts);
  FrameContent content;
  // Timer1 ticks at its design interval from the window's creation on.
  window_rules::TickSchedule schedule(start,
                                      std::chrono::milliseconds(form.Scene().Timer1().Interval));

  events.Load();
  window.Show();
  Drawing drawing = Drawing::kAnew;
  // After the window changes (zoom, fullscreen, an expose) the window
  // manager may take its time to resize it, and SDL, which takes the new
  // size at once, then sends no event when it happens: for a while every
  // tick draws the whole window, or a busy desktop would be left showing
  // whatever lay there before.
  constexpr auto kSettling = std::chrono::seconds(3);
  auto settled_at = Clock::now() + kSettling;
  for (;;) {
    // A held pad button repeats as a held key does; its repeats come
    // before a tick due at the same moment, as the keyboard's would.
    if (const auto repeat = held.NextRepeatDue(); repeat && *repeat <= Clock::now()) {
      drawing = drawing || IfChanged(held.Advance(Clock::now()));
    }
    if (schedule.TakeDueTick(Clock::now())) {
      events.Tick();
      observer.TickRan(Clock::now(), form);
      drawing = drawing || (Clock::now() < settled_at ? Drawing::kAnew : Drawing::kIfChanged);
    }
    if (drawing != Drawing::kNone) {
      const Letterbox box = view.Box();
      if (drawing >= Drawing::kWhole) {
        content.Forget();
      }
      // A tick that changed nothing visible (the play screen with no key
      // held) draws nothing.
      if (content.Update(form.Scene(), events.StartButtonLook(), box)) {
        renderer.SetPixelScale(box.scale);
        // Where the window keeps its last frame, only the part that changed
        // is drawn again: the sliding button costs the same at every zoom.
        const GameArea& area = content.ChangedArea();
        const SDL_Rect part{area.left, area.top, area.right - area.left, area.bottom - area.top};
        BeginGameFrame(window.Renderer(), box,
                       window.KeepsItsPixels() && drawing != Drawing::kAnew ? &part : nullptr);
        renderer.Draw(form.Scene(), events.StartButtonLook());
        picker.Draw(held.Picker(), box);
        SDL_RenderPresent(&window.Renderer());
        observer.FramePresented(Clock::now());
      }
      drawing = Drawing::kNone;
    }
    // Asleep until the next tick or the next repeat of a held pad button,
    // whichever comes first, unless an event wakes the loop sooner.
    const auto repeat = held.NextRepeatDue();
    const auto wake = repeat ? std::min(*repeat, schedule.NextDeadline()) : schedule.NextDeadline();
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, window_rules::MillisecondsUntil(wake, Clock::now())) == 0) {
      continue;
    }
    // Whatever has already arrived is handled before the next frame, unless
    // the next tick falls due first.
    do {
      if (event.type == SDL_QUIT) {
        LetTheLastMessagesArrive();
        return;
      }
      const Drawing asked = dispatcher.Dispatch(event);
      if (asked == Drawing::kAnew) {
        settled_at = Clock::now() + kSettling;
      }
      drawing = asked || drawing;
    } while (schedule.NextDeadline() > Clock::now() &&
             !(held.NextRepeatDue() && *held.NextRepeatDue() <= Clock::now()) &&
             SDL_PollEvent(&event) != 0);
  }
}

}  // namespace munyura::desktop
