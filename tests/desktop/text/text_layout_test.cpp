// Every inscription laid out in its real font: each fits Label1, none loses
// a character, and no line starts with what the rules keep off a line start.
// The instructions, ﾊﾂﾞﾒｶﾗ and the button's unbroken caption are pinned by
// the window's reference images.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "desktop/text/caption_fonts_for_tests.h"
#include "desktop/text/text_layout.h"
#include "window_rules/utf16_text.h"
#include "world/inscriptions.h"

namespace munyura::desktop {
namespace {

using testing::Fonts;

// The lines join up to the caption and none is wider than `width`; each break
// is one the rules allow, unless a run had to be cut for want of any.
void ExpectWrapped(const LaidOutText& text, std::u16string_view caption, float width,
                   bool by_the_rules) {
  std::u16string joined;
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    const std::u16string& line = text.lines[i].text;
    SCOPED_TRACE(window_rules::Utf8FromUtf16(line));
    ASSERT_FALSE(line.empty());
    EXPECT_LE(text.lines[i].width, width);
    if (i > 0 && by_the_rules) {
      const char32_t first = window_rules::CodePointsOf(line).front().value;
      const char32_t last = window_rules::CodePointsOf(text.lines[i - 1].text).back().value;
      EXPECT_TRUE(window_rules::MayBreakBefore(last, first));
    }
    joined += line;
  }
  EXPECT_EQ(joined, caption);
  EXPECT_EQ(text.height, text.line_height * static_cast<float>(text.lines.size()));
}

TEST(CaptionLayout, EveryInscriptionFitsLabel1AndWrapsInNarrowerWidths) {
  const scene::FontSpec font = testing::DesignedWindow().Label1().Font;
  int wrapped = 0;
  for (const float width : {617.0F, 400.0F, 300.0F, 60.0F}) {
    for (std::int16_t monument = 0; monument < 30; ++monument) {
      SCOPED_TRACE(::testing::Message() << monument << " in " << width);
      const std::u16string_view caption = world::Inscription(monument);
      const LaidOutText text = LayOut(Fonts(), caption, font, width);
      ExpectWrapped(text, caption, width, width >= 300);
      EXPECT_EQ(text.line_height, 27);
      if (width == 617.0F) {
        EXPECT_LE(text.height, testing::DesignedWindow().Label1().Height);
        wrapped += text.lines.size() > 1;
      }
    }
  }
  EXPECT_GE(wrapped, 3) << "the longest are wider than the band";
}

}  // namespace
}  // namespace munyura::desktop
