#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"
#include "net/catalog_codec.h"
#include "net/http_client.h"

namespace vetrilo {

// Where the catalogue server is when the settings do not say.
constexpr std::string_view kDefaultCatalogSite = "http://127.0.0.1:8047";
// The identity of this installation: the user's name and e-mail as set in the
// settings, and a random key created once, by which the server knows that
// writes for that e-mail come from this installation.
struct TCatalogUser {
  std::string Name;
  std::string Mail;
  std::string Key;
};

struct TCatalogSettings {
  std::string Site;   // [GLOBAL] CatalogSite
  TCatalogUser User;  // [CATALOG] UserName, UserMail, Key
};

// Reads the settings and writes nothing: without a key the user reads as a
// stranger. For the requests that only read.
TCatalogSettings ReadCatalogSettings(const TIniFile& ini);
// The settings of a write: a missing key is created and saved at once (a
// failed save throws EVetrilo and the key is not used).
TCatalogSettings LoadCatalogSettings(const TIniFile& ini);
// The name and e-mail of the settings dialog; the key stays.
void SaveCatalogUser(const TIniFile& ini, const std::string& name, const std::string& mail);
// 32 hexadecimal digits from the system's random source.
std::string NewCatalogKey();

// "yyyy-mm-dd hh:nn:ss" in UTC to seconds since 1970; 0 for an empty or bad text.
int64_t ParseCatalogTime(std::string_view text);
// Seconds since 1970 as local "yyyy-mm-dd hh:mm:ss"; empty for 0.
std::string CatalogTimeText(int64_t time);

// The requests of the catalogue server: a fresh connection per request, the
// user's identification fields on every one. Throws EVetrilo for every
// failure: network, HTTP status, a malformed reply, an "<error>" row.
class TCatalogClient {
 public:
  TCatalogClient(std::string site, TCatalogUser user);

  const TCatalogUser& User() const { return user_; }
  const std::string& Site() const { return site_; }
  int ConnectTimeoutMs = kConnectTimeoutMs;
  int ReadTimeoutMs = kIdleTimeoutMs;
  int DeadlineMs = kRequestDeadlineMs;

  // `hasResult` as in ParseCatalogReply.
  std::vector<TCatalogRow> Request(std::string_view path, TFormFields fields,
                                   bool* hasResult = nullptr) const;

 private:
  std::string site_;
  TCatalogUser user_;
};

}  // namespace vetrilo
