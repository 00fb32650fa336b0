#include "acquire/draw_download.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "acquire/page_parser.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

// The date key of a stored date text; 0 when it is empty or not a date.
TDateKey ReadableDateKey(const std::string& text) {
  try {
    return TextToDateKey(text);
  } catch (const EVetrilo&) {
    return 0;
  }
}

}  // namespace

TDateKey TodayKey() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return MakeDateKey(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

int TDrawDownload::DownloadDrawRange(TDateKey first, TDateKey last) {
  staleWindow_ = false;
  hooks_.SetStatus(
      Format(Tr("Загрузка тиражей %s - %s..."), {DateKeyToText(first), DateKeyToText(last)}));
  const std::string page = web_.GetPage(ResultsAddress(site_, first, last), false);
  TDrawsArray draws = ParseResultsPage(page, archive_);
  // A draw dated before the window is one we stored already (a server that
  // ignores the dates lists them again); appended, it would come in twice.
  const size_t listed = draws.size();
  std::erase_if(draws, [first](const TDrawRec& d) {
    const TDateKey key = ReadableDateKey(d.Date);
    return key > 0 && key < first;
  });
  staleWindow_ = listed > 0 && draws.empty();
  if (draws.empty()) return 0;
  if (draws.size() != listed) {
    const int32_t newest = archive_.Count() > 0 ? archive_.Draws.back().Number : 0;
    for (size_t i = 0; i < draws.size(); ++i) {
      draws[i].Number = static_cast<int32_t>(int64_t{newest} + static_cast<int64_t>(i) + 1);
    }
  }
  hooks_.SetStatus(Tr("Сохранение файла тиражей..."));
  for (TDrawRec& d : draws) archive_.Draws.push_back(std::move(d));
  return static_cast<int>(draws.size());
}

void TDrawDownload::WaitBeforeRetry(int seconds) {
  hooks_.SetStatus(Format(Tr("Повторная попытка через %d с..."), {seconds}));
  if (Pause) {
    Pause(seconds);
    return;
  }
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    CheckStop(hooks_);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

bool TDrawDownload::RetryAfter(const EVetrilo& error, TFailures& failures) {
  ++web_.Attempt;
  if (archive_.Count() != failures.ArchiveCount) failures.InRow = 0;
  failures.ArchiveCount = archive_.Count();
  const auto giveUp = [&] {
    hooks_.ShowMessage(
        TMessageKind::Error,
        Format(Tr("Ошибка загрузки архива тиражей с сайта: \"%s\""), {error.Message()}));
    return false;
  };
  TProxySettings& proxy = web_.Proxy();
  if (proxy.Mode == 1) {
    proxy.Server.clear();
    proxy.Port = 0;
    proxy.Username.clear();
    proxy.Password.clear();
    proxy.Saved = false;
    if (proxy.Candidates && !proxy.Candidates->empty()) {
      proxy.Candidates->erase(proxy.Candidates->begin());
    }
    if (++failures.Candidates >= kProxyCandidatesPerDownload) return giveUp();
    if (proxy.Candidates && !proxy.Candidates->empty()) return true;
  }
  if (++failures.InRow >= kDownloadAttempts) return giveUp();
  const std::string question =
      Format(Tr("Ошибка загрузки архива тиражей с сайта: \"%s\"\r\rПовторить попытку?"),
             {error.Message()});
  if (!(AskRetry ? AskRetry(question) : hooks_.Ask(question))) return false;
  WaitBeforeRetry(kFirstRetryPauseSeconds << (failures.InRow - 1));
  return true;
}

TDownloadResult TDrawDownload::DownloadNewDraws() {
  TDownloadResult result;
  TFailures failures;
  web_.Attempt = 1;
  // The candidate list lives for one download, however it ends.
  struct TDropCandidates {
    TProxySettings& Proxy;
    ~TDropCandidates() { Proxy.Candidates.reset(); }
  } dropCandidates{web_.Proxy()};
  for (;;) {
    CheckStop(hooks_);
    try {
      TDateKey start = kFirstDownloadDate;
      if (archive_.Count() > 0) {
        const TDrawRec& newest = archive_.Draws.back();
        const TDateKey key = ReadableDateKey(newest.Date);
        if (key <= 0) {
          result.Reason =
              Format(Tr("Дата тиража № %d не распознана: загрузка остановлена"), {newest.Number});
          hooks_.SetStatus(result.Reason);
          hooks_.ShowMessage(
              TMessageKind::Error,
              Format(Tr("Не удалось определить дату последнего тиража № %d (\"%s\")!\r\r"
                        "Новые тиражи загружаются начиная со дня после него. Исправьте дату "
                        "этого тиража (\"Изменить\") и повторите загрузку."),
                     {newest.Number, newest.Date}));
          result.End = TDownloadEnd::BadDate;
          return result;
        }
        start = DateKeyAddDays(key, 1);
      }
      if (start > today_) {
        result.End = TDownloadEnd::UpToDate;
        return result;
      }
      TDateKey end = DateKeyAddDays(start, kDownloadWindowDays - 1);
      if (end > today_) end = today_;
      if (end < start) end = start;
      const int added = DownloadDrawRange(start, end);
      if (!web_.Proxy().Saved && SaveProxy) SaveProxy();
      if (added == 0 && staleWindow_) {
        result.Reason = Format(
            Tr("Сервер вернул только тиражи до %s: он не учитывает запрошенные даты, загрузка "
               "остановлена"),
            {DateKeyToText(start)});
        hooks_.SetStatus(result.Reason);
        result.End = TDownloadEnd::Stale;
        return result;
      }
      if (added == 0) {
        result.End = TDownloadEnd::NoNewDraws;
        return result;
      }
      result.Added += added;
      if (DrawsAppended) DrawsAppended();
      if (end >= today_) {
        result.End = TDownloadEnd::UpToDate;
        return result;
      }
    } catch (const EVetrilo& e) {
      if (!RetryAfter(e, failures)) {
        result.End = TDownloadEnd::Failed;
        return result;
      }
    }
  }
}

}  // namespace vetrilo
