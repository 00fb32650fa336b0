#!/bin/sh
# clang and its libFuzzer runtime, for `make fuzz` only (the tests do not need them).
set -eu

if command -v clang++ >/dev/null 2>&1 &&
   echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
   clang++ -x c++ -fsanitize=fuzzer - -o /tmp/vetrilo-fuzz-probe.$$ >/dev/null 2>&1; then
  rm -f /tmp/vetrilo-fuzz-probe.$$
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq clang
# The fuzzer runtime comes with the versioned runtime package of that clang.
major=$(clang++ -dumpversion | cut -d. -f1)
$SUDO apt-get install -y -qq "libclang-rt-${major}-dev" || true
