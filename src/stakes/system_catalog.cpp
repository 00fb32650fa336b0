#include "stakes/system_catalog.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"
#include "stakes/system_store.h"

namespace vetrilo {
namespace {

constexpr std::string_view kLineSeparators = " *+,-./:;=\\_|~";

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return out;
}

std::string Base64Text(const TCatalogRow& row, std::string_view name) {
  const auto decoded = Base64Decode(row.Value(name));
  if (!decoded) throw EVetrilo(Tr("Неверный формат ответа сервера"));
  return *decoded;
}

int32_t IntOr(const std::string& text, int32_t def) {
  return StrToIntDef(text, def);
}

}  // namespace

std::vector<tSystemInfo> ParseSystemList(const std::vector<TCatalogRow>& rows) {
  std::vector<tSystemInfo> list;
  for (const TCatalogRow& row : rows) {
    tSystemInfo s;
    s.Id = IntOr(row.Value("id"), 0);
    s.Nums = uint8_t(std::clamp(IntOr(row.Value("nums"), 0), 0, 255));
    s.Olap = uint8_t(std::clamp(IntOr(row.Value("olap"), 0), 0, 255));
    s.CSize = IntOr(row.Value("csize"), 0);
    s.Title = Base64Text(row, "title");
    s.Descr = Base64Text(row, "descr");
    s.Author = row.Text("author");
    s.AuthorMail = row.Text("cl_mail");
    s.Url = row.Text("url");
    s.Created = ParseCatalogTime(row.Value("created"));
    s.LastDownload = ParseCatalogTime(row.Value("last_download"));
    s.Downloads = IntOr(row.Value("downloads"), 0);
    list.push_back(std::move(s));
  }
  return list;
}

bool IsOwnSystem(const tSystemInfo& info, const std::string& userMail) {
  return !Trim(userMail).empty() && LowerAscii(Trim(info.AuthorMail)) == LowerAscii(Trim(userMail));
}

std::optional<std::vector<tSystemInfo>> TSystemsCatalog::List() const {
  bool hasResult = false;
  const auto rows =
      client_.Request("/scripts/sys_getlist.php",
                      {{"comblen", "4"}, {"maxnums", std::to_string(kMaxNumber)}}, &hasResult);
  if (!hasResult) return std::nullopt;
  return ParseSystemList(rows);
}

std::string TSystemsCatalog::Combinations(int32_t id) const {
  for (const TCatalogRow& row :
       client_.Request("/scripts/sys_getdata.php", {{"sys_id", std::to_string(id)}})) {
    std::string clist = Base64Text(row, "clist");
    if (!clist.empty()) return clist;
  }
  throw EVetrilo(Tr("Сервер не прислал комбинаций системы"));
}

int32_t TSystemsCatalog::Save(const tSystemData& data) const {
  const TFormFields fields = {
      {"del_mode", "0"},
      {"sys_id", std::to_string(std::max(data.Id, 0))},
      {"nums", std::to_string(data.Nums)},
      {"clen", "4"},
      {"olap", std::to_string(data.Olap)},
      {"title", EscapeText(data.Title)},
      {"descr", EscapeText(data.Descr)},
      {"csize", std::to_string(data.CSize)},
      {"clist", Base64Encode(EscapeText(data.CList))},
      {"url", data.Url},
      {"cl_name", EscapeText(data.Author)},
      {"cl_mail", EscapeText(data.AuthorMail)},
  };
  for (const TCatalogRow& row : client_.Request("/scripts/sys_putdata.php", fields)) {
    const int32_t id = IntOr(row.Value("id_systems"), -1);
    if (id >= 0) return id;
  }
  throw EVetrilo(Tr("Сервер не сохранил систему"));
}

void TSystemsCatalog::Delete(const tSystemInfo& info) const {
  const TFormFields fields = {
      {"del_mode", "1"},
      {"sys_id", std::to_string(info.Id)},
      {"nums", std::to_string(info.Nums)},
      {"clen", "4"},
      {"olap", std::to_string(info.Olap)},
      {"title", EscapeText(info.Title)},
      {"descr", EscapeText(info.Descr)},
      {"csize", std::to_string(info.CSize)},
      {"clist", ""},
      {"url", info.Url},
  };
  // Made for the user: the server checks that the system is theirs.
  for (const TCatalogRow& row : client_.Request("/scripts/sys_putdata.php", fields)) {
    const int32_t id = IntOr(row.Value("id_systems"), -1);
    if (id == 0) return;
    if (id > 0) break;
  }
  throw EVetrilo(Tr("Сервер не удалил систему"));
}

std::vector<std::string> CheckedSystemLines(const tSystemInfo& info, const std::string& clist) {
  std::vector<std::string> lines = SplitLines(clist);
  while (!lines.empty() && Trim(lines.back()).empty()) lines.pop_back();
  if (int(lines.size()) != info.CSize) {
    throw EVetrilo(Format(
        Tr("Количество скачанных комбинаций ( %d ) отличается от ожидаемого значения ( %d )"),
        {int(lines.size()), info.CSize}));
  }
  return lines;
}

std::string SystemFilePath(const std::string& systemsDir, const tSystemInfo& info) {
  return JoinPath(systemsDir, SystemFileName(info.Nums, info.Olap, info.Id));
}

bool SystemFileExists(const std::string& systemsDir, const tSystemInfo& info) {
  return info.Id > 0 && FileExists(SystemFilePath(systemsDir, info));
}

