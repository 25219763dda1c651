// The settings file: what the game makes of whatever lies at its path, and
// saves that leave the old file or the new one whenever they are cut short.
#include "desktop/settings/settings_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

namespace munyura::desktop {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("munyura-settings-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "munyura");
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path() const { return (folder_ / "munyura" / "settings.conf").string(); }
  void Write(const std::string& text) const { std::ofstream(Path(), std::ios::binary) << text; }

  fs::path folder_;
};

std::size_t Lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(SettingsFileTest, WhateverLiesThereGivesUsableSettingsAndAtMostOneLine) {
  struct Case {
    const char* what;
    std::function<void()> make;
    Settings expected;
    std::size_t lines;
  };
  const Settings defaults;
  std::string binary(3000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) {
    binary[i] = static_cast<char>((i * 7919 + 13) % 256);
  }
  const auto write = [this](std::string text) { return [this, text] { Write(text); }; };
  const std::vector<Case> cases = {
      {"no file", [] {}, defaults, 0},
      {"an empty file", write(""), defaults, 0},
      {"every setting", write("zoom = 3\nfullscreen = yes\nmute = yes\n"), {3, true, true}, 0},
      {"comments, CRLF", write("# mine\r\n\r\n  zoom=2  \r\nmute= yes\r\n"), {2, false, true}, 0},
      {"corrupt text", write("zoom: 3\nhello\n"), defaults, 1},
      {"binary garbage", write(binary), defaults, 1},
      {"zoom out of range", write("zoom = 17\nmute = yes\n"), {1, false, true}, 1},
      {"zoom zero", write("zoom = 0\n"), defaults, 1},
      {"zoom not a number", write("zoom = 2x\nfullscreen = yes\n"), {1, true, false}, 1},
      {"a flag neither yes nor no", write("fullscreen = 1\n"), defaults, 1},
      {"an unknown setting", write("volume = 11\nzoom = 2\n"), {2, false, false}, 1},
      {"a 1 GB file",
       [&] {
         Write("zoom = 2\n");
         fs::resize_file(Path(), 1LL << 30);  // sparse: costs no disk
       },
       defaults, 1},
      {"a folder", [&] { fs::create_directory(Path()); }, defaults, 1},
      {"a pipe nobody writes to", [&] { ::mkfifo(Path().c_str(), 0600); }, defaults, 1},
  };
  for (const Case& c : cases) {
    fs::remove_all(Path());
    c.make();
    std::ostringstream messages;
    SettingsFile file(Path(), messages);
    EXPECT_EQ(file.Load(), c.expected) << c.what;
    EXPECT_EQ(Lines(messages.str()), c.lines) << c.what << ": " << messages.str();
  }
}

TEST_F(SettingsFileTest, AFolderThatCannotBeWrittenIsToldOnceAndThePlayGoesOn) {
  // A file where the folder should be: not even root can write into it.
  fs::remove_all(folder_ / "munyura");
  std::ofstream(folder_ / "munyura") << "not a folder";
  std::ostringstream messages;
  SettingsFile file(Path(), messages);
  EXPECT_EQ(file.Load(), Settings{});
  EXPECT_FALSE(file.Save({2, false, false}));
  EXPECT_FALSE(file.Save({3, false, true}));
  EXPECT_EQ(Lines(messages.str()), 2u) << messages.str();  // one for reading, one for saving
  EXPECT_NE(messages.str().find("cannot be saved"), std::string::npos) << messages.str();
}

TEST_F(SettingsFileTest, SavesKilledAtAnyMomentLeaveTheOldFileOrTheNew) {
  const Settings first{2, false, true};
  const Settings second{5, true, false};
  std::ostringstream ignored;
  ASSERT_TRUE(SettingsFile(Path(), ignored).Save(first));
  for (int run = 0; run < 30; ++run) {
    const pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
      std::ostringstream quiet;
      SettingsFile file(Path(), quiet);
      for (int i = 0;; ++i) {
        file.Save(i % 2 == 0 ? second : first);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(1000 + 997 * run));
    ::kill(saver, SIGKILL);
    ::waitpid(saver, nullptr, 0);
    std::ostringstream messages;
    const Settings found = SettingsFile(Path(), messages).Load();
    EXPECT_TRUE(found == first || found == second) << "run " << run;
    EXPECT_EQ(messages.str(), "") << "run " << run;
  }
}

}  // namespace
}  // namespace munyura::desktop
