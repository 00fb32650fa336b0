#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/catalog_db.h"

namespace vetrilo::catalog {

using TParams = std::map<std::string, std::string>;

// The fields of a form body ("a=1&b=%41", "+" is a blank). nullopt when a field
// repeats or a percent escape is broken: such a request is refused whole.
std::optional<TParams> ParseFormBody(std::string_view body);

// Every catalogue request over one database: the systems and the scripts, each
// user known by the e-mail bound to the installation key that first used it.
// Requests are served one at a time; every write is one transaction.
class TCatalogService {
 public:
  explicit TCatalogService(const std::string& dbPath);

  // Seconds since 1970 (UTC); tests set their own clock.
  std::function<int64_t()> Now;

  // The reply body of a request to this path; nullopt for a path it does not serve.
  std::optional<std::string> Handle(std::string_view path, const TParams& params);

  // Forgets the key bound to this e-mail; false when none was bound.
  bool ResetKey(std::string_view mail);
  // Adds the system files ("4-NN-B_IIII.dat") of a folder under their ids,
  // without an author e-mail; returns how many were added.
  int SeedSystems(const std::string& dir);
  bool Created() const { return db_.Created(); }

 private:
  struct TUser;
  TUser Identify(const TParams& params, bool write);
  std::string SysGetList(const TParams& p, const TUser& user);
  std::string SysGetData(const TParams& p);
  std::string SysPutData(const TParams& p, const TUser& user);
  std::string ScrGetList(const TParams& p, const TUser& user);
  std::string ScrGetData(const TParams& p, const TUser& user);
  std::string ScrChkTitle(const TParams& p);
  std::string ScrPutScript(const TParams& p, const TUser& user);
  std::string ScrSetRate(const TParams& p, const TUser& user);
  std::string ScrGetRates(const TParams& p, const TUser& user);
  bool ScriptVisible(int64_t id, const TUser& user);
  bool TitleTaken(const std::string& title, int64_t id);

  std::mutex mutex_;
  TCatalogDb db_;
};

// A refused request: its text goes back as the reply's "<error>" row.
class ERefused : public std::exception {
 public:
  explicit ERefused(std::string text) : text_(std::move(text)) {}
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

// "<result><row><error>text</error></row></result>"
std::string ErrorReply(std::string_view text);

}  // namespace vetrilo::catalog
