#include "services/update_package.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

std::string ContainedName(std::string_view name, std::string_view what) {
  const auto refuse = [&] {
    return EVetrilo(Format(Tr("%s \"%s\" выходит за пределы своего каталога!"),
                           {std::string(what), std::string(name)}));
  };
  if (name.empty() || name.front() == '/' || name.find('\0') != std::string_view::npos ||
      name.find('\\') != std::string_view::npos) {
    throw refuse();
  }
  std::string out;
  size_t start = 0;
  while (start <= name.size()) {
    const size_t slash = std::min(name.find('/', start), name.size());
    const std::string_view part = name.substr(start, slash - start);
    start = slash + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") throw refuse();
    if (!out.empty()) out += '/';
    out += part;
  }
  if (out.empty()) throw refuse();
  return out;
}

namespace {

using TArchive = std::unique_ptr<archive, int (*)(archive*)>;

std::string ArchiveError(archive* a, const std::string& package) {
  const char* text = archive_error_string(a);
  return Format(Tr("Ошибка распаковки пакета обновления \"%s\": %s"),
                {package, std::string(text ? text : "?")});
}

void WriteEntry(archive* a, const std::string& package, const std::string& path, mode_t mode,
                uint64_t& total, uint64_t maxBytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                        (mode & 0777) | 0600);
  if (fd < 0) throw EVetrilo(OsErrorText(path, errno));
  struct TFd {
    int fd;
    ~TFd() { ::close(fd); }
  } guard{fd};
  char block[65536];
  for (;;) {
    const la_ssize_t n = archive_read_data(a, block, sizeof block);
    if (n < 0) throw EVetrilo(ArchiveError(a, package));
    if (n == 0) break;
    total += uint64_t(n);
    if (total > maxBytes) {
      throw EVetrilo(Format(Tr("Пакет обновления \"%s\" больше %d байт!"),
                            {package, static_cast<int64_t>(maxBytes)}));
    }
    for (la_ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(fd, block + done, size_t(n - done));
      if (w < 0) throw EVetrilo(OsErrorText(path, errno));
      done += w;
    }
  }
  ::fchmod(fd, mode & 0777);
}

}  // namespace

void UnpackUpdatePackage(const std::string& package, const std::string& folder, uint64_t maxBytes) {
  TArchive a(archive_read_new(), archive_read_free);
  archive_read_support_filter_gzip(a.get());
  archive_read_support_format_tar(a.get());
  if (archive_read_open_filename(a.get(), package.c_str(), 65536) != ARCHIVE_OK) {
    throw EVetrilo(ArchiveError(a.get(), package));
  }
  uint64_t total = 0;
  for (;;) {
    archive_entry* entry = nullptr;
    const int rc = archive_read_next_header(a.get(), &entry);
    if (rc == ARCHIVE_EOF) break;
    if (rc != ARCHIVE_OK && rc != ARCHIVE_WARN) throw EVetrilo(ArchiveError(a.get(), package));
    const char* rawName = archive_entry_pathname(entry);
    const std::string entryName = rawName ? rawName : "";
    const std::string what = Tr("Элемент пакета обновления");
    // "./" alone names the package's root folder.
    if (entryName == "." || entryName == "./") continue;
    const std::string name = ContainedName(entryName, what);
    const mode_t type = archive_entry_filetype(entry);
    if (archive_entry_hardlink(entry) || archive_entry_symlink(entry) || type == AE_IFLNK) {
      throw EVetrilo(Format(Tr("Элемент пакета обновления \"%s\" является ссылкой!"), {entryName}));
    }
    const std::string path = JoinPath(folder, name);
    // Folders on the way were made by this package, never links: the check above.
    ForceDirectory(ExtractFileDir(path));
    if (type == AE_IFDIR) {
      ForceDirectory(path);
      continue;
    }
    if (type != AE_IFREG) {
      throw EVetrilo(
          Format(Tr("Элемент пакета обновления \"%s\" не является файлом!"), {entryName}));
    }
    WriteEntry(a.get(), package, path, archive_entry_perm(entry), total, maxBytes);
    if (archive_entry_mtime_is_set(entry)) {
      const struct timeval times[2] = {{archive_entry_mtime(entry), 0},
                                       {archive_entry_mtime(entry), 0}};
      ::utimes(path.c_str(), times);
    }
  }
}

}  // namespace vetrilo
