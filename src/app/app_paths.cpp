#include "app/app_paths.h"

#include <unistd.h>

#include <climits>

#include "core/file_io.h"
#include "stakes/system_store.h"

namespace vetrilo {

TAppPaths TAppPaths::ForFolder(std::string dir, std::string baseName) {
  TAppPaths paths;
  paths.Dir = std::move(dir);
  paths.BaseName = std::move(baseName);
  return paths;
}

std::string TAppPaths::ExecutableDir() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  buf[n] = '\0';
  return ExtractFileDir(buf);
}

std::string TAppPaths::File(std::string_view ext) const {
  return JoinPath(Dir, BaseName + std::string(ext));
}

std::string TAppPaths::PrefetchDir() const {
  return JoinPath(Dir, "Prefetchs");
}

std::string TAppPaths::SystemsDir() const {
  return JoinPath(Dir, kSystemsFolder);
}

}  // namespace vetrilo
