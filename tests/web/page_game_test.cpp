// The game as the page runs it: only the page's own tune played, Timer1 on the
// page's clock, keys by their browser names, captions broken by the shared rules.
#include "page_game.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace munyura::web {
namespace {

class PageGameTest : public ::testing::Test {
 protected:
  int plays_ = 0;
  std::ostringstream errors_;
  const std::vector<PictureSize> sizes_ = std::vector<PictureSize>(34, {49, 49});
  PageGame game_{"", sizes_, [this] { ++plays_; }, errors_};
};

TEST_F(PageGameTest, PlaysItsOwnTuneAndNothingElse) {
  for (const auto& [command, plays] : {std::pair{R"(play "/games/munyura\bdmidi.mid")", 1},
                                       std::pair{R"(play "/games/munyura\other.mid")", 0},
                                       std::pair{R"(play "/elsewhere\bdmidi.mid")", 0}}) {
    int played = 0;
    PageHost("/games/munyura", [&played] { ++played; }).SendMusicCommand(command);
    EXPECT_EQ(played, plays) << command;
  }
}

TEST_F(PageGameTest, TicksOnTheGridOfThePagesClockAndPlaysTheTuneEachTick) {
  game_.Load(1000.5);
  EXPECT_FALSE(game_.TakeDueTick(1060.4));
  EXPECT_EQ(game_.MillisecondsUntilNextTick(1060.4), 1);
  EXPECT_TRUE(game_.TakeDueTick(1060.5));
  game_.Tick();
  game_.Tick();
  EXPECT_EQ(plays_, 2);
}

TEST_F(PageGameTest, LeavesKeysWithNoVirtualKeyAndWantsAllItsPictures) {
  EXPECT_FALSE(game_.KeyDown("Lang1", "HangulMode", 0).known);
  EXPECT_THROW(PageGame("", std::span(sizes_).first(33), nullptr, errors_), std::invalid_argument);
}

TEST_F(PageGameTest, CaptionsBreakByTheSharedRulesAsTheCanvasMeasures) {
  game_.Load(0);
  // Ten pixels a character: the help's 17 take two lines of at most ten.
  const auto measure = [](std::u16string_view line) { return 10.0F * line.size(); };
  const auto& lines = game_.CaptionLines(game_.Label1Position(), 100, measure);
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0].text + lines[1].text, game_.Scene().Label1().Caption);
  EXPECT_THROW(game_.CaptionLines(game_.Scene().Controls().size(), 100, measure),
               std::out_of_range);
}

}  // namespace
}  // namespace munyura::web
