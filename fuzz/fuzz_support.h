#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vetrilo::fuzz {

// A property a harness found broken. Under libFuzzer it ends the run as a crash
// (with the input saved); the corpus replay test reports it as a failure.
class EFuzzProperty : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

inline void Check(bool ok, const char* property) {
  if (!ok) throw EFuzzProperty(property);
}

inline std::string_view Bytes(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The first byte steers a harness (a digit count, a mode); the rest is the input.
inline uint8_t TakeByte(std::string_view& input) {
  if (input.empty()) return 0;
  const auto b = static_cast<uint8_t>(input.front());
  input.remove_prefix(1);
  return b;
}

}  // namespace vetrilo::fuzz
