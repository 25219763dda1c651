// The folder the game looks for its tune in (music_end_to_end hears the
// commands it sends there).
#include "desktop/window/platform_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace munyura {
namespace {

TEST(PlatformHost, TheFolderIsTheProgramsOwnWithoutItsTrailingSeparatorOrTheCurrentOneWithALine) {
  for (const auto& [given, expected] : {std::pair{"/usr/libexec/munyura/", "/usr/libexec/munyura"},
                                        {"/opt/munyura", "/opt/munyura"},
                                        {"/opt/munyura//", "/opt/munyura"},
                                        {"/", "/"}}) {
    EXPECT_EQ(desktop::WithoutTrailingSeparator(given), expected) << given;
  }
  std::ostringstream messages;
  EXPECT_EQ(desktop::RunningExecutableFolder(messages),
            std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
  EXPECT_EQ(messages.str(), "");
  EXPECT_EQ(desktop::ExecutableFolderOf(nullptr, messages), ".");
  EXPECT_EQ(std::ranges::count(messages.str(), '\n'), 1) << messages.str();
  EXPECT_TRUE(messages.str().ends_with('\n'));
}

}  // namespace
}  // namespace munyura
