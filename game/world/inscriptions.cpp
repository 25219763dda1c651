#include "inscriptions.h"

#include <array>

namespace munyura::world {
namespace {

// Row n is carved on monument n. Gaps are ideographic spaces (U+3000), but
// for the ordinary space before the signature of row 21. Rows 3 and 13 carry
// the same text, and so do rows 16, 17 and 19.
// clang-format off
constexpr std::array<std::u16string_view, 30> kInscriptions{
    u"おはこんにばんはございます。本日はどうでしょう？　桐生柿沼仙蔵",  // 0
    u"訂正：西→南　砂原蜜彦",  // 1
    u"左にせよ　石井鹿井杉井与四松",  // 2
    u"上の言っていることはホントであるよ　柴崎保晴",  // 3
    u"下の奴はウソだったよ　菅谷畑中八十丸",  // 4
    u"上の２つのうち１つはホントのことを言ってる　加納霜見",  // 5
    u"製銅阿附銅全孝長　細貝袴平治部亮六助",  // 6
    u"ぅゎ　ょぅι゛ょ　ヵヮィィ　土屋弁之介",  // 7
    u"この部屋の西でzキーを押すと？？　砂原蜜彦",  // 8
    u"不死家の墓",  // 9
    u"犬のように見えるだけなのﾖ。　榎七之丞",  // 10
    u"だれがうんこやねん　霧才",  // 11
    u"宮坂くんってエッチね！　浜絹代",  // 12
    u"上の言っていることはホントであるよ　柴崎保晴",  // 13
    u"ゴールはどこだっけ？　ぼくと同じ火の上で毛糸ある　松浦ウツボ",  // 14
    u"いや、前のはウソだったけど、左のはホントであるよ！　柴崎保晴",  // 15
    u"お",  // 16
    u"お",  // 17
    u"わお！漢字間違えちょる！あほや！　楠原ノ浦勇",  // 18
    u"お",  // 19
    u"ゆ？",  // 20
    u"読み：ドゥイン　意味：何もないところに来たAさん 盤上雅人",  // 21
    u"読み：ムギ　ゃん　意味：DEATH　桑名ヨシキ",  // 22
    u"ともだち？",  // 23
    u"壊れていて読めない",  // 24
    u"囲碁しようぜっ！レデ囲ー碁ー！　暑沢六平",  // 25
    u"読み：ヴァイ　意味：仲間はずれ　盤上雅人",  // 26
    u"ボールを相手のゴールにｼｭｩｩｩｰｯ!!　超！エキサイティン!!　陳楽海星",  // 27
    u"そもそもキミ、誰だっけ？　松浦ウツボ",  // 28
    u"おつかれさまでした　このままでんげんをおきりください",  // 29
};
// clang-format on

}  // namespace

std::u16string_view Inscription(std::int16_t monument) {
  return kInscriptions[CheckedIndex(monument, kInscriptions.size())];
}

}  // namespace munyura::world
