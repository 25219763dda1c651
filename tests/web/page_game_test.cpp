// The game as the page runs it: the music command answered for the page's own
// tune only, Timer1 on the page's clock, keys by their browser names through
// the start button's focus, and captions broken by the shared rules.
#include "page_game.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace munyura::web {
namespace {

std::vector<PictureSize> GameSizes() {
  std::vector<PictureSize> sizes{{47, 49}, {49, 47}, {47, 49}, {49, 47}};
  sizes.resize(34, {150, 150});
  return sizes;
}

class PageGameTest : public ::testing::Test {
 protected:
  int plays_ = 0;
  std::ostringstream errors_;
  const std::vector<PictureSize> sizes_ = GameSizes();
  PageGame game_{"", sizes_, [this] { ++plays_; }, errors_};
};

TEST(PageHost, PlaysItsOwnTuneAndNothingElse) {
  struct Case {
    const char* command;
    bool plays;
  } const cases[] = {
      {R"(play "/games/munyura\bdmidi.mid")", true},
      {R"(PLAY "/games/munyura/bdmidi.mid")", true},
      {R"(play /games/munyura\bdmidi.mid)", true},
      {R"(play "/games/munyura\other.mid")", false},
      {R"(play "/elsewhere\bdmidi.mid")", false},
      {R"(play "/games/munyura\bdmidi.mid)", false},
      {R"(stop "/games/munyura\bdmidi.mid")", false},
      {"play", false},
      {"", false},
  };
  for (const Case& c : cases) {
    int plays = 0;
    PageHost host("/games/munyura", [&plays] { ++plays; });
    host.SendMusicCommand(c.command);
    EXPECT_EQ(plays, c.plays ? 1 : 0) << c.command;
  }
}

TEST_F(PageGameTest, TicksOnTheGridOfThePagesClockAndPlaysTheTuneEachTick) {
  game_.Load(1000.5);
  EXPECT_FALSE(game_.TakeDueTick(1060.4));
  EXPECT_EQ(game_.MillisecondsUntilNextTick(1060.4), 1);
  EXPECT_TRUE(game_.TakeDueTick(1060.5));
  EXPECT_FALSE(game_.TakeDueTick(1061));
  // A stall over many deadlines gives one tick, and the grid stays put.
  EXPECT_TRUE(game_.TakeDueTick(5000));
  EXPECT_FALSE(game_.TakeDueTick(5000));
  EXPECT_EQ(game_.MillisecondsUntilNextTick(5000), 21);  // to 1000.5 + 67 * 60, rounded up
  game_.Tick();
  game_.Tick();
  EXPECT_EQ(plays_, 2);
  EXPECT_EQ(errors_.str(), "");
}

TEST_F(PageGameTest, KeysByTheirBrowserNamesGoThroughTheStartButtonsFocus) {
  game_.Load(0);
  EXPECT_FALSE(game_.KeyDown("Lang1", "HangulMode", 0).known);
  EXPECT_TRUE(game_.KeyDown("Space", " ", 0).known);
  EXPECT_EQ(game_.Scene().Command1().Visible, kTrue);  // Space clicks on release
  game_.KeyUp("Space", " ", 0);
  EXPECT_EQ(game_.Scene().Command1().Visible, kFalse);
  game_.KeyDown("ArrowLeft", "ArrowLeft", 0);
  EXPECT_EQ(game_.State().MoveKey[0], kTrue);
  game_.KeyUp("ArrowLeft", "ArrowLeft", 0);
  EXPECT_EQ(game_.State().MoveKey[0], kFalse);
  // The page tells its mute key by the game's own letter M: on AZERTY, the
  // key right of L.
  EXPECT_EQ(game_.KeyDown("Semicolon", "m", 0).virtual_key, 'M');
  EXPECT_EQ(&game_.Scene().Controls()[game_.Label1Position()], &game_.Scene().Label1());
  EXPECT_EQ(game_.PictureHandle(0), game_.Scene().Picture1(0).Picture()->Handle());
  EXPECT_EQ(game_.PictureHandle(33), game_.Scene().Image2(29).Picture()->Handle());
}

TEST_F(PageGameTest, CaptionsBreakByTheSharedRulesAsTheCanvasMeasures) {
  game_.Load(0);
  const auto controls = game_.Scene().Controls();
  std::size_t label1 = 0;
  while (controls[label1].Name != "Label1") {
    ++label1;
  }
  // Ten pixels a character: the 17 characters of the help take two lines of
  // at most ten.
  const auto measure = [](std::u16string_view line) { return 10.0F * line.size(); };
  const auto& lines = game_.CaptionLines(label1, 100, measure);
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0].text + lines[1].text, controls[label1].Caption);
  EXPECT_THROW(game_.CaptionLines(controls.size(), 100, measure), std::out_of_range);
}

TEST(PageGame, RefusesAnyOtherNumberOfPictures) {
  std::ostringstream errors;
  const std::vector<PictureSize> too_few(33, {150, 150});
  EXPECT_THROW(PageGame(
                   "", too_few, [] {}, errors),
               std::invalid_argument);
}

}  // namespace
}  // namespace munyura::web
