#include "core/damaged_file.h"

#include "core/file_io.h"

namespace vetrilo {

std::string DamagedCopyPath(const std::string& path) {
  return path + ".bad";
}

std::string KeepDamagedCopy(const std::string& path, std::string_view bytes) {
  const std::string bad = DamagedCopyPath(path);
  SaveFileAtomic(bad, bytes);
  return bad;
}

}  // namespace vetrilo
