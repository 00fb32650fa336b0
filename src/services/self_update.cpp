#include "services/self_update.h"

#include <curl/curl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "core/translate.h"
#include "net/http_client.h"
#include "services/sha256.h"
#include "services/update_package.h"
#include "stats/stat_list.h"

extern char** environ;

namespace vetrilo {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kGlobalSection = "GlobalOptions";
// Previous files of an installation and copies not yet in place; both match
// the "*.~*" clean-up of the next check.
constexpr std::string_view kOldSuffix = ".~old";
constexpr std::string_view kNewSuffix = ".~upd";

bool ValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 4;
    if (n == 4 || i + n >= s.size() + (n == 0 ? 1 : 0)) return false;
    for (size_t k = 1; k <= n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    }
    i += n + 1;
  }
  return true;
}

std::string NotFoundText(const std::string& path) {
  return Format(Tr("Файл \"%s\" не найден!"), {path});
}

std::string ChecksumErrorText() {
  return Tr("Неверная контрольная сумма скачанного файла.");
}

bool IsHex(std::string_view s, size_t length) {
  if (s.size() != length) return false;
  for (char c : s) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool LoopbackHost(const std::string& host) {
  if (host == "localhost" || host == "::1" || host == "[::1]") return true;
  int a = 0, b = 0, c = 0, d = 0;
  char tail = 0;
  return std::sscanf(host.c_str(), "%d.%d.%d.%d%c", &a, &b, &c, &d, &tail) == 4 && a == 127 &&
         b >= 0 && b < 256 && c >= 0 && c < 256 && d >= 0 && d < 256;
}

bool IsLink(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A link found in the program folder is not ours to remove.
void RemoveTreeQuietly(const std::string& path) {
  if (IsLink(path)) return;
  std::error_code ec;
  fs::remove_all(path, ec);
}

void RemoveCopy(const std::string& path) {
  if (IsLink(path)) return;
  std::error_code ec;
  fs::remove(path, ec);
}

bool PlainFileOrLink(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// Files of the program folder matching "*.~*" (its sub-folders not searched),
// and the previous files an installation kept in its sub-folders.
void DeleteLeftovers(const std::string& dir) {
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeEc;
    if (it->is_directory(typeEc) && !it->is_symlink(typeEc)) {
      std::error_code walkEc;
      for (fs::recursive_directory_iterator sub(it->path(), walkEc), subEnd;
           !walkEc && sub != subEnd; sub.increment(walkEc)) {
        const std::string subName = sub->path().filename().string();
        if (subName.ends_with(kOldSuffix) || subName.ends_with(kNewSuffix)) {
          std::error_code rmEc;
          fs::remove(sub->path(), rmEc);
        }
      }
      continue;
    }
    const size_t mark = name.find(".~");
    if (mark != std::string::npos) {
      std::error_code rmEc;
      fs::remove(it->path(), rmEc);
    }
  }
}

// A server text used as a file name of its own.
void PlainName(const std::string& name, const std::string& what) {
  if (name.find('/') != std::string::npos || ContainedName(name, what) != name) {
    throw EVetrilo(Format(Tr("%s \"%s\" выходит за пределы своего каталога!"), {what, name}));
  }
}

}  // namespace

std::string SysErrorText(int err) {
  return Format("SysError #%d: \"%s\"!", {err, std::string(std::strerror(err))});
}

std::string UpdateTextToUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return ValidUtf8(bytes) ? std::string(bytes) : Cp1251ToUtf8(bytes);
}

