#include "scene/element_table.h"

#include <gtest/gtest.h>

#include <set>

#include "support/test_pictures.h"

namespace munyura::scene {
namespace {

using K = ControlKind;

struct Design {
  int rank;
  std::string_view name;
  int index;  // -1 for a single element
  ControlKind kind;
  float a, b, c, d;  // Left, Top, Width, Height; X1, Y1, X2, Y2 for lines
  Bool16 visible;
};

// Every element but Image2(1) to Image2(29), front-most first.
constexpr Design kDesigns[] = {
    {1, "Picture1", 3, K::kPictureBox, 136, 48, 49, 47, kFalse},
    {2, "Picture1", 2, K::kPictureBox, 88, 48, 47, 49, kFalse},
    {3, "Picture1", 1, K::kPictureBox, 88, 0, 49, 47, kFalse},
    {4, "Picture1", 0, K::kPictureBox, 40, 0, 47, 49, kFalse},
    {6, "Command1", -1, K::kCommandButton, 240, 128, 137, 49, kTrue},
    {7, "Label2", -1, K::kLabel, 568, 0, 53, 15, kTrue},
    {37, "Label1", -1, K::kLabel, 0, 248, 617, 129, kTrue},
    {38, "Munyu", -1, K::kImage, 280, 192, 50, 50, kTrue},
    {39, "Line4", 1, K::kLine, 616, 232, 568, 232, kFalse},
    {40, "Line3", 1, K::kLine, 0, 232, 48, 232, kFalse},
    {41, "Line3", 0, K::kLine, 0, 128, 48, 128, kFalse},
    {42, "Line4", 0, K::kLine, 616, 128, 568, 128, kFalse},
    {43, "Line2", 0, K::kLine, 256, 384, 256, 352, kFalse},
    {44, "Line2", 1, K::kLine, 384, 384, 384, 352, kFalse},
    {45, "Line1", 1, K::kLine, 376, 0, 376, 32, kFalse},
    {46, "Line1", 0, K::kLine, 248, 0, 248, 32, kFalse},
    {47, "Shape1", -1, K::kShape, 216, 32, 185, 89, kTrue},
    {48, "Shape2", -1, K::kShape, 16, 16, 585, 345, kTrue},
    {49, "Image2", 0, K::kImage, 424, 32, 150, 150, kFalse},
    {50, "Sekihi", -1, K::kImage, 232, 88, 150, 150, kFalse},
};

TEST(ElementTable, HoldsEveryElementWithItsDesignValues) {
  const Scene scene = BuildScene(testing::TestPictures());
  ASSERT_EQ(scene.Controls().size(), 50U);
  for (const Design& d : kDesigns) {
    const SceneControl& e = scene.Controls()[static_cast<std::size_t>(d.rank - 1)];
    SCOPED_TRACE(std::string(d.name) + "(" + std::to_string(d.index) + ")");
    EXPECT_EQ(e.Name, d.name);
    EXPECT_EQ(e.Index.value_or(-1), d.index);
    EXPECT_EQ(e.Kind, d.kind);
    EXPECT_EQ(e.Visible, d.visible);
    const auto geometry = d.kind == K::kLine ? std::array{e.X1, e.Y1, e.X2, e.Y2}
                                             : std::array{e.Left, e.Top, e.Width, e.Height};
    EXPECT_EQ(geometry, (std::array{d.a, d.b, d.c, d.d}));
  }
  const SceneControl& timer = scene.Controls()[4];
  EXPECT_EQ(timer.Kind, K::kTimer);
  EXPECT_EQ(timer.Interval, 60);
  EXPECT_EQ(timer.Enabled, kTrue);
}

TEST(ElementTable, StacksTheHiddenMonumentsAtTheUpperRight) {
  const Scene scene = BuildScene(testing::TestPictures());
  for (int rank = 8; rank <= 36; ++rank) {
    const SceneControl& e = scene.Controls()[static_cast<std::size_t>(rank - 1)];
    EXPECT_EQ(e.Name, "Image2");
    EXPECT_EQ(e.Index, 37 - rank);
    EXPECT_EQ(e.Visible, kFalse);
    EXPECT_TRUE(e.Left == 408 || e.Left == 416 || e.Left == 424) << e.Left;
    EXPECT_TRUE(e.Top == 32 || e.Top == 40) << e.Top;
    EXPECT_EQ(e.Picture()->Handle(), 200U + static_cast<unsigned>(*e.Index));
    EXPECT_EQ(e.Width, 150);
  }
}

TEST(ElementTable, GivesTheTextsFontsAndColours) {
  const Scene scene = BuildScene(testing::TestPictures());
  const SceneControl& button = scene.Command1();
  EXPECT_EQ(button.Caption, u"STRAT");
  EXPECT_EQ(button.BackColour, 0x000000FFU);
  EXPECT_EQ(button.Font.Face, u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");
  EXPECT_EQ(button.Font.Size, 21.75F);
  EXPECT_FALSE(button.Font.Bold);
  const SceneControl& restart = scene.Label2();
  EXPECT_EQ(restart.Caption, u"\uFF8A\uFF82\uFF9E\uFF92\uFF76\uFF97");
  EXPECT_EQ(restart.Font.Size, 11.25F);
  EXPECT_TRUE(restart.Font.Bold);
  const SceneControl& message = scene.Label1();
  EXPECT_EQ(message.Caption, u"");
  EXPECT_EQ(message.BackColour, 0x0000FF00U);
  EXPECT_EQ(message.Font.Size, 20.25F);
  EXPECT_EQ(message.Font.Face, button.Font.Face);
  EXPECT_EQ(scene.ScaleWidth(), 621);
  EXPECT_EQ(scene.ScaleHeight(), 380);
}

TEST(ElementTable, RefusesPicturesThatCannotBeToldApart) {
  PictureSet missing = testing::TestPictures();
  missing.monuments[29] = nullptr;
  EXPECT_THROW(BuildScene(missing), std::invalid_argument);
  PictureSet twins = testing::TestPictures();
  twins.monuments[7] = std::make_shared<ScenePicture>(twins.chick[0]->Handle(), 150, 150);
  EXPECT_THROW(BuildScene(twins), std::invalid_argument);
}

}  // namespace
}  // namespace munyura::scene
