#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vetrilo {

// SHA-256 (FIPS 180-4), fed in pieces.
class TSha256 {
 public:
  TSha256();
  void Update(std::string_view bytes);
  std::array<uint8_t, 32> Finish();

 private:
  void Block(const uint8_t* p);
  std::array<uint32_t, 8> h_;
  std::array<uint8_t, 64> buf_{};
  size_t used_ = 0;
  uint64_t total_ = 0;
};

// Lower-case hexadecimal digest of bytes, or of a whole file (EVetrilo when it
// cannot be read).
std::string Sha256Hex(std::string_view bytes);
std::string FileSha256Hex(const std::string& path);

}  // namespace vetrilo
