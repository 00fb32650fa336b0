#include "net/proxy_settings.h"

namespace vetrilo {

TProxySettings TProxySettings::Load(const TIniData& d) {
  TProxySettings p;
  p.Server = d.ReadString("PROXY", "ProxyServer", "");
  p.Mode = static_cast<int>(d.ReadInteger("PROXY", "ProxyMode", p.Server.empty() ? 0 : 2));
  const int64_t port = d.ReadInteger("PROXY", "ProxyPort", 80);
  p.Port = port >= 0 && port <= 65535 ? static_cast<int>(port) : 80;
  p.Username = d.ReadString("PROXY", "ProxyUsername", "");
  p.Password = d.ReadString("PROXY", "ProxyPassword", "");
  p.ListSite = d.ReadString("PROXY", "ProxyListSite", "");
  p.Saved = true;
  return p;
}

void TProxySettings::Save(const TIniFile& ini) {
  ini.Update([&](TIniData& d) {
    d.WriteInteger("PROXY", "ProxyMode", Mode);
    d.WriteString("PROXY", "ProxyServer", Server);
    d.WriteInteger("PROXY", "ProxyPort", Port);
    d.WriteString("PROXY", "ProxyUsername", Username);
    d.WriteString("PROXY", "ProxyPassword", Password);
  });
  Saved = true;
}

}  // namespace vetrilo
