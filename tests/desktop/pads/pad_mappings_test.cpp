// Mapping files judged line by line (another platform's lines left out), and a pad unplugged.
#include "desktop/pads/pad_mappings.h"

#include <gtest/gtest.h>

#include <sstream>

#include "desktop/pads/game_pads.h"
#include "window_rules/windowed_game.h"

namespace munyura::desktop {
namespace {

// Each text, and how the problem told begins ("" for none).
TEST(MappingText, IsJudgedByItsFirstBadLine) {
  const std::string pad = "03000000aaaa0000bbbb000000000000";  // a mapping's GUID
  const std::string good = pad + ",Pad,a:b0,b:b1,";
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"# pads\n\n  \n# more\n", ""},
      {pad + ",Pad,a:b0,leftx:a0,lefty:a1~,+rightx:a3,-righty:-a4,dpup:h0.1,"
             "lefttrigger:+a2,hint:!SDL_GAMECONTROLLER_USE_BUTTON_LABELS:=1,"
             "crc:1234,platform:Linux,",
       ""},
      {"xinput,XInput Controller,a:b0,", ""},
      {pad + "\n", "line 1 has no name"},
      {good + "\n" + pad + ",Pad,jump:b3,", "line 2 names no button or axis 'jump'"},
      // Another platform's lines are not judged, this platform's are.
      {good + "\n" + pad + ",Pad,jump:b3,platform:Mac OS X,", ""},
      {good + "\n" + pad + ",Pad,jump:b3,platform:Linux,", "line 2 names no button"},
      {pad + ",Pad,a,", "line 1 names no button"},
      {pad + ",Pad,a:x0,", "line 1 binds a to 'x0'"},
      {pad + ",Pad,dpup:h0,", "line 1 binds dpup to 'h0'"},
      {pad + ",Pad,a:+b0,", "line 1 binds a"}};
  for (const auto& [text, problem] : cases) {
    const std::string told = MappingTextProblem(text, "Linux").value_or("");
    EXPECT_EQ(told.substr(0, problem.size()), problem) << text;
    EXPECT_EQ(told.empty(), problem.empty()) << text << ": " << told;
  }
}

// SDL lets go of an unplugged pad's controls itself; the game does not count on it.
TEST(GamePads, AnUnpluggedPadHoldsNothing) {
  std::ostringstream messages;
  GamePads pads(messages);
  testing::WindowedGame game;
  game.held.PressPadButton(7, window_rules::PadButton::kDpadLeft, {});
  ASSERT_FALSE(game.held.HeldKeys().empty());
  pads.Handle({.cdevice = {SDL_CONTROLLERDEVICEREMOVED, 0, 7}}, game.held, true, {});
  EXPECT_TRUE(game.held.HeldKeys().empty());
}

}  // namespace
}  // namespace munyura::desktop