TUpdateVersionData ParseUpdateConfig(std::string_view bytes, std::string_view programFileName,
                                     std::string_view runningVersion) {
  const TIniData ini = TIniData::Parse(UpdateTextToUtf8(bytes));
  const auto own = [&](std::string_view key, std::string_view def = {}) {
    return ini.ReadString(programFileName, key, def);
  };
  const auto global = [&](std::string_view key) { return ini.ReadString(kGlobalSection, key, ""); };
  TUpdateVersionData d;
  d.VerId = own("VerId", runningVersion);
  d.Description = own("Description");
  d.DownloadUrl = Trim(own("DownloadUrl"));
  d.OriginalFileName = Trim(own("OriginalFileName"));
  d.ChecksumCRC32 = Trim(own("ChecksumCRC32"));
  d.ChecksumSHA256 = Trim(own("ChecksumSHA256"));
  d.GlobalDeleteAfter = global("DeleteAfter");
  d.GlobalDeleteBefore = global("DeleteBefore");
  d.GlobalExecAfter = global("ExecAfter");
  d.GlobalExecBefore = global("ExecBefore");
  d.DeleteAfter = own("DeleteAfter");
  d.DeleteBefore = own("DeleteBefore");
  d.ExecAfter = own("ExecAfter");
  d.ExecBefore = own("ExecBefore");
  return d;
}

int BuildNumber(std::string_view versionText) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : versionText) {
    if (c == ',' || c == '-' || c == '.' || c == '_') {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  if (parts.size() < 4) return 0;
  const std::string word = Trim(parts[3]);
  if (word.empty() || word.size() > 9) return 0;
  for (char c : word) {
    if (c < '0' || c > '9') return 0;
  }
  return std::stoi(word);
}

std::string ProgramVersionText() {
  return VETRILO_VERSION "." VETRILO_BUILD_NUMBER;
}

std::vector<std::string> SplitNameList(std::string_view list) {
  std::vector<std::string> names;
  for (const std::string& word : SplitAll(list, ';')) {
    std::string name = Trim(word);
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

std::string FileCrc32Text(const std::string& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!f) throw EVetrilo(OsErrorText(path, errno));
  uLong crc = crc32(0L, Z_NULL, 0);
  char block[32768];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, f.get())) > 0) {
    crc = crc32(crc, reinterpret_cast<const Bytef*>(block), static_cast<uInt>(n));
  }
  if (std::ferror(f.get())) throw EVetrilo(OsErrorText(path, EIO));
  char text[16];
  std::snprintf(text, sizeof text, "%.8lX", static_cast<unsigned long>(crc));
  return text;
}

bool IsWebAddress(std::string_view source) {
  const std::string lower = Lower(source.substr(0, 8));
  return lower.starts_with("http://") || lower.starts_with("https://");
}

void CheckWebAddressAllowed(std::string_view address) {
  const std::string text(address);
  std::unique_ptr<CURLU, void (*)(CURLU*)> url(curl_url(), curl_url_cleanup);
  char* scheme = nullptr;
  char* host = nullptr;
  const bool parsed = url && curl_url_set(url.get(), CURLUPART_URL, text.c_str(), 0) == CURLUE_OK &&
                      curl_url_get(url.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
                      curl_url_get(url.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK;
  const std::string schemeText = scheme ? Lower(scheme) : "";
  const std::string hostText = host ? Lower(host) : "";
  curl_free(scheme);
  curl_free(host);
  if (!parsed) throw EVetrilo(Format(Tr("Некорректный адрес \"%s\"!"), {text}));
  if (schemeText == "https") return;
  if (schemeText == "http" && LoopbackHost(hostText)) return;
  throw EVetrilo(Format(
      Tr("Адрес \"%s\" не защищен: обновления загружаются только по протоколу https://"), {text}));
}

void CheckRedirectAllowed(std::string_view from, std::string_view to) {
  // A secure address never leads on to an insecure one.
  if (Lower(from.substr(0, 8)).starts_with("https://") &&
      !Lower(to.substr(0, 8)).starts_with("https://")) {
    throw EVetrilo(
        Format(Tr("Адрес \"%s\" не защищен: обновления загружаются только по протоколу https://"),
               {std::string(to)}));
  }
  CheckWebAddressAllowed(to);
}

void CheckNoLinkBelow(const std::string& dir, std::string_view relative) {
  std::string path = dir;
  for (const std::string& part : SplitAll(relative, '/')) {
    if (part.empty() || part == ".") continue;
    path = JoinPath(path, part);
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) return;
      throw EVetrilo(OsErrorText(path, errno));
    }
    if (S_ISLNK(st.st_mode)) throw EVetrilo(Format(Tr("\"%s\" является ссылкой!"), {path}));
  }
}

