#pragma once

#include <stdexcept>
#include <string>

namespace vetrilo {

// An operation failed; the message is the program's own text, ready to show.
// Message() is the whole text: what() ends at the first NUL a quoted user text
// may carry.
class EVetrilo : public std::runtime_error {
 public:
  explicit EVetrilo(const std::string& message) : std::runtime_error(message), message_(message) {}
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// Another process holds the program folder (its stakes file's lock) and did
// not let go within the wait; the message names the file.
class EFolderLocked : public EVetrilo {
 public:
  using EVetrilo::EVetrilo;
};

// A long operation ended because the user asked it to stop. Not a failure: whoever
// started the operation catches it before any error handler and shows nothing; the
// operation has put its state back (or left it consistent) before throwing.
class EStopped : public std::exception {
 public:
  const char* what() const noexcept override { return "stopped"; }
};

}  // namespace vetrilo
