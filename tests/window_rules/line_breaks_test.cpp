// The Japanese line-breaking rules, measured as full-width characters 10 wide
// and the rest 5, so that every case is worked out by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "window_rules/line_breaks.h"
#include "window_rules/utf16_text.h"

namespace munyura::window_rules {
namespace {

float StandInWidth(std::u16string_view line) {
  float width = 0;
  for (const CodePoint& point : CodePointsOf(line)) {
    const char32_t c = point.value;
    const bool half_width = c < 0x2E80 || (c >= 0xFF61 && c <= 0xFFDC);
    const bool combining = c == 0x3099 || c == 0x309A;
    width += combining ? 0.0F : half_width ? 5.0F : 10.0F;
  }
  return width;
}

// No line starts with a closing mark, small kana or a space, none ends with an opening bracket;
// beside these, the pairs that the wrapping cases below do not already meet.
TEST(BreakOpportunity, FollowsTheJapaneseRules) {
  const std::u32string kept_off_start =
      U"。、！？」』）】，．：；｡､｣ー・ｰ゛゜ﾞﾟ"
      U"ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶｧｨｩｪｫｬｭｮｯ"
      U"!?),.…‥ゝヽ々\u3099\u3000 ";
  for (const char32_t c : kept_off_start) {
    EXPECT_FALSE(MayStartLine(c)) << static_cast<std::uint32_t>(c);
  }
  for (const char32_t c : std::u32string(U"「『（【｢〔([")) {
    EXPECT_FALSE(MayEndLine(c)) << static_cast<std::uint32_t>(c);
    EXPECT_TRUE(MayStartLine(c)) << static_cast<std::uint32_t>(c);
  }
  const struct {
    char32_t previous;
    char32_t next;
    bool may_break;
  } cases[] = {
      {U'漢', U'字', true},       // kanji
      {U'。', U'あ', true},       // after a full stop
      {U'０', U'時', true},       // between a number and a kanji
      {U'z', U'キ', true},        // between a Latin letter and kana
      {U'\u3000', U'？', false},  // a mark kept off a line start, even after a space
      {U'—', U'—', false},        // dashes are set in pairs
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MayBreakBefore(c.previous, c.next), c.may_break)
        << static_cast<std::uint32_t>(c.previous) << " " << static_cast<std::uint32_t>(c.next);
  }
}

TEST(BreakLines, WrapsEachLineAsLongAsFitsWhereTheRulesAllow) {
  const struct {
    std::u16string_view text;
    float width;
    std::vector<std::u16string> lines;
  } cases[] = {
      // clang-format off
      // Any two kana; but the full stop may not start a line, so the character
      // before it goes with it, and small kana stay with the kana before them.
      {u"あいうえお", 30, {u"あいう", u"えお"}}, {u"あいう。えお", 30, {u"あい", u"う。え", u"お"}},
      {u"ちょっと", 30, {u"ちょっ", u"と"}}, {u"ﾊﾂﾞﾒｶﾗ", 10, {u"ﾊ", u"ﾂﾞ", u"ﾒｶ", u"ﾗ"}},
      // Brackets stay with what they enclose; an ideographic space ends its
      // line and takes no width there.
      {u"あ「いう」え", 20, {u"あ", u"「い", u"う」", u"え"}},
      {u"左にせよ\u3000石井", 40, {u"左にせよ\u3000", u"石井"}},
      // Latin words and numbers stay whole and wrap at spaces.
      {u"HELLO WORLD AB", 40, {u"HELLO ", u"WORLD AB"}}, {u"あ１０", 20, {u"あ", u"１０"}},
      {u"あいDEATHう", 30, {u"あい", u"DEATH", u"う"}},
      // A run too wide for the line is cut between characters, never inside
      // a combining sequence or a surrogate pair.
      {u"あABCDEFG", 20, {u"あ", u"ABCD", u"EFG"}}, {u"あい", 5, {u"あ", u"い"}},
      {u"か\u3099か\u3099", 5, {u"か\u3099", u"か\u3099"}},
      {u"\U0002000B\U0002000B", 10, {u"\U0002000B", u"\U0002000B"}},
      // Explicit line breaks are kept.
      {u"あい\r\nう\nえ\rお", 100, {u"あい", u"う", u"え", u"お"}}, {u"", 100, {}},
      {u"あ\r\n\r\nい", 100, {u"あ", u"", u"い"}}, {u"あいう\nえ", 20, {u"あい", u"う", u"え"}},
      // clang-format on
  };
  for (const auto& c : cases) {
    std::vector<std::u16string> texts;
    for (const BrokenLine& line : BreakLines(c.text, c.width, StandInWidth)) {
      texts.push_back(line.text);
    }
    EXPECT_EQ(texts, c.lines) << Utf8FromUtf16(c.text) << " in " << c.width;
  }
  // A line is measured without the spaces that end it.
  const std::vector<BrokenLine> measured = BreakLines(u"左にせよ\u3000石井 AB", 40, StandInWidth);
  EXPECT_EQ(measured.at(0).width, 40);
  EXPECT_EQ(measured.at(1).width, 35);
}

}  // namespace
}  // namespace munyura::window_rules
