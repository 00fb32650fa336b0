#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/errors.h"

namespace vetrilo {

std::string OsErrorText(const std::string& path, int err) {
  return "\"" + path + "\": " + std::strerror(err);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void ForceDirectory(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (ec || !DirectoryExists(path)) {
    throw EVetrilo(OsErrorText(path, ec ? ec.value() : ENOTDIR));
  }
}

std::string ReadFileBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EVetrilo(OsErrorText(path, errno));
  std::string data;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      throw EVetrilo(OsErrorText(path, err));
    }
    if (n == 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return data;
}

namespace {

// The file a path finally names: symbolic links followed, relative targets taken
// from the link's own folder. A dangling link names the file it points to.
std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::vector<char> buf(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t n = ::readlink(current.c_str(), buf.data(), buf.size());
    if (n < 0) throw EVetrilo(OsErrorText(path, errno));
    if (static_cast<size_t>(n) >= buf.size()) throw EVetrilo(OsErrorText(path, ENAMETOOLONG));
    const std::string target(buf.data(), static_cast<size_t>(n));
    current = target.front() == '/' ? target : JoinPath(ExtractFileDir(current), target);
  }
  throw EVetrilo(OsErrorText(path, ELOOP));
}

// A rename is durable only once its folder is synced. File systems that cannot
// sync a folder say EINVAL; there is nothing more to do on them.
int SyncFolder(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = 0;
  if (::fsync(fd) != 0 && errno != EINVAL) err = errno;
  ::close(fd);
  return err;
}

}  // namespace

void SaveFileAtomic(const std::string& path, std::string_view bytes, unsigned newFileMode) {
  const std::string target = FollowLinks(path);
  // A replaced file keeps its permissions: a private file must not become readable.
  struct stat old;
  const mode_t mode = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)
                          ? old.st_mode & 07777
                          : static_cast<mode_t>(newFileMode & 07777);
  std::string tmpl = target + ".tmp-XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) throw EVetrilo(OsErrorText(path, errno));
  const std::string tmpPath(name.data());
  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(tmpPath.c_str());
    throw EVetrilo(OsErrorText(path, err));
  };
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    done += static_cast<size_t>(n);
  }
  if (::fchmod(fd, mode) != 0) fail(errno);
  if (::fsync(fd) != 0) fail(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmpPath.c_str());
    throw EVetrilo(OsErrorText(path, err));
  }
  if (::rename(tmpPath.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmpPath.c_str());
    throw EVetrilo(OsErrorText(path, err));
  }
  if (const int err = SyncFolder(ExtractFileDir(target))) throw EVetrilo(OsErrorText(path, err));
}

std::string ExtractFileDir(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string ExtractFileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ChangeFileExt(const std::string& path, std::string_view ext) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExt ? path.substr(0, dot) : path) + std::string(ext);
}

std::string JoinPath(const std::string& dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  if (dir.back() == '/') return dir + std::string(name);
  return dir + "/" + std::string(name);
}

}  // namespace vetrilo
