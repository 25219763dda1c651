// Whatever lies where the tune should be, reading it answers at once.
#include "desktop/music/tune_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "window_rules/midi_bytes.h"

namespace munyura::desktop {
namespace {

namespace fs = std::filesystem;

class TuneFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("munyura-tune-file-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Path(const char* name) const { return (folder_ / name).string(); }

  fs::path folder_;
};

TEST_F(TuneFileTest, ReadsOnlyARegularFileOfATunesSize) {
  testing::WriteFile(Path("tune.mid"), testing::HeldChordSong(1));
  fs::create_directory(Path("folder.mid"));
  ASSERT_EQ(::mkfifo(Path("pipe.mid").c_str(), 0600), 0);  // nobody will ever write to it
  std::ofstream(Path("empty.mid")).close();
  fs::resize_file((std::ofstream(Path("huge.mid")).close(), Path("huge.mid")), 100 << 20);
  fs::resize_file((std::ofstream(Path("just-too-big.mid")).close(), Path("just-too-big.mid")),
                  kLargestTuneFile + 1);
  fs::create_symlink(Path("loop-b.mid"), Path("loop-a.mid"));
  fs::create_symlink(Path("loop-a.mid"), Path("loop-b.mid"));
  fs::create_symlink(Path("tune.mid"), Path("link.mid"));

  EXPECT_EQ(ReadTuneFile(Path("tune.mid")), testing::HeldChordSong(1));
  EXPECT_EQ(ReadTuneFile(Path("link.mid")), testing::HeldChordSong(1));
  for (const char* bad : {"missing.mid", "folder.mid", "pipe.mid", "empty.mid", "huge.mid",
                          "just-too-big.mid", "loop-a.mid"}) {
    EXPECT_THROW(ReadTuneFile(Path(bad)), TuneFileError) << bad;
  }
}

TEST_F(TuneFileTest, AFileIsKnownAgainUntilItChanges) {
  const std::string path = Path("tune.mid");
  const FileIdentity missing = IdentifyFile(path);
  EXPECT_EQ(missing.error, ENOENT);
  testing::WriteFile(path, testing::HeldChordSong(1));
  const FileIdentity written = IdentifyFile(path);
  EXPECT_NE(written, missing);
  EXPECT_EQ(IdentifyFile(path), written);
  testing::WriteFile(path, testing::HeldChordSong(2));
  EXPECT_NE(IdentifyFile(path), written);
}

}  // namespace
}  // namespace munyura::desktop
