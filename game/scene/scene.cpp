#include "scene.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace munyura::scene {
namespace {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
constexpr int kSingle = -1;
constexpr std::array<std::string_view, 4> kLineArrays{"Line1", "Line2", "Line3", "Line4"};

// `index` is kSingle for an element outside any control array.
std::size_t FindPosition(std::span<const SceneControl> controls, std::string_view name, int index) {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const int own_index = controls[i].Index ? *controls[i].Index : kSingle;
    if (controls[i].Name == name && own_index == index) {
      return i;
    }
  }
  return kNotFound;
}

bool IsArray(std::span<const SceneControl> controls, std::string_view name) {
  for (const SceneControl& control : controls) {
    if (control.Name == name) {
      return control.Index.has_value();
    }
  }
  throw std::invalid_argument("the window has no element named " + std::string(name));
}

}  // namespace

Scene::Scene(std::vector<SceneControl> controls, std::shared_ptr<const PictureSet> pictures)
    : controls_(std::move(controls)), pictures_(std::move(pictures)) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].Rank != static_cast<int>(i) + 1) {
      throw std::invalid_argument("scene controls must be given in rank order");
    }
  }
  munyu_ = PositionOf("Munyu", kSingle);
  sekihi_ = PositionOf("Sekihi", kSingle);
  label1_ = PositionOf("Label1", kSingle);
  label2_ = PositionOf("Label2", kSingle);
  command1_ = PositionOf("Command1", kSingle);
  shape1_ = PositionOf("Shape1", kSingle);
  shape2_ = PositionOf("Shape2", kSingle);
  timer1_ = PositionOf("Timer1", kSingle);
  for (std::int16_t i = 0; i < 4; ++i) {
    picture1_[static_cast<std::size_t>(i)] = PositionOf("Picture1", i);
  }
  for (std::int16_t i = 0; i < 30; ++i) {
    image2_[static_cast<std::size_t>(i)] = PositionOf("Image2", i);
  }
  for (std::size_t array = 0; array < 4; ++array) {
    for (std::int16_t i = 0; i < 2; ++i) {
      lines_[array][static_cast<std::size_t>(i)] = PositionOf(kLineArrays[array], i);
    }
  }
}

std::size_t Scene::PositionOf(std::string_view name, int index) const {
  const std::size_t position = FindPosition(controls_, name, index);
  if (position == kNotFound) {
    throw std::invalid_argument("the scene lacks " + std::string(name));
  }
  return position;
}

SceneControl& Scene::Find(std::string_view name) {
  return const_cast<SceneControl&>(std::as_const(*this).Find(name));
}

const SceneControl& Scene::Find(std::string_view name) const {
  if (IsArray(controls_, name)) {
    throw std::invalid_argument(std::string(name) + " is a control array and needs an index");
  }
  return controls_[FindPosition(controls_, name, kSingle)];
}

SceneControl& Scene::Find(std::string_view name, std::int16_t index) {
  return const_cast<SceneControl&>(std::as_const(*this).Find(name, index));
}

const SceneControl& Scene::Find(std::string_view name, std::int16_t index) const {
  if (!IsArray(controls_, name)) {
    throw std::invalid_argument(std::string(name) + " is not a control array");
  }
  // A negative index is outside every array, and must not match a single
  // element either.
  const std::size_t position = index < 0 ? kNotFound : FindPosition(controls_, name, index);
  if (position == kNotFound) {
    throw RuntimeError(ErrorNumber::kSubscriptOutOfRange);
  }
  return controls_[position];
}

SceneControl& Scene::Line(int array_number, std::int16_t i) {
  return const_cast<SceneControl&>(std::as_const(*this).Line(array_number, i));
}

const SceneControl& Scene::Line(int array_number, std::int16_t i) const {
  if (array_number < 1 || array_number > 4) {
    throw std::invalid_argument("the posts are Line1 to Line4");
  }
  return controls_[lines_[static_cast<std::size_t>(array_number - 1)][CheckedIndex(i, 2)]];
}

}  // namespace munyura::scene