int FetchFile(const std::string& source, const std::string& target, const TFetchLimits& limits) {
  const auto tooLarge = [&] {
    return EVetrilo(
        Format(Tr("Файл \"%s\" больше %d байт!"), {source, static_cast<int64_t>(limits.MaxBytes)}));
  };
  ForceDirectory(ExtractFileDir(target));
  if (!IsWebAddress(source)) {
    struct stat st;
    if (::stat(source.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<uint64_t>(st.st_size) > limits.MaxBytes) {
      throw tooLarge();
    }
    const std::string bytes = ReadFileBytes(source, limits.MaxBytes);
    SaveFileAtomic(target, bytes);
    return 1;
  }
  CheckWebAddressAllowed(source);
  THttpClient http;
  http.ConnectTimeoutMs = limits.ConnectTimeoutMs;
  http.ReadTimeoutMs = limits.IdleTimeoutMs;
  http.DeadlineMs = limits.DeadlineMs;
  http.DeadlineBytesPerSecond = limits.BytesPerSecond;
  http.MaxBodyBytes = limits.MaxBytes;
  http.Poll = limits.Poll;
  http.Accept = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
  http.UserAgent =
      "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
      "Chrome/47.0.2526.80 Safari/537.36";
  // Every hop is checked before it is asked for: a loopback server must not
  // send the program to another host.
  http.CheckRedirect = [](const std::string& from, const std::string& to) {
    CheckRedirectAllowed(from, to);
  };
  const std::string body = http.Get(source);
  SaveFileAtomic(target, body);
  return 0;
}

std::string DescriptionBase(std::string_view configAddress) {
  if (IsWebAddress(configAddress)) {
    const size_t slash = configAddress.rfind('/');
    return std::string(configAddress.substr(0, slash + 1)) + "UpdDescr/";
  }
  return JoinPath(ExtractFileDir(std::string(configAddress)), "UpdDescr") + "/";
}

std::vector<std::string> DescriptionCandidates(std::string_view base, std::string_view verId,
                                               int languageId) {
  const std::string b(base);
  const std::string v(verId);
  std::vector<std::string> names;
  if (languageId != 0) {
    names.push_back(b + Format("UpdDescr_%s_%s.txt", {LanguageAbbreviation(languageId), v}));
    names.push_back(b + Format("UpdDescr_%d_%s.txt", {languageId, v}));
  }
  names.push_back(b + Format("UpdDescr_%s.txt", {v}));
  return names;
}

int RunAndWait(const std::string& folder, const std::string& program, int timeoutSeconds,
               const std::function<void()>& poll) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  // A group of its own, so that a time-out ends what it started as well.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  std::vector<char*> argv{const_cast<char*>(program.c_str()), nullptr};
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw EVetrilo(SysErrorText(rc));
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      if (WIFEXITED(status)) return WEXITSTATUS(status);
      return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    }
    if (done < 0 && errno != EINTR) throw EVetrilo(SysErrorText(errno));
    if (timeoutSeconds > 0 &&
        std::chrono::steady_clock::now() - start > std::chrono::seconds(timeoutSeconds)) {
      ::kill(-pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      throw EVetrilo(Format(Tr("Ожидание завершения процесса (файла) \"%s\" прервано в связи "
                               "с превышением времени ожидания!"),
                            {ExtractFileName(program)}));
    }
    if (poll) poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

void StartProgramForRestart(const std::string& programDir, const std::string& baseName) {
  const std::string program = JoinPath(programDir, baseName);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, programDir.c_str());
  std::string word = "restart";
  std::vector<char*> argv{const_cast<char*>(program.c_str()), word.data(), nullptr};
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw EVetrilo(SysErrorText(rc));
}

