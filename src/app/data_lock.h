#pragma once

#include <string>

namespace vetrilo {

// Exclusive use of a program folder: the stakes file is opened (created empty
// when missing) and locked for the whole run. The lock belongs to the open file,
// so a copy that crashed releases it with its process and never blocks the next.
class TDataLock {
 public:
  TDataLock() = default;
  ~TDataLock();
  TDataLock(const TDataLock&) = delete;
  TDataLock& operator=(const TDataLock&) = delete;

  // False when the file cannot be opened or another process holds it; `error`
  // then says why.
  bool Acquire(const std::string& path, std::string* error);
  void Release();
  bool Held() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace vetrilo
