#include "net/web_client.h"

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

constexpr int kProxyPageSize = 15;
constexpr int kProxiesWanted = 30;
constexpr std::string_view kWaitText = "Загрузка архива тиражей...";

bool HostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

}  // namespace

std::vector<std::string> ParseProxyList(std::string_view page) {
  std::vector<std::string> list;
  size_t i = 0;
  while (i < page.size()) {
    if (!HostChar(page[i])) {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < page.size() && HostChar(page[j])) ++j;
    const std::string_view host = page.substr(i, j - i);
    size_t k = j;
    if (k < page.size() && page[k] == ':') {
      ++k;
      const size_t digits = k;
      while (k < page.size() && page[k] >= '0' && page[k] <= '9' && k - digits < 6) ++k;
      const bool ends = k == page.size() || !HostChar(page[k]);
      const int port = k > digits ? StrToIntDef(page.substr(digits, k - digits), 0) : 0;
      if (ends && port >= 1 && port <= 65535) {
        list.push_back(Format("%s:%d", {host, port}));
        i = k;
        continue;
      }
    }
    i = j;
  }
  return list;
}

std::string ProxyListAddress(std::string_view site, bool https, int page) {
  const std::string base = Trim(site);
  return base + (base.find('?') == std::string::npos ? "?" : "&") +
         Format("protocol=%s&anonlvl=2,3,4&country=&min_uptime=75&max_response_time=5&offset=%d",
                {https ? "http,https" : "http", kProxyPageSize * (page - 1)});
}

void TWebClient::SearchCandidates(bool https) {
  ShowWaitText(Format("%s\r\r%s", {Tr(kWaitText), Tr("Поиск proxy-серверов")}));
  proxy_.Candidates.emplace();
  if (Trim(proxy_.ListSite).empty()) {
    throw EVetrilo(
        Tr("Не задан адрес сервиса списка proxy-серверов: укажите его в параметре ProxyListSite= "
           "раздела [PROXY] файла настроек."));
  }
  for (int page = 1;; ++page) {
    const std::vector<std::string> rows =
        ParseProxyList(Http.Get(ProxyListAddress(proxy_.ListSite, https, page)));
    proxy_.Candidates->insert(proxy_.Candidates->end(), rows.begin(), rows.end());
    if (static_cast<int>(proxy_.Candidates->size()) >= kProxiesWanted ||
        static_cast<int>(rows.size()) < kProxyPageSize) {
      break;
    }
  }
  if (proxy_.Candidates->empty()) {
    throw EVetrilo(Tr("Не найдено ни одного proxy-сервера с заданными параметрами"));
  }
}

bool TWebClient::SetUpProxy(const std::string& url, THttpProxy& proxy) {
  if (proxy_.Mode == 1 && proxy_.Server.empty()) {
    if (!proxy_.Candidates || proxy_.Candidates->empty()) {
      try {
        SearchCandidates(StartsWithIgnoringCase(url, "https://"));
      } catch (const EVetrilo& e) {
        hooks_.ShowMessage(
            TMessageKind::Error,
            Format(Tr("Ошибка получения списка proxy-серверов!\r\r%s"), {e.Message()}));
        return false;
      }
    }
    try {
      const std::string& first = proxy_.Candidates->front();
      const size_t colon = first.rfind(':');
      const std::string host =
          Trim(first.substr(0, colon == std::string::npos ? first.size() : colon));
      const auto port =
          colon == std::string::npos ? std::nullopt : StrToIntStrict(Trim(first.substr(colon + 1)));
      if (host.empty() || !port) {
        throw EVetrilo(Format("\"%s\" is not a host and port", {first}));
      }
      proxy_.Server = host;
      proxy_.Port = *port;
      proxy_.Username.clear();
      proxy_.Password.clear();
      proxy_.Saved = false;
    } catch (const EVetrilo& e) {
      hooks_.ShowMessage(
          TMessageKind::Error,
          Format(Tr("Ошибка автоматического выбора proxy сервера!\r\r%s"), {e.Message()}));
      return false;
    }
  }
  if (proxy_.InUse()) {
    proxy = {proxy_.Server, proxy_.Port, proxy_.Username, proxy_.Password};
    ShowWaitText(
        Format("%s\r\r%s", {Tr(kWaitText), Format(Tr("Попытка %d, proxy %s : %d"),
                                                  {Attempt, proxy_.Server, proxy_.Port})}));
  } else {
    proxy = {};
    ShowWaitText(Tr(kWaitText));
  }
  return true;
}

std::string TWebClient::GetPage(const std::string& url, bool utf8) {
  THttpProxy proxy;
  if (!SetUpProxy(url, proxy)) return {};
  std::string body = Http.Get(url, proxy);
  return utf8 ? Utf8ToCp1251(body) : body;
}

}  // namespace vetrilo
