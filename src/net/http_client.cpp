#include "net/http_client.h"

#include <curl/curl.h>

#include <chrono>
#include <mutex>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

constexpr const char* kUserAgent =
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/53.0.2785.116 Safari/537.36";
constexpr const char* kCatalogUserAgent =
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/47.0.2526.80 Safari/537.36";

struct TTransfer {
  std::string Body;
  size_t Limit = 0;
  bool TooLarge = false;
  std::string StatusLine;  // of the last reply (a redirect brings several)
  int ReadTimeoutMs = 0;
  std::chrono::steady_clock::time_point LastData;
  curl_off_t LastNow = -1;
  bool TimedOut = false;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<TTransfer*>(user);
  const size_t n = size * count;
  if (t->Body.size() + n > t->Limit) {
    t->TooLarge = true;
    return 0;  // curl ends the transfer with a write error
  }
  t->Body.append(data, n);
  t->LastData = std::chrono::steady_clock::now();
  return n;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<TTransfer*>(user);
  const std::string_view line(data, size * count);
  if (line.starts_with("HTTP/")) t->StatusLine = Trim(line);
  t->LastData = std::chrono::steady_clock::now();
  return size * count;
}

// Ends a transfer that received nothing for the read time-out; connecting has
// a time-out of its own.
int OnProgress(void* user, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t ulnow) {
  auto* t = static_cast<TTransfer*>(user);
  const auto now = std::chrono::steady_clock::now();
  if (dlnow + ulnow != t->LastNow) {
    t->LastNow = dlnow + ulnow;
    t->LastData = now;
    return 0;
  }
  const auto idle = std::chrono::duration_cast<std::chrono::milliseconds>(now - t->LastData);
  if (idle.count() > t->ReadTimeoutMs) {
    t->TimedOut = true;
    return 1;
  }
  return 0;
}

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

THttpClient::THttpClient() {
  GlobalInit();
  curl_ = curl_easy_init();
  if (!curl_) throw EVetrilo("curl_easy_init failed");
  CURL* c = static_cast<CURL*>(curl_);
  curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");  // cookies in memory for the whole run
}

THttpClient::~THttpClient() {
  if (curl_) curl_easy_cleanup(static_cast<CURL*>(curl_));
}

std::string THttpClient::Get(const std::string& url, const THttpProxy& proxy) {
  return Perform(url, proxy, nullptr);
}

std::string THttpClient::PostForm(const std::string& url, const std::string& body) {
  return Perform(url, {}, &body);
}

std::string THttpClient::Perform(const std::string& url, const THttpProxy& proxy,
                                 const std::string* form) {
  CURL* c = static_cast<CURL*>(curl_);
  TTransfer t;
  t.Limit = MaxBodyBytes;
  t.ReadTimeoutMs = ReadTimeoutMs;
  t.LastData = std::chrono::steady_clock::now();
  char error[CURL_ERROR_SIZE] = {};

  curl_slist* headers = nullptr;
  if (form) {
    headers = curl_slist_append(
        headers, "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
  } else {
    headers = curl_slist_append(headers, "Connection: keep-alive");
    const std::string accept =
        "Accept: " + (Accept.empty()
                          ? "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,*/*;q=0.8"
                          : Accept);
    headers = curl_slist_append(headers, accept.c_str());
    headers = curl_slist_append(headers, "Accept-Language: ru-RU,ru;q=0.8,en-US;q=0.6,en;q=0.4");
  }

  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  if (form) {
    curl_easy_setopt(c, CURLOPT_POST, 1L);
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, form->data());
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(form->size()));
    // A redirected form stays a POST, as a browser resends it on 307/308.
    curl_easy_setopt(c, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
  } else {
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
  }
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(c, CURLOPT_USERAGENT,
                   form ? kCatalogUserAgent : (UserAgent.empty() ? kUserAgent : UserAgent.c_str()));
  // Sent as written; curl decodes the gzip and deflate replies itself.
  curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "gzip, deflate, sdch");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, RedirectProtocols.c_str());
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  // Never a connection to a server that cannot prove who it is.
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(ConnectTimeoutMs));
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(c, CURLOPT_HEADERDATA, &t);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
  if (proxy.Server.empty()) {
    curl_easy_setopt(c, CURLOPT_PROXY, "");  // no proxy, whatever the environment says
  } else {
    curl_easy_setopt(c, CURLOPT_PROXY, proxy.Server.c_str());
    curl_easy_setopt(c, CURLOPT_PROXYPORT, static_cast<long>(proxy.Port));
    curl_easy_setopt(c, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
  }
  curl_easy_setopt(
      c, CURLOPT_PROXYUSERNAME,
      proxy.Server.empty() || proxy.Username.empty() ? nullptr : proxy.Username.c_str());
  curl_easy_setopt(
      c, CURLOPT_PROXYPASSWORD,
      proxy.Server.empty() || proxy.Username.empty() ? nullptr : proxy.Password.c_str());

  const CURLcode rc = curl_easy_perform(c);
  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, nullptr);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);
  curl_slist_free_all(headers);

  if (t.TooLarge) {
    throw EVetrilo(Format(Tr("Ответ сервера больше %d байт"), {static_cast<int64_t>(MaxBodyBytes)}));
  }
  if (t.TimedOut) {
    throw EVetrilo(Format(Tr("Сервер не ответил за %d мс"), {ReadTimeoutMs}));
  }
  if (rc != CURLE_OK) {
    throw EVetrilo(error[0] ? std::string(error) : std::string(curl_easy_strerror(rc)));
  }
  if (status >= 400) {
    throw EVetrilo(t.StatusLine.empty() ? Format("HTTP %d", {static_cast<int>(status)})
                                        : t.StatusLine);
  }
  return std::move(t.Body);
}

}  // namespace vetrilo
