#include "stakes/stake_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/file_lock.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

namespace {

// Writes all of `bytes` at `offset`; false with errno set on failure.
bool WriteAllAt(int fd, std::string_view bytes, off_t offset) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

void SyncDir(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

TStakeFile::~TStakeFile() {
  Close();
}

void TStakeFile::Open(const std::string& path, bool exclusive, int waitMs) {
  Close();
  usable_ = true;
  path_ = path;
  exclusive_ = exclusive;
  fd_ = exclusive ? OpenLockedFile(path, waitMs) : OpenRegularFile(path, O_RDWR | O_CREAT);
  try {
    ReadAll();
  } catch (...) {
    Close();
    throw;
  }
}

void TStakeFile::ReadAll() {
  data_.clear();
  char buf[65536];
  off_t offset = 0;
  for (;;) {
    const ssize_t n = ::pread(fd_, buf, sizeof buf, offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EVetrilo(OsErrorText(path_, errno));
    }
    if (n == 0) break;
    data_.append(buf, static_cast<size_t>(n));
    offset += n;
  }
}

void TStakeFile::Close() {
  if (fd_ >= 0) {
    ::close(fd_);  // the lock goes with the descriptor
    fd_ = -1;
  }
  data_.clear();
}

void TStakeFile::Reopen() {
  const std::string path = path_;
  const bool exclusive = exclusive_;
  // Reading again through the descriptor we hold keeps the lock without a gap.
  if (fd_ >= 0 && usable_) {
    ReadAll();
    return;
  }
  Open(path, exclusive);
}

TStakeRec TStakeFile::Read(int origin, int64_t index) const {
  if (!IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
  const int64_t at = origin == 2 ? Count() + index : index;
  if (at < 0 || at >= Count()) {
    throw EVetrilo(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
  }
  return TStakeRec::FromBytes(RecordBytes(at));
}

void TStakeFile::Append(std::string_view records) {
  if (!IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
  const off_t size = static_cast<off_t>(data_.size());
  int err = FileFault(TFileStep::Write, path_);
  if (err == 0 && !WriteAllAt(fd_, records, size)) err = errno;
  // A stake is the player's record: it is on the disk before it is reported made.
  if (err == 0) err = FileFault(TFileStep::Sync, path_);
  if (err == 0 && ::fsync(fd_) != 0) err = errno;
  if (err != 0) {
    // A torn append must not leave half a record behind.
    (void)!::ftruncate(fd_, size);
    throw EVetrilo(OsErrorText(path_, err));
  }
  data_.append(records);
}

std::string TStakeFile::TempPath() const {
  return ChangeFileExt(path_, ".~tmp");
}

void TStakeFile::Rewrite(std::string_view bytes) {
  if (!IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
  const std::string tmp = TempPath();
  struct stat old;
  const mode_t mode = ::fstat(fd_, &old) == 0 ? old.st_mode & 07777 : 0644;
  if (const int err = FileFault(TFileStep::Create, path_)) throw EVetrilo(OsErrorText(tmp, err));
  const int fd = ::open(tmp.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw EVetrilo(OsErrorText(tmp, errno));
  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(tmp.c_str());
    throw EVetrilo(OsErrorText(tmp, err));
  };
  if (exclusive_ && ::flock(fd, LOCK_EX | LOCK_NB) != 0) fail(errno);
  if (const int err = FileFault(TFileStep::Write, path_)) fail(err);
  if (!WriteAllAt(fd, bytes, 0)) fail(errno);
  if (::fchmod(fd, mode) != 0) fail(errno);
  if (const int err = FileFault(TFileStep::Sync, path_)) fail(err);
  if (::fsync(fd) != 0) fail(errno);
  int renameErr = FileFault(TFileStep::Rename, path_);
  if (renameErr == 0 && ::rename(tmp.c_str(), path_.c_str()) != 0) renameErr = errno;
  if (renameErr != 0) {
    const int err = renameErr;
    ::close(fd);
    ::unlink(tmp.c_str());
    throw EVetrilo(Format(Tr("Ошибка переименования / удаления временного файла ставок %s!\r\r%s"),
                          {tmp, OsErrorText(path_, err)}));
  }
  SyncDir(ExtractFileDir(path_));
  ::close(fd_);
  fd_ = fd;
  data_.assign(bytes);
}

void TStakeFile::Truncate(size_t size) {
  if (!IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
  if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) throw EVetrilo(OsErrorText(path_, errno));
  data_.resize(std::min(size, data_.size()));
}

}  // namespace vetrilo
