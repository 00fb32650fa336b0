#include "catalog/catalog_service.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "core/cp1251.h"
#include "core/dates.h"
#include "core/file_io.h"
#include "core/text.h"
#include "net/catalog_codec.h"
#include "stakes/system_store.h"

namespace vetrilo::catalog {
namespace {

constexpr size_t kMaxTitle = 256;
constexpr size_t kMaxName = 256;
constexpr size_t kMaxMail = 254;
constexpr size_t kMaxKey = 128;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> PercentDecode(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '+') {
      out += ' ';
    } else if (s[i] == '%') {
      if (i + 2 >= s.size()) return std::nullopt;
      const int hi = HexDigit(s[i + 1]);
      const int lo = HexDigit(s[i + 2]);
      if (hi < 0 || lo < 0) return std::nullopt;
      out += char(hi * 16 + lo);
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Param(const TParams& p, const std::string& name) {
  const auto it = p.find(name);
  return it == p.end() ? std::string() : it->second;
}

// An escaped text field, unescaped.
std::string TextParam(const TParams& p, const std::string& name) {
  return UnescapeText(Param(p, name));
}

int64_t IntParam(const TParams& p, const std::string& name, int64_t lo, int64_t hi) {
  const std::string text = Trim(Param(p, name));
  int64_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi) {
    throw ERefused("Неверное значение поля \"" + name + "\"");
  }
  return v;
}

std::string TimeText(int64_t t) {
  const std::time_t tt = static_cast<std::time_t>(t);
  std::tm tm{};
  gmtime_r(&tt, &tm);
  return DateTimeText(tm);
}

std::string TimeColumn(const TStmt& s, int column) {
  return s.Null(column) ? std::string() : TimeText(s.Int(column));
}

class TReply {
 public:
  void BeginRow() { text_ += "<row>"; }
  void EndRow() { text_ += "</row>"; }
  void Raw(std::string_view name, std::string_view value) {
    text_ += '<';
    text_ += name;
    text_ += '>';
    text_ += value;
    text_ += "</";
    text_ += name;
    text_ += '>';
  }
  void Text(std::string_view name, std::string_view value) { Raw(name, XmlEscape(value)); }
  void Int(std::string_view name, int64_t value) { Raw(name, std::to_string(value)); }
  void B64(std::string_view name, std::string_view value) { Raw(name, Base64Encode(value)); }
  std::string Done() const { return "<result>" + text_ + "</result>"; }

 private:
  std::string text_;
};

std::string OneValueReply(std::string_view name, int64_t value) {
  TReply r;
  r.BeginRow();
  r.Int(name, value);
  r.EndRow();
  return r.Done();
}

void CheckLength(const std::string& text, size_t max, std::string_view what) {
  if (text.size() > max) throw ERefused("Слишком длинное поле \"" + std::string(what) + "\"");
}

// The combination lines of a system: 4 distinct positions 1..nums each; the
// count of lines, blank ones left out.
int CheckSystemLines(const std::string& clist, int nums) {
  int count = 0;
  for (const std::string& line : SplitLines(clist)) {
    std::array<int, 4> positions{};
    try {
      if (ParseSystemLine(line, nums, positions) == 0) continue;
    } catch (const EVetrilo& e) {
      throw ERefused("Неверная строка системы \"" + line + "\": " + e.Message());
    }
    ++count;
  }
  return count;
}

// Titles compare ignoring the case of Latin and Cyrillic letters (UTF-8).
std::string FoldTitle(std::string_view title) {
  std::string out;
  out.reserve(title.size());
  for (size_t i = 0; i < title.size(); ++i) {
    const auto b = static_cast<unsigned char>(title[i]);
    if (b < 0x80) {
      out += char(std::tolower(b));
      continue;
    }
    if (i + 1 < title.size()) {
      const unsigned cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(title[i + 1]) & 0x3Fu);
      if ((b & 0xE0) == 0xC0 && ((cp >= 0x410 && cp <= 0x42F) || cp == 0x401)) {
        const unsigned lower = cp == 0x401 ? 0x451 : cp + 0x20;
        out += char(0xC0 | (lower >> 6));
        out += char(0x80 | (lower & 0x3F));
        ++i;
        continue;
      }
    }
    out += title[i];
  }
  return out;
}

}  // namespace