TSelfUpdate::TSelfUpdate(std::string programDir, std::string programFileName, TUiHooks& hooks,
                         TProgressWindow& progress)
    : dir_(std::move(programDir)),
      programFileName_(std::move(programFileName)),
      hooks_(hooks),
      progress_(progress) {}

std::string TSelfUpdate::WorkFolder() const {
  return JoinPath(dir_, kWorkFolder);
}

namespace {

class TBusyCall {
 public:
  explicit TBusyCall(const TSelfUpdate& u) : u_(u) {
    if (u_.EnterBusy) u_.EnterBusy();
  }
  ~TBusyCall() {
    if (u_.LeaveBusy) u_.LeaveBusy();
  }
  TBusyCall(const TBusyCall&) = delete;
  TBusyCall& operator=(const TBusyCall&) = delete;

 private:
  const TSelfUpdate& u_;
};

}  // namespace

TFetchLimits TSelfUpdate::TextLimits() const {
  TFetchLimits limits = Limits;
  if (!limits.Poll) limits.Poll = Poll;
  return limits;
}

TUpdateVersionData TSelfUpdate::ReadConfig(const std::string& configAddress) {
  const std::string copy = JoinPath(dir_, kConfigCopy);
  CheckNoLinkBelow(dir_, kConfigCopy);
  struct TRemove {
    std::string Path;
    ~TRemove() { RemoveCopy(Path); }
  } remove{copy};
  FetchFile(configAddress, copy, TextLimits());
  return ParseUpdateConfig(ReadFileBytes(copy, Limits.MaxBytes), programFileName_, RunningVersion);
}

bool TSelfUpdate::UpdateAvailable(const TUpdateVersionData& data) const {
  return BuildNumber(RunningVersion) < BuildNumber(data.VerId) && !data.DownloadUrl.empty();
}

std::vector<std::string> TSelfUpdate::FetchDescription(const std::string& configAddress,
                                                       int language) {
  std::vector<std::string> lines;
  const std::string name = Format("UpdDescr_%s.txt", {data_.VerId});
  const std::string local = JoinPath(dir_, name);
  struct TRemove {
    std::string Path;
    ~TRemove() { RemoveCopy(Path); }
  } remove{local};
  bool fetched = false;
  try {
    CheckNoLinkBelow(dir_, name);
    for (const std::string& candidate :
         DescriptionCandidates(DescriptionBase(configAddress), data_.VerId, language)) {
      try {
        FetchFile(candidate, local, TextLimits());
        fetched = true;
        break;
      } catch (const EVetrilo&) {
      }
    }
  } catch (const EVetrilo&) {
  }
  if (fetched && FileExists(local)) {
    try {
      lines = SplitLines(UpdateTextToUtf8(ReadFileBytes(local, Limits.MaxBytes)));
    } catch (const EVetrilo&) {
      lines.clear();
    }
  } else {
    lines = {Tr("< Описание обновления не доступно >")};
  }
  return lines;
}

