#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace vetrilo::catalog {

// A failed database call; the server answers it as an "<error>" row.
class EDbError : public std::exception {
 public:
  explicit EDbError(std::string text) : text_(std::move(text)) {}
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

// One prepared statement; values are always bound, never pasted into SQL.
class TStmt {
 public:
  TStmt(sqlite3* db, std::string_view sql);
  ~TStmt();
  TStmt(const TStmt&) = delete;
  TStmt& operator=(const TStmt&) = delete;

  TStmt& Bind(int index, int64_t value);
  TStmt& Bind(int index, std::string_view value);
  // True while a row is available.
  bool Step();
  // Runs a statement that returns no rows.
  void Run();
  int64_t Int(int column) const;
  double Double(int column) const { return sqlite3_column_double(stmt_, column); }
  std::string Text(int column) const;
  bool Null(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// The catalogue's one database file: WAL journal, full sync, schema created on
// first open. Not thread-safe; the server holds one lock around each request.
class TCatalogDb {
 public:
  explicit TCatalogDb(const std::string& path);
  ~TCatalogDb();
  TCatalogDb(const TCatalogDb&) = delete;
  TCatalogDb& operator=(const TCatalogDb&) = delete;

  sqlite3* Handle() { return db_; }
  // Whether the file held no catalogue before this open.
  bool Created() const { return created_; }
  void Exec(std::string_view sql);
  int64_t LastId() const { return sqlite3_last_insert_rowid(db_); }

 private:
  sqlite3* db_ = nullptr;
  bool created_ = false;
};

// One write transaction: rolled back unless committed.
class TTransaction {
 public:
  explicit TTransaction(TCatalogDb& db) : db_(db) { db_.Exec("BEGIN IMMEDIATE"); }
  ~TTransaction() {
    if (!done_) sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
  }
  void Commit() {
    db_.Exec("COMMIT");
    done_ = true;
  }

 private:
  TCatalogDb& db_;
  bool done_ = false;
};

}  // namespace vetrilo::catalog
