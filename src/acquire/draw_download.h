#pragma once

#include <functional>
#include <string>

#include "core/dates.h"
#include "core/draw_archive.h"
#include "core/errors.h"
#include "core/ui_hooks.h"
#include "net/web_client.h"

namespace vetrilo {

// Why a download ended.
enum class TDownloadEnd {
  UpToDate,    // the windows reached today (or the newest draw is dated today or later)
  NoNewDraws,  // a window brought nothing new
  Stale,       // a window listed only draws dated before it (none appended): the server
               // ignores the dates
  BadDate,     // the newest stored draw has no readable date
  Failed,      // an error, and the user did not want to retry
};

struct TDownloadResult {
  int Added = 0;
  TDownloadEnd End = TDownloadEnd::UpToDate;
  std::string Reason;  // the status text of a stale window or an unreadable date
};

// The first date of the first window when the archive is empty.
constexpr TDateKey kFirstDownloadDate = 20140704;
constexpr int kDownloadWindowDays = 100;
// Failed attempts in a row after which a download ends whatever the answer;
// the pauses before the retries double from the first one.
constexpr int kDownloadAttempts = 5;
constexpr int kFirstRetryPauseSeconds = 1;
// Automatically found proxies tried in one download at most.
constexpr int kProxyCandidatesPerDownload = 10;

// Brings the archive up to date from the result site, one window of dates
// after the newest stored draw at a time.
class TDrawDownload {
 public:
  TDrawDownload(TDrawArchive& archive, TWebClient& web, TUiHooks& hooks, std::string site,
                TDateKey today)
      : archive_(archive), web_(web), hooks_(hooks), site_(std::move(site)), today_(today) {}

  // Called after a window appended draws: save the archive, refresh the views.
  std::function<void()> DrawsAppended;
  // Called after every window while an automatically found proxy is not saved yet.
  std::function<void()> SaveProxy;
  // The retry question (title "Ошибка"); the hooks' Yes/No question when not set.
  std::function<bool(std::string_view)> AskRetry;
  // The wait before a retry the user asked for (1, 2, 4, 8 s); when not set
  // it waits here, polling the stop request.
  std::function<void(int seconds)> Pause;

  // The loop; returns the number of draws added and why it ended. A stop
  // request throws EStopped between windows (what was added stays).
  TDownloadResult DownloadNewDraws();
  // One window: the page of the result site, its new draws appended in page
  // order. Draws dated before `first` are never appended. Returns their count;
  // throws EVetrilo on a network or page error.
  int DownloadDrawRange(TDateKey first, TDateKey last);

 private:
  struct TFailures {
    int InRow = 0;
    int ArchiveCount = -1;  // of the last failure: draws added since break the row
    int Candidates = 0;
  };
  // After a failed window: true to try again (another proxy, or the user said
  // Yes and the pause is over), false when the download ends.
  bool RetryAfter(const EVetrilo& error, TFailures& failures);
  void WaitBeforeRetry(int seconds);

  TDrawArchive& archive_;
  TWebClient& web_;
  TUiHooks& hooks_;
  std::string site_;
  TDateKey today_;
  // The last window listed draws, and every one was dated before it.
  bool staleWindow_ = false;
};

// Today's date on this computer.
TDateKey TodayKey();

}  // namespace vetrilo
