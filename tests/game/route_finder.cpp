#include "game/route_finder.h"

#include <array>
#include <cstring>
#include <deque>
#include <string_view>
#include <unordered_set>

#include "key_codes.h"

namespace munyura::testing {
namespace {

using K = Event::Kind;

// Everything that decides what the game does next, as bytes; the caption only shows what was read.
using StateKey = std::array<char, sizeof(GameState) + 4 * sizeof(std::uint32_t)>;

struct StateKeyHash {
  std::size_t operator()(const StateKey& key) const noexcept {
    return std::hash<std::string_view>{}({key.data(), key.size()});
  }
};

StateKey KeyOf(const Form1& form) {
  const scene::SceneControl& chick = form.Scene().Munyu();
  const scene::PictureRef& monument = form.Scene().Sekihi().Picture();
  const std::array<float, 2> place{chick.Left, chick.Top};
  const std::array<std::uint32_t, 2> pictures{chick.Picture() ? chick.Picture()->Handle() : 0U,
                                              monument ? monument->Handle() : 0U};
  StateKey key;
  std::memcpy(key.data(), &form.State(), sizeof(GameState));
  std::memcpy(key.data() + sizeof(GameState), &place, sizeof place);
  std::memcpy(key.data() + sizeof(GameState) + sizeof place, &pictures, sizeof pictures);
  return key;
}

Move Tap(std::int16_t key) {  // held over a tick
  return {{{K::kKeyDown, key}, {K::kTick}, {K::kKeyUp, key}}};
}

Move Press(std::int16_t key) {  // let go before it
  return {{{K::kKeyDown, key}, {K::kKeyUp, key}, {K::kTick}}};
}

const Move kWait{{{K::kTick}}};
const Move kHopArmedWithR{{{K::kKeyDown, kKeyR},
                           {K::kKeyUp, kKeyR},
                           {K::kKeyDown, kKeyK},
                           {K::kTick},
                           {K::kKeyUp, kKeyK}}};
const std::vector<Move> kMoves{Tap(kKeyLeft), Tap(kKeyRight), Tap(kKeyUp),  Tap(kKeyDown),
                               kWait,         Press(kKeyZ),   Press(kKeyH), Press(kKeyA),
                               Press(kKeyO),  kHopArmedWithR};

}  // namespace

void Play(Form1& form, const Event& event) {
  if (event.kind == K::kTick) {
    form.Timer1_Timer();
  } else if (event.kind == K::kKeyDown) {
    form.Form_KeyDown(event.key, 0);
  } else {
    form.Form_KeyUp(event.key, 0);
  }
}

void Play(Form1& form, const Move& move) {
  for (const Event& event : move.events) {
    Play(form, event);
  }
}

std::optional<std::vector<const Move*>> FindRoute(const Form1& start, const Goal& goal,
                                                  std::size_t max_states) {
  std::vector<std::pair<std::size_t, const Move*>> reached{{0, nullptr}};  // parent, move
  std::unordered_set<StateKey, StateKeyHash> seen{KeyOf(start)};
  std::deque<std::pair<std::size_t, Form1>> frontier{{0, start}};
  while (!frontier.empty() && reached.size() < max_states) {
    const auto [index, form] = std::move(frontier.front());
    frontier.pop_front();
    for (const Move& move : kMoves) {
      Form1 next = form;
      Play(next, move);
      const bool arrived = goal(form, next);
      // A shown message only makes the next Z hide it: kept hidden unless showing it is the goal.
      if (!arrived &&
          (next.Scene().Label1().Visible == kTrue || !seen.insert(KeyOf(next)).second)) {
        continue;
      }
      reached.push_back({index, &move});
      if (arrived) {
        std::vector<const Move*> route;
        for (std::size_t at = reached.size() - 1; at != 0; at = reached[at].first) {
          route.insert(route.begin(), reached[at].second);
        }
        return route;
      }
      frontier.emplace_back(reached.size() - 1, std::move(next));
    }
  }
  return std::nullopt;
}

}  // namespace munyura::testing
