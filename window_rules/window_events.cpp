#include "window_rules/window_events.h"

#include "window_rules/handler_boundary.h"

namespace munyura::window_rules {

template <typename Handler>
void WindowEvents::Run(std::string_view name, Handler&& handler) {
  RunHandler(name, handler, *errors_);
  // Handlers, not keys, hide the start button; the focus follows it.
  focus_.NoticeStartButton(form_->Scene().Command1().Visible == kTrue);
}

void WindowEvents::Load() {
  Run("Form_Load", [this] { form_->Form_Load(); });
}

void WindowEvents::Tick() {
  Run("Timer1_Timer", [this] { form_->Timer1_Timer(); });
}

bool WindowEvents::KeyDown(std::int16_t virtual_key, std::int16_t shift) {
  return Key(virtual_key, shift, true);
}

bool WindowEvents::KeyUp(std::int16_t virtual_key, std::int16_t shift) {
  return Key(virtual_key, shift, false);
}

bool WindowEvents::Key(std::int16_t virtual_key, std::int16_t shift, bool down) {
  const ButtonLook look_before = StartButtonLook();
  switch (down ? focus_.KeyDown(virtual_key) : focus_.KeyUp(virtual_key)) {
    case KeyRoute::kIgnore:
      // Space held on the focused button sinks it without clicking it yet.
      return StartButtonLook() != look_before;
    case KeyRoute::kClickStartButton:
      Run("Command1_Click", [this] { form_->Command1_Click(); });
      return true;
    case KeyRoute::kToWindow:
      if (down) {
        Run("Form_KeyDown", [&] { form_->Form_KeyDown(virtual_key, shift); });
      } else {
        Run("Form_KeyUp", [&] { form_->Form_KeyUp(virtual_key, shift); });
      }
      return true;
  }
  return false;
}

bool WindowEvents::MousePress(float x, float y) {
  clicks_.Press(x, y, form_->Scene());
  return true;  // the button may now look pressed
}

bool WindowEvents::MouseRelease(float x, float y) {
  const auto clicked = clicks_.Release(x, y, form_->Scene());
  if (clicked == ClickTarget::kStartButton) {
    Run("Command1_Click", [this] { form_->Command1_Click(); });
  } else if (clicked == ClickTarget::kRestartLabel) {
    Run("Label2_Click", [this] { form_->Label2_Click(); });
  }
  return true;
}

bool WindowEvents::MouseMove(float x, float y) {
  const bool looked_pressed = clicks_.StartButtonLooksPressed(form_->Scene());
  clicks_.Move(x, y);
  return looked_pressed != clicks_.StartButtonLooksPressed(form_->Scene());
}

bool WindowEvents::FocusLost() {
  const ButtonLook look_before = StartButtonLook();
  focus_.WindowLostFocus();
  clicks_.Cancel();
  return StartButtonLook() != look_before;
}

ButtonLook WindowEvents::StartButtonLook() const {
  return {focus_.StartButtonHasFocus(),
          focus_.StartButtonPressedByKey() || clicks_.StartButtonLooksPressed(form_->Scene())};
}

}  // namespace munyura::window_rules
