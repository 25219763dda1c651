// Where a caption may wrap, by the rules of Japanese typesetting: between any
// two kana or kanji, never before closing marks, small kana or the prolonged
// sound mark, never after an opening bracket; Latin words stay whole and wrap
// at spaces. Standard library only, so the rules are tested without fonts.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace munyura::window_rules {

// False for what must follow the character before it on the same line:
// closing brackets and punctuation, small kana, prolonged sound and
// iteration marks, voicing marks, combining marks, and spaces (which hang at
// the end of the line they close).
bool MayStartLine(char32_t c);

// False for opening brackets, which stay with what they open.
bool MayEndLine(char32_t c);

// Whether a wrapped line may end between the two characters.
bool MayBreakBefore(char32_t previous, char32_t next);

struct BrokenLine {
  std::u16string text;  // with the spaces that end it, if any
  float width = 0;      // as measured without those spaces
};

// The width of one line of text, in the caller's units.
using LineWidth = std::function<float(std::u16string_view line)>;

// Wraps the text into lines no wider than `width`, each as long as fits.
// Explicit line breaks (CR LF, LF, CR) are kept and an empty paragraph gives
// an empty line; empty text gives no lines. A run with no break opportunity
// that is wider than the line is cut between characters instead, so nothing
// reaches past the width unless a single character does.
std::vector<BrokenLine> BreakLines(std::u16string_view text, float width, const LineWidth& measure);

}  // namespace munyura::window_rules
