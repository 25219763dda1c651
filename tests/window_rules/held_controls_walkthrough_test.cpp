// The whole game with a pad and the letter picker alone: from the title screen through every hidden
// passage to the closing message, then the restart and a new start, each only while its element
// shows. Each room's route is searched from the game's rules and played as a pad would play it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form1.h"
#include "game/route_finder.h"
#include "key_codes.h"
#include "window_rules/windowed_game.h"

namespace munyura::window_rules {
namespace {

using testing::kPassages;
using testing::Room;
using testing::RoomOf;
using Clock = HeldControls::Clock;

constexpr DeviceId kPad = 7;
constexpr int kTickMs = 60;

// The rooms in the order the route enters them: down to the Z drop of
// (-1, 1), west to H in (-2, 3), through (-4, 2) to A from (-4, 3), O in
// (-4, 4), back up through A again, and K with R in (-5, 2).
const std::vector<Room> kRoute = {
    {-1, 0}, {-1, 1}, {-1, 2}, {-1, 3}, {-2, 3}, {-2, 2}, {-3, 2}, {-4, 2}, {-4, 3},
    {-4, 2}, {-4, 3}, {-4, 4}, {-4, 5}, {-4, 4}, {-4, 3}, {-4, 2}, {-5, 2}, {-6, 2},
};

class PadPlayer {
 public:
  const Form1& form() const { return window_.form; }
  const std::map<Room, Room>& passages_taken() const { return taken_; }
  int letters_typed() const { return letters_typed_; }

  // Whether the press changed anything.
  bool Tap(PadButton button) {
    const bool changed = window_.held.PressPadButton(kPad, button, Now());
    window_.held.ReleasePadButton(kPad, button);
    return changed;
  }

  // Plays the shortest route to a moment where `goal` holds.
  void Reach(const testing::Goal& goal, const std::string& what) {
    const auto route = testing::FindRoute(window_.form, goal);
    ASSERT_TRUE(route) << "no way to " << what;
    for (const testing::Move* move : *route) {
      for (const testing::Event& event : move->events) {
        const Room before = RoomOf(window_.form);
        Play(event);
        const auto passage = kPassages.find(before);
        if (passage != kPassages.end() && passage->second == RoomOf(window_.form)) {
          taken_.insert(*passage);
        }
      }
    }
  }

 private:
  Clock::time_point Now() const { return Clock::time_point(std::chrono::milliseconds(now_ms_)); }

  // One event of a keyboard route, as a pad makes it.
  void Play(const testing::Event& event) {
    using Kind = testing::Event::Kind;
    if (event.kind == Kind::kTick) {
      now_ms_ += kTickMs;
      window_.held.Advance(Now());
      window_.events.Tick();
      return;
    }
    const bool down = event.kind == Kind::kKeyDown;
    PadButton button = PadButton::kA;  // Z outside the picker, the letter inside
    if (event.key >= kKeyLeft && event.key <= kKeyDown) {
      constexpr PadButton kDpad[] = {PadButton::kDpadLeft, PadButton::kDpadUp,
                                     PadButton::kDpadRight, PadButton::kDpadDown};
      button = kDpad[event.key - kKeyLeft];
      if (down && window_.held.Picker().IsOpen()) {
        Tap(PadButton::kB);
      }
    } else if (event.key != kKeyZ && down) {
      if (!window_.held.Picker().IsOpen()) {
        Tap(PadButton::kY);
      }
      HighlightOnPicker(event.key - 'A');
      ++letters_typed_;
    } else if (event.key == kKeyZ && down && window_.held.Picker().IsOpen()) {
      Tap(PadButton::kB);
    }
    if (down) {
      window_.held.PressPadButton(kPad, button, Now());
    } else {
      window_.held.ReleasePadButton(kPad, button);
    }
  }

  // The d-pad's shortest way over the grid to `letter`.
  void HighlightOnPicker(int letter) {
    while (PickerRow(window_.held.Picker().Highlighted()) != PickerRow(letter)) {
      Tap(PadButton::kDpadDown);
    }
    const int right = (PickerColumn(letter) - PickerColumn(window_.held.Picker().Highlighted()) +
                       kPickerColumns) %
                      kPickerColumns;
    for (int i = 0; i < std::min(right, kPickerColumns - right); ++i) {
      Tap(right <= kPickerColumns / 2 ? PadButton::kDpadRight : PadButton::kDpadLeft);
    }
    ASSERT_EQ(window_.held.Picker().Highlighted(), letter);
  }

  testing::WindowedGame window_;
  long now_ms_ = 0;
  std::map<Room, Room> taken_;
  int letters_typed_ = 0;
};

TEST(HeldControlsWalkthrough, EveryPassageToTheClosingMessageWithAPadAlone) {
  PadPlayer pad;
  const Form1& form = pad.form();
  EXPECT_FALSE(pad.Tap(PadButton::kBack)) << "no restart label on the title screen";
  ASSERT_TRUE(pad.Tap(PadButton::kStart));
  ASSERT_EQ(form.Scene().Command1().Visible, kFalse);
  EXPECT_FALSE(pad.Tap(PadButton::kStart)) << "the start button has gone";

  for (const Room& next : kRoute) {
    pad.Reach(testing::IntoRoom(next),
              "room " + std::to_string(next.first) + "," + std::to_string(next.second));
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    ASSERT_EQ(RoomOf(form), next) << "the pad played the route differently from the keys";
  }
  EXPECT_EQ(pad.passages_taken(), kPassages);
  EXPECT_GE(pad.letters_typed(), 5) << "H, A, O, R and K through the picker";

  const std::u16string closing = u"おつかれさまでした\u3000このままでんげんをおきりください";
  pad.Reach(
      [&](const Form1&, const Form1& after) {
        return after.Scene().Label1().Visible == kTrue && after.Scene().Label1().Caption == closing;
      },
      "the closing message");
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  EXPECT_EQ(RoomOf(form), Room(-6, 2));

  pad.Tap(PadButton::kBack);
  EXPECT_EQ(form.Scene().Command1().Visible, kTrue);
  EXPECT_EQ(RoomOf(form), Room(0, 0));
  pad.Tap(PadButton::kStart);
  EXPECT_EQ(form.Scene().Command1().Visible, kFalse);
  EXPECT_EQ(form.Scene().Label2().Visible, kTrue);
}

}  // namespace
}  // namespace munyura::window_rules