int64_t SystemFileTime(const std::string& systemsDir, const tSystemInfo& info) {
  struct stat st {};
  if (::stat(SystemFilePath(systemsDir, info).c_str(), &st) != 0) return 0;
  return int64_t(st.st_mtime);
}

std::vector<int32_t> StoreSystemFile(const std::string& systemsDir, const tSystemInfo& info,
                                     const std::vector<std::string>& lines,
                                     const std::vector<tSystemInfo>& listed) {
  ForceDirectory(systemsDir);
  std::string bytes;
  for (const std::string& line : lines) bytes += Utf8ToCp1251(line) + "\r\n";
  const std::string path = SystemFilePath(systemsDir, info);
  SaveFileAtomic(path, bytes);
  if (info.Created > 0) {
    // Linux keeps no creation time: access and modification both take it.
    timespec times[2] = {{time_t(info.Created), 0}, {time_t(info.Created), 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  }
  std::vector<int32_t> removed;
  for (const tSystemInfo& other : listed) {
    if (other.Id == info.Id || other.Nums != info.Nums || !SystemFileExists(systemsDir, other)) {
      continue;
    }
    std::error_code error;
    if (std::filesystem::remove(SystemFilePath(systemsDir, other), error))
      removed.push_back(other.Id);
  }
  // Unlisted files for the same n too (a built one, one gone from the catalogue):
  // the lookup would take the first of them.
  const std::string own = SystemFileName(info.Nums, info.Olap, info.Id);
  for (const std::string& name : StoredSystemFiles(systemsDir, info.Nums)) {
    std::error_code error;
    if (name != own) std::filesystem::remove(JoinPath(systemsDir, name), error);
  }
  return removed;
}

std::string BuiltSystemFor(const std::string& systemsDir, int nums) {
  for (const std::string& name : StoredSystemFiles(systemsDir, nums)) {
    if (IsBuiltSystemFile(name)) return name;
  }
  return {};
}

std::string ReplaceBuiltSystemQuestion(const tSystemInfo& info, const std::string& builtFile) {
  return Format(Tr("Для %d чисел сохранена система \"%s\", построенная на этом компьютере.\r\r"
                   "Заменить её загружаемой системой \"%s\"?"),
                {int(info.Nums), builtFile, info.Title});
}

std::array<std::string, kSystemColumns> SystemColumnCaptions() {
  return {Tr("Название"),   Tr("Автор"),         Tr("Числа"),  Tr("Блок"),
          Tr("Комбинаций"), Tr("Дата создания"), Tr("Статус"), Tr("Загрузок"),
          Tr("Последняя"),  Tr("Комментарии"),   Tr("Ссылка")};
}

std::array<std::string, kSystemColumns> SystemRowTexts(const tSystemInfo& info, bool downloaded) {
  const bool real = info.Id > 0;
  return {info.Title,
          info.Author,
          real ? Format("%.2d", {int(info.Nums)}) : std::string(),
          real ? std::to_string(info.Olap) : std::string(),
          real ? std::to_string(info.CSize) : std::string(),
          CatalogTimeText(info.Created),
          downloaded ? Tr("Загружена") : std::string(),
          real ? std::to_string(info.Downloads) : std::string(),
          CatalogTimeText(info.LastDownload),
          info.Descr,
          info.Url};
}

int SystemRowState(const tSystemInfo& info, bool downloaded, const std::string& userMail) {
  const int owner = Trim(info.AuthorMail).empty() ? 2 : IsOwnSystem(info, userMail) ? 0 : 1;
  return (downloaded ? 0 : 3) + owner;
}

TNormalizedCombs NormalizeSystemCombs(const std::string& text) {
  TNormalizedCombs out;
  int lo = 100, hi = -1;
  for (const std::string& line : SplitLines(text)) {
    const std::vector<std::string> words = SplitWords(line, kLineSeparators);
    if (words.size() != 4) continue;
    std::array<int, 4> n{};
    bool ok = true;
    for (int i = 0; i < 4 && ok; ++i) {
      const auto v = StrToIntStrict(words[size_t(i)]);
      ok = v && *v >= 0 && *v <= 99;
      if (ok) n[size_t(i)] = *v;
    }
    if (!ok) continue;
    if (!out.Text.empty()) out.Text += "\r\n";
    out.Text += Format("%.2d %.2d %.2d %.2d", {n[0], n[1], n[2], n[3]});
    for (const int v : n) {
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    ++out.CSize;
  }
  out.Nums = out.CSize == 0 ? 0 : hi - lo + 1;
  return out;
}

TSystemDataCheck CheckSystemData(const tSystemData& data) {
  if (Trim(data.Title).empty()) {
    return {TSystemField::Title, Tr("Название системы должно быть указано обязательно!")};
  }
  if (data.Nums < 5 || data.Nums > 47) {
    return {TSystemField::Nums, Tr("Указано недопустмое количество используемых чисел!")};
  }
  if (data.Olap > 3) return {TSystemField::Olap, Tr("Указан недопустмый размер блока!")};
  if (Trim(data.Author).empty()) {
    return {TSystemField::Author, Tr("Имя автора должно быть указано обязательно!")};
  }
  if (Trim(data.Descr).empty()) {
    return {TSystemField::Descr, Tr("Описание системы должно быть указано обязательно!")};
  }
  if (Trim(data.CList).empty()) {
    return {TSystemField::Combs, Tr("Содержимое системы должно быть указано обязательно!")};
  }
  return {};
}

}  // namespace vetrilo
