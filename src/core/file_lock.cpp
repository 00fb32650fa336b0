#include "core/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "core/errors.h"
#include "core/file_io.h"

namespace vetrilo {

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(50);

using TClock = std::chrono::steady_clock;

bool SameFile(int fd, const std::string& path) {
  struct stat held, named;
  if (::fstat(fd, &held) != 0 || ::stat(path.c_str(), &named) != 0) return false;
  return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

int OpenLockedFile(const std::string& path, int waitMs) {
  const auto deadline = TClock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    // A dangling link is refused rather than followed to a new file.
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) &&
        ::stat(path.c_str(), &link) != 0) {
      throw EVetrilo(OsErrorText(path, errno));
    }
    const int fd = OpenRegularFile(path, O_RDWR | O_CREAT);
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (SameFile(fd, path)) return fd;
      // The holder renamed a new file over this one: lock that one instead.
      ::close(fd);
      continue;
    }
    const int err = errno;
    ::close(fd);
    if (err != EWOULDBLOCK && err != EINTR) throw EVetrilo(OsErrorText(path, err));
    if (TClock::now() >= deadline) throw EFolderLocked(OsErrorText(path, EWOULDBLOCK));
    std::this_thread::sleep_for(kPollStep);
  }
}

bool WaitUntilUnlocked(const std::string& path, int waitMs) {
  const auto deadline = TClock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return true;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    if (!locked) return true;
    if (TClock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
}

}  // namespace vetrilo
