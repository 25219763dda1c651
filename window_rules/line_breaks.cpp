#include "window_rules/line_breaks.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "window_rules/utf16_text.h"

namespace munyura::window_rules {
namespace {

struct Range {
  char32_t first;
  char32_t last;
};

bool InAny(std::span<const Range> ranges, char32_t c) {
  return std::ranges::any_of(ranges, [c](const Range& r) { return c >= r.first && c <= r.last; });
}

bool IsOneOf(std::u32string_view set, char32_t c) {
  return set.find(c) != std::u32string_view::npos;
}

bool IsLineSpace(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\u3000';
}

constexpr std::array kCombiningMarks{
    Range{0x0300, 0x036F}, Range{0x0483, 0x0489},   Range{0x1AB0, 0x1AFF},   Range{0x1DC0, 0x1DFF},
    Range{0x200C, 0x200D}, Range{0x20D0, 0x20FF},   Range{0x3099, 0x309A},   Range{0xFE00, 0xFE0F},
    Range{0xFE20, 0xFE2F}, Range{0x1F3FB, 0x1F3FF}, Range{0xE0100, 0xE01EF},
};

bool IsCombiningMark(char32_t c) {
  return InAny(kCombiningMarks, c);
}

// Closing brackets and quotes, stops and commas, marks that end a sentence,
// small kana, prolonged sound marks, iteration and voicing marks, middle
// dots, hyphens and units that follow a number; full-width and half-width.
constexpr std::u32string_view kClosing =
    U"!),.:;?]}°’”‐–‥…‼′″⁇⁈⁉℃"
    U"、。々〉》」』】〕〗〙〛〜〞〟〻"
    U"ぁぃぅぇぉっゃゅょゎゕゖ゛゜ゝゞ"
    U"゠ァィゥェォッャュョヮヵヶ・ーヽヾ"
    U"！），．：；？］｝｠"
    U"｡｣､･ｧｨｩｪｫｬｭｮｯｰﾞﾟ";
constexpr std::array kSmallKatakanaExtension{Range{0x31F0, 0x31FF}};

// Opening brackets and quotes, full-width and half-width.
constexpr std::u32string_view kOpening = U"([{‘“〈《「『【〔〖〘〚〝（［｛｟｢";

// Scripts and symbols written without spaces between words: a line may wrap
// on either side of them. Full-width Latin letters and digits are left out;
// they make words like the half-width ones.
constexpr std::array kIdeographic{
    Range{0x203B, 0x203B}, Range{0x2190, 0x21FF}, Range{0x2460, 0x24FF},   Range{0x2500, 0x27BF},
    Range{0x2E80, 0x2FDF}, Range{0x3000, 0x303F}, Range{0x3040, 0x30FF},   Range{0x3100, 0x312F},
    Range{0x3190, 0x31FF}, Range{0x3200, 0x33FF}, Range{0x3400, 0x4DBF},   Range{0x4E00, 0x9FFF},
    Range{0xF900, 0xFAFF}, Range{0xFE30, 0xFE4F}, Range{0xFF01, 0xFF0F},   Range{0xFF1A, 0xFF20},
    Range{0xFF3B, 0xFF40}, Range{0xFF5B, 0xFFEF}, Range{0x1F000, 0x1FAFF}, Range{0x20000, 0x3FFFF},
};

bool IsIdeographic(char32_t c) {
  return InAny(kIdeographic, c);
}

// Dashes and leaders that are set in pairs and never split.
bool IsInseparablePair(char32_t previous, char32_t next) {
  return previous == next && IsOneOf(U"—―‥…", previous);
}

struct Fit {
  std::size_t end = 0;
  float width = 0;
};

class ParagraphWrapper {
 public:
  ParagraphWrapper(std::u16string_view paragraph, float width, const LineWidth& measure)
      : paragraph_(paragraph), points_(CodePointsOf(paragraph)), width_(width), measure_(measure) {}

