// What the game makes of whatever lies at the settings path, and saves cut short at any moment.
#include "desktop/settings/settings_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

namespace munyura::desktop {
namespace {

namespace fs = std::filesystem;

struct Scratch {
  Scratch() { fs::create_directories(folder / "munyura"); }
  ~Scratch() { fs::remove_all(folder); }
  const fs::path folder =
      fs::temp_directory_path() / ("munyura-settings-" + std::to_string(::getpid()));
  const std::string path = (folder / "munyura" / "settings.conf").string();
};

TEST(SettingsFile, WhateverLiesThereGivesUsableSettingsAndAtMostOneLine) {
  const Scratch scratch;
  const auto write = [&](std::string text, std::uintmax_t size = 0) {
    return [&, text, size] {
      std::ofstream(scratch.path, std::ios::binary) << text;
      fs::resize_file(scratch.path, std::max<std::uintmax_t>(size, text.size()));
    };
  };
  std::string binary(3000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) {
    binary[i] = static_cast<char>((i * 7919 + 13) % 256);
  }
  const struct {
    const char* what;
    std::function<void()> make;
    Settings expected;
    long lines;
  } cases[] = {
      {"no file", [] {}, {}, 0},
      {"an empty file", write(""), {}, 0},
      {"every setting", write("zoom = 3\nfullscreen = yes\nmute = yes\n"), {3, true, true}, 0},
      {"comments, CRLF", write("# mine\r\n\r\n  zoom=2  \r\nmute= yes\r\n"), {2, false, true}, 0},
      {"corrupt text", write("zoom: 3\nhello\n"), {}, 1},
      {"binary garbage", write(binary), {}, 1},
      {"zoom out of range", write("zoom = 17\nmute = yes\n"), {1, false, true}, 1},
      {"zoom zero", write("zoom = 0\n"), {}, 1},
      {"zoom not a number", write("zoom = 2x\nfullscreen = yes\n"), {1, true, false}, 1},
      {"a flag neither yes nor no", write("fullscreen = 1\n"), {}, 1},
      {"an unknown setting", write("volume = 11\nzoom = 2\n"), {2, false, false}, 1},
      {"a sparse 1 GB file", write("zoom = 2\n", 1 << 30), {}, 1},
      {"a folder", [&] { fs::create_directory(scratch.path); }, {}, 1},
      {"a pipe nobody writes to", [&] { ::mkfifo(scratch.path.c_str(), 0600); }, {}, 1},
  };
  for (const auto& c : cases) {
    fs::remove_all(scratch.path);
    c.make();
    std::ostringstream messages;
    EXPECT_EQ(SettingsFile(scratch.path, messages).Load(), c.expected) << c.what;
    EXPECT_EQ(std::ranges::count(messages.str(), '\n'), c.lines)
        << c.what << ": " << messages.str();
  }
}

TEST(SettingsFile, AFolderThatCannotBeWrittenIsToldOnceAndThePlayGoesOn) {
  // A file where the folder should be: not even root can write into it.
  const Scratch scratch;
  fs::remove_all(scratch.folder / "munyura");
  std::ofstream(scratch.folder / "munyura") << "not a folder";
  std::ostringstream messages;
  SettingsFile file(scratch.path, messages);
  EXPECT_EQ(file.Load(), Settings{});
  EXPECT_FALSE(file.Save({2, false, false}));
  EXPECT_FALSE(file.Save({3, false, true}));
  // One line for reading, one for saving.
  EXPECT_EQ(std::ranges::count(messages.str(), '\n'), 2) << messages.str();
  EXPECT_NE(messages.str().find("cannot be saved"), std::string::npos) << messages.str();
}

TEST(SettingsFile, SavesKilledAtAnyMomentLeaveTheOldFileOrTheNew) {
  const Scratch scratch;
  const Settings first{2, false, true}, second{5, true, false};
  std::ostringstream ignored;
  ASSERT_TRUE(SettingsFile(scratch.path, ignored).Save(first));
  for (int run = 0; run < 30; ++run) {
    const pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
      SettingsFile file(scratch.path, ignored);
      for (int i = 0;; ++i) {
        file.Save(i % 2 == 0 ? second : first);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(1000 + 997 * run));
    ::kill(saver, SIGKILL);
    ::waitpid(saver, nullptr, 0);
    std::ostringstream messages;
    const Settings found = SettingsFile(scratch.path, messages).Load();
    EXPECT_TRUE(found == first || found == second) << "run " << run;
    EXPECT_EQ(messages.str(), "") << "run " << run;
  }
}

}  // namespace
}  // namespace munyura::desktop
