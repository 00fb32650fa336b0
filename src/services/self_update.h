#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ui_hooks.h"
#include "net/http_client.h"
#include "services/progress_window.h"

namespace vetrilo {

// The entry of the update configuration read for one check.
struct TUpdateVersionData {
  std::string VerId;
  std::string Description;
  std::string DownloadUrl;
  std::string OriginalFileName;
  std::string ChecksumCRC32;
  std::string ChecksumSHA256;
  std::string GlobalDeleteAfter, GlobalDeleteBefore, GlobalExecAfter, GlobalExecBefore;
  std::string DeleteAfter, DeleteBefore, ExecAfter, ExecBefore;
};

// The configuration's bytes (CP1251, or UTF-8) read for the program file
// `programFileName`; missing keys take their defaults (VerId: the running
// version).
TUpdateVersionData ParseUpdateConfig(std::string_view bytes, std::string_view programFileName,
                                     std::string_view runningVersion);
// The fourth word of a version text split at ",-._"; 0 when there is none or
// it is not a number.
int BuildNumber(std::string_view versionText);
// The version text of this build ("major.minor.patch.build").
std::string ProgramVersionText();
// A ";"-separated list of names, each trimmed, empty names dropped.
std::vector<std::string> SplitNameList(std::string_view list);
// CRC-32 of a whole file as 8 upper-case hexadecimal digits.
std::string FileCrc32Text(const std::string& path);
// Text files published beside the configuration: UTF-8 when they are valid
// UTF-8, else CP1251.
std::string UpdateTextToUtf8(std::string_view bytes);

// Whether a source is fetched over HTTP(S) ("http://" or "https://", any case).
bool IsWebAddress(std::string_view source);
// Plain http is accepted only from a loopback host; throws EVetrilo otherwise.
void CheckWebAddressAllowed(std::string_view address);
// One hop of a redirect chain: the next address must pass the check above,
// and an https address leads on to https only; throws EVetrilo otherwise.
void CheckRedirectAllowed(std::string_view from, std::string_view to);

// What one fetch may take.
struct TFetchLimits {
  int ConnectTimeoutMs = kConnectTimeoutMs;
  int IdleTimeoutMs = kIdleTimeoutMs;
  int DeadlineMs = kRequestDeadlineMs;
  // Above 0: the deadline grows by the file's size at this rate (a package).
  int64_t BytesPerSecond = 0;
  size_t MaxBytes = size_t{1} << 20;
  // The screen's pending events while the transfer runs.
  std::function<void()> Poll;
};
// The configuration and the description texts are a few KB each.
constexpr size_t kMaxUpdateTextBytes = size_t{1} << 20;
constexpr size_t kMaxPackageBytes = size_t{512} << 20;

// Copies a web address (GET) or a file path to `target`, creating its folder;
// 0 for a web address, 1 for a file path. Every hop of a redirect is checked.
// Throws EVetrilo.
int FetchFile(const std::string& source, const std::string& target,
              const TFetchLimits& limits = {});

// Refuses (EVetrilo) a path below `dir` any part of which is a symbolic link:
// a linked sub-folder would send the update's files elsewhere. `dir` itself
// may be reached through links; parts that do not exist yet are fine.
void CheckNoLinkBelow(const std::string& dir, std::string_view relative);

// Where the description texts are published, and the names tried in order.
std::string DescriptionBase(std::string_view configAddress);
std::vector<std::string> DescriptionCandidates(std::string_view base, std::string_view verId,
                                               int languageId);

// Starts `program` in `folder`, in a process group of its own, and waits for it
// at most timeoutSeconds (0: no limit), calling `poll` every 100 ms; its exit
// code. A failed start throws the system's error text; a time-out ends the
// whole group (what the program started too) and throws.
int RunAndWait(const std::string& folder, const std::string& program, int timeoutSeconds,
               const std::function<void()>& poll);
// Starts the program file `baseName` of `programDir` with the word "restart",
// in that folder, without waiting; a failed start throws the system's error text.
void StartProgramForRestart(const std::string& programDir, const std::string& baseName);
// "SysError #%d: \"%s\"!" of an errno value.
std::string SysErrorText(int err);

// What the dialog "Найдена новая версия программы" shows.
struct TUpdateOffer {
  std::string CurrentVersion;
  std::string NewVersion;  // the Description of the configuration
  std::vector<std::string> Description;
};

// The check for a newer build and its installation into the program folder.
class TSelfUpdate {
 public:
  static constexpr std::string_view kConfigCopy = "SelfUpdates.inf";
  static constexpr std::string_view kWorkFolder = "SelfUpdate";

  TSelfUpdate(std::string programDir, std::string programFileName, TUiHooks& hooks,
              TProgressWindow& progress);

  std::string RunningVersion = ProgramVersionText();
  // The busy state of the owner around the search and the installation.
  std::function<void()> EnterBusy;
  std::function<void()> LeaveBusy;
  // The dialog: true installs. Without one every offer is accepted.
  std::function<bool(const TUpdateOffer&)> Informer;
  // Called before each file is copied into the program folder (a test seam:
  // throwing there is a copy that failed).
  std::function<void(const std::string& source, const std::string& target)> BeforeCopy;
  // Pending events of the screen while a transfer or a program of the package runs.
  std::function<void()> Poll;
  // The configuration's and the descriptions' fetches; the package's takes
  // the same time-outs, its own size limit and a deadline grown by its size.
  TFetchLimits Limits;
  int64_t PackageBytesPerSecond = kPackageBytesPerSecond;
  int ExecTimeoutSeconds = 60;

  // 0 no update (or declined), 1 installed, 2 failed (the message was shown).
  int CheckForUpdates(const std::string& configAddress, bool silent, int language);
  // The configuration fetched and read; the local copy removed. Throws EVetrilo.
  TUpdateVersionData ReadConfig(const std::string& configAddress);
  bool UpdateAvailable(const TUpdateVersionData& data) const;
  // The entry of the last check.
  const TUpdateVersionData& Data() const { return data_; }

  std::string WorkFolder() const;

 private:
  std::vector<std::string> FetchDescription(const std::string& configAddress, int language);
  int Install(const std::string& configAddress);
  void InstallSteps(const std::string& configAddress);
  void Download(const std::string& configAddress, const std::string& package);
  void DeleteListed(const std::string& globalList, const std::string& ownList);
  void ExecListed(const std::string& globalList, const std::string& ownList);
  void CopyIntoProgramFolder();
  void CheckNames() const;
  void CheckTargets() const;
  TFetchLimits TextLimits() const;

  std::string dir_;
  std::string programFileName_;
  TUiHooks& hooks_;
  TProgressWindow& progress_;
  TUpdateVersionData data_;
};

}  // namespace vetrilo
