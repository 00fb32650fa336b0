#include "app/process_list.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

#include "core/file_io.h"

namespace vetrilo {

static std::string ExeOf(const std::string& procEntry) {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink((procEntry + "/exe").c_str(), buf, sizeof buf - 1);
  if (n <= 0) return "";
  buf[n] = '\0';
  std::string path = buf;
  // A program replaced on disk while it runs reads as "path (deleted)".
  const std::string deleted = " (deleted)";
  if (path.size() > deleted.size() &&
      path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0) {
    path.resize(path.size() - deleted.size());
  }
  return path;
}

std::string OwnProgramFileName() {
  return ExtractFileName(ExeOf("/proc/self"));
}

bool OtherProcessRuns(const std::string& programFileName) {
  const std::string self = std::to_string(::getpid());
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    if (name == self) continue;
    if (ExtractFileName(ExeOf(entry.path().string())) == programFileName) return true;
  }
  return false;
}

}  // namespace vetrilo
