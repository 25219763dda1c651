// The folder the game looks for its tune in (music_end_to_end hears the
// commands it sends there).
#include "desktop/window/platform_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

namespace munyura {
namespace {

TEST(PlatformHost, FoldersLoseTheirTrailingSeparatorOnly) {
  const struct {
    const char* given;
    const char* expected;
  } cases[] = {
      {"/usr/libexec/munyura/", "/usr/libexec/munyura"},
      {"/opt/munyura", "/opt/munyura"},
      {"/opt/munyura//", "/opt/munyura"},
      {"/", "/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(desktop::WithoutTrailingSeparator(c.given), c.expected) << c.given;
  }
}

TEST(PlatformHost, TheExecutableFolderIsTheRunningProgramsOwnOrTheCurrentOneWithALine) {
  std::ostringstream messages;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
  EXPECT_EQ(desktop::RunningExecutableFolder(messages), program.parent_path().string());
  EXPECT_EQ(messages.str(), "");
  EXPECT_EQ(desktop::ExecutableFolderOf(nullptr, messages), ".");
  const std::string said = messages.str();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_EQ(said.back(), '\n');
}

}  // namespace
}  // namespace munyura
