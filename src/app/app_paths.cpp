#include "app/app_paths.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"
#include "stakes/system_store.h"

namespace vetrilo {

TAppPaths TAppPaths::ForFolder(std::string dir, std::string baseName) {
  TAppPaths paths;
  paths.Dir = std::move(dir);
  paths.BaseName = std::move(baseName);
  paths.ProgramDir = paths.Dir;
  return paths;
}

std::string TAppPaths::UserDataDir() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  // Relative values are invalid by the base directory rules and ignored.
  if (xdg && xdg[0] == '/') return JoinPath(xdg, "vetrilo");
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return JoinPath(JoinPath(home, ".local/share"), "vetrilo");
  return "";
}

TAppPaths TAppPaths::ForProgram(const std::string& programDir, std::string baseName) {
  TAppPaths paths = ForFolder(programDir, std::move(baseName));
  paths.PackageInstall = FileExists(JoinPath(programDir, kPackageMarker));
  if (!paths.PackageInstall && ::access(programDir.c_str(), W_OK) == 0) return paths;
  const std::string dir = UserDataDir();
  if (dir.empty()) {
    throw EVetrilo(Tr("Не найден каталог данных пользователя: не заданы HOME и XDG_DATA_HOME."));
  }
  paths.Dir = dir;
  paths.PerUserData = true;
  ForceDirectory(dir);
  // The demo archive of the package is the first archive of a new data folder.
  const std::string archive = paths.ArchiveFile();
  const std::string demo = JoinPath(JoinPath(programDir, "demo"), paths.BaseName + ".ldr");
  if (!FileExists(archive) && FileExists(demo)) SaveFileAtomic(archive, ReadFileBytes(demo));
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