int TSelfUpdate::CheckForUpdates(const std::string& configAddress, bool silent, int language) {
  int result = 0;
  const std::string copy = JoinPath(dir_, kConfigCopy);
  try {
    bool available = false;
    std::vector<std::string> description;
    std::string searchError;
    {
      TBusyCall busy(*this);
      TProgressScope progress(progress_, Tr("Поиск доступных обновлений..."), 5);
      try {
        DeleteLeftovers(dir_);
        progress_.Step();
        const std::string running = RunningVersion;
        progress_.Step();
        CheckNoLinkBelow(dir_, kConfigCopy);
        FetchFile(configAddress, copy, TextLimits());
        progress_.Step();
        data_ = ParseUpdateConfig(ReadFileBytes(copy, Limits.MaxBytes), programFileName_, running);
        progress_.Step();
        available = UpdateAvailable(data_);
        if (available) {
          // The version text names the local description file.
          PlainName(data_.VerId, "VerId");
          description = FetchDescription(configAddress, language);
        }
        progress_.Step();
      } catch (const std::exception& e) {
        result = 2;
        searchError = e.what();
      }
    }
    if (result == 2) {
      if (!silent) {
        hooks_.ShowMessage(TMessageKind::Error,
                           Format(Tr("Ошибка поиска обновлений!\r\r%s"), {searchError}));
      }
    } else if (!available) {
      if (!silent) hooks_.ShowMessage(TMessageKind::Information, Tr("Обновлений не найдено!"));
    } else {
      const TUpdateOffer offer{RunningVersion, data_.Description, std::move(description)};
      if (!Informer || Informer(offer)) result = Install(configAddress);
    }
  } catch (const std::exception& e) {
    hooks_.ShowMessage(TMessageKind::Error,
                       Format(Tr("Ошибка системы самообновления программы!\r\r%s"), {e.what()}));
    result = 2;
  }
  RemoveCopy(copy);
  return result;
}

void TSelfUpdate::CheckNames() const {
  PlainName(data_.VerId, "VerId");
  if (!data_.OriginalFileName.empty()) PlainName(data_.OriginalFileName, "OriginalFileName");
  const std::pair<const std::string*, const char*> lists[] = {
      {&data_.GlobalDeleteBefore, "DeleteBefore"}, {&data_.DeleteBefore, "DeleteBefore"},
      {&data_.GlobalDeleteAfter, "DeleteAfter"},   {&data_.DeleteAfter, "DeleteAfter"},
      {&data_.GlobalExecBefore, "ExecBefore"},     {&data_.ExecBefore, "ExecBefore"},
      {&data_.GlobalExecAfter, "ExecAfter"},       {&data_.ExecAfter, "ExecAfter"}};
  for (const auto& [list, what] : lists) {
    for (const std::string& name : SplitNameList(*list)) ContainedName(name, what);
  }
}

int TSelfUpdate::Install(const std::string& configAddress) {
  int result = 0;
  std::string error;
  {
    TBusyCall busy(*this);
    TProgressScope progress(
        progress_, Format(Tr("Загрузка и установка обновления \"%s\"..."), {data_.VerId}), 14);
    try {
      // Server texts become names only once they are known to stay in their folders.
      CheckNames();
      InstallSteps(configAddress);
      result = 1;
    } catch (const std::exception& e) {
      result = 2;
      error = e.what();
    }
    RemoveTreeQuietly(WorkFolder());
    progress_.Step();
  }
  if (result == 2) {
    hooks_.ShowMessage(TMessageKind::Error,
                       Format(Tr("Ошибка установки обновления!\r\r%s"), {error}));
  } else {
    hooks_.ShowMessage(TMessageKind::Warning,
                       Format(Tr("Установка обновления \"%s\" успешно выполнена.\r\rДля "
                                 "завершения установки необходимо перезапустить программу!"),
                              {data_.Description}));
  }
  return result;
}

