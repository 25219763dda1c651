#include "element_table.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <vector>

namespace munyura::scene {
namespace {

constexpr std::int16_t kSingle = -1;

SceneControl Element(ControlKind kind, std::string_view name, std::int16_t index, float left,
                     float top, float width, float height, Bool16 visible) {
  SceneControl c;
  c.Kind = kind;
  c.Name = name;
  if (index != kSingle) {
    c.Index = index;
  }
  c.Left = left;
  c.Top = top;
  c.Width = width;
  c.Height = height;
  c.Visible = visible;
  return c;
}

SceneControl PictureBox(std::int16_t index, float left, float top, float width, float height,
                        PictureRef picture) {
  SceneControl c =
      Element(ControlKind::kPictureBox, "Picture1", index, left, top, width, height, kFalse);
  c.SetPicture(picture);
  return c;
}

SceneControl Image(std::string_view name, std::int16_t index, float left, float top, float width,
                   float height, Bool16 visible, PictureRef picture) {
  SceneControl c = Element(ControlKind::kImage, name, index, left, top, width, height, visible);
  c.SetPicture(picture);
  return c;
}

SceneControl Label(std::string_view name, float left, float top, float width, float height,
                   std::u16string_view caption, std::uint32_t back_colour, FontSpec font) {
  SceneControl c = Element(ControlKind::kLabel, name, kSingle, left, top, width, height, kTrue);
  c.Caption = caption;
  c.BackColour = back_colour;
  c.Font = font;
  return c;
}

SceneControl Button(std::string_view name, float left, float top, float width, float height,
                    std::u16string_view caption, std::uint32_t back_colour, FontSpec font) {
  SceneControl c = Label(name, left, top, width, height, caption, back_colour, font);
  c.Kind = ControlKind::kCommandButton;
  return c;
}

// Lines keep their end points in the order they were drawn: X2, Y2 is the
// post's inner end for the posts of the doorways.
SceneControl Line(std::string_view name, std::int16_t index, float x1, float y1, float x2,
                  float y2) {
  SceneControl c = Element(ControlKind::kLine, name, index, 0, 0, 0, 0, kFalse);
  c.X1 = x1;
  c.Y1 = y1;
  c.X2 = x2;
  c.Y2 = y2;
  return c;
}

SceneControl Shape(std::string_view name, float left, float top, float width, float height) {
  return Element(ControlKind::kShape, name, kSingle, left, top, width, height, kTrue);
}

SceneControl Timer(std::string_view name, int interval) {
  SceneControl c = Element(ControlKind::kTimer, name, kSingle, 0, 0, 0, 0, kFalse);
  c.Interval = interval;
  c.Enabled = kTrue;
  return c;
}

void CheckPictures(const PictureSet& pictures) {
  std::vector<std::uint32_t> handles;
  const auto collect = [&handles](std::span<const SharedPicture> set) {
    for (const SharedPicture& picture : set) {
      if (!picture) {
        throw std::invalid_argument("a picture of the window is missing");
      }
      handles.push_back(picture->Handle());
    }
  };
  collect(pictures.chick);
  collect(pictures.monuments);
  std::sort(handles.begin(), handles.end());
  if (std::adjacent_find(handles.begin(), handles.end()) != handles.end()) {
    throw std::invalid_argument("two pictures share a Handle");
  }
}

}  // namespace

Scene BuildScene(const PictureSet& picture_set) {
  CheckPictures(picture_set);
  auto pictures = std::make_shared<const PictureSet>(picture_set);
  const auto picture = [](const SharedPicture& shared) { return shared.get(); };
  const auto chick = [&](std::size_t facing) { return picture(pictures->chick[facing]); };
  const auto monument = [&](std::size_t n) { return picture(pictures->monuments[n]); };

  // Front-most first. Picture boxes and the button are child windows and are
  // drawn above everything else whatever their rank.
  std::vector<SceneControl> controls{
      PictureBox(3, 136, 48, 49, 47, chick(3)),  // facing left
      PictureBox(2, 88, 48, 47, 49, chick(2)),   // facing down
      PictureBox(1, 88, 0, 49, 47, chick(1)),    // facing right
      PictureBox(0, 40, 0, 47, 49, chick(0)),    // facing up
      Timer("Timer1", kTimerInterval),
      Button("Command1", 240, 128, 137, 49, u"STRAT", kRed, {kGothic, 21.75F, false}),
      Label("Label2", 568, 0, 53, 15, u"ﾊﾂﾞﾒｶﾗ", kWindowBackColour, {kGothic, 11.25F, true}),
  };
  // Image2(29) down to Image2(1) hold the monuments for Sekihi to borrow. They
  // are never shown, stacked at the upper right where they were designed.
  for (std::int16_t n = 29; n >= 1; --n) {
    controls.push_back(Image("Image2", n, static_cast<float>(408 + 8 * (n % 3)),
                             static_cast<float>(32 + 8 * (n % 2)), 150, 150, kFalse,
                             monument(static_cast<std::size_t>(n))));
  }
  std::vector<SceneControl> back{
      Label("Label1", 0, 248, 617, 129, u"", kGreen, {kGothic, 20.25F, false}),
      Image("Munyu", kSingle, 280, 192, 50, 50, kTrue, nullptr),
      Line("Line4", 1, 616, 232, 568, 232),
      Line("Line3", 1, 0, 232, 48, 232),
      Line("Line3", 0, 0, 128, 48, 128),
      Line("Line4", 0, 616, 128, 568, 128),
      Line("Line2", 0, 256, 384, 256, 352),
      Line("Line2", 1, 384, 384, 384, 352),
      Line("Line1", 1, 376, 0, 376, 32),
      Line("Line1", 0, 248, 0, 248, 32),
      Shape("Shape1", 216, 32, 185, 89),
      Shape("Shape2", 16, 16, 585, 345),
      Image("Image2", 0, 424, 32, 150, 150, kFalse, monument(0)),
      Image("Sekihi", kSingle, 232, 88, 150, 150, kFalse, nullptr),
  };
  controls.insert(controls.end(), back.begin(), back.end());
  for (std::size_t i = 0; i < controls.size(); ++i) {
    controls[i].Rank = static_cast<int>(i) + 1;
  }
  return Scene(std::move(controls), std::move(pictures));
}

}  // namespace munyura::scene
