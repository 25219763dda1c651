#include "game/route_finder.h"

#include <array>
#include <cstring>
#include <deque>
#include <unordered_set>

#include "key_codes.h"

namespace munyura::testing {
namespace {

// Everything that decides what the game does next. The caption is left out:
// it shows what was read but changes nothing.
using StateKey = std::array<std::uint32_t, 7>;

struct StateKeyHash {
  std::size_t operator()(const StateKey& key) const noexcept {
    std::size_t hash = 0;
    for (const std::uint32_t word : key) {
      hash = hash * 1000003U ^ word;
    }
    return hash;
  }
};

// The float's bits (std::bit_cast, which the WebAssembly build's library
// lacks).
std::uint32_t BitsOf(float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

StateKey KeyOf(const Form1& form) {
  const scene::Scene& scene = form.Scene();
  const scene::SceneControl& chick = scene.Munyu();
  const GameState& state = form.State();
  return {
      static_cast<std::uint16_t>(state.RoomX),
      static_cast<std::uint16_t>(state.RoomY),
      BitsOf(chick.Left),
      BitsOf(chick.Top),
      chick.Picture() ? chick.Picture()->Handle() : 0U,
      scene.Sekihi().Picture() ? scene.Sekihi().Picture()->Handle() : 0U,
      static_cast<std::uint32_t>((state.MoveKey[0] & 1) | (state.MoveKey[1] & 2) |
                                 (state.MoveKey[2] & 4) | (state.MoveKey[3] & 8) |
                                 (state.ComboKey[0] & 16) | (state.ComboKey[1] & 32)),
  };
}

}  // namespace

const std::vector<Move>& PlayerMoves() {
  using K = Event::Kind;
  const auto tap = [](std::string name, std::int16_t key) {  // held over a tick
    return Move{std::move(name), {{K::kKeyDown, key}, {K::kTick}, {K::kKeyUp, key}}};
  };
  const auto press = [](std::string name, std::int16_t key) {  // let go before it
    return Move{std::move(name), {{K::kKeyDown, key}, {K::kKeyUp, key}, {K::kTick}}};
  };
  static const std::vector<Move> moves{tap("Left", kKeyLeft),
                                       tap("Right", kKeyRight),
                                       tap("Up", kKeyUp),
                                       tap("Down", kKeyDown),
                                       {"wait", {{K::kTick}}},
                                       press("Z", kKeyZ),
                                       press("H", kKeyH),
                                       press("A", kKeyA),
                                       press("O", kKeyO),
                                       {"R+K",
                                        {{K::kKeyDown, kKeyR},
                                         {K::kKeyUp, kKeyR},
                                         {K::kKeyDown, kKeyK},
                                         {K::kTick},
                                         {K::kKeyUp, kKeyK}}}};
  return moves;
}

void Play(Form1& form, const Event& event) {
  switch (event.kind) {
    case Event::Kind::kKeyDown:
      form.Form_KeyDown(event.key, 0);
      break;
    case Event::Kind::kKeyUp:
      form.Form_KeyUp(event.key, 0);
      break;
    case Event::Kind::kTick:
      form.Timer1_Timer();
      break;
  }
}

void Play(Form1& form, const Move& move) {
  for (const Event& event : move.events) {
    Play(form, event);
  }
}

std::optional<std::vector<const Move*>> FindRoute(const Form1& start, const Goal& goal,
                                                  std::size_t max_states) {
  struct Reached {
    std::size_t parent;
    const Move* move;
  };
  std::vector<Reached> reached{{0, nullptr}};
  std::unordered_set<StateKey, StateKeyHash> seen{KeyOf(start)};
  std::deque<std::pair<std::size_t, Form1>> frontier{{0, start}};

  while (!frontier.empty() && reached.size() < max_states) {
    auto [index, form] = std::move(frontier.front());
    frontier.pop_front();
    for (const Move& move : PlayerMoves()) {
      Form1 next = form;
      Play(next, move);
      const bool arrived = goal(form, next);
      // A route keeps the message hidden unless showing it is the goal: a
      // shown message only makes the next Z hide it.
      const bool message_shown = next.Scene().Label1().Visible == kTrue;
      if (!arrived && (message_shown || !seen.insert(KeyOf(next)).second)) {
        continue;
      }
      reached.push_back({index, &move});
      if (arrived) {
        std::vector<const Move*> route;
        for (std::size_t at = reached.size() - 1; at != 0; at = reached[at].parent) {
          route.insert(route.begin(), reached[at].move);
        }
        return route;
      }
      frontier.emplace_back(reached.size() - 1, std::move(next));
    }
  }
  return std::nullopt;
}

}  // namespace munyura::testing
