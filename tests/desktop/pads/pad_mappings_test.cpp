// The player's mapping file as SDL's game controllers take it: which texts
// are all mappings, and which of their lines are meant for this platform.
#include "desktop/pads/pad_mappings.h"

#include <gtest/gtest.h>

namespace munyura::desktop {
namespace {

constexpr char kGuid[] = "03000000aaaa0000bbbb000000000000";

struct TextCase {
  std::string name;
  std::string text;
  std::optional<std::string> problem;  // the start of the problem told
};

class MappingText : public testing::TestWithParam<TextCase> {};

TEST_P(MappingText, IsJudgedByItsFirstBadLine) {
  const auto problem = MappingTextProblem(GetParam().text, "Linux");
  ASSERT_EQ(problem.has_value(), GetParam().problem.has_value()) << problem.value_or("");
  if (problem) {
    EXPECT_EQ(problem->substr(0, GetParam().problem->size()), *GetParam().problem) << *problem;
  }
}

const std::string kGood = std::string(kGuid) + ",Pad,a:b0,b:b1,";

INSTANTIATE_TEST_SUITE_P(
    Cases, MappingText,
    testing::Values(
        TextCase{"Empty", "", std::nullopt},
        TextCase{"CommentsAndBlanks", "# pads\n\n  \n# more\n", std::nullopt},
        TextCase{"EveryKindOfBinding",
                 std::string(kGuid) +
                     ",Pad,a:b0,leftx:a0,lefty:a1~,+rightx:a3,-righty:-a4,dpup:h0.1,"
                     "lefttrigger:+a2,hint:!SDL_GAMECONTROLLER_USE_BUTTON_LABELS:=1,"
                     "crc:1234,platform:Linux,",
                 std::nullopt},
        TextCase{"WindowsLineEnds", kGood + "\r\n" + kGood + "\r\n", std::nullopt},
        TextCase{"XInputGuid", "xinput,XInput Controller,a:b0,", std::nullopt},
        TextCase{"ShortGuid", "# a\n03000000aaaa,Pad,a:b0,\n", "line 2 does not start"},
        TextCase{"NoName", std::string(kGuid) + "\n", "line 1 has no name"},
        TextCase{"UnknownButton", kGood + "\n" + std::string(kGuid) + ",Pad,jump:b3,",
                 "line 2 names no button or axis 'jump'"},
        TextCase{"AnotherPlatformsLineUnjudged",
                 kGood + "\n" + std::string(kGuid) + ",Pad,jump:b3,platform:Mac OS X,",
                 std::nullopt},
        TextCase{"ThisPlatformsLineJudged",
                 kGood + "\n" + std::string(kGuid) + ",Pad,jump:b3,platform:Linux,",
                 "line 2 names no button or axis 'jump'"},
        TextCase{"FieldWithoutColon", std::string(kGuid) + ",Pad,a,", "line 1 names no button"},
        TextCase{"LetterBinding", std::string(kGuid) + ",Pad,a:x0,", "line 1 binds a to 'x0'"},
        TextCase{"HatWithoutItsMask", std::string(kGuid) + ",Pad,dpup:h0,",
                 "line 1 binds dpup to 'h0'"},
        TextCase{"HalfOfAButton", std::string(kGuid) + ",Pad,a:+b0,", "line 1 binds a"},
        TextCase{"LaterBadLineSpoilsTheFile", kGood + "\n" + kGood + "\nnot a mapping\n",
                 "line 3 does not start"}),
    [](const testing::TestParamInfo<TextCase>& test) { return test.param.name; });

TEST(MappingLines, AreThoseOfThisPlatformOrOfNone) {
  const std::string text = "# pads\n" + std::string(kGuid) + ",Linux pad,a:b0,platform:Linux,\n" +
                           std::string(kGuid) + ",Windows pad,a:b0,platform:Windows,\n\n" +
                           std::string(kGuid) + ",Any pad,a:b0,\r\n";
  const std::vector<MappingLine> lines = MappingsFor(text, "Linux");
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0].number, 2);
  EXPECT_EQ(lines[0].mapping, std::string(kGuid) + ",Linux pad,a:b0,platform:Linux,");
  EXPECT_EQ(lines[1].number, 5);
  EXPECT_EQ(lines[1].mapping, std::string(kGuid) + ",Any pad,a:b0,");
}

}  // namespace
}  // namespace munyura::desktop
