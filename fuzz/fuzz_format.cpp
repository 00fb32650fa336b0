// Format: any pattern either formats or is refused with its message.
#include "core/errors.h"
#include "core/format.h"
#include "fuzz_support.h"
#include "harnesses.h"

namespace vetrilo::fuzz {

int FuzzFormat(const uint8_t* data, size_t size) {
  const std::string_view pattern = Bytes(data, size);
  if (pattern.size() > 1000) return 0;
  try {
    (void)Format(pattern, {42, "текст", 3.25L, -7, std::string(300, 'x')});
  } catch (const EVetrilo&) {
  }
  // Text without a "%" is copied as it stands.
  if (pattern.find('%') == std::string_view::npos) {
    Check(Format(pattern, {}) == pattern, "plain text kept");
  }
  return 0;
}

}  // namespace vetrilo::fuzz
