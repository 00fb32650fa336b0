#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ini_file.h"

namespace vetrilo {

// Connection settings of section PROXY of "Vetrilo_4d47.ini". The password is
// kept in plain text there, as settings files of existing users hold it.
struct TProxySettings {
  // 0 no proxy, 1 automatic search, 2 manual; any other value behaves as 0.
  int Mode = 0;
  std::string Server;
  int Port = 80;
  std::string Username;
  std::string Password;
  // Address of the public proxy-list service the automatic search asks
  // (ProxyListSite=); empty: the search says which setting to fill in.
  std::string ListSite;
  // The five stored values equal what the settings file holds.
  bool Saved = true;
  // Automatic mode: "host:port" candidates, the first one in use; made on first need.
  std::optional<std::vector<std::string>> Candidates;

  static TProxySettings Load(const TIniData& ini);
  static TProxySettings Load(const TIniFile& ini) { return Load(ini.Load()); }
  // Writes the five keys and marks the settings saved; throws EVetrilo on failure.
  void Save(const TIniFile& ini);
  // The values of one request: none unless a mode with a server is in use.
  bool InUse() const { return (Mode == 1 || Mode == 2) && !Server.empty(); }
};

}  // namespace vetrilo