void TSelfUpdate::Download(const std::string& configAddress, const std::string& package) {
  // An insecure configuration could name any file; a package comes from the web
  // when the configuration did.
  if (IsWebAddress(configAddress) && !IsWebAddress(data_.DownloadUrl)) {
    throw EVetrilo(Format(Tr("Некорректный адрес \"%s\"!"), {data_.DownloadUrl}));
  }
  if (!IsHex(data_.ChecksumSHA256, 64)) throw EVetrilo(ChecksumErrorText());
  TFetchLimits limits = TextLimits();
  limits.MaxBytes = kMaxPackageBytes;
  limits.BytesPerSecond = PackageBytesPerSecond;
  for (int attempt = 1;; ++attempt) {
    try {
      std::error_code ec;
      fs::remove(package, ec);
      FetchFile(data_.DownloadUrl, package, limits);
      if (!FileExists(package)) throw EVetrilo(NotFoundText(package));
      if (!data_.ChecksumCRC32.empty() &&
          Lower(FileCrc32Text(package)) != Lower(data_.ChecksumCRC32)) {
        throw EVetrilo(ChecksumErrorText());
      }
      if (FileSha256Hex(package) != Lower(data_.ChecksumSHA256)) {
        throw EVetrilo(ChecksumErrorText());
      }
      return;
    } catch (const EVetrilo&) {
      if (attempt >= 3) throw;
    }
  }
}

