// Reading the tune's and the soundfont's files without trusting them: whatever
// lies at the path (a folder, a pipe, a huge file, a link that loops) gives an
// answer at once.
#pragma once

#include <sys/types.h>
#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

namespace munyura::desktop {

class TuneFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// No tune is this long; anything larger is not read at all.
inline constexpr std::int64_t kLargestTuneFile = 2 * 1024 * 1024;

// A regular file of 1 byte to `largest`, opened without waiting for a writer
// (a pipe) or a terminal. Throws TuneFileError with the reason otherwise.
class WaryFile {
 public:
  WaryFile(const std::string& path, std::int64_t largest);
  ~WaryFile();
  WaryFile(const WaryFile&) = delete;
  WaryFile& operator=(const WaryFile&) = delete;

  std::int64_t Size() const { return size_; }
  // The first `count` bytes, or fewer if the file shrank meanwhile.
  std::vector<std::uint8_t> Read(std::size_t count) const;
  // A name that opens this very file again, whatever is put at its path later.
  std::string ReopenPath() const;

 private:
  int fd_ = -1;
  std::int64_t size_ = 0;
};

// The whole file, which must be a regular file of 1 byte to kLargestTuneFile.
// Throws TuneFileError with the reason otherwise.
std::vector<std::uint8_t> ReadTuneFile(const std::string& path);

// What the path names at the moment, to tell whether a file that failed has
// been replaced since.
struct FileIdentity {
  int error = 0;  // errno of stat(), 0 when the path names something
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modified_ns = 0;
  bool operator==(const FileIdentity&) const = default;
};
FileIdentity IdentifyFile(const std::string& path);

}  // namespace munyura::desktop
