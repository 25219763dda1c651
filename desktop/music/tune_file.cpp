#include "desktop/music/tune_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "desktop/messages/messages.h"

namespace munyura::desktop {
namespace {

TuneFileError SystemError(int error) {
  return TuneFileError(std::strerror(error));
}

}  // namespace

WaryFile::WaryFile(const std::string& path, std::int64_t largest)
    // O_NONBLOCK: opening a pipe with no writer must not wait for one.
    : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)) {
  if (fd_ < 0) {
    throw SystemError(errno);
  }
  struct stat status {};
  if (::fstat(fd_, &status) != 0) {
    const int error = errno;
    ::close(fd_);
    throw SystemError(error);
  }
  const char* refusal = !S_ISREG(status.st_mode)   ? "not a regular file"
                        : status.st_size == 0      ? "the file is empty"
                        : status.st_size > largest ? "the file is too large"
                                                   : nullptr;
  if (refusal) {
    ::close(fd_);
    throw TuneFileError(Translated(refusal));
  }
  size_ = status.st_size;
}

WaryFile::~WaryFile() {
  ::close(fd_);
}

std::vector<std::uint8_t> WaryFile::Read(std::size_t count) const {
  std::vector<std::uint8_t> bytes(std::min(count, static_cast<std::size_t>(size_)));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got =
        ::pread(fd_, bytes.data() + filled, bytes.size() - filled, static_cast<off_t>(filled));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      throw SystemError(errno);
    }
    if (got == 0) {
      break;  // it shrank while being read: what is there is all there is
    }
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

std::string WaryFile::ReopenPath() const {
  return "/proc/self/fd/" + std::to_string(fd_);
}

std::vector<std::uint8_t> ReadTuneFile(const std::string& path) {
  const WaryFile file(path, kLargestTuneFile);
  return file.Read(static_cast<std::size_t>(file.Size()));
}

FileIdentity IdentifyFile(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    return {.error = errno};
  }
  return {
      .device = status.st_dev,
      .inode = status.st_ino,
      .size = status.st_size,
      .modified_ns = std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec};
}

}  // namespace munyura::desktop
