// Random keys, auto-repeats, releases, ticks, clicks: whatever a player does, the game stays whole.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "form1.h"
#include "game/route_finder.h"
#include "key_codes.h"
#include "support/test_pictures.h"
#include "world/room_table.h"

namespace munyura {
namespace {

constexpr std::int16_t kKeys[] = {kKeyLeft, kKeyRight, kKeyUp, kKeyDown, kKeyLeft, kKeyRight,
                                  kKeyUp,   kKeyDown,  kKeyZ,  kKeyH,    kKeyA,    kKeyO,
                                  kKeyK,    kKeyR,     kKeyL,  32,       13,       16};

void ExpectWhole(const Form1& form) {
  const GameState& state = form.State();
  for (const Bool16 flag : {state.MoveKey[0], state.MoveKey[1], state.MoveKey[2], state.MoveKey[3],
                            state.ComboKey[0], state.ComboKey[1]}) {
    ASSERT_TRUE(flag == kTrue || flag == kFalse) << flag;
  }
  ASSERT_NE(world::FindRoom(state.RoomX, state.RoomY), nullptr)
      << state.RoomX << "," << state.RoomY;
  const scene::Scene& scene = form.Scene();
  for (int array = 1; array <= 4; ++array) {
    ASSERT_EQ(scene.Line(array, 0).Visible, scene.Line(array, 1).Visible) << "Line" << array;
  }
  for (const scene::SceneControl& control : scene.Controls()) {
    ASSERT_TRUE(control.Visible == kTrue || control.Visible == kFalse) << control.Name;
  }
}

using testing::Room;

// From the start through the hidden passages to the far rooms, a room at a time: short searches.
constexpr Room kTour[] = {{-1, 0}, {-1, 1}, {-1, 2}, {-1, 3}, {-2, 3}, {-2, 2}, {-3, 2}, {-4, 2},
                          {-5, 2}, {-6, 2}, {-5, 2}, {-4, 2}, {-4, 3}, {-4, 4}, {-4, 5}, {-3, 5}};
// Where the streams begin, in tour order.
const std::set<Room> kStreamStarts{{0, 0},  {-1, 1}, {-1, 3}, {-2, 3},
                                   {-5, 2}, {-6, 2}, {-4, 4}, {-3, 5}};

TEST(RandomEvents, AMillionEventsOfAnyKindKeepTheGameWhole) {
  testing::CountingHost host;
  Form1 tour(testing::TestPictures(), host);
  tour.Form_Load();
  tour.Command1_Click();
  std::vector<Form1> starts{tour};
  for (const Room& room : kTour) {
    const auto route = testing::FindRoute(tour, testing::IntoRoom(room));
    ASSERT_TRUE(route) << "no way into " << room.first << "," << room.second;
    for (const testing::Move* move : *route) {
      testing::Play(tour, *move);
    }
    if (kStreamStarts.contains(room) && starts.size() < kStreamStarts.size()) {
      starts.push_back(tour);
    }
  }
  ASSERT_EQ(starts.size(), kStreamStarts.size());

  std::set<Room> rooms_seen;
  unsigned seed = 0;
  for (Form1& form : starts) {
    std::mt19937 random(++seed);
    const auto chance = [&random](int per_mille) {
      return std::uniform_int_distribution<int>(0, 999)(random) < per_mille;
    };
    std::vector<std::int16_t> held;
    for (int i = 0; i < 125000; ++i) {
      try {
        if (chance(450)) {
          form.Timer1_Timer();
        } else if (!held.empty() && (chance(500) || held.size() > 2)) {
          // An auto-repeat of a held key, or its release.
          const std::size_t which = random() % held.size();
          if (chance(800)) {
            form.Form_KeyDown(held[which], 0);
          } else {
            form.Form_KeyUp(held[which], 0);
            held.erase(held.begin() + static_cast<std::ptrdiff_t>(which));
          }
        } else if (chance(995)) {
          const std::int16_t key = kKeys[random() % std::size(kKeys)];
          form.Form_KeyDown(key, static_cast<std::int16_t>(random() % 8));
          held.push_back(key);
        } else if (form.Scene().Command1().Visible == kTrue) {
          form.Command1_Click();
        } else if (chance(50)) {
          form.Label2_Click();
        }
      } catch (const RuntimeError& e) {
        FAIL() << "run-time error " << static_cast<int>(e.Number()) << " after " << i
               << " events of seed " << seed;
      }
      ExpectWhole(form);
      ASSERT_FALSE(HasFatalFailure());
      rooms_seen.insert(testing::RoomOf(form));
    }
  }
  EXPECT_GE(rooms_seen.size(), 20U) << "the streams wander well beyond the start rooms";
  RecordProperty("rooms", static_cast<int>(rooms_seen.size()));
}

}  // namespace
}  // namespace munyura
