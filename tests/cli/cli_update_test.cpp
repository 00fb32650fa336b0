#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "catalog/catalog_test_server.h"
#include "services/self_update.h"
#include "services/sha256.h"
#include "services/update_server.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
namespace {

using test::ReadFile;
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

void PublishBuild(test::TUpdateServer& server, const std::string& verId, const std::string& package,
                  const std::string& sha) {
  server.Put("/p.tgz", package);
  server.Put("/u.cfg", "[Vetrilo_4d47]\r\nVerId=" + verId + "\r\nDescription=B\r\nDownloadUrl=" +
                           server.Url("/p.tgz") + "\r\nChecksumSHA256=" + sha + "\r\n");
}

TEST(CliUpdate, CheckTellsTheRunningAndThePublishedBuild) {
  TTempDir dir;
  test::TUpdateServer server;
  const std::string package = test::MakeTarGz({{"Vetrilo_4d47", "new"}});
  PublishBuild(server, ProgramVersionText(), package, Sha256Hex(package));
  WriteFile(dir.File("Vetrilo_4d47.ini"),
            "[GLOBAL]\r\nUpdateSite=" + server.Url("/u.cfg") + "\r\n");
  auto r = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "update", "check"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "running: " + ProgramVersionText() + "\npublished: " + ProgramVersionText() + "\n");
  PublishBuild(server, "0.1.0.99999", package, Sha256Hex(package));
  r = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "update", "check"});
  EXPECT_EQ(r.Status, 10) << r.Err;
  EXPECT_NE(r.Out.find("published: 0.1.0.99999\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("SelfUpdates.inf")));
  // No address, or one that answers nothing.
  TTempDir bare;
  r = RunProgram({VETRILO_CLI, "--dir", bare.Path(), "update", "check"});
  EXPECT_EQ(r.Status, 2);
  EXPECT_NE(r.Err.find("UpdateSite="), std::string::npos);
  r = RunProgram(
      {VETRILO_CLI, "--dir", bare.Path(), "update", "check", "--site", server.Url("/missing.cfg")});
  EXPECT_EQ(r.Status, 2);
  EXPECT_NE(r.Err.find("Ошибка поиска обновлений!"), std::string::npos);
}

TEST(CliUpdate, InstallPutsTheBuildIntoTheFolderOrFailsWithStatus2) {
  TTempDir dir;
  test::TUpdateServer server;
  WriteFile(dir.File("Vetrilo_4d47"), "old");
  const std::string package = test::MakeTarGz({{"Vetrilo_4d47", "new"}, {"extra.txt", "x"}});
  PublishBuild(server, "0.1.0.99999", package, std::string(64, '0'));
  const std::vector<std::string> install = {VETRILO_CLI, "--dir",  dir.Path(),          "update",
                                            "install",   "--site", server.Url("/u.cfg")};
  auto r = RunProgram(install);
  EXPECT_EQ(r.Status, 2);
  EXPECT_NE(r.Err.find("Ошибка установки обновления!"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("Неверная контрольная сумма скачанного файла."), std::string::npos);
  EXPECT_EQ(ReadFile(dir.File("Vetrilo_4d47")), "old");

  PublishBuild(server, "0.1.0.99999", package, Sha256Hex(package));
  r = RunProgram(install);
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadFile(dir.File("Vetrilo_4d47")), "new");
  EXPECT_EQ(ReadFile(dir.File("extra.txt")), "x");

  PublishBuild(server, ProgramVersionText(), package, Sha256Hex(package));
  r = RunProgram(install);
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("Обновлений не найдено!"), std::string::npos);
  r = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "update", "upgrade"});
  EXPECT_EQ(r.Status, 2);
}

// Two installs into one folder at once: one waits for the other, and neither
// leaves a torn or empty file behind while saying it succeeded.
TEST(CliUpdate, ConcurrentInstallsInOneFolderLeaveWholeFiles) {
  test::TUpdateServer server;
  const std::string big(512 * 1024, 'b');
  const std::string package = test::MakeTarGz({{"Vetrilo_4d47", "new"}, {"big.dat", big}});
  PublishBuild(server, "0.1.0.99999", package, Sha256Hex(package));
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE(round);
    TTempDir dir;
    WriteFile(dir.File("Vetrilo_4d47"), "old");
    const std::vector<std::string> install = {VETRILO_CLI, "--dir",  dir.Path(),          "update",
                                              "install",   "--site", server.Url("/u.cfg")};
    test::TRunResult results[2];
    std::thread other([&] { results[1] = RunProgram(install); });
    results[0] = RunProgram(install);
    other.join();
    int installed = 0;
    for (const auto& r : results) {
      EXPECT_TRUE(r.Status == 0 || r.Status == 4) << r.Err;
      installed += r.Status == 0 ? 1 : 0;
    }
    EXPECT_GE(installed, 1);
    EXPECT_EQ(ReadFile(dir.File("Vetrilo_4d47")), "new");
    EXPECT_EQ(ReadFile(dir.File("big.dat")), big);
  }
}

// Published the way a release is: the update files in the folder the catalogue
// server serves under "/files/".
TEST(CliUpdate, InstallsFromTheCatalogueServersFiles) {
  TTempDir dir, published;
  WriteFile(dir.File("Vetrilo_4d47"), "old");
  test::TCatalogTestServer server(published.File("catalog.db"), published.Path());
  const std::string package = test::MakeTarGz({{"Vetrilo_4d47", "new"}});
  WriteFile(published.File("p.tgz"), package);
  WriteFile(published.File("u.cfg"),
            "[Vetrilo_4d47]\r\nVerId=0.1.0.99999\r\nDescription=B\r\n"
            "DownloadUrl=" +
                server.Site() +
                "/files/p.tgz\r\n"
                "ChecksumSHA256=" +
                Sha256Hex(package) + "\r\n");
  const std::string site = server.Site() + "/files/u.cfg";
  auto r = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "update", "check", "--site", site});
  EXPECT_EQ(r.Status, 10) << r.Err;
  r = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "update", "install", "--site", site});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadFile(dir.File("Vetrilo_4d47")), "new");
}

}  // namespace
}  // namespace vetrilo
