// Update packages (".tar.gz"): whatever the archive holds, nothing lands
// outside the folder it is unpacked into and nothing but files and folders.
#include <stdlib.h>

#include <filesystem>

#include "core/errors.h"
#include "core/file_io.h"
#include "fuzz_support.h"
#include "harnesses.h"
#include "services/update_package.h"

namespace vetrilo::fuzz {

int FuzzUpdatePackage(const uint8_t* data, size_t size) {
  namespace fs = std::filesystem;
  char pattern[] = "/tmp/vetrilo-fuzz-XXXXXX";
  if (!mkdtemp(pattern)) return 0;
  const fs::path base = pattern;
  const fs::path package = base / "package.tar.gz";
  const fs::path folder = base / "out";
  try {
    SaveFileAtomic(package.string(), std::string(Bytes(data, size)));
    fs::create_directory(folder);
    try {
      UnpackUpdatePackage(package.string(), folder.string(), uint64_t{1} << 24);
    } catch (const EVetrilo&) {
      // Refused: what was unpacked before stays inside the folder, checked below.
    }
    int besides = 0;
    for (const auto& e : fs::directory_iterator(base)) {
      if (e.path() != package && e.path() != folder) ++besides;
    }
    Check(besides == 0, "nothing beside the folder");
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
      const fs::file_status s = e.symlink_status();
      Check(fs::is_regular_file(s) || fs::is_directory(s), "only files and folders");
    }
  } catch (...) {
    fs::remove_all(base);
    throw;
  }
  fs::remove_all(base);
  return 0;
}

}  // namespace vetrilo::fuzz
