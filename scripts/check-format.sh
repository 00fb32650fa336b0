#!/bin/sh
# Fails when a C++ source of the tree differs from .clang-format.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort |
  xargs clang-format --dry-run --Werror