  void AppendLinesTo(std::vector<BrokenLine>& lines) const {
    if (points_.empty()) {
      lines.emplace_back();
      return;
    }
    for (std::size_t start = 0; start < points_.size();) {
      const std::optional<Fit> at_break = FitAtBreaks(start);
      const Fit fit = at_break ? *at_break : FitAnywhere(start);
      lines.push_back({std::u16string(TextOf(start, fit.end)), fit.width});
      start = fit.end;
    }
  }

 private:
  std::u16string_view TextOf(std::size_t from, std::size_t to) const {
    return paragraph_.substr(points_[from].begin, points_[to - 1].end - points_[from].begin);
  }

  // Spaces that end a line hang past its width.
  float WidthOf(std::size_t from, std::size_t to) const {
    while (to > from && IsLineSpace(points_[to - 1].value)) {
      --to;
    }
    return to == from ? 0.0F : measure_(TextOf(from, to));
  }

  char32_t At(std::size_t i) const { return points_[i].value; }

  // The longest line from `start` that ends at a break opportunity, if any
  // fits. Lines only grow wider as they take in more, so the search stops at
  // the first that does not fit.
  std::optional<Fit> FitAtBreaks(std::size_t start) const {
    std::optional<Fit> best;
    for (std::size_t end = start + 1; end <= points_.size(); ++end) {
      if (end < points_.size() && !MayBreakBefore(At(end - 1), At(end))) {
        continue;
      }
      const float width = WidthOf(start, end);
      if (width > width_) {
        break;
      }
      best = Fit{end, width};
    }
    return best;
  }

  // For a run too wide to break by the rules: as many characters as fit, at
  // least one, never parting a character from its combining marks.
  Fit FitAnywhere(std::size_t start) const {
    const auto can_cut_before = [this](std::size_t end) {
      return end == points_.size() || (!IsCombiningMark(At(end)) && !IsLineSpace(At(end)));
    };
    std::optional<Fit> best;
    for (std::size_t end = start + 1; end <= points_.size(); ++end) {
      if (!can_cut_before(end)) {
        continue;
      }
      const float width = WidthOf(start, end);
      if (width > width_) {
        break;
      }
      best = Fit{end, width};
    }
    if (best) {
      return *best;
    }
    std::size_t end = start + 1;
    while (!can_cut_before(end)) {
      ++end;
    }
    return Fit{end, WidthOf(start, end)};
  }

  std::u16string_view paragraph_;
  std::vector<CodePoint> points_;
  float width_;
  const LineWidth& measure_;
};

}  // namespace

bool MayStartLine(char32_t c) {
  return !IsLineSpace(c) && !IsCombiningMark(c) && !IsOneOf(kClosing, c) &&
         !InAny(kSmallKatakanaExtension, c);
}

bool MayEndLine(char32_t c) {
  return !IsOneOf(kOpening, c);
}

bool MayBreakBefore(char32_t previous, char32_t next) {
  if (!MayStartLine(next) || !MayEndLine(previous) || IsInseparablePair(previous, next)) {
    return false;
  }
  if (IsLineSpace(previous)) {
    return true;
  }
  return IsIdeographic(previous) || IsIdeographic(next);
}

std::vector<BrokenLine> BreakLines(std::u16string_view text, float width,
                                   const LineWidth& measure) {
  std::vector<BrokenLine> lines;
  if (text.empty()) {
    return lines;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t stop = text.find_first_of(u"\r\n", start);
    const std::u16string_view paragraph = text.substr(start, stop - start);
    ParagraphWrapper(paragraph, width, measure).AppendLinesTo(lines);
    if (stop == std::u16string_view::npos) {
      break;
    }
    const bool crlf = text[stop] == u'\r' && stop + 1 < text.size() && text[stop + 1] == u'\n';
    start = stop + (crlf ? 2 : 1);
  }
  return lines;
}

}  // namespace munyura::window_rules
