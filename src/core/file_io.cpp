#include "core/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/errors.h"
#include "core/translate.h"

namespace vetrilo {

std::string OsErrorText(const std::string& path, int err) {
  return "\"" + path + "\": " + std::strerror(err);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
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

namespace {

TFileFaultHook& FaultHook() {
  static TFileFaultHook hook;
  return hook;
}

// The error a test asked this step to fail with, or 0.
int Fault(TFileStep step, const std::string& path) {
  const TFileFaultHook& hook = FaultHook();
  return hook ? hook(step, path) : 0;
}

}  // namespace

std::string NotAFileText(const std::string& path) {
  return "\"" + path + "\": " + Tr("не является обычным файлом");
}

void SetFileFaultHook(TFileFaultHook hook) {
  FaultHook() = std::move(hook);
}

int FileFault(TFileStep step, const std::string& path) {
  return Fault(step, path);
}

int OpenRegularFile(const std::string& path, int flags, uint64_t* size) {
  // Non-blocking, so a FIFO cannot hold the open; it is refused right after.
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, kNewFileMode);
  if (fd < 0) throw EVetrilo(OsErrorText(path, errno));
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    throw EVetrilo(OsErrorText(path, err));
  }
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw EVetrilo(OsErrorText(path, EISDIR));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    throw EVetrilo(NotAFileText(path));
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (size) *size = static_cast<uint64_t>(st.st_size);
  return fd;
}

std::string ReadFileBytes(const std::string& path, uint64_t maxBytes) {
  uint64_t size = 0;
  const int fd = OpenRegularFile(path, O_RDONLY, &size);
  if (size > maxBytes) {
    ::close(fd);
    throw EVetrilo(OsErrorText(path, EFBIG));
  }
  std::string data;
  data.reserve(static_cast<size_t>(size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      const int err = errno;
      ::close(fd);
      throw EVetrilo(OsErrorText(path, err));
    }
    if (n == 0) break;
    // The file may grow while it is read.
    if (data.size() + static_cast<size_t>(n) > maxBytes) {
      ::close(fd);
      throw EVetrilo(OsErrorText(path, EFBIG));
    }
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

namespace {

// Full writes with EINTR retried; the errno of the failure, or 0.
int WriteAll(int fd, std::string_view bytes, const std::string& path) {
  size_t done = 0;
  while (done < bytes.size()) {
    if (const int err = Fault(TFileStep::Write, path)) return err;
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    done += static_cast<size_t>(n);
  }
  return 0;
}

constexpr std::string_view kTempPrefix = ".vetrilo-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::string_view kOldTempMark = ".tmp-";  // older saves put it after the target's name
constexpr size_t kTempRandom = 6;

bool IsTempRandom(std::string_view s) {
  if (s.size() != kTempRandom) return false;
  for (const char c : s) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsStaleTemporaryName(std::string_view name) {
  // The stakes file rewrites itself through "<name>.~tmp".
  if (name.size() > 5 && name.ends_with(".~tmp")) return true;
  if (name.size() == kTempPrefix.size() + kTempRandom + kTempSuffix.size() &&
      name.starts_with(kTempPrefix) && name.ends_with(kTempSuffix)) {
    return IsTempRandom(name.substr(kTempPrefix.size(), kTempRandom));
  }
  const size_t tail = kOldTempMark.size() + kTempRandom;
  return name.size() > tail &&
         name.substr(name.size() - tail, kOldTempMark.size()) == kOldTempMark &&
         IsTempRandom(name.substr(name.size() - kTempRandom));
}

int RemoveStaleTemporaries(const std::string& dir) {
  int removed = 0;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return 0;
  std::vector<std::string> names;
  while (const dirent* e = ::readdir(d)) {
    if (IsStaleTemporaryName(e->d_name)) names.emplace_back(e->d_name);
  }
  ::closedir(d);
  for (const std::string& name : names) {
    const std::string path = JoinPath(dir, name);
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.c_str()) == 0) {
      ++removed;
    }
  }
  return removed;
}

void SaveFileAtomic(const std::string& path, std::string_view bytes, unsigned newFileMode) {
  const std::string target = FollowLinks(path);
  // A replaced file keeps its permissions: a private file must not become readable.
  // Anything but a regular file (a device, a FIFO, a folder) is never replaced.
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) throw EVetrilo(OsErrorText(path, EISDIR));
  if (exists && !S_ISREG(old.st_mode)) throw EVetrilo(NotAFileText(path));
  const mode_t mode = exists ? old.st_mode & 07777 : static_cast<mode_t>(newFileMode & 07777);
  // A short name of its own, so a target name near the length limit still saves.
  const std::string folder = ExtractFileDir(target);
  const std::string tmpl =
      JoinPath(folder, std::string(kTempPrefix) + "XXXXXX" + std::string(kTempSuffix));
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  if (const int err = Fault(TFileStep::Create, target)) throw EVetrilo(OsErrorText(path, err));
  const int fd = ::mkstemps(name.data(), static_cast<int>(kTempSuffix.size()));
  if (fd < 0) throw EVetrilo(OsErrorText(path, errno));
  const std::string tmpPath(name.data());
  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(tmpPath.c_str());
    throw EVetrilo(OsErrorText(path, err));
  };
  if (const int err = WriteAll(fd, bytes, target)) fail(err);
  if (::fchmod(fd, mode) != 0) fail(errno);
  if (const int err = Fault(TFileStep::Sync, target)) fail(err);
  if (::fsync(fd) != 0) fail(errno);
  int closeErr = Fault(TFileStep::Close, target);
  if (::close(fd) != 0 && closeErr == 0) closeErr = errno;
  if (closeErr != 0) {
    ::unlink(tmpPath.c_str());
    throw EVetrilo(OsErrorText(path, closeErr));
  }
  int renameErr = Fault(TFileStep::Rename, target);
  if (renameErr == 0 && ::rename(tmpPath.c_str(), target.c_str()) != 0) renameErr = errno;
  if (renameErr != 0) {
    ::unlink(tmpPath.c_str());
    throw EVetrilo(OsErrorText(path, renameErr));
  }
  int syncErr = Fault(TFileStep::SyncFolder, target);
  if (syncErr == 0) syncErr = SyncFolder(folder);
  if (syncErr != 0) throw EVetrilo(OsErrorText(path, syncErr));
}

