// One visual element of the window and the properties the game reads and
// writes. Positions are single-precision pixels of the window's inner area.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "../runtime.h"
#include "scene_picture.h"

namespace munyura::scene {

enum class ControlKind { kPictureBox, kImage, kLabel, kCommandButton, kLine, kShape, kTimer };

struct FontSpec {
  std::u16string_view Face;
  float Size = 0;  // points
  bool Bold = false;
};

class SceneControl {
 public:
  ControlKind Kind = ControlKind::kShape;
  std::string_view Name;
  std::optional<std::int16_t> Index;  // set for members of a control array
  int Rank = 0;                       // 1 is drawn in front of everything

  float Left = 0;
  float Top = 0;
  float Width = 0;
  float Height = 0;
  float X1 = 0;  // lines only, end points in their stored order
  float Y1 = 0;
  float X2 = 0;
  float Y2 = 0;
  Bool16 Visible = kFalse;

  std::u16string Caption;      // labels and the button
  std::uint32_t BackColour{};  // &H00BBGGRR&
  FontSpec Font;
  int Interval = 0;  // timer, milliseconds
  Bool16 Enabled = kFalse;

  PictureRef Picture() const noexcept { return picture_; }

  // An image takes the size of the picture it is given; the picture is never
  // stretched. Clearing the picture leaves the size as it was.
  void SetPicture(PictureRef picture) {
    if (picture && Kind == ControlKind::kImage) {
      Width = static_cast<float>(picture->Width());
      Height = static_cast<float>(picture->Height());
    }
    picture_ = picture;
  }

 private:
  PictureRef picture_ = nullptr;
};

}  // namespace munyura::scene
