#include "desktop/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace munyura::desktop {

void MakeStandardStreamsSafe() {
  for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) {
      continue;
    }
    // The lowest free number is this one, as the lower ones are open by now.
    // It stays open for the life of the process, as a standard stream does.
    const int opened = open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened > descriptor) {
      dup2(opened, descriptor);
      close(opened);
    }
  }
  // A write to a broken pipe then fails with EPIPE, and the stream drops it.
  std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace munyura::desktop
