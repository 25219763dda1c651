// The real game behind its window rules, held as a front end holds it.
#pragma once

#include <sstream>

#include "form1.h"
#include "support/test_pictures.h"
#include "window_rules/held_controls.h"
#include "window_rules/window_events.h"

namespace munyura::testing {

struct WindowedGame {
  WindowedGame() : form(TestPictures(), host), events(form, errors) { events.Load(); }

  RecordingHost host;
  std::ostringstream errors;
  Form1 form;
  window_rules::WindowEvents events;
  window_rules::HeldControls held{events};
};

}  // namespace munyura::testing