std::optional<TParams> ParseFormBody(std::string_view body) {
  TParams params;
  size_t i = 0;
  while (i <= body.size()) {
    size_t amp = body.find('&', i);
    if (amp == std::string_view::npos) amp = body.size();
    const std::string_view pair = body.substr(i, amp - i);
    if (!pair.empty()) {
      const size_t eq = pair.find('=');
      const auto name = PercentDecode(pair.substr(0, eq));
      const auto value =
          PercentDecode(eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1));
      if (!name || !value) return std::nullopt;
      if (!params.emplace(*name, *value).second) return std::nullopt;
    }
    i = amp + 1;
  }
  return params;
}

std::string ErrorReply(std::string_view text) {
  TReply r;
  r.BeginRow();
  r.Text("error", text);
  r.EndRow();
  return r.Done();
}

struct TCatalogService::TUser {
  std::string Name;
  std::string Mail;  // lower case; empty: not known (anonymous)
  bool Known() const { return !Mail.empty(); }
};

TCatalogService::TCatalogService(const std::string& dbPath)
    : Now([] { return int64_t(std::time(nullptr)); }), db_(dbPath) {}

TCatalogService::TUser TCatalogService::Identify(const TParams& params, bool write) {
  TUser user;
  user.Name = Trim(TextParam(params, "cl_name"));
  const std::string mail = LowerAscii(Trim(TextParam(params, "cl_mail")));
  const std::string key = Param(params, "cl_key");
  CheckLength(user.Name, kMaxName, "cl_name");
  CheckLength(mail, kMaxMail, "cl_mail");
  CheckLength(key, kMaxKey, "cl_key");
  if (mail.empty() || key.empty()) {
    if (write) throw ERefused("Укажите имя и адрес e-mail в настройках программы");
    return user;
  }
  TStmt find(db_.Handle(), "SELECT key FROM users WHERE mail = ?");
  find.Bind(1, mail);
  if (!find.Step()) {
    TTransaction t(db_);
    TStmt add(db_.Handle(), "INSERT INTO users (mail, key, bound) VALUES (?, ?, ?)");
    add.Bind(1, mail).Bind(2, key).Bind(3, Now()).Run();
    t.Commit();
  } else if (find.Text(0) != key) {
    if (write) {
      throw ERefused("Адрес \"" + mail +
                     "\" уже используется другой установкой программы. Записи с этим адресом "
                     "может изменять только она; если ключ утерян, обратитесь к администратору "
                     "каталога.");
    }
    return user;  // read as a stranger: nothing of that user's is shown
  }
  user.Mail = mail;
  return user;
}

std::optional<std::string> TCatalogService::Handle(std::string_view path, const TParams& params) {
  using THandler = std::string (TCatalogService::*)(const TParams&, const TUser&);
  struct TRoute {
    std::string_view Path;
    THandler Handler;
    bool Write;
  };
  static const TRoute kRoutes[] = {
      {"/scripts/sys_getlist.php", &TCatalogService::SysGetList, false},
      {"/scripts/sys_putdata.php", &TCatalogService::SysPutData, true},
      {"/scripts/scr_getlist.php", &TCatalogService::ScrGetList, false},
      {"/scripts/scr_getdata.php", &TCatalogService::ScrGetData, false},
      {"/scripts/scr_putscript.php", &TCatalogService::ScrPutScript, true},
      {"/scripts/scr_setrate.php", &TCatalogService::ScrSetRate, true},
      {"/scripts/scr_getrates.php", &TCatalogService::ScrGetRates, false},
  };
  std::lock_guard lock(mutex_);
  try {
    if (path == "/scripts/sys_getdata.php") return SysGetData(params);
    if (path == "/scripts/scr_chktitle.php") return ScrChkTitle(params);
    for (const TRoute& route : kRoutes) {
      if (route.Path == path) {
        const TUser user = Identify(params, route.Write);
        return (this->*route.Handler)(params, user);
      }
    }
    return std::nullopt;
  } catch (const ERefused& e) {
    return ErrorReply(e.what());
  } catch (const EDbError& e) {
    return ErrorReply(std::string("Ошибка базы данных каталога: ") + e.what());
  }
}

