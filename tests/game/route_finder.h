// How to play from one moment to another, found breadth first among the player's moves by the
// game's own rules: a route exists when they allow it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "form1.h"

namespace munyura::testing {

struct Event {
  enum class Kind { kKeyDown, kKeyUp, kTick } kind;
  std::int16_t key = 0;
};

// A few events in a row: tap an arrow over a tick, wait a tick, press Z, H, A or O and wait a
// tick, or arm R, then hold K over a tick.
struct Move {
  std::vector<Event> events;
};

void Play(Form1& form, const Event& event);
void Play(Form1& form, const Move& move);

using Goal = std::function<bool(const Form1& before, const Form1& after)>;
using Room = std::pair<std::int16_t, std::int16_t>;

inline Room RoomOf(const Form1& form) {
  return {form.State().RoomX, form.State().RoomY};
}

inline Goal IntoRoom(Room room) {
  return [room](const Form1&, const Form1& after) { return RoomOf(after) == room; };
}

// The five passages, as the rooms they join through a closed doorway.
inline const std::map<Room, Room> kPassages{
    {{-1, 1}, {-1, 2}},  // Z
    {{-2, 3}, {-2, 2}},  // H
    {{-4, 3}, {-4, 2}},  // A
    {{-4, 4}, {-4, 5}},  // O
    {{-5, 2}, {-6, 2}},  // K with R
};

// The fewest moves from `start` (Label1 hidden) through one for which `goal` holds, Label1 kept
// hidden on the way; nullopt when none is among the first `max_states` states reached.
std::optional<std::vector<const Move*>> FindRoute(const Form1& start, const Goal& goal,
                                                  std::size_t max_states = 500000);

}  // namespace munyura::testing
