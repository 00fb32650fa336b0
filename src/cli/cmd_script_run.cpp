// script forecast / script test: a script file run on the program folder's archive,
// stake file, ratings and settings, as the program runs it.
#include "cli/cmd_script_run.h"

#include <cstdio>
#include <random>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "scripts/script_file.h"
#include "workspace/comb_generate.h"

namespace vetrilo::cli {
namespace {

// Messages of the run. Until a stop is pending none can be the one that ended
// the run, so they go to stderr as they come; from then on they are held for the
// report, which picks the ending one.
class TRunHooks : public TUiHooks {
 public:
  std::vector<std::pair<TMessageKind, std::string>> Messages;
  const TScriptRunState* Run = nullptr;  // set while the run lasts

  void SetStatus(std::string_view) override {}
  void ShowMessage(TMessageKind kind, std::string_view text) override {
    if (Run && !holding_ && Run->StopRequested) holding_ = true;
    if (Run && !holding_) {
      WriteMessageToStderr(kind, text);
      return;
    }
    Messages.emplace_back(kind, std::string(text));
  }
  bool Ask(std::string_view question) override { return TConsoleHooks().Ask(question); }

 private:
  bool holding_ = false;
};

// Passes every stake on to the stake file and prints the records the run added,
// in file order, once their state is final: after each stake check, before the
// file is emptied and at the end. It keeps only where the unprinted records
// begin, so the report costs no memory per stake.
class TReportingStore : public TRunStakeStore {
 public:
  TReportingStore(TRunStakeStore& file, const TStakeFile& records)
      : file_(file), records_(records), next_(records.Count()) {}

  bool LastIsStake() override { return file_.LastIsStake(); }
  void AppendSeparator() override { file_.AppendSeparator(); }
  bool Has(int32_t drawNumber, TComb comb) override { return file_.Has(drawNumber, comb); }
  void Append(const TRunStake& stake, bool bulk) override { file_.Append(stake, bulk); }
  void Empty() override {
    Print();
    file_.Empty();
    next_ = records_.Count();
    Out("#CLR\n");
    std::fflush(stdout);
  }
  void Check() override {
    file_.Check();
    Print();
  }
  void Refresh() override { file_.Refresh(); }

  // The records not printed yet; flushed, so a run killed later has shown them.
  void Print() {
    const int64_t count = records_.Count();
    if (next_ >= count) return;
    for (; next_ < count; ++next_) {
      const TStakeRec rec = records_.Read(0, next_);
      if (!rec.IsStake()) {
        Out("-1\t\t0\t0\t-1\t\n");
      } else {
        Out(TsvRow({std::to_string(rec.DrawNumber), rec.NumbersText(";"),
                    std::to_string(int(rec.Kind)), std::to_string(rec.SampleSize),
                    std::to_string(rec.IsChecked() ? rec.MatchesCount : -1), rec.Comment}));
      }
    }
    std::fflush(stdout);
  }

 private:
  TRunStakeStore& file_;
  const TStakeFile& records_;
  int64_t next_;
};

}  // namespace

int ScriptRunCommand(const TCliContext& context) {
  const TCliArgs args(context.Words, {"draws", "offset", "seed"}, {});
  const auto& words = args.Positional();
  const bool test = words[0] == "test";
  if (words.size() != 2) throw ECliError("script " + words[0] + " needs one FILE.lsc");
  if (test != args.Has("draws")) {
    throw ECliError(test ? "script test needs --draws N" : "--draws goes with script test");
  }
  std::vector<std::string> lines;
  try {
    lines = ReadScriptFile(words[1]);
  } catch (const EVetrilo& e) {
    throw ECliError(Format("Ошибка чтения файла \"%s\"!\r\r%s", {words[1], e.Message()}));
  }
  const uint64_t seed =
      args.Has("seed") ? uint64_t(args.Int("seed", 0, 0, 2147483647)) : std::random_device{}();

  TRunHooks hooks;
  TAppSession session(context.Paths, hooks);
  const auto failedSetUp = [&hooks] {
    for (const auto& [kind, text] : hooks.Messages) WriteMessageToStderr(kind, text);
    return 2;
  };
  session.LoadOptions();
  if (session.ErrorsShown() > 0) return failedSetUp();
  if (!session.AcquireDataLock())
    return session.FolderBusy() ? (failedSetUp(), kFolderBusyStatus) : failedSetUp();
  if (!session.LoadArchive()) return failedSetUp();
  session.LoadRatingsAtStart();
  if (session.ErrorsShown() > 0) return failedSetUp();
  for (const auto& [kind, text] : hooks.Messages) WriteMessageToStderr(kind, text);
  hooks.Messages.clear();

  const int count = session.Archive().Count();
  const int offset = args.Int("offset", 0, 0, 2147483647);
  if (offset > std::max(0, count - 1)) {
    throw ECliError("--offset " + std::to_string(offset) + " is beyond the archive");
  }
  const int draws = test ? args.Int("draws", 1, 1, 2147483647) : 0;
  if (test && draws > count - 1) {
    throw ECliError("--draws must be 1.." + std::to_string(std::max(0, count - 1)));
  }
  if (count == 0) throw ECliError("the archive holds no draw");
  session.SetDrawsOffsetQuietly(offset);
  session.Combs().GenerateCombs(kGenerateFull, "", true);

  const std::unique_ptr<TRunStakeStore> file = session.StakeFileStore();
  TReportingStore store(*file, session.StakeBook().File);
  hooks.Run = &session.ScriptRun();
  const TRunEnd end = session.RunScriptLines(lines, draws, seed, &store);

  // Messages that ended the run go to the report, the others to stderr.
  const TMessageKind endKind =
      end == TRunEnd::StopLine ? TMessageKind::Warning : TMessageKind::Error;
  int ending = -1;
  if (end == TRunEnd::Error || end == TRunEnd::StopLine) {
    for (int i = int(hooks.Messages.size()) - 1; i >= 0 && ending < 0; --i) {
      if (hooks.Messages[size_t(i)].first == endKind) ending = i;
    }
  }
  store.Print();
  std::string out = "# stakes made: " + std::to_string(session.ScriptRun().StakesMade) + "\n";
  out += "# offset: " + std::to_string(session.DrawsOffset()) + "\n";
  for (int i = 0; i < int(hooks.Messages.size()); ++i) {
    const auto& [kind, text] = hooks.Messages[size_t(i)];
    if (i == ending) {
      out += "# " + std::string(MessageTitle(kind)) + ": " + OutField(text) + "\n";
    } else {
      WriteMessageToStderr(kind, text);
    }
  }
  Out(out);
  return end == TRunEnd::Error ? 2 : end == TRunEnd::StopLine ? 3 : 0;
}

}  // namespace vetrilo::cli
