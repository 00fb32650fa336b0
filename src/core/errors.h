#pragma once

#include <stdexcept>
#include <string>

namespace vetrilo {

// An operation failed; the message is the program's own text, ready to show.
class EVetrilo : public std::runtime_error {
 public:
  explicit EVetrilo(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vetrilo
