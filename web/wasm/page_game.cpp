#include "page_game.h"

#include <chrono>
#include <stdexcept>
#include <utility>

#include "window_rules/key_names.h"

namespace munyura::web {
namespace {

using Clock = window_rules::TickSchedule::Clock;

constexpr std::size_t kChickPictures = 4;
constexpr std::size_t kMonumentPictures = 30;

std::shared_ptr<const scene::PictureSet> MakePictures(std::span<const PictureSize> sizes) {
  if (sizes.size() != kChickPictures + kMonumentPictures) {
    throw std::invalid_argument("the page must give the sizes of 34 pictures");
  }
  auto pictures = std::make_shared<scene::PictureSet>();
  std::uint32_t handle = 1;
  const auto adopt = [&](std::size_t n) {
    return std::make_shared<const scene::ScenePicture>(handle++, sizes[n].width, sizes[n].height);
  };
  for (std::size_t n = 0; n < kChickPictures; ++n) {
    pictures->chick[n] = adopt(n);
  }
  for (std::size_t n = 0; n < kMonumentPictures; ++n) {
    pictures->monuments[n] = adopt(kChickPictures + n);
  }
  return pictures;
}

}  // namespace

Clock::time_point PageTime(double now_ms) {
  return Clock::time_point(std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double, std::milli>(now_ms)));
}

PageGame::PageGame(std::string folder, std::span<const PictureSize> sizes,
                   std::function<void()> play_tune, std::ostream& errors)
    : pictures_(MakePictures(sizes)),
      host_(std::move(folder), std::move(play_tune)),
      form_(*pictures_, host_),
      events_(form_, errors) {}

std::uint32_t PageGame::PictureHandle(std::size_t n) const {
  if (n < kChickPictures) {
    return pictures_->chick.at(n)->Handle();
  }
  return pictures_->monuments.at(n - kChickPictures)->Handle();
}

bool PageGame::Load(double now_ms) {
  const auto period = std::chrono::milliseconds(Scene().Timer1().Interval);
  schedule_.emplace(PageTime(now_ms), period);
  events_.Load();
  return true;
}

bool PageGame::TakeDueTick(double now_ms) {
  return schedule_ && schedule_->TakeDueTick(PageTime(now_ms));
}

bool PageGame::Tick() {
  events_.Tick();
  return true;
}

int PageGame::MillisecondsUntilNextTick(double now_ms) const {
  if (!schedule_) {
    return 0;
  }
  return window_rules::MillisecondsUntil(schedule_->NextDeadline(), PageTime(now_ms));
}

int PageGame::MillisecondsUntilNextRepeat(double now_ms) const {
  const auto due = held_.NextRepeatDue();
  if (!due) {
    return -1;
  }
  return window_rules::MillisecondsUntil(*due, PageTime(now_ms));
}

KeyResult PageGame::KeyDown(std::string_view code, std::string_view key, std::int16_t shift) {
  const auto virtual_key = window_rules::VirtualKeyOfKeyName(code, key);
  if (!virtual_key) {
    return {};
  }
  return {true, events_.KeyDown(*virtual_key, shift), *virtual_key};
}

KeyResult PageGame::KeyUp(std::string_view code, std::string_view key, std::int16_t shift) {
  const auto virtual_key = window_rules::VirtualKeyOfKeyName(code, key);
  if (!virtual_key) {
    return {};
  }
  return {true, events_.KeyUp(*virtual_key, shift), *virtual_key};
}

std::size_t PageGame::Label1Position() const noexcept {
  return static_cast<std::size_t>(&Scene().Label1() - Scene().Controls().data());
}

const std::vector<window_rules::BrokenLine>& PageGame::CaptionLines(
    std::size_t position, float width, const window_rules::LineWidth& measure) {
  const auto controls = Scene().Controls();
  if (position >= controls.size()) {
    throw std::out_of_range("no element at that position");
  }
  lines_ = window_rules::BreakLines(controls[position].Caption, width, measure);
  return lines_;
}

}  // namespace munyura::web
