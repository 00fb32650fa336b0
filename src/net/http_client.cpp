#include "net/http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <mutex>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

using TClock = std::chrono::steady_clock;

constexpr const char* kUserAgent =
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/53.0.2785.116 Safari/537.36";
constexpr const char* kCatalogUserAgent =
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/47.0.2526.80 Safari/537.36";
constexpr int kMaxRedirects = 10;
// How long one slice of a transfer waits for the network before the screen gets its turn.
constexpr int kSliceMs = 40;

struct TTransfer {
  std::string Body;
  size_t Limit = 0;
  bool TooLarge = false;
  std::string StatusLine;  // of the last reply (a redirect brings several)
  int64_t ContentLength = -1;
  TClock::time_point LastData;
  curl_off_t LastNow = -1;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<TTransfer*>(user);
  const size_t n = size * count;
  if (t->Body.size() + n > t->Limit) {
    t->TooLarge = true;
    return 0;  // curl ends the transfer with a write error
  }
  t->Body.append(data, n);
  t->LastData = TClock::now();
  return n;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<TTransfer*>(user);
  const std::string_view line(data, size * count);
  if (line.starts_with("HTTP/")) {
    t->StatusLine = Trim(line);
    t->ContentLength = -1;
  } else if (StartsWithIgnoringCase(line, "content-length:")) {
    const auto length = StrToIntStrict(Trim(line.substr(15)));
    if (length && *length >= 0) t->ContentLength = *length;
  }
  t->LastData = TClock::now();
  return size * count;
}

// Any movement of the transfer, an upload included, counts as activity.
int OnProgress(void* user, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t ulnow) {
  auto* t = static_cast<TTransfer*>(user);
  if (dlnow + ulnow != t->LastNow) {
    t->LastNow = dlnow + ulnow;
    t->LastData = TClock::now();
  }
  return 0;
}

int64_t MsSince(TClock::time_point start, TClock::time_point now) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
}

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool RedirectStatus(long status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The request headers of one transfer, freed however it ends.
struct THeaderList {
  curl_slist* List = nullptr;
  void Add(const std::string& line) { List = curl_slist_append(List, line.c_str()); }
  ~THeaderList() { curl_slist_free_all(List); }
};

}  // namespace

THttpClient::THttpClient() {
  GlobalInit();
  curl_ = curl_easy_init();
  if (!curl_) throw EVetrilo("curl_easy_init failed");
  multi_ = curl_multi_init();
  if (!multi_) {
    curl_easy_cleanup(static_cast<CURL*>(curl_));
    throw EVetrilo("curl_multi_init failed");
  }
  CURL* c = static_cast<CURL*>(curl_);
  curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");  // cookies in memory for the whole run
}