void TSelfUpdate::InstallSteps(const std::string& configAddress) {
  const std::string work = WorkFolder();
  const std::string package = JoinPath(work, Format("SelfUpdate_%s.upd", {data_.VerId}));
  const std::string original =
      data_.OriginalFileName.empty() ? package : JoinPath(work, data_.OriginalFileName);
  CheckNoLinkBelow(dir_, kWorkFolder);
  if (fs::exists(work)) RemoveTreeQuietly(work);
  progress_.Step();
  std::error_code ec;
  fs::create_directories(work, ec);
  progress_.Step();
  Download(configAddress, package);
  progress_.Step();
  if (original != package && ::rename(package.c_str(), original.c_str()) != 0) {
    throw EVetrilo(SysErrorText(errno));
  }
  progress_.Step();
  if (!FileExists(original)) throw EVetrilo(NotFoundText(original));
  progress_.Step();
  UnpackUpdatePackage(original, work);
  progress_.Step();
  for (int failures = 0; PlainFileOrLink(original);) {
    if (::unlink(original.c_str()) == 0) break;
    const int err = errno;
    if (++failures > 100) throw EVetrilo(SysErrorText(err));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  progress_.Step();
  if (fs::is_empty(work, ec)) throw EVetrilo(NotFoundText(JoinPath(work, "*.*")));
  CheckTargets();
  progress_.Step();
  DeleteListed(data_.GlobalDeleteBefore, data_.DeleteBefore);
  progress_.Step();
  ExecListed(data_.GlobalExecBefore, data_.ExecBefore);
  progress_.Step();
  CopyIntoProgramFolder();
  progress_.Step();
  ExecListed(data_.GlobalExecAfter, data_.ExecAfter);
  progress_.Step();
  DeleteListed(data_.GlobalDeleteAfter, data_.DeleteAfter);
  progress_.Step();
}

void TSelfUpdate::CheckTargets() const {
  const std::string work = WorkFolder();
  for (fs::recursive_directory_iterator it(work), end; it != end; ++it) {
    const std::string relative = it->path().lexically_relative(work).string();
    CheckNoLinkBelow(dir_, relative);
    CheckNoLinkBelow(dir_, relative + std::string(kNewSuffix));
  }
  for (const std::string* list : {&data_.GlobalDeleteBefore, &data_.DeleteBefore,
                                  &data_.GlobalDeleteAfter, &data_.DeleteAfter}) {
    for (const std::string& name : SplitNameList(*list)) {
      CheckNoLinkBelow(dir_, ContainedName(name, "DeleteBefore/DeleteAfter"));
    }
  }
}

void TSelfUpdate::DeleteListed(const std::string& globalList, const std::string& ownList) {
  for (const std::string* list : {&globalList, &ownList}) {
    for (const std::string& name : SplitNameList(*list)) {
      const std::string contained = ContainedName(name, "DeleteBefore/DeleteAfter");
      CheckNoLinkBelow(dir_, contained);
      const std::string path = JoinPath(dir_, contained);
      if (PlainFileOrLink(path)) ::unlink(path.c_str());
    }
  }
}

void TSelfUpdate::ExecListed(const std::string& globalList, const std::string& ownList) {
  const std::string work = WorkFolder();
  for (const std::string* list : {&globalList, &ownList}) {
    for (const std::string& name : SplitNameList(*list)) {
      const std::string path = JoinPath(work, ContainedName(name, "ExecBefore/ExecAfter"));
      struct stat st;
      // Only what came inside the verified package runs.
      if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      RunAndWait(work, path, ExecTimeoutSeconds, Poll);
    }
  }
}

void TSelfUpdate::CopyIntoProgramFolder() {
  struct TItem {
    std::string Source, Target, Fresh, Old;
    bool HadTarget = false;
    bool Placed = false;
  };
  const std::string work = WorkFolder();
  std::vector<TItem> items;
  std::string step;
  try {
    for (fs::recursive_directory_iterator it(work), end; it != end; ++it) {
      const std::string rel = fs::relative(it->path(), work).string();
      const std::string target = JoinPath(dir_, rel);
      step = Format(Tr("Копирование \"%s\" в \"%s\""), {it->path().string(), target});
      if (it->is_symlink()) throw EVetrilo(Format(Tr("\"%s\" является ссылкой!"), {rel}));
      // What ExecBefore added was not there for the check before the deletions.
      CheckNoLinkBelow(dir_, rel);
      CheckNoLinkBelow(dir_, rel + std::string(kNewSuffix));
      if (it->is_directory()) {
        ForceDirectory(target);
        continue;
      }
      if (!it->is_regular_file()) continue;
      const std::string source = it->path().string();
      std::error_code ec;
      if (fs::is_regular_file(target, ec) && fs::file_size(target) == fs::file_size(source) &&
          fs::last_write_time(target) == fs::last_write_time(source) &&
          FileCrc32Text(target) == FileCrc32Text(source)) {
        continue;
      }
      items.push_back(
          {source, target, target + std::string(kNewSuffix), target + std::string(kOldSuffix)});
    }
    // Every copy is made under a temporary name first: a failure here leaves
    // the installed program as it was.
    for (const TItem& item : items) {
      step = Format(Tr("Копирование \"%s\" в \"%s\""), {item.Source, item.Target});
      if (BeforeCopy) BeforeCopy(item.Source, item.Target);
      fs::copy_file(item.Source, item.Fresh, fs::copy_options::overwrite_existing);
      fs::permissions(item.Fresh, fs::status(item.Source).permissions());
      fs::last_write_time(item.Fresh, fs::last_write_time(item.Source));
    }
  } catch (const std::exception& e) {
    for (const TItem& item : items) {
      std::error_code ec;
      fs::remove(item.Fresh, ec);
    }
    throw EVetrilo(Format("%0:s - %1:s", {step, std::string(e.what())}));
  }
  // Then into place; the previous files stay beside them until the next check.
  for (size_t i = 0; i < items.size(); ++i) {
    TItem& item = items[i];
    int err = 0;
    item.HadTarget = PlainFileOrLink(item.Target);
    if (item.HadTarget && ::rename(item.Target.c_str(), item.Old.c_str()) != 0) err = errno;
    if (err == 0 && ::rename(item.Fresh.c_str(), item.Target.c_str()) != 0) {
      err = errno;
      if (item.HadTarget) ::rename(item.Old.c_str(), item.Target.c_str());
    }
    if (err != 0) {
      for (size_t k = 0; k < i; ++k) {
        if (items[k].HadTarget) {
          ::rename(items[k].Old.c_str(), items[k].Target.c_str());
        } else {
          ::unlink(items[k].Target.c_str());
        }
      }
      for (const TItem& rest : items) ::unlink(rest.Fresh.c_str());
      throw EVetrilo(Format("%0:s - %1:s",
                            {Format(Tr("Копирование \"%s\" в \"%s\""), {item.Source, item.Target}),
                             SysErrorText(err)}));
    }
  }
}

}  // namespace vetrilo
