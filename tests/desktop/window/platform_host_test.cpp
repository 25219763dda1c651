// The folder the game looks for its tune in, and where its music commands go.
#include "desktop/window/platform_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace munyura {
namespace {

TEST(PlatformHost, FoldersLoseTheirTrailingSeparatorOnly) {
  const struct {
    const char* given;
    const char* expected;
  } cases[] = {
      {"/usr/libexec/munyura/", "/usr/libexec/munyura"},
      {"/opt/ゲーム フォルダ/", "/opt/ゲーム フォルダ"},
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

TEST(PlatformHost, SendsTheGamesCommandToTheRealPlayerWhichOpensOneDevice) {
  std::ostringstream messages;
  desktop::CommandStringPlayer player(messages);
  desktop::PlatformHost host(player, messages);
  const std::string command = "play \"" + host.ExecutableFolder() + "\\bdmidi.mid\"";
  host.SendMusicCommand(command);
  host.SendMusicCommand(command);
  EXPECT_EQ(player.DeviceNames(), std::vector{host.ExecutableFolder() + "/bdmidi.mid"});
}

}  // namespace
}  // namespace munyura
