// Times the game's own event loop: the real window, scene and handlers, with
// an observer that notes when each tick runs and when the first frame is on
// screen. Prints the tick period, drift, jitter and time to the first frame.
//
// Usage: loop_bench [ticks]   (needs a display; bench/run.sh provides one)
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "desktop/window/game_session.h"
#include "scene/element_table.h"

namespace {

using namespace munyura;
using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

class TickRecorder final : public desktop::LoopObserver {
 public:
  explicit TickRecorder(std::size_t ticks) : wanted_(ticks) { ticks_.reserve(ticks); }

  void TickRan(Clock::time_point when, const Form1& /*form*/) override {
    ticks_.push_back(when);
    if (ticks_.size() == wanted_) {
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
    }
  }
  void FramePresented(Clock::time_point when) override {
    if (!first_frame_) {
      first_frame_ = when;
    }
  }

  const std::vector<Clock::time_point>& Ticks() const { return ticks_; }
  Clock::time_point FirstFrame() const { return *first_frame_; }

 private:
  std::size_t wanted_;
  std::vector<Clock::time_point> ticks_;
  std::optional<Clock::time_point> first_frame_;
};

// Tick k is due one Timer1 interval after tick k - 1 was due; the first tick's own delay
// is unknown from outside the loop, so the schedule is measured from it.
void Report(const TickRecorder& recorder, Clock::time_point launched) {
  const auto& ticks = recorder.Ticks();
  const double period = scene::kTimerInterval;
  std::vector<double> lateness;
  for (std::size_t k = 0; k < ticks.size(); ++k) {
    const auto deadline = ticks.front() + std::chrono::milliseconds(scene::kTimerInterval * k);
    lateness.push_back(Milliseconds(ticks[k] - deadline).count());
  }
  const double mean_period =
      Milliseconds(ticks.back() - ticks.front()).count() / static_cast<double>(ticks.size() - 1);
  std::vector<double> sorted = lateness;
  std::sort(sorted.begin(), sorted.end());
  const auto percentile = [&](double p) {
    return sorted[static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1))];
  };
  std::printf("ticks                 %zu\n", ticks.size());
  std::printf("mean period           %.3f ms (%+.3f %% from %d ms)\n", mean_period,
              100.0 * (mean_period - period) / period, scene::kTimerInterval);
  std::printf("drift at the last     %.3f ms behind its deadline\n", lateness.back());
  std::printf("lateness median       %.3f ms\n", percentile(0.5));
  std::printf("lateness 99th pct     %.3f ms\n", percentile(0.99));
  std::printf("lateness worst        %.3f ms\n", sorted.back());
  std::printf("start to first frame  %.1f ms\n",
              Milliseconds(recorder.FirstFrame() - launched).count());
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto launched = Clock::now();
  const std::size_t ticks = argc > 1 ? std::stoul(argv[1]) : 1000;
  try {
    TickRecorder recorder(std::max<std::size_t>(ticks, 2));
    desktop::PlayGame(std::cerr, recorder);
    Report(recorder, launched);
  } catch (const std::exception& error) {
    std::cerr << "loop_bench: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