std::string TCatalogService::SysGetList(const TParams& p, const TUser& user) {
  const int64_t clen = p.count("comblen") ? IntParam(p, "comblen", 1, 47) : 4;
  const int64_t maxNums = p.count("maxnums") ? IntParam(p, "maxnums", 1, 1000) : 47;
  TStmt s(db_.Handle(),
          "SELECT id, nums, olap, csize, title, descr, author, author_mail, url, created, "
          "last_download, downloads FROM systems WHERE clen = ? AND nums <= ? ORDER BY nums, id");
  s.Bind(1, clen).Bind(2, maxNums);
  TReply r;
  while (s.Step()) {
    r.BeginRow();
    r.Int("id", s.Int(0));
    r.Int("nums", s.Int(1));
    r.Int("olap", s.Int(2));
    r.Int("csize", s.Int(3));
    r.B64("title", s.Text(4));
    r.B64("descr", s.Text(5));
    r.Text("author", s.Text(6));
    const std::string mail = s.Text(7);
    r.Text("cl_mail", user.Known() && LowerAscii(mail) == user.Mail ? mail : std::string());
    r.Text("url", s.Text(8));
    r.Text("created", TimeColumn(s, 9));
    r.Text("last_download", TimeColumn(s, 10));
    r.Int("downloads", s.Int(11));
    r.EndRow();
  }
  return r.Done();
}

std::string TCatalogService::SysGetData(const TParams& p) {
  const int64_t id = IntParam(p, "sys_id", 1, INT32_MAX);
  TTransaction t(db_);
  TStmt s(db_.Handle(), "SELECT clist FROM systems WHERE id = ?");
  s.Bind(1, id);
  if (!s.Step()) throw ERefused("Система #" + std::to_string(id) + " не найдена");
  TReply r;
  r.BeginRow();
  r.B64("clist", s.Text(0));
  r.EndRow();
  TStmt u(db_.Handle(),
          "UPDATE systems SET downloads = downloads + 1, last_download = ? WHERE id = ?");
  u.Bind(1, Now()).Bind(2, id).Run();
  t.Commit();
  return r.Done();
}

