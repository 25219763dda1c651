#include "desktop/window/window_controls.h"

namespace munyura::desktop {

WindowControls::WindowControls(WindowView& view, CommandStringPlayer& music, SettingsFile& file,
                               const Settings& remembered, const SettingsOverrides& overrides)
    : view_(&view), music_(&music), file_(&file), remembered_(remembered), now_(remembered) {
  now_.zoom = overrides.zoom.value_or(now_.zoom);
  now_.fullscreen = overrides.fullscreen.value_or(now_.fullscreen);
  now_.muted = overrides.muted.value_or(now_.muted);
}

void WindowControls::ApplyAtStart() {
  // A zoom the display cannot hold is shown smaller, and still remembered.
  now_.zoom = view_->SetZoom(now_.zoom);
  if (now_.fullscreen) {
    view_->SetFullscreen(true, now_.zoom);
  }
  music_->SetMuted(now_.muted);
  view_->ShowMuted(now_.muted);
}

bool WindowControls::Do(WindowAction action) {
  const Settings before = remembered_;
  switch (action) {
    case WindowAction::kNone:
      return false;
    case WindowAction::kZoomIn:
    case WindowAction::kZoomOut:
    case WindowAction::kZoomReset: {
      const int wanted = action == WindowAction::kZoomIn    ? now_.zoom + 1
                         : action == WindowAction::kZoomOut ? now_.zoom - 1
                                                            : 1;
      now_.zoom = view_->SetZoom(wanted);
      remembered_.zoom = now_.zoom;
      break;
    }
    case WindowAction::kToggleFullscreen:
      now_.fullscreen = !now_.fullscreen;
      view_->SetFullscreen(now_.fullscreen, now_.zoom);
      remembered_.fullscreen = now_.fullscreen;
      break;
    case WindowAction::kToggleMute:
      now_.muted = !now_.muted;
      music_->SetMuted(now_.muted);
      view_->ShowMuted(now_.muted);
      remembered_.muted = now_.muted;
      break;
  }
  if (remembered_ != before) {
    file_->Save(remembered_);
  }
  return true;
}

}  // namespace munyura::desktop
