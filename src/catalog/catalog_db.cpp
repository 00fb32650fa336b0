#include "catalog/catalog_db.h"

namespace vetrilo::catalog {
namespace {

constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS users (
  mail TEXT PRIMARY KEY,           -- lower case
  key TEXT NOT NULL,
  bound INTEGER NOT NULL
);
CREATE TABLE IF NOT EXISTS systems (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  nums INTEGER NOT NULL,
  clen INTEGER NOT NULL,
  olap INTEGER NOT NULL,
  csize INTEGER NOT NULL,
  title TEXT NOT NULL,
  descr TEXT NOT NULL,
  author TEXT NOT NULL,
  author_mail TEXT NOT NULL,
  url TEXT NOT NULL,
  clist TEXT NOT NULL,
  created INTEGER NOT NULL,
  downloads INTEGER NOT NULL DEFAULT 0,
  last_download INTEGER
);
CREATE TABLE IF NOT EXISTS scripts (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  author TEXT NOT NULL,
  author_mail TEXT NOT NULL,
  lcid TEXT NOT NULL,
  app_name TEXT NOT NULL,
  app_ver TEXT NOT NULL,
  app_guid TEXT NOT NULL,
  uniapps INTEGER NOT NULL,
  publics INTEGER NOT NULL,
  title TEXT NOT NULL,
  descr TEXT NOT NULL,
  script TEXT NOT NULL,
  created INTEGER NOT NULL,
  downloads INTEGER NOT NULL DEFAULT 0,
  last_download INTEGER
);
CREATE TABLE IF NOT EXISTS rates (
  script_id INTEGER NOT NULL REFERENCES scripts(id) ON DELETE CASCADE,
  mail TEXT NOT NULL,
  name TEXT NOT NULL,
  rate INTEGER NOT NULL,
  notes TEXT NOT NULL,
  app_name TEXT NOT NULL,
  app_ver TEXT NOT NULL,
  created INTEGER NOT NULL,
  PRIMARY KEY (script_id, mail)
);
)";

}  // namespace

TStmt::TStmt(sqlite3* db, std::string_view sql) : db_(db) {
  if (sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
    throw EDbError(sqlite3_errmsg(db));
  }
}

TStmt::~TStmt() {
  sqlite3_finalize(stmt_);
}

TStmt& TStmt::Bind(int index, int64_t value) {
  sqlite3_bind_int64(stmt_, index, value);
  return *this;
}

TStmt& TStmt::Bind(int index, std::string_view value) {
  sqlite3_bind_text(stmt_, index, value.data(), int(value.size()), SQLITE_TRANSIENT);
  return *this;
}

bool TStmt::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  throw EDbError(sqlite3_errmsg(db_));
}

void TStmt::Run() {
  while (Step()) {
  }
}

int64_t TStmt::Int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

std::string TStmt::Text(int column) const {
  const auto* p = sqlite3_column_text(stmt_, column);
  return p ? std::string(reinterpret_cast<const char*>(p),
                         size_t(sqlite3_column_bytes(stmt_, column)))
           : std::string();
}

bool TStmt::Null(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

TCatalogDb::TCatalogDb(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    const std::string text = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw EDbError(path + ": " + text);
  }
  try {
    sqlite3_busy_timeout(db_, 5000);
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=FULL");
    Exec("PRAGMA foreign_keys=ON");
    {
      TStmt s(db_, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name='systems'");
      created_ = s.Step() && s.Int(0) == 0;
    }
    Exec(kSchema);
  } catch (...) {
    sqlite3_close(db_);
    throw;
  }
}

TCatalogDb::~TCatalogDb() {
  sqlite3_close(db_);
}

void TCatalogDb::Exec(std::string_view sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string text = error ? error : sqlite3_errmsg(db_);
    sqlite3_free(error);
    throw EDbError(text);
  }
}

}  // namespace vetrilo::catalog
