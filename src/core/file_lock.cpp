#include "core/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

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

int OpenLockedFile(const std::string& path, int waitMs, int* err, bool* notAFile) {
  if (notAFile) *notAFile = false;
  const auto deadline = TClock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    // A dangling link is refused rather than followed to a new file.
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) &&
        ::stat(path.c_str(), &link) != 0) {
      *err = errno;
      return -1;
    }
    // Non-blocking, so a FIFO in the file's place cannot hold the open.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
      *err = errno;
      return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
      *err = errno;
      ::close(fd);
      return -1;
    }
    if (!S_ISREG(st.st_mode)) {
      *err = 0;
      if (notAFile) *notAFile = true;
      ::close(fd);
      return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (SameFile(fd, path)) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return fd;
      }
      // The holder renamed a new file over this one: lock that one instead.
      ::close(fd);
      continue;
    }
    const int lockErr = errno;
    ::close(fd);
    if (lockErr != EWOULDBLOCK && lockErr != EINTR) {
      *err = lockErr;
      return -1;
    }
    if (TClock::now() >= deadline) {
      *err = EWOULDBLOCK;
      return -1;
    }
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
