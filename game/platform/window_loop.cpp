#include "platform/window_loop.h"

#include <SDL.h>

#include "platform/handler_boundary.h"
#include "platform/keyboard_focus.h"
#include "platform/mouse_clicks.h"
#include "platform/scene_renderer.h"
#include "platform/tick_schedule.h"
#include "platform/virtual_keys.h"

namespace munyura::platform {
namespace {

constexpr std::chrono::milliseconds kTimer1Interval{60};

class WindowEvents {
 public:
  WindowEvents(Form1& form, std::ostream& errors) : form_(&form), errors_(&errors) {}

  // Each returns whether the window needs drawing again.
  bool Dispatch(const SDL_Event& event);
  void Tick() {
    Run("Timer1_Timer", [this] { form_->Timer1_Timer(); });
  }
  void Load() {
    Run("Form_Load", [this] { form_->Form_Load(); });
  }
  ButtonLook StartButtonLook() const;

 private:
  bool Key(const SDL_KeyboardEvent& key, bool down);
  bool MouseButton(const SDL_MouseButtonEvent& button, bool down);
  bool MouseMotion(const SDL_MouseMotionEvent& motion);

  template <typename Handler>
  void Run(std::string_view name, Handler&& handler) {
    RunHandler(name, handler, *errors_);
    // Handlers, not keys, hide the start button; the focus follows it.
    focus_.NoticeStartButton(form_->Scene().Command1().Visible == kTrue);
  }

  Form1* form_;
  std::ostream* errors_;
  KeyboardFocus focus_;
  MouseClicks clicks_;
};

bool WindowEvents::Dispatch(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      return Key(event.key, true);
    case SDL_KEYUP:
      return Key(event.key, false);
    case SDL_MOUSEBUTTONDOWN:
      return MouseButton(event.button, true);
    case SDL_MOUSEBUTTONUP:
      return MouseButton(event.button, false);
    case SDL_MOUSEMOTION:
      return MouseMotion(event.motion);
    case SDL_WINDOWEVENT:
      return event.window.event == SDL_WINDOWEVENT_EXPOSED ||
             event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED;
    default:
      return false;
  }
}

bool WindowEvents::Key(const SDL_KeyboardEvent& key, bool down) {
  const auto virtual_key = VirtualKeyOf(key.keysym);
  if (!virtual_key) {
    return false;
  }
  const ButtonLook look_before = StartButtonLook();
  const KeyRoute route = down ? focus_.KeyDown(*virtual_key) : focus_.KeyUp(*virtual_key);
  const std::int16_t shift = ShiftStateOf(key.keysym.mod);
  switch (route) {
    case KeyRoute::kIgnore:
      // Space held on the focused button sinks it without clicking it yet.
      return StartButtonLook() != look_before;
    case KeyRoute::kClickStartButton:
      Run("Command1_Click", [this] { form_->Command1_Click(); });
      return true;
    case KeyRoute::kToWindow:
      if (down) {
        Run("Form_KeyDown", [&] { form_->Form_KeyDown(*virtual_key, shift); });
      } else {
        Run("Form_KeyUp", [&] { form_->Form_KeyUp(*virtual_key, shift); });
      }
      return true;
  }
  return false;
}

bool WindowEvents::MouseButton(const SDL_MouseButtonEvent& button, bool down) {
  if (button.button != SDL_BUTTON_LEFT) {
    return false;
  }
  const auto x = static_cast<float>(button.x);
  const auto y = static_cast<float>(button.y);
  if (down) {
    clicks_.Press(x, y, form_->Scene());
    return true;  // the button may now look pressed
  }
  const auto clicked = clicks_.Release(x, y, form_->Scene());
  if (clicked == ClickTarget::kStartButton) {
    Run("Command1_Click", [this] { form_->Command1_Click(); });
  } else if (clicked == ClickTarget::kRestartLabel) {
    Run("Label2_Click", [this] { form_->Label2_Click(); });
  }
  return true;
}

bool WindowEvents::MouseMotion(const SDL_MouseMotionEvent& motion) {
  const bool looked_pressed = clicks_.StartButtonLooksPressed(form_->Scene());
  clicks_.Move(static_cast<float>(motion.x), static_cast<float>(motion.y));
  return looked_pressed != clicks_.StartButtonLooksPressed(form_->Scene());
}

ButtonLook WindowEvents::StartButtonLook() const {
  return {focus_.StartButtonHasFocus(),
          focus_.StartButtonPressedByKey() || clicks_.StartButtonLooksPressed(form_->Scene())};
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
               std::ostream& errors, LoopObserver& observer) {
  using Clock = LoopObserver::Clock;
  WindowEvents events(form, errors);
  SceneRenderer renderer(window.Renderer(), pictures, fonts, window.PixelScale());
  TickSchedule schedule(start, kTimer1Interval);

  events.Load();
  window.Show();
  bool needs_drawing = true;
  for (;;) {
    if (schedule.TakeDueTick(Clock::now())) {
      events.Tick();
      observer.TickRan(Clock::now());
      needs_drawing = true;
    }
    if (needs_drawing) {
      renderer.Draw(form.Scene(), events.StartButtonLook());
      SDL_RenderPresent(&window.Renderer());
      observer.FramePresented(Clock::now());
      needs_drawing = false;
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, MillisecondsUntil(schedule.NextDeadline(), Clock::now())) ==
        0) {
      continue;
    }
    // Whatever has already arrived is handled before the next frame, unless
    // the next tick falls due first.
    do {
      if (event.type == SDL_QUIT) {
        LetTheLastMessagesArrive();
        return;
      }
      needs_drawing = events.Dispatch(event) || needs_drawing;
    } while (schedule.NextDeadline() > Clock::now() && SDL_PollEvent(&event) != 0);
  }
}

}  // namespace munyura::platform
