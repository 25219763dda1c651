#include "desktop/settings/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "desktop/messages/messages.h"

namespace munyura::desktop {
namespace {

constexpr char kFolderName[] = "/munyura/";
constexpr char kFileName[] = "settings.conf";

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
  int Get() const { return fd_; }
  // Closes now, to see whether the last writes failed.
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

std::string Folder(const std::string& path) {
  return path.substr(0, path.rfind('/'));
}

bool IsSetAbsolute(const char* value) {
  return value != nullptr && value[0] == '/';
}

std::string ErrorText(int error) {
  return std::strerror(error);
}

}  // namespace

std::pair<std::string, std::optional<std::string>> ReadPlayerFile(const std::string& path,
                                                                  long largest) {
  // Non-blocking, so that a pipe put in its place cannot hold the game up.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) {
    return {{}, errno == ENOENT ? std::nullopt : std::optional(ErrorText(errno))};
  }
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) {
    return {{}, ErrorText(errno)};
  }
  if (!S_ISREG(status.st_mode)) {
    return {{}, Translated("not a regular file")};
  }
  if (status.st_size > largest) {
    return {{}, Translated("larger than {1} bytes", {std::to_string(largest)})};
  }
  std::string text;
  std::array<char, 1024> buffer{};
  for (;;) {
    const ssize_t got = ::read(file.Get(), buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return {{}, ErrorText(errno)};
    }
    if (got == 0) {
      return {text, std::nullopt};
    }
    text.append(buffer.data(), static_cast<std::size_t>(got));
    if (std::ssize(text) > largest) {  // it grew while being read
      return {{}, Translated("larger than {1} bytes", {std::to_string(largest)})};
    }
  }
}

namespace {

bool MakeFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) {
    return true;
  }
  if (errno != ENOENT) {
    return false;
  }
  const auto slash = folder.rfind('/');
  return slash != std::string::npos && slash > 0 && MakeFolder(folder.substr(0, slash)) &&
         (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST);
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t wrote = ::write(fd, text.data(), text.size());
    if (wrote < 0 && errno == EINTR) {
      continue;
    }
    if (wrote <= 0) {
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(wrote));
  }
  return true;
}

// Writes a fresh file beside the old one and renames it over it: the
// rename replaces the name at once, so readers see one file or the other.
std::optional<std::string> ReplaceFile(const std::string& path, std::string_view text) {
  const std::string folder = Folder(path);
  if (!MakeFolder(folder)) {
    return ErrorText(errno);
  }
  std::string temporary = path + ".XXXXXX";
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (file.Get() < 0) {
    return ErrorText(errno);
  }
  // The new file reaches the disk before its name replaces the old one.
  const bool written = WriteAll(file.Get(), text) && ::fsync(file.Get()) == 0;
  const int write_error = errno;
  if (!file.Close() || !written) {
    const int error = written ? errno : write_error;
    ::unlink(temporary.c_str());
    return ErrorText(error);
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return ErrorText(error);
  }
  // And the rename itself, which lives in the folder.
  const FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.Get() >= 0) {
    ::fsync(directory.Get());
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> PlayerFilePath(std::string_view file_name) {
  if (const char* const config = std::getenv("XDG_CONFIG_HOME"); IsSetAbsolute(config)) {
    return std::string(config) + kFolderName + std::string(file_name);
  }
  if (const char* const home = std::getenv("HOME"); IsSetAbsolute(home)) {
    return std::string(home) + "/.config" + kFolderName + std::string(file_name);
  }
  return std::nullopt;
}

std::optional<std::string> SettingsPath() {
  return PlayerFilePath(kFileName);
}

SettingsFile::SettingsFile(std::optional<std::string> path, std::ostream& messages)
    : path_(std::move(path)), messages_(&messages) {}

Settings SettingsFile::Load() {
  if (!path_) {
    return {};
  }
  const auto [text, unreadable] = ReadPlayerFile(*path_, kLargestSettingsFile);
  if (unreadable) {
    *messages_ << "ムニュラ: "
               << Translated("settings not read from {1}: {2}; playing with the defaults",
                             {*path_, *unreadable})
               << '\n';
    return {};
  }
  const ReadSettings read = ParseSettings(text);
  if (read.problem) {
    *messages_ << "ムニュラ: "
               << Translated(
                      // TRANSLATORS: {1} is the settings file, {2} which line of it is
                      // wrong and how ("line 3: ...").
                      "{1}, {2}; the default is used for what is not understood",
                      {*path_, *read.problem})
               << '\n';
  }
  return read.settings;
}

bool SettingsFile::Save(const Settings& settings) {
  if (!path_) {
    return false;
  }
  const auto failure = ReplaceFile(*path_, FormatSettings(settings));
  if (failure && !told_about_saving_) {
    *messages_ << "ムニュラ: "
               << Translated(
                      "settings cannot be saved in {1}: {2}; the game plays on without "
                      "remembering them",
                      {*path_, *failure})
               << '\n';
    told_about_saving_ = true;
  }
  return !failure;
}

}  // namespace munyura::desktop
