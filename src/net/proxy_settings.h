#pragma once

#include <string>

#include "core/ini_file.h"

namespace vetrilo {

// Connection settings of section PROXY of "Vetrilo_4d47.ini".
struct TProxySettings {
  int Mode = 0;
  std::string Server;
  int Port = 80;
  std::string Username;
  std::string Password;

  static TProxySettings Load(const TIniData& ini);
  static TProxySettings Load(const TIniFile& ini) { return Load(ini.Load()); }
  void Save(const TIniFile& ini) const;  // throws EVetrilo on failure
};

}  // namespace vetrilo