THttpClient::~THttpClient() {
  if (curl_) curl_easy_cleanup(static_cast<CURL*>(curl_));
  if (multi_) curl_multi_cleanup(static_cast<CURLM*>(multi_));
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
  CURLM* m = static_cast<CURLM*>(multi_);
  const TClock::time_point start = TClock::now();
  // Hop by hop only for a GET: a redirected form is curl's to resend.
  const bool checkHops = CheckRedirect && !form;
  std::string current = url;
  for (int hop = 0;; ++hop) {
    TTransfer t;
    t.Limit = MaxBodyBytes;
    t.LastData = TClock::now();
    char error[CURL_ERROR_SIZE] = {};

    THeaderList headers;
    if (form) {
      headers.Add("Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
      headers.Add("Content-Type: application/x-www-form-urlencoded");
    } else {
      headers.Add("Connection: keep-alive");
      headers.Add(
          "Accept: " +
          (Accept.empty()
               ? "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,*/*;q=0.8"
               : Accept));
      headers.Add("Accept-Language: ru-RU,ru;q=0.8,en-US;q=0.6,en;q=0.4");
    }

    curl_easy_setopt(c, CURLOPT_URL, current.c_str());
    if (form) {
      curl_easy_setopt(c, CURLOPT_POST, 1L);
      curl_easy_setopt(c, CURLOPT_POSTFIELDS, form->data());
      curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(form->size()));
      // A redirected form stays a POST, as a browser resends it on 307/308.
      curl_easy_setopt(c, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
    } else {
      curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.List);
    curl_easy_setopt(
        c, CURLOPT_USERAGENT,
        form ? kCatalogUserAgent : (UserAgent.empty() ? kUserAgent : UserAgent.c_str()));
    // Sent as written; curl decodes the gzip and deflate replies itself.
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "gzip, deflate, sdch");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, checkHops ? 0L : 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects));
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

    // The transfer runs in slices on this thread: between them the time-outs
    // are checked and the screen is served.
    struct TAttached {
      CURLM* Multi;
      CURL* Easy;
      ~TAttached() {
        curl_multi_remove_handle(Multi, Easy);
        curl_easy_setopt(Easy, CURLOPT_HTTPHEADER, nullptr);
        curl_easy_setopt(Easy, CURLOPT_ERRORBUFFER, nullptr);
      }
    };
    CURLcode rc = CURLE_OK;
    bool idle = false;
    int64_t expiredAfterMs = -1;
    {
      if (curl_multi_add_handle(m, c) != CURLM_OK) throw EVetrilo("curl_multi_add_handle failed");
      TAttached attached{m, c};
      for (bool done = false; !done;) {
        int running = 0;
        const CURLMcode mc = curl_multi_perform(m, &running);
        if (mc != CURLM_OK) throw EVetrilo(curl_multi_strerror(mc));
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(m, &left)) {
          if (msg->msg == CURLMSG_DONE && msg->easy_handle == c) {
            rc = msg->data.result;
            done = true;
          }
        }
        if (done) break;
        const TClock::time_point now = TClock::now();
        if (MsSince(t.LastData, now) > ReadTimeoutMs) {
          idle = true;
          break;
        }
        if (DeadlineMs > 0) {
          int64_t deadline = DeadlineMs;
          if (DeadlineBytesPerSecond > 0) {
            const int64_t size =
                std::max<int64_t>(t.ContentLength, static_cast<int64_t>(t.Body.size()));
            deadline += size * 1000 / DeadlineBytesPerSecond;
          }
          if (MsSince(start, now) > deadline) {
            expiredAfterMs = deadline;
            break;
          }
        }
        curl_multi_poll(m, nullptr, 0, kSliceMs, nullptr);
        if (Poll) Poll();
      }
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);

    if (t.TooLarge) {
      throw EVetrilo(
          Format(Tr("Ответ сервера больше %d байт"), {static_cast<int64_t>(MaxBodyBytes)}));
    }
    if (idle) throw EVetrilo(Format(Tr("Сервер не ответил за %d мс"), {ReadTimeoutMs}));
    if (expiredAfterMs >= 0) {
      throw EVetrilo(Format(Tr("Ответ сервера не получен полностью за %d мс"), {expiredAfterMs}));
    }
    if (rc != CURLE_OK) {
      throw EVetrilo(error[0] ? std::string(error) : std::string(curl_easy_strerror(rc)));
    }
    if (checkHops && RedirectStatus(status)) {
      char* location = nullptr;
      curl_easy_getinfo(c, CURLINFO_REDIRECT_URL, &location);
      if (location && *location) {
        if (hop >= kMaxRedirects) {
          throw EVetrilo(Format(Tr("Слишком много перенаправлений (больше %d)"), {kMaxRedirects}));
        }
        const std::string next = location;
        CheckRedirect(current, next);
        current = next;
        continue;
      }
    }
    if (status >= 400) {
      throw EVetrilo(t.StatusLine.empty() ? Format("HTTP %d", {static_cast<int>(status)})
                                          : t.StatusLine);
    }
    return std::move(t.Body);
  }
}

}  // namespace vetrilo
