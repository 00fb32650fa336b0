// The libFuzzer entry of one harness; the build names it with VETRILO_FUZZ_TARGET.
#include "harnesses.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return vetrilo::fuzz::VETRILO_FUZZ_TARGET(data, size);
}
