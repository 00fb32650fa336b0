#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ui_hooks.h"
#include "net/http_client.h"
#include "net/proxy_settings.h"

namespace vetrilo {

// Requests through the proxy the settings choose: none, the manual one, or one
// found by the automatic search. The wait window shows the attempt and proxy.
class TWebClient {
 public:
  TWebClient(TProxySettings& proxy, TUiHooks& hooks) : proxy_(proxy), hooks_(hooks) {}

  THttpClient Http;
  TProxySettings& Proxy() { return proxy_; }
  // Set to 1 when a download starts, increased after every failed request.
  int Attempt = 1;
  // The text of the wait window (the attempt and the proxy in use).
  std::function<void(std::string_view)> WaitText;

  // The body of the page; with `utf8` converted from UTF-8 to code page 1251,
  // else the bytes as they came. Empty without a request when the automatic
  // mode has no usable proxy (the reason was shown). Throws EVetrilo.
  std::string GetPage(const std::string& url, bool utf8);

  // Fills the candidate list from the proxy-list service: 15 entries a page
  // until 30 are collected or a page brings fewer. Throws EVetrilo.
  void SearchCandidates(bool https);

 private:
  // The proxy of the next request; false when none can be had (mode 1 only).
  bool SetUpProxy(const std::string& url, THttpProxy& proxy);
  void ShowWaitText(std::string_view text) {
    if (WaitText) WaitText(text);
  }

  TProxySettings& proxy_;
  TUiHooks& hooks_;
};

// "host:port" entries of one page of the proxy-list service, in page order.
std::vector<std::string> ParseProxyList(std::string_view page);
// Address of one page (1-based) of the proxy-list service.
std::string ProxyListAddress(std::string_view site, bool https, int page);

}  // namespace vetrilo
