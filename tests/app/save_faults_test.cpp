// Every file the program writes, failed at every point of its write: the files
// are each old or new and whole, nothing else is left in the folder, the user is
// told, and doing it again succeeds.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "fault_injection.h"
#include "scripts/script_log.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::ReadFile;
using test::TFaultPlan;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

using TSnapshot = std::map<std::string, std::string>;  // path below the folder -> bytes

TSnapshot Snapshot(const std::string& dir) {
  TSnapshot files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
    if (e.is_regular_file()) {
      files[std::filesystem::relative(e.path(), dir).string()] = ReadFile(e.path().string());
    }
  }
  return files;
}

// A program folder with settings, an archive, stakes and older exports in it.
struct TFixture {
  TTempDir Dir;
  TRecordingHooks Hooks;
  std::unique_ptr<TAppSession> Session;

  TFixture() {
    WriteFile(Dir.File("Vetrilo_4d47.ini"),
              "[STAKES]\r\nCost=1\r\nProfits=1\r\nProfit_0_Overlap=2\r\nProfit_0_Profit=3\r\n");
    WriteFile(Dir.File("Vetrilo_4d47.frm"),
              "[TFormMain]\r\nColorCombs=0\r\nStakesLogEnabled=1\r\n");
    // Bytes after the last whole record are ignored on load and gone after a save.
    WriteFile(Dir.File("Vetrilo_4d47.ldr"),
              SerializeDrawRecords(MakeDraws(
                  {{1000, 1, 2, 3, 4, 1, "01/01/2020"}, {1001, 5, 6, 7, 8, 2, "01/04/2020"}})) +
                  "torn");
    WriteFile(Dir.File("Vetrilo_4d47.lsk"), "");
    WriteFile(Dir.File("list.lcv"), "old list\r\n");
    WriteFile(Dir.File("script.lsc"), "old script\r\n");
    WriteFile(Dir.File("draws.csv"), "old csv\r\n");
    WriteFile(Dir.File("ratings.csv"), "old ratings\r\n");
    Session = std::make_unique<TAppSession>(TAppPaths::ForFolder(Dir.Path()), Hooks);
    Session->LoadOptions();
    EXPECT_TRUE(Session->AcquireDataLock());
    Session->LoadArchive();
    Session->GenerateDefaultCombs();
  }
  int Errors() const {
    int n = 0;
    for (const auto& m : Hooks.Messages) n += m.Kind == TMessageKind::Error ? 1 : 0;
    return n;
  }
};

// Runs a write; true when it was reported done (no exception, no error shown).
using TWrite = std::function<void(TFixture&)>;
bool Reported(TFixture& f, const TWrite& write) {
  const int before = f.Errors();
  try {
    write(f);
  } catch (const EVetrilo&) {
    return false;
  }
  return f.Errors() == before;
}

struct TWriter {
  const char* Name;
  TWrite Write;
  bool Repeatable = true;  // doing it again gives the same files
};

const TWriter kWriters[] = {
    {"archive", [](TFixture& f) { f.Session->SaveArchive(); }},
    {"window settings", [](TFixture& f) { f.Session->SetColorCombs(true); }},
    {"settings", [](TFixture& f) { f.Session->GenerateCombs(1, "1;2;3", true); }},
    {"combination list", [](TFixture& f) { f.Session->SaveCombsFile(f.Dir.File("list.lcv")); }},
    {"script file", [](TFixture& f) { f.Session->SaveScriptFile(f.Dir.File("script.lsc")); }},
    {"draws export", [](TFixture& f) { f.Session->ExportDraws(f.Dir.File("draws.csv")); }},
    {"ratings export",
     [](TFixture& f) { f.Session->ExportRatingsCsv(f.Dir.File("ratings.csv"), '.'); }},
    {"stake",
     [](TFixture& f) {
       TStakeRec rec = f.Session->NewManualStake(MakeComb(1, 2, 30, 40));
       rec.DrawNumber = 1001;  // checked at once: the stake logs and ratings are written too
       f.Session->AddStake(rec, 1);
     },
     false},
};

const int kErrors[] = {ENOSPC, EIO, EROFS};

}  // namespace

TEST(SaveFaults, EveryWriteOfTheSessionFailsSafelyAtEveryPoint) {
  for (const TWriter& w : kWriters) {
    SCOPED_TRACE(w.Name);
    TSnapshot before, after;
    int points = 0;
    {
      TFixture f;
      before = Snapshot(f.Dir.Path());
      points = test::CountFileSteps([&] { EXPECT_TRUE(Reported(f, w.Write)); });
      after = Snapshot(f.Dir.Path());
    }
    ASSERT_GT(points, 0) << "writes nothing through the file layer";
    ASSERT_NE(before, after);
    for (int at = 0; at < points; ++at) {
      const int err = kErrors[at % 3];
      SCOPED_TRACE("point " + std::to_string(at) + " errno " + std::to_string(err));
      TFixture f;
      bool logOnly = false;
      {
        TFaultPlan plan(at, err);
        const bool ok = Reported(f, w.Write);
        ASSERT_TRUE(plan.Fired());
        // A log that cannot be written is a warning; the stake itself is made.
        logOnly = plan.FailedPath().ends_with(".log");
        if (logOnly) {
          EXPECT_GT(f.Hooks.Messages.size(), 0u) << "the log failure was not told";
        } else {
          EXPECT_FALSE(ok) << "a failed write was reported as done";
        }
      }
      const TSnapshot now = Snapshot(f.Dir.Path());
      for (const auto& [name, bytes] : now) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(before.count(name) || after.count(name)) << "left behind";
        const bool old = before.count(name) && before.at(name) == bytes;
        const bool fresh = after.count(name) && after.at(name).size() == bytes.size();
        EXPECT_TRUE(old || fresh) << bytes.size() << " bytes";
      }
      for (const auto& [name, bytes] : before) EXPECT_TRUE(now.count(name)) << name << " lost";
      // Once the disk is fine again, the same action does what it should.
      if (logOnly) continue;
      EXPECT_TRUE(Reported(f, w.Write));
      if (!w.Repeatable) continue;
      const TSnapshot retried = Snapshot(f.Dir.Path());
      for (const auto& [name, bytes] : after) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(retried.count(name));
        if (!name.ends_with(".log")) {
          EXPECT_EQ(retried.at(name).size(), bytes.size());
        }
      }
    }
  }
}

TEST(SaveFaults, AFailedLogWriteIsAWarningAndTheRunGoesOn) {
  TTempDir dir;
  std::vector<std::string> errors;
  TScriptLog log(
      dir.Path(), [&](const std::string& m) { errors.push_back(m); },
      [] { return std::time_t{1700000000}; });
  log.Start();
  log.Write("first");
  {
    TFaultPlan plan(1, ENOSPC);  // the write of the second line
    log.Write("second");
  }
  log.Write("third");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find(std::strerror(ENOSPC)), std::string::npos) << errors[0];
  const std::string text = ReadFile(log.FileName());
  EXPECT_NE(text.find("first"), std::string::npos);
  EXPECT_EQ(text.find("second"), std::string::npos);
  EXPECT_NE(text.find("third"), std::string::npos);
}

}  // namespace vetrilo
