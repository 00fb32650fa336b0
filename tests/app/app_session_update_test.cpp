#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "app/app_paths.h"
#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "net/hostile_server.h"
#include "services/sha256.h"
#include "services/update_server.h"
#include "test_support.h"

namespace vetrilo {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

// Puts an environment variable back at the end of a test.
class TEnvGuard {
 public:
  explicit TEnvGuard(const char* name) : name_(name) {
    const char* v = std::getenv(name);
    if (v) value_ = v;
    had_ = v != nullptr;
  }
  ~TEnvGuard() {
    if (had_) {
      setenv(name_, value_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string value_;
  bool had_ = false;
};

struct TUpdateSession {
  TTempDir Dir;
  TRecordingHooks Hooks;
  test::TUpdateServer Server;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
  int Offers = 0;
  bool Accept = true;

  explicit TUpdateSession(bool withSite = true, const std::string& frm = "") {
    const std::string package = test::MakeTarGz({{"Vetrilo_4d47", "new program"}});
    Server.Put("/p.tgz", package);
    Server.Put("/u.cfg", "[Vetrilo_4d47]\r\nVerId=0.1.0.99999\r\nDescription=B\r\nDownloadUrl=" +
                             Server.Url("/p.tgz") + "\r\nChecksumSHA256=" + Sha256Hex(package) +
                             "\r\n");
    if (withSite) {
      WriteFile(Session.Paths().IniFile(),
                "[GLOBAL]\r\nUpdateSite=" + Server.Url("/u.cfg") + "\r\n");
    }
    if (!frm.empty()) WriteFile(Session.Paths().FrmFile(), frm);
    WriteFile(Dir.File("Vetrilo_4d47"), "old program");
    Session.LoadOptions();
    Session.SetUpdateInformer([this](const TUpdateOffer&) {
      ++Offers;
      return Accept;
    });
    Hooks.Messages.clear();
  }
};

TEST(AppSessionUpdate, CheckInstallsAndAsksForTheRestart) {
  TUpdateSession s;
  EXPECT_EQ(s.Session.CheckUpdateExecute(), 1);
  EXPECT_TRUE(s.Session.RestartRequested());
  EXPECT_EQ(ReadFile(s.Dir.File("Vetrilo_4d47")), "new program");
  EXPECT_FALSE(s.Session.Busy());
  EXPECT_FALSE(s.Session.ProgressWindow().IsOpen());
}

TEST(AppSessionUpdate, WithoutAnAddressOrInAPackageInstallNothingHappens) {
  TUpdateSession s(false);
  EXPECT_EQ(s.Session.CheckUpdateExecute(), 0);
  ASSERT_EQ(s.Hooks.Messages.size(), 1u);
  EXPECT_NE(s.Hooks.Messages[0].Text.find("UpdateSite="), std::string::npos);
  EXPECT_FALSE(s.Session.StartupUpdateCheck());
  EXPECT_EQ(s.Hooks.Messages.size(), 1u);  // the start-up check is silent and skipped

  TEnvGuard xdg("XDG_DATA_HOME");
  TTempDir program;
  WriteFile(program.File(std::string(kPackageMarker)), "");
  TTempDir home;
  setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
  TAppPaths paths = TAppPaths::ForProgram(program.Path());
  unsetenv("XDG_DATA_HOME");
  TRecordingHooks hooks;
  TAppSession packaged(paths, hooks);
  packaged.SetUpdateSite(s.Server.Url("/u.cfg"));
  EXPECT_EQ(packaged.CheckUpdateExecute(), 0);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_NE(hooks.Messages[0].Text.find("менеджер пакетов"), std::string::npos);
  EXPECT_EQ(s.Server.Requests("/u.cfg"), 0);
}

TEST(AppSessionUpdate, StartupCheckFollowsAutoUpdates) {
  {
    TUpdateSession s(true, "[TFormMain]\r\nAutoUpdates=0\r\n");
    EXPECT_FALSE(s.Session.AutoUpdates());
    EXPECT_FALSE(s.Session.StartupUpdateCheck());
    EXPECT_EQ(s.Server.Requests("/u.cfg"), 0);
    s.Session.SetAutoUpdates(true);
    EXPECT_TRUE(TIniFile(s.Session.Paths().FrmFile()).ReadBool("TFormMain", "AutoUpdates", false));
    s.Accept = false;
    EXPECT_FALSE(s.Session.StartupUpdateCheck());
    EXPECT_EQ(s.Offers, 1);
    EXPECT_TRUE(s.Hooks.Messages.empty());
    s.Accept = true;
    EXPECT_TRUE(s.Session.StartupUpdateCheck());
    EXPECT_TRUE(s.Session.RestartRequested());
    s.Session.SetAutoUpdates(false);
    EXPECT_FALSE(TIniFile(s.Session.Paths().FrmFile()).ReadBool("TFormMain", "AutoUpdates", true));
  }
  // Start-up skips its remaining steps after an installation.
  TUpdateSession s;
  EXPECT_EQ(s.Session.Initialize(TCommandLine{}), 0);
  EXPECT_TRUE(s.Session.RestartRequested());
}

TEST(AppPaths, PerUserDataWhenTheProgramFolderIsAPackageInstall) {
  TEnvGuard homeGuard("HOME");
  TEnvGuard xdg("XDG_DATA_HOME");
  TTempDir program;
  const TAppPaths own = TAppPaths::ForProgram(program.Path());
  EXPECT_EQ(own.Dir, program.Path());
  EXPECT_FALSE(own.PerUserData);

  fs::create_directories(program.File("demo"));
  WriteFile(program.File("demo/Vetrilo_4d47.ldr"), "demo draws");
  WriteFile(program.File(std::string(kPackageMarker)), "");
  TTempDir home;
  setenv("HOME", home.Path().c_str(), 1);
  unsetenv("XDG_DATA_HOME");
  const TAppPaths user = TAppPaths::ForProgram(program.Path());
  EXPECT_EQ(user.Dir, home.Path() + "/.local/share/vetrilo");
  EXPECT_EQ(user.ProgramDir, program.Path());
  EXPECT_TRUE(user.PerUserData);
  EXPECT_TRUE(user.PackageInstall);
  EXPECT_EQ(ReadFile(user.ArchiveFile()), "demo draws");
  // The user's archive is never replaced by the demo again.
  WriteFile(user.ArchiveFile(), "my draws");
  setenv("XDG_DATA_HOME", (home.Path() + "/xdg").c_str(), 1);
  EXPECT_EQ(TAppPaths::ForProgram(program.Path()).Dir, home.Path() + "/xdg/vetrilo");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(ReadFile(TAppPaths::ForProgram(program.Path()).ArchiveFile()), "my draws");
  unsetenv("XDG_DATA_HOME");
  // A data folder below a regular file cannot be made.
  WriteFile(home.File("file"), "");
  setenv("XDG_DATA_HOME", home.File("file").c_str(), 1);
  EXPECT_THROW(TAppPaths::ForProgram(program.Path()), EVetrilo);
  unsetenv("XDG_DATA_HOME");

  TRecordingHooks hooks;
  TAppSession session(user, hooks);
  EXPECT_NE(session.DataFolderText().find(user.Dir), std::string::npos);
}

// The screen's turn comes during the transfers of the check: a reply held
// until the status has been shown a few times still arrives.
class TReleasingHooks : public TRecordingHooks {
 public:
  std::function<void()> OnStatus;
  void SetStatus(std::string_view text) override {
    TRecordingHooks::SetStatus(text);
    if (OnStatus) OnStatus();
  }
};

TEST(AppSessionUpdate, StartupCheckLeavesTheWindowLiveAndFailsQuietly) {
  TTempDir dir;
  test::THostileServer server;
  TReleasingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  WriteFile(session.Paths().IniFile(), "[GLOBAL]\r\nUpdateSite=" + server.Url("/u.cfg") + "\r\n");
  session.LoadOptions();
  TFetchLimits limits;
  limits.IdleTimeoutMs = 1500;
  limits.DeadlineMs = 3000;
  session.SetUpdateLimits(limits);
  const std::string config = "[Vetrilo_4d47]\r\nVerId=0.1.0.5\r\n";
  server.Hold("/u.cfg", config);
  int statuses = 0;
  // Only the turns while the request waits count.
  hooks.OnStatus = [&] {
    if (server.Requests("/u.cfg") > 0 && ++statuses == 3) server.Release();
  };
  session.SetRunningVersion("0.1.0.5");
  ASSERT_TRUE(session.AutoUpdates());
  EXPECT_FALSE(session.StartupUpdateCheck());
  EXPECT_EQ(server.Delivered("/u.cfg"), 1);
  EXPECT_GE(statuses, 3);
  EXPECT_TRUE(hooks.Messages.empty());

  // A server too slow for the deadline: quiet at start-up, reported by the menu item.
  server.Drip("/u.cfg", config + ";" + std::string(200, 'x'), 50);
  limits.DeadlineMs = 300;
  session.SetUpdateLimits(limits);
  EXPECT_FALSE(session.StartupUpdateCheck());
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(session.CheckUpdateExecute(), 2);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text,
            "Ошибка поиска обновлений!\r\rОтвет сервера не получен полностью за 300 мс");
  EXPECT_FALSE(session.Busy());
}

}  // namespace
}  // namespace vetrilo
