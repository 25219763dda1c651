#include "desktop/music/tune_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace munyura::desktop {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

TuneFileError SystemError(int error) {
  return TuneFileError(std::strerror(error));
}

}  // namespace

std::vector<std::uint8_t> ReadTuneFile(const std::string& path) {
  // O_NONBLOCK: opening a pipe with no writer must not wait for one.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) {
    throw SystemError(errno);
  }
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) {
    throw SystemError(errno);
  }
  if (!S_ISREG(status.st_mode)) {
    throw TuneFileError("not a regular file");
  }
  if (status.st_size == 0) {
    throw TuneFileError("the file is empty");
  }
  if (status.st_size > kLargestTuneFile) {
    throw TuneFileError("the file is too large for a tune");
  }

  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.st_size));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
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
