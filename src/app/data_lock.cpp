#include "app/data_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "core/file_io.h"

namespace vetrilo {

TDataLock::~TDataLock() {
  Release();
}

bool TDataLock::Acquire(const std::string& path, std::string* error) {
  Release();
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (error) *error = OsErrorText(path, errno);
    return false;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (error) *error = OsErrorText(path, errno);
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void TDataLock::Release() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
  }
}

}  // namespace vetrilo
