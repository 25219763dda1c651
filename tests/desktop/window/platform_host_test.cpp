// The folder the tune is looked for in (music_end_to_end sees it is the running game's own).
#include "desktop/window/platform_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace munyura {
namespace {

TEST(PlatformHost, TheFolderHasNoTrailingSeparatorOrIsTheCurrentOneWithALine) {
  for (const auto& [given, expected] : {std::pair{"/usr/libexec/munyura/", "/usr/libexec/munyura"},
                                        {"/opt/munyura", "/opt/munyura"},
                                        {"/opt/munyura//", "/opt/munyura"},
                                        {"/", "/"}}) {
    EXPECT_EQ(desktop::WithoutTrailingSeparator(given), expected) << given;
  }
  std::ostringstream messages;
  EXPECT_EQ(desktop::ExecutableFolderOf(nullptr, messages), ".");
  EXPECT_EQ(std::ranges::count(messages.str(), '\n'), 1) << messages.str();
  EXPECT_TRUE(messages.str().ends_with('\n'));
}

}  // namespace
}  // namespace munyura
