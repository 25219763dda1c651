// Playing without a keyboard: held controls of any device (a pad's buttons
// and stick, on-screen buttons, a touch vector, the letter picker) become
// the key presses and clicks the game already reads, passed through
// WindowEvents like the keyboard's and the mouse's own.
//
// A held key is held for as long as any control holding it is; its key-down
// comes at the first press, auto-repeats follow at a keyboard's pace (see
// KeyRepeat) and its key-up at the last release. The repeats matter:
// LoadRoom clears the MoveKey flags, and only the next repeat lets a held
// direction walk on into the next room. Nothing stays held: closing or
// opening the picker, losing the focus and unplugging a device release what
// was held.
//
// Every function returns whether the window may look different now (the
// scene, the start button or the picker). Times are the front end's
// monotonic clock, the same as the tick schedule's.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "window_rules/control_mapping.h"
#include "window_rules/key_repeat.h"
#include "window_rules/letter_picker.h"
#include "window_rules/window_events.h"

namespace munyura::window_rules {

// Any number a front end gives one device for as long as it is plugged in
// (SDL's joystick instance id, the page's Gamepad.index, a number of its
// own for the touch screen).
using DeviceId = std::int32_t;

class HeldControls {
 public:
  using Clock = KeyRepeat::Clock;

  // `events` must outlive this object.
  explicit HeldControls(WindowEvents& events) : events_(&events) {}

  // An action of Action's table pressed or released on `device`. A release
  // lets go what that press held, whatever has changed since.
  bool PressAction(DeviceId device, Action action, Clock::time_point now);
  bool ReleaseAction(DeviceId device, Action action);

  // A pad button, through the shared pad table (PadButtonAction): judged at
  // the press, so that the release lets go what the press held even after
  // the picker opened or closed.
  bool PressPadButton(DeviceId device, PadButton button, Clock::time_point now);
  bool ReleasePadButton(DeviceId device, PadButton button);

  // Where a stick or a touch vector of `device` points now (see
  // DirectionsFromVector); call it on every change. Directions newly pointed
  // are pressed (or move the open picker's highlight), directions no longer
  // pointed are released.
  bool PointDirections(DeviceId device, Directions directions, Clock::time_point now);

  // A letter of the picker (A = 0 ... Z = 25) touched directly: highlights
  // it and holds its key until released. Works with the picker open or
  // closed; letters outside 0 ... 25 do nothing.
  bool PressLetter(DeviceId device, int letter, Clock::time_point now);
  bool ReleaseLetter(DeviceId device, int letter);

  // Releases everything `device` held and forgets where its stick pointed.
  bool Unplug(DeviceId device);
  // The window lost the focus: releases everything held by every device and
  // forgets where the sticks pointed, so a stick still pointing presses again
  // at its next PointDirections. The front end still tells
  // WindowEvents::FocusLost for the keyboard and the mouse. Neither this nor
  // Unplug opens or closes the picker.
  bool FocusLost();

  // Sends the auto-repeats due at `now`: call it when NextRepeatDue has come.
  bool Advance(Clock::time_point now);
  // When Advance next has something to do; nothing while no key is held.
  std::optional<Clock::time_point> NextRepeatDue() const { return repeat_.NextDue(); }

  const LetterPicker& Picker() const noexcept { return picker_; }
  // The keys held down now, in the order of their codes: for drawing the
  // on-screen controls pressed.
  std::vector<std::int16_t> HeldKeys() const { return repeat_.HeldKeys(); }

 private:
  enum class Source : std::uint8_t { kAction, kPadButton, kStick, kLetter };
  using Holder = std::tuple<DeviceId, Source, int>;

  bool Press(const Holder& holder, std::optional<Action> action, Clock::time_point now);
  bool Hold(const Holder& holder, std::int16_t key, Clock::time_point now);
  bool Release(const Holder& holder);
  template <typename Which>
  bool ReleaseWhere(Which&& which);
  bool Click(const scene::SceneControl& control);
  bool SetPicker(bool open);

  WindowEvents* events_;
  LetterPicker picker_;
  KeyRepeat repeat_;
  std::map<Holder, std::int16_t> holds_;    // who holds which key
  std::map<DeviceId, Directions> pointed_;  // where each stick points
};

}  // namespace munyura::window_rules