void AppendFileBytes(const std::string& path, std::string_view bytes) {
  const std::string target = FollowLinks(path);
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    throw EVetrilo(S_ISDIR(st.st_mode) ? OsErrorText(path, EISDIR) : NotAFileText(path));
  }
  const bool existed = ::stat(target.c_str(), &st) == 0;
  if (const int err = Fault(TFileStep::Create, target)) throw EVetrilo(OsErrorText(path, err));
  const int fd = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) throw EVetrilo(OsErrorText(path, errno));
  const off_t before = ::lseek(fd, 0, SEEK_END);
  int err = WriteAll(fd, bytes, target);
  if (err == 0) err = Fault(TFileStep::Sync, target);
  // Half a line would run into the next one: cut it off again.
  if (err != 0 && before >= 0) (void)!::ftruncate(fd, before);
  int closeErr = Fault(TFileStep::Close, target);
  if (::close(fd) != 0 && closeErr == 0) closeErr = errno;
  if (closeErr != 0 && err == 0) {
    err = closeErr;
    // The close failed after the bytes went in; they may not have reached the disk.
    const int again = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (again >= 0) {
      if (before >= 0) (void)!::ftruncate(again, before);
      ::close(again);
    }
  }
  if (err != 0) {
    // A log the failed append created would be left empty: it goes again.
    if (!existed && before == 0) ::unlink(target.c_str());
    throw EVetrilo(OsErrorText(path, err));
  }
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
