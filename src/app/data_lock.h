#pragma once

#include <string>

#include "core/file_lock.h"

namespace vetrilo {

// Exclusive use of a program folder: the stakes file is opened (created empty
// when missing) and locked. The desktop holds it through its open stake file
// for the whole run; a command that changes a data file without the stakes
// holds it here for its whole read-modify-write. The lock belongs to the open
// file, so a copy that crashed releases it with its process.
class TDataLock {
 public:
  TDataLock() = default;
  ~TDataLock();
  TDataLock(const TDataLock&) = delete;
  TDataLock& operator=(const TDataLock&) = delete;

  // False when the file cannot be opened or another process still holds it
  // after `waitMs`; `error` then says why and `busy` whether it was the other
  // holder.
  bool Acquire(const std::string& path, std::string* error, int waitMs = 0, bool* busy = nullptr);
  void Release();
  bool Held() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }

 private:
  int fd_ = -1;
};

// What the user reads when the folder is held by another copy or command (or
// cannot be written): `dir` is the program folder.
std::string ExclusiveAccessMessage(const std::string& dir);

}  // namespace vetrilo
