// Every caption of the game laid out in its real font: each fits its
// control, none loses a character, and no line starts with what the rules
// keep off a line start.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "desktop/text/caption_fonts_for_tests.h"
#include "desktop/text/control_painter.h"
#include "desktop/text/text_layout.h"
#include "scene/element_table.h"
#include "scene/screens.h"
#include "support/test_pictures.h"
#include "window_rules/utf16_text.h"
#include "world/inscriptions.h"

namespace munyura::desktop {

using window_rules::CodePointsOf;
using window_rules::MayBreakBefore;
using window_rules::MayStartLine;
using window_rules::Utf8FromUtf16;
namespace {

const scene::Scene& Window() {
  static const scene::Scene window = scene::BuildScene(testing::TestPictures());
  return window;
}

std::string Printable(std::u16string_view text) {
  return Utf8FromUtf16(text);
}

// The lines join up to the caption, and each line break is one the rules allow.
void ExpectWrappedByTheRules(const LaidOutText& text, std::u16string_view caption) {
  std::u16string joined;
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    const std::u16string& line = text.lines[i].text;
    ASSERT_FALSE(line.empty()) << "line " << i;
    if (i > 0) {
      const char32_t first = CodePointsOf(line).front().value;
      const char32_t last = CodePointsOf(text.lines[i - 1].text).back().value;
      EXPECT_TRUE(MayStartLine(first)) << "line " << i << ": " << Printable(line);
      EXPECT_TRUE(MayBreakBefore(last, first)) << "line " << i << ": " << Printable(line);
    }
    joined += line;
  }
  EXPECT_EQ(joined, caption);
}

void ExpectFits(const LaidOutText& text, const scene::SceneControl& control) {
  EXPECT_LE(text.width, control.Width);
  EXPECT_LE(text.height, control.Height);
}

TEST(CaptionLayout, EveryInscriptionFitsLabel1) {
  scene::SceneControl label = Window().Label1();
  int wrapped = 0;
  for (std::int16_t monument = 0; monument < 30; ++monument) {
    SCOPED_TRACE(monument);
    label.Caption = world::Inscription(monument);
    const LaidOutText text = LabelCaption(testing::Fonts(), label);
    ExpectFits(text, label);
    ExpectWrappedByTheRules(text, label.Caption);
    wrapped += text.lines.size() > 1;
  }
  // The longest are wider than the band and must wrap.
  EXPECT_GE(wrapped, 3);
}

TEST(CaptionLayout, TheInstructionsFitLabel1OnOneLine) {
  scene::SceneControl label = Window().Label1();
  label.Caption = scene::kInstructions;
  const LaidOutText text = LabelCaption(testing::Fonts(), label);
  ExpectFits(text, label);
  ASSERT_EQ(text.lines.size(), 1u);
  EXPECT_EQ(text.line_height, 27);
}

TEST(CaptionLayout, TheRestartLabelAndTheStartButtonFitOnOneLine) {
  for (const scene::SceneControl* control : {&Window().Label2(), &Window().Command1()}) {
    SCOPED_TRACE(control->Name);
    const LaidOutText text = control->Kind == scene::ControlKind::kCommandButton
                                 ? ButtonCaption(testing::Fonts(), *control)
                                 : LabelCaption(testing::Fonts(), *control);
    ExpectFits(text, *control);
    ASSERT_EQ(text.lines.size(), 1u);
    EXPECT_EQ(text.lines[0].text, control->Caption);
  }
  EXPECT_EQ(Window().Command1().Caption, u"STRAT");
  EXPECT_EQ(Window().Label2().Caption, u"ﾊﾂﾞﾒｶﾗ");
}

TEST(CaptionLayout, WrapsInsideANarrowWidthByTheRules) {
  const scene::FontSpec font = Window().Label1().Font;
  for (const float width : {400.0F, 300.0F}) {
    for (std::int16_t monument = 0; monument < 30; ++monument) {
      SCOPED_TRACE(::testing::Message() << monument << " in " << width);
      const std::u16string_view caption = world::Inscription(monument);
      const LaidOutText text = LayOut(testing::Fonts(), caption, font, width);
      EXPECT_LE(text.width, width);
      EXPECT_EQ(text.height, 27.0F * static_cast<float>(text.lines.size()));
      ExpectWrappedByTheRules(text, caption);
    }
  }
  // 31 characters of about 27 pixels each.
  EXPECT_GE(LayOut(testing::Fonts(), world::Inscription(0), font, 300).lines.size(), 3u);
}

TEST(CaptionLayout, CutsRunsWiderThanTheLineRatherThanOverflow) {
  // "ｼｭｩｩｩｰｯ!!" has no break opportunity and is wider than 60 pixels.
  const std::u16string_view caption = world::Inscription(27);
  const LaidOutText text = LayOut(testing::Fonts(), caption, Window().Label1().Font, 60);
  std::u16string joined;
  for (const BrokenLine& line : text.lines) {
    EXPECT_LE(line.width, 60) << Printable(line.text);
    joined += line.text;
  }
  EXPECT_EQ(joined, caption);
}

}  // namespace
}  // namespace munyura::desktop
