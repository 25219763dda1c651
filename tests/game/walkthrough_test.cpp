// The whole game played from the title screen to the closing message with key presses, releases
// and ticks only: every room entered, every monument read, every hidden passage taken. The route
// is searched from the rules, so a broken rule shows up as a room that cannot be reached or read.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "form1.h"
#include "game/route_finder.h"
#include "key_codes.h"
#include "support/test_pictures.h"

namespace munyura {
namespace {

using testing::kPassages;
using testing::Room;
using testing::RoomOf;

const Room kLastRoom{-6, 2};

// Each room's inscription written apart from the game's table, ideographic spaces as \u3000.
const std::map<Room, std::u16string_view> kInscriptions{
    {{0, 0}, u"おはこんにばんはございます。本日はどうでしょう？\u3000桐生柿沼仙蔵"},
    {{0, -1}, u"訂正：西→南\u3000砂原蜜彦"},
    {{0, 1}, u"左にせよ\u3000石井鹿井杉井与四松"},
    {{1, 0}, u"上の言っていることはホントであるよ\u3000柴崎保晴"},
    {{1, -1}, u"下の奴はウソだったよ\u3000菅谷畑中八十丸"},
    {{1, 1}, u"上の２つのうち１つはホントのことを言ってる\u3000加納霜見"},
    {{-1, 0}, u"製銅阿附銅全孝長\u3000細貝袴平治部亮六助"},
    {{-1, -1}, u"ぅゎ\u3000ょぅι゛ょ\u3000ヵヮィィ\u3000土屋弁之介"},
    {{-1, 1}, u"この部屋の西でzキーを押すと？？\u3000砂原蜜彦"},
    {{-1, 2}, u"不死家の墓"},
    {{-1, 3}, u"犬のように見えるだけなのﾖ。\u3000榎七之丞"},
    {{-1, 4}, u"だれがうんこやねん\u3000霧才"},
    {{-1, 5}, u"宮坂くんってエッチね！\u3000浜絹代"},
    {{-1, 6}, u"上の言っていることはホントであるよ\u3000柴崎保晴"},
    {{0, 5}, u"ゴールはどこだっけ？\u3000ぼくと同じ火の上で毛糸ある\u3000松浦ウツボ"},
    {{0, 6}, u"いや、前のはウソだったけど、左のはホントであるよ！\u3000柴崎保晴"},
    {{-2, 2}, u"お"},
    {{-2, 3}, u"お"},
    {{-2, 5}, u"わお！漢字間違えちょる！あほや！\u3000楠原ノ浦勇"},
    {{-3, 2}, u"お"},
    {{-3, 4}, u"ゆ？"},
    {{-3, 5}, u"読み：ドゥイン\u3000意味：何もないところに来たAさん 盤上雅人"},
    {{-4, 1}, u"読み：ムギ\u3000ゃん\u3000意味：DEATH\u3000桑名ヨシキ"},
    {{-4, 2}, u"ともだち？"},
    {{-4, 3}, u"壊れていて読めない"},
    {{-4, 4}, u"囲碁しようぜっ！レデ囲ー碁ー！\u3000暑沢六平"},
    {{-4, 5}, u"読み：ヴァイ\u3000意味：仲間はずれ\u3000盤上雅人"},
    {{-5, 1}, u"ボールを相手のゴールにｼｭｩｩｩｰｯ!!\u3000超！エキサイティン!!\u3000陳楽海星"},
    {{-5, 2}, u"そもそもキミ、誰だっけ？\u3000松浦ウツボ"},
    {{-6, 2}, u"おつかれさまでした\u3000このままでんげんをおきりください"},
};

struct Walkthrough {
  testing::CountingHost host;  // for the game and every copy the search tries
  Form1 form{testing::TestPictures(), host};
  int events = 0;
  std::set<Room> visited{{0, 0}};
  std::set<Room> passages_taken;

  // Plays the shortest route to a moment where `goal` holds.
  void Reach(const testing::Goal& goal, const std::string& what) {
    const auto route = testing::FindRoute(form, goal);
    ASSERT_TRUE(route) << "no way to " << what << " from room " << RoomOf(form).first << ","
                       << RoomOf(form).second;
    for (const testing::Move* move : *route) {
      for (const testing::Event& event : move->events) {
        const Room before = RoomOf(form);
        testing::Play(form, event);
        ++events;
        visited.insert(RoomOf(form));
        const auto passage = kPassages.find(before);
        if (passage != kPassages.end() && passage->second == RoomOf(form)) {
          passages_taken.insert(before);
        }
      }
    }
  }