std::string TCatalogService::SysPutData(const TParams& p, const TUser& user) {
  const int64_t delMode = IntParam(p, "del_mode", 0, 1);
  const int64_t id = IntParam(p, "sys_id", 0, INT32_MAX);
  TTransaction t(db_);
  if (id > 0) {
    TStmt s(db_.Handle(), "SELECT author_mail, clist FROM systems WHERE id = ?");
    s.Bind(1, id);
    if (!s.Step()) throw ERefused("Система #" + std::to_string(id) + " не найдена");
    if (LowerAscii(s.Text(0)) != user.Mail) {
      throw ERefused("Вы можете изменять и удалять только свои системы");
    }
  } else if (delMode == 1) {
    throw ERefused("Не указана удаляемая система");
  }
  if (delMode == 1) {
    TStmt d(db_.Handle(), "DELETE FROM systems WHERE id = ?");
    d.Bind(1, id).Run();
    t.Commit();
    return OneValueReply("id_systems", 0);
  }
  const int64_t nums = IntParam(p, "nums", 5, 47);
  const int64_t clen = IntParam(p, "clen", 4, 4);
  const int64_t olap = IntParam(p, "olap", 0, 3);
  const int64_t csize = IntParam(p, "csize", 1, INT32_MAX);
  const std::string title = TextParam(p, "title");  // stored as given
  const std::string descr = TextParam(p, "descr");
  const std::string url = Param(p, "url");
  const auto decoded = Base64Decode(Param(p, "clist"));
  if (!decoded) throw ERefused("Неверное значение поля \"clist\"");
  const std::string clist = UnescapeText(*decoded);
  if (Trim(title).empty()) throw ERefused("Название системы должно быть указано обязательно!");
  if (user.Name.empty()) throw ERefused("Имя автора должно быть указано обязательно!");
  CheckLength(title, kMaxTitle, "title");
  CheckLength(url, 2048, "url");
  const int lines = CheckSystemLines(clist, int(nums));
  if (lines != csize) {
    throw ERefused("Количество комбинаций ( " + std::to_string(lines) +
                   " ) отличается от указанного ( " + std::to_string(csize) + " )");
  }
  const std::string mail = Trim(TextParam(p, "cl_mail"));
  if (id == 0) {
    TStmt i(db_.Handle(),
            "INSERT INTO systems (nums, clen, olap, csize, title, descr, author, author_mail, "
            "url, clist, created) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    i.Bind(1, nums).Bind(2, clen).Bind(3, olap).Bind(4, csize).Bind(5, title).Bind(6, descr);
    i.Bind(7, user.Name).Bind(8, mail).Bind(9, url).Bind(10, clist).Bind(11, Now()).Run();
    const int64_t newId = db_.LastId();
    t.Commit();
    return OneValueReply("id_systems", newId);
  }
  // A changed list is a new copy: clients compare its time with their file.
  TStmt u(db_.Handle(),
          "UPDATE systems SET nums = ?, olap = ?, csize = ?, title = ?, descr = ?, author = ?, "
          "author_mail = ?, url = ?, created = CASE WHEN clist = ? THEN created ELSE ? END, "
          "clist = ? WHERE id = ?");
  u.Bind(1, nums).Bind(2, olap).Bind(3, csize).Bind(4, title).Bind(5, descr).Bind(6, user.Name);
  u.Bind(7, mail).Bind(8, url).Bind(9, clist).Bind(10, Now()).Bind(11, clist).Bind(12, id).Run();
  t.Commit();
  return OneValueReply("id_systems", id);
}

bool TCatalogService::TitleTaken(const std::string& title, int64_t id) {
  const std::string key = FoldTitle(Trim(title));
  TStmt s(db_.Handle(), "SELECT title FROM scripts WHERE id <> ?");
  s.Bind(1, id);
  while (s.Step()) {
    if (FoldTitle(Trim(s.Text(0))) == key) return true;
  }
  return false;
}

bool TCatalogService::ScriptVisible(int64_t id, const TUser& user) {
  TStmt s(db_.Handle(), "SELECT publics, author_mail FROM scripts WHERE id = ?");
  s.Bind(1, id);
  if (!s.Step()) return false;
  return s.Int(0) != 0 || (user.Known() && LowerAscii(s.Text(1)) == user.Mail);
}

std::string TCatalogService::ScrGetList(const TParams& p, const TUser& user) {
  const int64_t filter = IntParam(p, "fltid", -1, 6);
  static constexpr std::string_view kWhere[] = {
      "you = -1",                     // -1 hidden
      "1",                            // 0 all
      "you <> -1",                    // 1 all but hidden
      "own = 1",                      // 2 mine
      "publics = 1 AND you <> -1",    // 3 public
      "you BETWEEN 1 AND 5",          // 4 rated by me
      "you = 0",                      // 5 not rated by me
      "created >= ?2 AND you <> -1",  // 6 new
  };
  const std::string sql =
      "SELECT * FROM (SELECT s.id, s.app_name, s.app_ver, s.author, s.author_mail, s.lcid, "
      "s.uniapps, s.publics, s.created, s.last_download, "
      "(SELECT avg(rate) FROM rates WHERE script_id = s.id AND rate > 0), "
      "(SELECT count(*) FROM rates WHERE script_id = s.id AND rate > 0), "
      "COALESCE((SELECT rate FROM rates WHERE script_id = s.id AND mail = ?1), 0) AS you, "
      "s.downloads, s.title, s.descr, s.app_guid, "
      "(?1 <> '' AND lower(s.author_mail) = ?1) AS own "
      "FROM scripts s) WHERE (publics = 1 OR own = 1) AND (" +
      std::string(kWhere[filter + 1]) + ") ORDER BY id";
  TStmt s(db_.Handle(), sql);
  s.Bind(1, user.Mail);
  if (filter == 6) s.Bind(2, Now() - 24 * 3600);
  TReply r;
  while (s.Step()) {
    r.BeginRow();
    r.Int("id", s.Int(0));
    r.Text("app_name", s.Text(1));
    r.Text("app_ver", s.Text(2));
    r.Text("key_cl_name", s.Text(3));
    r.Text("key_cl_mail", s.Int(17) ? s.Text(4) : std::string());
    r.Text("key_cl_lcid", s.Text(5));
    r.Int("uniapps", s.Int(6));
    r.Int("publics", s.Int(7));
    r.Text("created", TimeColumn(s, 8));
    r.Text("last_download", TimeColumn(s, 9));
    char avg[32];
    std::snprintf(avg, sizeof avg, "%.4f", s.Null(10) ? 0.0 : s.Double(10));
    r.Raw("rating_avg", avg);
    r.Int("rating_cnt", s.Int(11));
    r.Int("rating_you", s.Int(12));
    r.Int("downloads", s.Int(13));
    r.B64("title", s.Text(14));
    r.B64("descr", s.Text(15));
    r.Text("app_guid", s.Text(16));
    r.EndRow();
  }
  return r.Done();
}

std::string TCatalogService::ScrGetData(const TParams& p, const TUser& user) {
  const int64_t id = IntParam(p, "scr_id", 1, INT32_MAX);
  if (!ScriptVisible(id, user)) throw ERefused("Сценарий #" + std::to_string(id) + " не найден");
  TTransaction t(db_);
  TStmt s(db_.Handle(), "SELECT script FROM scripts WHERE id = ?");
  s.Bind(1, id);
  s.Step();
  TReply r;
  r.BeginRow();
  r.B64("script", s.Text(0));
  r.EndRow();
  TStmt u(db_.Handle(),
          "UPDATE scripts SET downloads = downloads + 1, last_download = ? WHERE id = ?");
  u.Bind(1, Now()).Bind(2, id).Run();
  t.Commit();
  return r.Done();
}

std::string TCatalogService::ScrChkTitle(const TParams& p) {
  const int64_t id = IntParam(p, "scr_id", -1, INT32_MAX);
  const std::string title = Trim(TextParam(p, "scr_title"));
  return OneValueReply("ret_code", TitleTaken(title, id) ? 1 : 0);
}

std::string TCatalogService::ScrPutScript(const TParams& p, const TUser& user) {
  const int64_t delMode = IntParam(p, "del_mode", 0, 1);
  const int64_t id = IntParam(p, "scr_id", -1, INT32_MAX);
  TTransaction t(db_);
  if (id > 0) {
    TStmt s(db_.Handle(), "SELECT author_mail FROM scripts WHERE id = ?");
    s.Bind(1, id);
    if (!s.Step()) throw ERefused("Сценарий #" + std::to_string(id) + " не найден");
    if (LowerAscii(s.Text(0)) != user.Mail) {
      throw ERefused("Вы можете изменять и удалять только свои сценарии");
    }
  } else if (delMode == 1) {
    throw ERefused("Не указан удаляемый сценарий");
  }
  if (delMode == 1) {
    TStmt d(db_.Handle(), "DELETE FROM scripts WHERE id = ?");
    d.Bind(1, id).Run();
    t.Commit();
    return OneValueReply("id_scripts", 0);
  }
  const int64_t uniapps = IntParam(p, "scr_uniapps", 0, 1);
  const int64_t publics = IntParam(p, "scr_publics", 0, 1);
  const std::string title = TextParam(p, "scr_title");  // stored as given
  const std::string descr = TextParam(p, "scr_descr");
  const std::string script = TextParam(p, "scr_script");
  const std::string lcid = Trim(Param(p, "cl_lcid"));
  const std::string appName = Param(p, "app_name");
  const std::string appVer = Param(p, "app_ver");
  const std::string appGuid = Param(p, "app_guid");
  if (Trim(title).empty()) throw ERefused("Название сценария должно быть указано обязательно!");
  if (user.Name.empty()) throw ERefused("Имя автора должно быть указано обязательно!");
  if (Trim(script).empty()) throw ERefused("Сценарий пуст");
  CheckLength(title, kMaxTitle, "scr_title");
  CheckLength(lcid, 16, "cl_lcid");
  CheckLength(appName, kMaxName, "app_name");
  CheckLength(appVer, 64, "app_ver");
  CheckLength(appGuid, 64, "app_guid");
  if (TitleTaken(title, id)) throw ERefused("Сценарий с таким названием уже существует!");
  const std::string mail = Trim(TextParam(p, "cl_mail"));
  if (id <= 0) {
    TStmt i(db_.Handle(),
            "INSERT INTO scripts (author, author_mail, lcid, app_name, app_ver, app_guid, "
            "uniapps, publics, title, descr, script, created) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    i.Bind(1, user.Name).Bind(2, mail).Bind(3, lcid).Bind(4, appName).Bind(5, appVer);
    i.Bind(6, appGuid).Bind(7, uniapps).Bind(8, publics).Bind(9, title).Bind(10, descr);
    i.Bind(11, script).Bind(12, Now()).Run();
    const int64_t newId = db_.LastId();
    t.Commit();
    return OneValueReply("id_scripts", newId);
  }
  TStmt u(db_.Handle(),
          "UPDATE scripts SET author = ?, author_mail = ?, lcid = ?, app_name = ?, app_ver = ?, "
          "app_guid = ?, uniapps = ?, publics = ?, title = ?, descr = ?, script = ?, created = ? "
          "WHERE id = ?");
  u.Bind(1, user.Name).Bind(2, mail).Bind(3, lcid).Bind(4, appName).Bind(5, appVer);
  u.Bind(6, appGuid).Bind(7, uniapps).Bind(8, publics).Bind(9, title).Bind(10, descr);
  u.Bind(11, script).Bind(12, Now()).Bind(13, id).Run();
  t.Commit();
  return OneValueReply("id_scripts", id);
}

std::string TCatalogService::ScrSetRate(const TParams& p, const TUser& user) {
  const int64_t id = IntParam(p, "scr_id", 1, INT32_MAX);
  const int64_t value = IntParam(p, "rate_value", -1, 5);
  const std::string notes = TextParam(p, "rate_notes");
  CheckLength(notes, 4096, "rate_notes");
  if (!ScriptVisible(id, user)) throw ERefused("Сценарий #" + std::to_string(id) + " не найден");
  TTransaction t(db_);
  if (value == 0) {
    TStmt d(db_.Handle(), "DELETE FROM rates WHERE script_id = ? AND mail = ?");
    d.Bind(1, id).Bind(2, user.Mail).Run();
  } else {
    TStmt u(db_.Handle(),
            "INSERT OR REPLACE INTO rates (script_id, mail, name, rate, notes, app_name, app_ver, "
            "created) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    u.Bind(1, id).Bind(2, user.Mail).Bind(3, user.Name).Bind(4, value).Bind(5, notes);
    u.Bind(6, Param(p, "app_name")).Bind(7, Param(p, "app_ver")).Bind(8, Now()).Run();
  }
  t.Commit();
  return OneValueReply("res_code", 0);
}

std::string TCatalogService::ScrGetRates(const TParams& p, const TUser& user) {
  const int64_t id = IntParam(p, "scr_id", 1, INT32_MAX);
  if (!ScriptVisible(id, user)) throw ERefused("Сценарий #" + std::to_string(id) + " не найден");
  TStmt s(db_.Handle(),
          "SELECT name, rate, created, app_name, app_ver, notes FROM rates "
          "WHERE script_id = ? AND rate > 0 ORDER BY created, rowid");
  s.Bind(1, id);
  TReply r;
  while (s.Step()) {
    r.BeginRow();
    r.Text("key_cl_name", s.Text(0));
    r.Int("rate", s.Int(1));
    r.Text("created", TimeColumn(s, 2));
    r.Text("app_name", s.Text(3));
    r.Text("app_ver", s.Text(4));
    r.Text("notes", s.Text(5));
    r.EndRow();
  }
  return r.Done();
}

bool TCatalogService::ResetKey(std::string_view mail) {
  std::lock_guard lock(mutex_);
  TTransaction t(db_);
  TStmt d(db_.Handle(), "DELETE FROM users WHERE mail = ?");
  d.Bind(1, LowerAscii(Trim(mail))).Run();
  const bool removed = sqlite3_changes(db_.Handle()) > 0;
  t.Commit();
  return removed;
}

int TCatalogService::SeedSystems(const std::string& dir) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::lock_guard lock(mutex_);
  TTransaction t(db_);
  int added = 0;
  for (const fs::path& path : files) {
    int clen = 0, nums = 0, olap = 0, id = 0;
    char tail = 0;
    const std::string name = path.filename().string();
    if (std::sscanf(name.c_str(), "%d-%d-%d_%d.da%c", &clen, &nums, &olap, &id, &tail) != 5 ||
        tail != 't' || clen != 4 || name != SystemFileName(nums, olap, id)) {
      continue;
    }
    const std::string clist = Cp1251ToUtf8(ReadFileBytes(path.string()));
    const int lines = CheckSystemLines(clist, nums);
    const std::string title = "Покрытие " + std::to_string(nums) + " чисел";
    const std::string descr = "Если 4 выигрышных числа есть среди " + std::to_string(nums) +
                              ", хотя бы одна комбинация угадывает " + std::to_string(olap) + ".";
    TStmt i(
        db_.Handle(),
        "INSERT OR REPLACE INTO systems (id, nums, clen, olap, csize, title, descr, author, "
        "author_mail, url, clist, created) VALUES (?, ?, 4, ?, ?, ?, ?, 'Vetrilo', '', '', ?, ?)");
    i.Bind(1, id).Bind(2, nums).Bind(3, olap).Bind(4, lines).Bind(5, title).Bind(6, descr);
    i.Bind(7, clist).Bind(8, Now()).Run();
    ++added;
  }
  t.Commit();
  return added;
}

}  // namespace vetrilo::catalog
