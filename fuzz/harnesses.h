#pragma once

#include <cstddef>
#include <cstdint>

namespace vetrilo::fuzz {

#define VETRILO_FUZZ_HARNESS(function, corpus) int function(const uint8_t* data, size_t size);
#include "harnesses.def"
#undef VETRILO_FUZZ_HARNESS

struct TFuzzHarness {
  const char* Corpus;  // folder under fuzz/corpus/
  int (*Run)(const uint8_t* data, size_t size);
};

inline constexpr TFuzzHarness kFuzzHarnesses[] = {
#define VETRILO_FUZZ_HARNESS(function, corpus) {#corpus, &function},
#include "harnesses.def"
#undef VETRILO_FUZZ_HARNESS
};

}  // namespace vetrilo::fuzz