  // Walks onto the monument, reads it with Z and hides it again with Z.
  void ReadMonument() {
    const Room room = RoomOf(form);
    const std::u16string expected(kInscriptions.at(room));
    Reach(
        [&](const Form1&, const Form1& after) {
          return RoomOf(after) == room && after.Scene().Label1().Visible == kTrue &&
                 after.Scene().Label1().Caption == expected;
        },
        "read the monument");
    form.Form_KeyDown(kKeyZ, 0);
    form.Form_KeyUp(kKeyZ, 0);
    events += 2;
    EXPECT_EQ(form.Scene().Label1().Visible, kFalse);
  }
};

TEST(Walkthrough, EveryRoomEveryMonumentEveryPassageAndTheEnd) {
  Walkthrough game;
  Form1& form = game.form;
  const scene::Scene& scene = form.Scene();
  form.Form_Load();
  const std::u16string instructions = scene.Label1().Caption;
  EXPECT_EQ(std::pair(scene.Command1().Visible, scene.Munyu().Picture()),
            std::pair(kTrue, scene::PictureRef{}));
  form.Command1_Click();
  game.ReadMonument();

  // The nearest new room or passage, its monument read; the last room is kept for the end.
  std::set<Room> read{{0, 0}};
  while (game.visited.size() < 29 || game.passages_taken.size() < 4) {
    game.Reach(
        [visited = game.visited, taken = game.passages_taken](const Form1& before,
                                                              const Form1& after) {
          const Room from = RoomOf(before);
          const Room to = RoomOf(after);
          const auto passage = kPassages.find(from);
          const bool new_passage =
              passage != kPassages.end() && passage->second == to && !taken.contains(from);
          return from != to && to != kLastRoom && (!visited.contains(to) || new_passage);
        },
        "a new room or passage");
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    if (read.insert(RoomOf(form)).second) {
      game.ReadMonument();
    }
  }

  // Into the last room through its hidden passage: R armed, K held, the hop.
  game.Reach(testing::IntoRoom({-5, 2}), "back to (-5, 2)");
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  game.Reach(testing::IntoRoom(kLastRoom), "the last room");
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  game.ReadMonument();
  read.insert(kLastRoom);
  EXPECT_EQ(std::pair(read.size(), game.passages_taken.size()), std::pair(30UL, 5UL));
  form.Form_KeyDown(kKeyZ, 0);
  EXPECT_EQ(scene.Label1().Caption, kInscriptions.at(kLastRoom)) << "the closing message";

  // The restart, Down held: the first title screen again, but the tune and button carry on.
  const float button_left = scene.Command1().Left;
  const long sent = game.host.sent;
  form.Form_KeyDown(kKeyDown, 0);
  form.Label2_Click();
  EXPECT_EQ(game.host.sent, sent) << "the restart leaves the tune alone";
  EXPECT_EQ(RoomOf(form), Room(0, 0));
  EXPECT_EQ(std::pair(scene.Munyu().Left, scene.Munyu().Top), std::pair(280.0F, 192.0F));
  EXPECT_EQ(std::pair(form.State().MoveKey, form.State().ComboKey),
            std::pair(std::array<Bool16, 4>{}, std::array<Bool16, 2>{}))
      << "R is disarmed by the restart";
  EXPECT_EQ(std::pair(scene.Command1().Visible, scene.Command1().Left),
            std::pair(kTrue, button_left));
  EXPECT_EQ(std::pair(scene.Label2().Visible, scene.Label1().Caption),
            std::pair(kFalse, instructions));
  EXPECT_EQ(scene.Sekihi().Picture(), scene.Image2(0).Picture());
  // The keys reach this title screen: Z hides the instructions, then reads the monument behind.
  form.Form_KeyDown(kKeyZ, 0);
  form.Form_KeyDown(kKeyZ, 0);
  EXPECT_EQ(scene.Label1().Caption, kInscriptions.at({0, 0}));
  form.Command1_Click();
  for (int array = 1; array <= 4; ++array) {
    EXPECT_EQ(scene.Line(array, 1).Visible, kTrue) << "Line" << array;
  }
  EXPECT_GT(game.host.sent, game.events / 3) << "one command every tick";
  EXPECT_EQ(game.host.different, 0);
  RecordProperty("events", game.events);
}

}  // namespace
}  // namespace munyura
