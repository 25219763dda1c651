// The window's fixed set of elements, in drawing order, with lookups by name
// and by control-array index. Elements are never added or removed; the game
// only changes their properties.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "scene_control.h"

namespace munyura::scene {

// The window itself.
inline constexpr std::u16string_view kWindowCaption = u"ムニュラ";
inline constexpr std::uint32_t kWindowBackColour = 0x00FFFFFF;
inline constexpr float kScaleWidth = 621;
inline constexpr float kScaleHeight = 380;

class Scene {
 public:
  // Controls are given front-most first; their Rank must match that order.
  // Their pictures belong to `pictures`, which lives as long as any copy of
  // the scene does.
  Scene(std::vector<SceneControl> controls, std::shared_ptr<const PictureSet> pictures);

  float ScaleWidth() const noexcept { return kScaleWidth; }
  float ScaleHeight() const noexcept { return kScaleHeight; }

  // Front-most first: the order in which elements cover one another.
  std::span<const SceneControl> Controls() const noexcept { return controls_; }

  // A single element by name, or an array element by name and index. An index
  // outside the array raises "Subscript out of range"; a name the window does
  // not have is a mistake in the program and throws std::invalid_argument.
  SceneControl& Find(std::string_view name);
  const SceneControl& Find(std::string_view name) const;
  SceneControl& Find(std::string_view name, std::int16_t index);
  const SceneControl& Find(std::string_view name, std::int16_t index) const;

  SceneControl& Munyu() { return controls_[munyu_]; }
  const SceneControl& Munyu() const { return controls_[munyu_]; }
  SceneControl& Sekihi() { return controls_[sekihi_]; }
  const SceneControl& Sekihi() const { return controls_[sekihi_]; }
  SceneControl& Label1() { return controls_[label1_]; }
  const SceneControl& Label1() const { return controls_[label1_]; }
  SceneControl& Label2() { return controls_[label2_]; }
  const SceneControl& Label2() const { return controls_[label2_]; }
  SceneControl& Command1() { return controls_[command1_]; }
  const SceneControl& Command1() const { return controls_[command1_]; }
  SceneControl& Shape1() { return controls_[shape1_]; }
  const SceneControl& Shape1() const { return controls_[shape1_]; }
  SceneControl& Shape2() { return controls_[shape2_]; }
  const SceneControl& Shape2() const { return controls_[shape2_]; }
  const SceneControl& Timer1() const { return controls_[timer1_]; }

  SceneControl& Picture1(std::int16_t i) { return controls_[picture1_[CheckedIndex(i, 4)]]; }
  const SceneControl& Picture1(std::int16_t i) const {
    return controls_[picture1_[CheckedIndex(i, 4)]];
  }
  SceneControl& Image2(std::int16_t i) { return controls_[image2_[CheckedIndex(i, 30)]]; }
  const SceneControl& Image2(std::int16_t i) const {
    return controls_[image2_[CheckedIndex(i, 30)]];
  }

  // The posts Line1 to Line4, by array number (1 to 4) and index (0 or 1).
  SceneControl& Line(int array_number, std::int16_t i);
  const SceneControl& Line(int array_number, std::int16_t i) const;
  SceneControl& Line1(std::int16_t i) { return Line(1, i); }
  SceneControl& Line2(std::int16_t i) { return Line(2, i); }
  SceneControl& Line3(std::int16_t i) { return Line(3, i); }
  SceneControl& Line4(std::int16_t i) { return Line(4, i); }
  const SceneControl& Line1(std::int16_t i) const { return Line(1, i); }
  const SceneControl& Line2(std::int16_t i) const { return Line(2, i); }
  const SceneControl& Line3(std::int16_t i) const { return Line(3, i); }
  const SceneControl& Line4(std::int16_t i) const { return Line(4, i); }

 private:
  std::size_t PositionOf(std::string_view name, int index) const;

  // Positions in controls_, so that a copied Scene stays self-contained.
  std::vector<SceneControl> controls_;
  std::shared_ptr<const PictureSet> pictures_;
  std::size_t munyu_, sekihi_, label1_, label2_, command1_, shape1_, shape2_, timer1_;
  std::array<std::size_t, 4> picture1_{};
  std::array<std::size_t, 30> image2_{};
  std::array<std::array<std::size_t, 2>, 4> lines_{};
};

}  // namespace munyura::scene
