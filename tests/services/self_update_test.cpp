#include "services/self_update.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "net/hostile_server.h"
#include "net/result_server.h"
#include "services/sha256.h"
#include "services/update_package.h"
#include "services/update_server.h"
#include "test_support.h"

namespace vetrilo {
namespace {

namespace fs = std::filesystem;
using test::MakeTarGz;
using test::TPackageEntry;
using test::TRecordingHooks;
using test::TTempDir;
using test::TUpdateServer;

TEST(UpdateVersion, BuildNumberIsTheFourthWord) {
  const std::pair<const char*, int> cases[] = {{"13.6.0.199", 199},
                                               {"13.7.0.210", 210},
                                               {"14,0-0_150", 150},
                                               {"1.2.3", 0},
                                               {"1.2.3.x", 0},
                                               {"1.2.3. 7 ", 7},
                                               {"", 0},
                                               {"1.2.3.4.5", 4},
                                               {"1.2.3.-4", 0},
                                               {"1.2.3.99999999999", 0}};
  for (const auto& [text, build] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(BuildNumber(text), build);
  }
  EXPECT_LT(BuildNumber("13.6.0.199"), BuildNumber("13.7.0.210"));
  EXPECT_GT(BuildNumber("13.6.0.199"), BuildNumber("14.0.0.150"));
  EXPECT_GT(BuildNumber(ProgramVersionText()), 0);
}

TEST(UpdateVersion, ConfigurationEntryWithItsDefaults) {
  const std::string config = Utf8ToCp1251(
      "[GlobalOptions]\r\nDeleteAfter=g1.txt\r\nExecBefore=pre.sh\r\n"
      "[Vetrilo_4d47]\r\nVerId=0.1.0.7\r\nDescription=Версия 7\r\nDownloadUrl= https://x/p.tgz \r\n"
      "OriginalFileName=p.tar.gz\r\nChecksumCRC32=abcdef01\r\nChecksumSHA256=" +
      std::string(64, 'a') + "\r\nDeleteBefore=a;b\r\n");
  const TUpdateVersionData d = ParseUpdateConfig(config, "Vetrilo_4d47", "0.1.0.1");
  EXPECT_EQ(d.VerId, "0.1.0.7");
  EXPECT_EQ(d.Description, "Версия 7");
  EXPECT_EQ(d.DownloadUrl, "https://x/p.tgz");
  EXPECT_EQ(d.OriginalFileName, "p.tar.gz");
  EXPECT_EQ(d.ChecksumCRC32, "abcdef01");
  EXPECT_EQ(d.ChecksumSHA256, std::string(64, 'a'));
  EXPECT_EQ(d.GlobalDeleteAfter, "g1.txt");
  EXPECT_EQ(d.GlobalExecBefore, "pre.sh");
  EXPECT_EQ(d.DeleteBefore, "a;b");
  EXPECT_EQ(d.ExecAfter, "");
  // Another program's section: the running version, so no update.
  const TUpdateVersionData other = ParseUpdateConfig(config, "Other.exe", "0.1.0.1");
  EXPECT_EQ(other.VerId, "0.1.0.1");
  EXPECT_EQ(other.DownloadUrl, "");
  EXPECT_EQ(other.GlobalDeleteAfter, "g1.txt");
  // UTF-8 text is taken as it is.
  EXPECT_EQ(ParseUpdateConfig("[P]\nDescription=Версия\n", "P", "1").Description, "Версия");
  EXPECT_EQ(SplitNameList(" a.txt ; ;b/c.txt;"), (std::vector<std::string>{"a.txt", "b/c.txt"}));
}

TEST(UpdateVersion, ChecksumsOfKnownTexts) {
  EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  TTempDir dir;
  test::WriteFile(dir.File("abc"), "abc");
  EXPECT_EQ(FileCrc32Text(dir.File("abc")), "352441C2");
  test::WriteFile(dir.File("million"), std::string(1000000, 'a'));
  EXPECT_EQ(FileSha256Hex(dir.File("million")),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(UpdateVersion, NamesMustStayInTheirFolder) {
  const std::pair<const char*, const char*> good[] = {
      {"a.txt", "a.txt"}, {"./a/b.txt", "a/b.txt"}, {"a//b/", "a/b"}, {"a/./b", "a/b"}};
  for (const auto& [name, clean] : good) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ContainedName(name, "x"), clean);
  }
  for (const char* bad :
       {"", "/etc/passwd", "..", "../a", "a/../../b", "a/..", "a\\..\\b", ".", "./"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(ContainedName(bad, "x"), EVetrilo);
  }
}

TEST(UpdateVersion, AddressesAndDescriptionNames) {
  for (const char* ok :
       {"https://example.org/a.cfg", "HTTPS://example.org/a", "http://127.0.0.1:8/a",
        "http://localhost/a", "http://[::1]:80/a", "http://127.1.2.3/a"}) {
    SCOPED_TRACE(ok);
    EXPECT_NO_THROW(CheckWebAddressAllowed(ok));
  }
  for (const char* bad : {"http://example.org/a.cfg", "http://127.0.0.1.evil.org/a",
                          "http://10.0.0.1/a", "ftp://127.0.0.1/a"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(CheckWebAddressAllowed(bad), EVetrilo);
  }
  EXPECT_TRUE(IsWebAddress("HtTp://a"));
  EXPECT_FALSE(IsWebAddress("/srv/a.cfg"));
  EXPECT_EQ(DescriptionBase("https://h/files/autoupdates/Zorvat_AU.cfg"),
            "https://h/files/autoupdates/UpdDescr/");
  EXPECT_EQ(DescriptionBase("/srv/upd/a.cfg"), "/srv/upd/UpdDescr/");
  EXPECT_EQ(
      DescriptionCandidates("B/", "13.7.0.210", 1049),
      (std::vector<std::string>{"B/UpdDescr_RUS_13.7.0.210.txt", "B/UpdDescr_1049_13.7.0.210.txt",
                                "B/UpdDescr_13.7.0.210.txt"}));
  EXPECT_EQ(DescriptionCandidates("B/", "1.2.3.4", 0),
            (std::vector<std::string>{"B/UpdDescr_1.2.3.4.txt"}));
}

TEST(UpdatePackage, UnpacksFilesAndRefusesWhatLeavesTheFolder) {
  TTempDir dir;
  const std::string outside = dir.File("outside");
  test::WriteFile(dir.File("good.tgz"),
                  MakeTarGz({{"bin", "", TPackageEntry::Folder},
                             {"bin/tool", "#!/bin/sh\n", TPackageEntry::File, 0755},
                             {"./data.txt", "data"}}));
  UnpackUpdatePackage(dir.File("good.tgz"), dir.File("w"));
  EXPECT_EQ(test::ReadFile(dir.File("w/bin/tool")), "#!/bin/sh\n");
  EXPECT_EQ(test::ReadFile(dir.File("w/data.txt")), "data");
  struct stat st;
  ASSERT_EQ(::stat(dir.File("w/bin/tool").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);

  const std::vector<std::vector<TPackageEntry>> hostile = {
      {{"../outside", "x"}},
      {{"a/../../outside", "x"}},
      {{outside, "x"}},
      {{"link", outside, TPackageEntry::Symlink}, {"link", "x"}},
      {{"link", "../..", TPackageEntry::Symlink}},
      {{"inner", "x"}, {"hard", "inner", TPackageEntry::Hardlink}},
      {{"hard", outside, TPackageEntry::Hardlink}},
  };
  int n = 0;
  for (const auto& entries : hostile) {
    SCOPED_TRACE(entries.back().Name);
    const std::string package = dir.File("bad" + std::to_string(++n) + ".tgz");
    test::WriteFile(package, MakeTarGz(entries));
    EXPECT_THROW(UnpackUpdatePackage(package, dir.File("w" + std::to_string(n))), EVetrilo);
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(fs::is_symlink(dir.File("w" + std::to_string(n) + "/link")));
  }
  test::WriteFile(dir.File("junk.tgz"), "not a package");
  EXPECT_THROW(UnpackUpdatePackage(dir.File("junk.tgz"), dir.File("wj")), EVetrilo);
}

// A program folder, a published build and the check run over it.
class SelfUpdateRun : public ::testing::Test {
 protected:
  void SetUp() override {
    program = dir.File("prog");
    fs::create_directories(program + "/help");
    test::WriteFile(program + "/Vetrilo_4d47", "old program");
    test::WriteFile(program + "/help/topic.htm", "old help");
    test::WriteFile(program + "/Vetrilo_4d47.ldr", "user draws");
    Publish(MakeTarGz({{"Vetrilo_4d47", "new program", TPackageEntry::File, 0755},
                       {"help", "", TPackageEntry::Folder},
                       {"help/topic.htm", "new help"},
                       {"Vetrilo_4d47_eng.lng", "module"}}));
  }

  void Publish(const std::string& package, const std::string& extra = "", std::string sha = "") {
    packageBytes = package;
    server.Put("/files/p.tgz", package);
    if (sha.empty()) sha = Sha256Hex(package);
    server.Put("/files/Zorvat_AU.cfg", "[Vetrilo_4d47]\r\n" + extra +
                                           "VerId=0.1.0.99999\r\nDescription=New build\r\n" +
                                           "DownloadUrl=" + server.Url("/files/p.tgz") +
                                           "\r\nOriginalFileName=p.tar.gz\r\n" +
                                           (sha == "-" ? "" : "ChecksumSHA256=" + sha + "\r\n"));
  }

  int Check(bool silent = false, int language = 0) {
    TSelfUpdate update(checkedDir.empty() ? program : checkedDir, "Vetrilo_4d47", hooks, progress);
    update.RunningVersion = "0.1.0.5";
    update.EnterBusy = [this] { ++busy; };
    update.LeaveBusy = [this] { --busy; };
    update.Informer = [this](const TUpdateOffer& offer) {
      offers.push_back(offer);
      return accept;
    };
    update.BeforeCopy = [this](const std::string& source, const std::string& target) {
      copies.push_back(target);
      if (failCopyAt > 0 && int(copies.size()) == failCopyAt) throw EVetrilo("disk full");
      (void)source;
    };
    progress.SetSink([this](std::string_view text, int position, int maximum) {
      if (maximum >= 0) {
        progressLog.push_back(std::string(text) + " " + std::to_string(position) + "/" +
                              std::to_string(maximum));
      }
    });
    if (configure) configure(update);
    return update.CheckForUpdates(
        configAddress.empty() ? server.Url("/files/Zorvat_AU.cfg") : configAddress, silent,
        language);
  }

  std::string Read(const std::string& name) { return test::ReadFile(program + "/" + name); }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : hooks.Messages) texts.push_back(m.Text);
    return texts;
  }
  // The program folder stays as it was.
  void ExpectUntouched() {
    EXPECT_EQ(Read("Vetrilo_4d47"), "old program");
    EXPECT_EQ(Read("help/topic.htm"), "old help");
    EXPECT_FALSE(fs::exists(program + "/Vetrilo_4d47_eng.lng"));
    EXPECT_FALSE(fs::exists(program + "/SelfUpdate"));
    EXPECT_FALSE(fs::exists(program + "/SelfUpdates.inf"));
    for (const auto& e : fs::recursive_directory_iterator(program)) {
      EXPECT_EQ(e.path().string().find(".~"), std::string::npos) << e.path();
    }
  }

  TTempDir dir;
  std::string program;
  TUpdateServer server;
  TRecordingHooks hooks;
  TProgressWindow progress;
  std::string packageBytes;
  std::vector<TUpdateOffer> offers;
  std::vector<std::string> copies;
  std::vector<std::string> progressLog;
  bool accept = true;
  int failCopyAt = 0;
  int busy = 0;
  // Another configuration, program folder or limits than the defaults.
  std::string configAddress;
  std::string checkedDir;
  std::function<void(TSelfUpdate&)> configure;
};

TEST_F(SelfUpdateRun, NoNewerBuildIsNoUpdate) {
  server.Put("/files/Zorvat_AU.cfg",
             "[Vetrilo_4d47]\r\nVerId=0.1.0.5\r\nDownloadUrl=" + server.Url("/files/p.tgz"));
  EXPECT_EQ(Check(), 0);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Обновлений не найдено!"});
  EXPECT_TRUE(offers.empty());
  EXPECT_EQ(server.Requests("/files/p.tgz"), 0);
  EXPECT_EQ(progressLog.front(), "Поиск доступных обновлений... 0/5");
  EXPECT_EQ(progressLog.back(), "Поиск доступных обновлений... 5/5");
  EXPECT_FALSE(progress.IsOpen());
  EXPECT_EQ(busy, 0);
  ExpectUntouched();
  // A newer VerId without a package, or with fewer than four words, is no update either.
  for (const std::string config : {"[Vetrilo_4d47]\r\nVerId=0.1.0.9\r\n",
                                   "[Vetrilo_4d47]\r\nVerId=2.0\r\nDownloadUrl=x\r\n"}) {
    server.Put("/files/Zorvat_AU.cfg", config);
    EXPECT_EQ(Check(true), 0);
  }
  EXPECT_EQ(hooks.Messages.size(), 1u);
}

TEST_F(SelfUpdateRun, NewerBuildIsInstalledAndThePreviousFilesKeptUntilTheNextCheck) {
  server.Put("/files/UpdDescr/UpdDescr_RUS_0.1.0.99999.txt",
             Utf8ToCp1251("Что нового\r\nстрока 2"));
  EXPECT_EQ(Check(false, 1049), 1);
  ASSERT_EQ(offers.size(), 1u);
  EXPECT_EQ(offers[0].CurrentVersion, "0.1.0.5");
  EXPECT_EQ(offers[0].NewVersion, "New build");
  EXPECT_EQ(offers[0].Description, (std::vector<std::string>{"Что нового", "строка 2"}));
  EXPECT_EQ(Read("Vetrilo_4d47"), "new program");
  EXPECT_EQ(Read("help/topic.htm"), "new help");
  EXPECT_EQ(Read("Vetrilo_4d47_eng.lng"), "module");
  EXPECT_EQ(Read("Vetrilo_4d47.ldr"), "user draws");
  EXPECT_EQ(Read("Vetrilo_4d47.~old"), "old program");
  EXPECT_EQ(Read("help/topic.htm.~old"), "old help");
  struct stat st;
  ASSERT_EQ(::stat((program + "/Vetrilo_4d47").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);
  EXPECT_FALSE(fs::exists(program + "/SelfUpdate"));
  EXPECT_FALSE(fs::exists(program + "/SelfUpdates.inf"));
  EXPECT_FALSE(fs::exists(program + "/UpdDescr_0.1.0.99999.txt"));
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"Установка обновления \"New build\" успешно выполнена.\r\r"
                                     "Для завершения установки необходимо перезапустить "
                                     "программу!"});
  EXPECT_EQ(hooks.Messages[0].Kind, TMessageKind::Warning);
  EXPECT_EQ(progressLog.back(), "Загрузка и установка обновления \"0.1.0.99999\"... 14/14");
  EXPECT_EQ(busy, 0);
  EXPECT_EQ(server.Requests("/files/UpdDescr/UpdDescr_RUS_0.1.0.99999.txt"), 1);

  // The same files again: nothing is copied; the leftovers are gone.
  copies.clear();
  EXPECT_EQ(Check(true), 1);
  EXPECT_TRUE(copies.empty());
  EXPECT_FALSE(fs::exists(program + "/Vetrilo_4d47.~old"));
  EXPECT_FALSE(fs::exists(program + "/help/topic.htm.~old"));
  EXPECT_EQ(Read("Vetrilo_4d47"), "new program");
}

TEST_F(SelfUpdateRun, DescriptionFallsBackAndDecliningLeavesTheFolder) {
  server.Put("/files/UpdDescr/UpdDescr_0.1.0.99999.txt", "plain");
  accept = false;
  EXPECT_EQ(Check(false, 1049), 0);
  ASSERT_EQ(offers.size(), 1u);
  EXPECT_EQ(offers[0].Description, std::vector<std::string>{"plain"});
  EXPECT_EQ(server.Requests("/files/UpdDescr/UpdDescr_RUS_0.1.0.99999.txt"), 1);
  EXPECT_EQ(server.Requests("/files/UpdDescr/UpdDescr_1049_0.1.0.99999.txt"), 1);
  EXPECT_EQ(server.Requests("/files/p.tgz"), 0);
  ExpectUntouched();
  // Without any description file the dialog says so.
  offers.clear();
  server.Put("/files/Zorvat_AU.cfg", "[Vetrilo_4d47]\r\nVerId=0.1.0.99998\r\nDownloadUrl=x\r\n");
  EXPECT_EQ(Check(false, 1049), 0);
  ASSERT_EQ(offers.size(), 1u);
  EXPECT_EQ(offers[0].Description, std::vector<std::string>{"< Описание обновления не доступно >"});
}

TEST_F(SelfUpdateRun, ChecksumsAreRequiredAndChecked) {
  struct TCase {
    const char* Name;
    std::string Sha;
    std::string Extra;
    int Downloads;
  };
  const TCase cases[] = {
      {"wrong SHA-256", std::string(64, '0'), "", 3},
      {"no SHA-256", "-", "", 0},
      {"short SHA-256", "abc", "", 0},
      {"wrong CRC-32", "", "ChecksumCRC32=00000000\r\n", 3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    server.Put("/files/p.tgz", packageBytes);
    Publish(packageBytes, c.Extra, c.Sha);
    hooks.Messages.clear();
    const int before = server.Requests("/files/p.tgz");
    EXPECT_EQ(Check(true), 2);
    EXPECT_EQ(server.Requests("/files/p.tgz") - before, c.Downloads);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"Ошибка установки обновления!\r\rНеверная контрольная сумма "
                                       "скачанного файла."});
    ExpectUntouched();
  }
  // Letter case of the checksums does not matter.
  std::string upper = Sha256Hex(packageBytes);
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  test::WriteFile(dir.File("p"), packageBytes);
  std::string crc = FileCrc32Text(dir.File("p"));
  for (char& ch : crc) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  Publish(packageBytes, "ChecksumCRC32=" + crc + "\r\n", upper);
  EXPECT_EQ(Check(true), 1);
}

TEST_F(SelfUpdateRun, HostilePackagesAndNamesAreRefusedBeforeAnythingChanges) {
  const std::string victim = dir.File("victim");
  test::WriteFile(victim, "keep");
  const std::vector<std::vector<TPackageEntry>> packages = {
      {{"Vetrilo_4d47", "new"}, {"../victim", "owned"}},
      {{"Vetrilo_4d47", "new"}, {victim, "owned"}},
      {{"Vetrilo_4d47", "new"}, {"help", victim, TPackageEntry::Symlink}},
      {{"Vetrilo_4d47", "new"}, {"x", victim, TPackageEntry::Hardlink}},
  };
  for (const auto& entries : packages) {
    SCOPED_TRACE(entries.back().Name);
    Publish(MakeTarGz(entries), "DeleteBefore=Vetrilo_4d47.ldr\r\n");
    hooks.Messages.clear();
    EXPECT_EQ(Check(true), 2);
    ASSERT_EQ(hooks.Messages.size(), 1u);
    EXPECT_TRUE(hooks.Messages[0].Text.starts_with("Ошибка установки обновления!\r\r"));
    EXPECT_EQ(test::ReadFile(victim), "keep");
    EXPECT_EQ(Read("Vetrilo_4d47.ldr"), "user draws");
    ExpectUntouched();
  }
  const std::string package = MakeTarGz({{"Vetrilo_4d47", "new"}});
  for (const std::string extra : {"DeleteBefore=../victim\r\n", "DeleteAfter=a;/tmp/victim\r\n",
                                  "ExecBefore=../../bin/true\r\n", "ExecAfter=/bin/true\r\n",
                                  "OriginalFileName=../p.tar.gz\r\n"}) {
    SCOPED_TRACE(extra);
    Publish(package, extra);
    hooks.Messages.clear();
    EXPECT_EQ(Check(true), 2);
    EXPECT_EQ(test::ReadFile(victim), "keep");
    ExpectUntouched();
  }
  EXPECT_EQ(server.Requests("/files/p.tgz"), 4);  // names are refused before the download
  // A version text that names another folder.
  server.Put("/files/Zorvat_AU.cfg",
             "[Vetrilo_4d47]\r\nVerId=0.1.0.99999_/../../x\r\nDownloadUrl=" +
                 server.Url("/files/p.tgz") + "\r\nChecksumSHA256=" + Sha256Hex(package) + "\r\n");
  EXPECT_EQ(Check(true), 2);
  ExpectUntouched();
}

TEST_F(SelfUpdateRun, InterruptedCopyLeavesTheInstalledProgramWhole) {
  failCopyAt = 2;
  EXPECT_EQ(Check(true), 2);
  EXPECT_EQ(copies.size(), 2u);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.starts_with("Ошибка установки обновления!\r\rКопирование"));
  EXPECT_NE(hooks.Messages[0].Text.find(" - disk full"), std::string::npos);
  ExpectUntouched();
  // The next run completes it.
  failCopyAt = 0;
  EXPECT_EQ(Check(true), 1);
  EXPECT_EQ(Read("Vetrilo_4d47"), "new program");
}

TEST_F(SelfUpdateRun, DownloadCutShortIsRetriedThenFails) {
  server.CutFirst = 2;
  EXPECT_EQ(Check(true), 1);
  EXPECT_EQ(server.Requests("/files/p.tgz"), 3);
  EXPECT_EQ(Read("Vetrilo_4d47"), "new program");

  SetUp();
  hooks.Messages.clear();
  Publish(MakeTarGz({{"Vetrilo_4d47", "newer program"}}));
  const int before = server.Requests("/files/p.tgz");
  server.CutFirst = 3;
  EXPECT_EQ(Check(true), 2);
  EXPECT_EQ(server.Requests("/files/p.tgz") - before, 3);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.starts_with("Ошибка установки обновления!\r\r"));
  EXPECT_EQ(Read("Vetrilo_4d47"), "old program");
  EXPECT_FALSE(fs::exists(program + "/SelfUpdate"));
}

TEST_F(SelfUpdateRun, ProgramsOfThePackageRunBeforeAndAfterTheCopy) {
  Publish(MakeTarGz({{"Vetrilo_4d47", "new program", TPackageEntry::File, 0755},
                     {"before.sh", "#!/bin/sh\necho ran > ran-before\n", TPackageEntry::File, 0755},
                     {"after.sh", "#!/bin/sh\necho ran > ../ran-after\nexit 3\n",
                      TPackageEntry::File, 0755}}),
          "ExecBefore=missing.sh; "
          "before.sh\r\nExecAfter=after.sh\r\nDeleteAfter=before.sh;after.sh\r\n");
  EXPECT_EQ(Check(true), 1);
  // What ExecBefore left in the working folder was copied too; exit codes are ignored.
  EXPECT_EQ(Read("ran-before"), "ran\n");
  EXPECT_EQ(Read("ran-after"), "ran\n");
  EXPECT_FALSE(fs::exists(program + "/before.sh"));
  EXPECT_FALSE(fs::exists(program + "/after.sh"));
}

TEST_F(SelfUpdateRun, UnreachableConfigurationIsASearchError) {
  TSelfUpdate update(program, "Vetrilo_4d47", hooks, progress);
  const std::string closed = "http://127.0.0.1:" + std::to_string(test::ClosedPort()) + "/a.cfg";
  EXPECT_EQ(update.CheckForUpdates(closed, true, 0), 2);
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(update.CheckForUpdates(closed, false, 0), 2);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.starts_with("Ошибка поиска обновлений!\r\r"));
  EXPECT_EQ(update.CheckForUpdates("http://example.org/a.cfg", false, 0), 2);
  EXPECT_NE(hooks.Messages.back().Text.find("https://"), std::string::npos);
  EXPECT_FALSE(progress.IsOpen());
  ExpectUntouched();
}

TEST_F(SelfUpdateRun, ConfigurationFromAFolder) {
  const std::string site = dir.File("site");
  fs::create_directories(site + "/UpdDescr");
  test::WriteFile(site + "/p.tgz", packageBytes);
  test::WriteFile(site + "/UpdDescr/UpdDescr_0.1.0.99999.txt", "from a folder");
  test::WriteFile(site + "/Zorvat_AU.cfg",
                  "[Vetrilo_4d47]\r\nVerId=0.1.0.99999\r\nDownloadUrl=" + site +
                      "/p.tgz\r\nChecksumSHA256=" + Sha256Hex(packageBytes) + "\r\n");
  TSelfUpdate update(program, "Vetrilo_4d47", hooks, progress);
  update.RunningVersion = "0.1.0.5";
  std::vector<std::string> description;
  update.Informer = [&](const TUpdateOffer& offer) {
    description = offer.Description;
    return true;
  };
  EXPECT_EQ(update.CheckForUpdates(site + "/Zorvat_AU.cfg", true, 0), 1);
  EXPECT_EQ(description, std::vector<std::string>{"from a folder"});
  EXPECT_EQ(Read("Vetrilo_4d47"), "new program");
}

TEST(ProgressWindow, OneAtATimeAndNeverBeyondItsSteps) {
  TProgressWindow window;
  window.Open("a", 2);
  EXPECT_THROW(window.Open("b", 1), EVetrilo);
  for (int i = 0; i < 4; ++i) window.Step();
  EXPECT_EQ(window.Position(), 2);
  window.Close();
  EXPECT_NO_THROW(window.Open("b", 1));
  window.Close();
}

}  // namespace
}  // namespace vetrilo

namespace vetrilo {
namespace {

TEST(UpdatePrograms, RunAndWaitAndTheRestartStart) {
  test::TTempDir dir;
  const std::string script = dir.File("Vetrilo_4d47");
  test::WriteFile(script, "#!/bin/sh\necho \"$1 $(pwd)\" > started.txt\nexit 7\n");
  fs::permissions(script, fs::perms::owner_all);
  int polls = 0;
  EXPECT_EQ(RunAndWait(dir.Path(), script, 10, [&] { ++polls; }), 7);
  EXPECT_EQ(test::ReadFile(dir.File("started.txt")), " " + dir.Path() + "\n");

  fs::remove(dir.File("started.txt"));
  StartProgramForRestart(dir.Path(), "Vetrilo_4d47");
  for (int i = 0; i < 200 && !fs::exists(dir.File("started.txt")); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(test::ReadFile(dir.File("started.txt")), "restart " + dir.Path() + "\n");
  EXPECT_THROW(StartProgramForRestart(dir.File("missing"), "Vetrilo_4d47"), EVetrilo);

  const std::string slow = dir.File("slow.sh");
  test::WriteFile(slow, "#!/bin/sh\nsleep 30\n");
  fs::permissions(slow, fs::perms::owner_all);
  try {
    RunAndWait(dir.Path(), slow, 1, [&] { ++polls; });
    ADD_FAILURE() << "no time-out";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(),
              "Ожидание завершения процесса (файла) \"slow.sh\" прервано в связи с "
              "превышением времени ожидания!");
  }
  EXPECT_GT(polls, 5);
  EXPECT_THROW(RunAndWait(dir.Path(), dir.File("none"), 1, {}), EVetrilo);
}

}  // namespace
}  // namespace vetrilo

namespace vetrilo {
namespace {

using test::THostileServer;

// A configuration of this entry, padded to `size` bytes with a comment line.
std::string PaddedConfig(const std::string& entry, size_t size) {
  std::string config = entry + ";";
  config += std::string(size - config.size(), 'x');
  return config;
}

std::string ConfigFor(const std::string& packageUrl, const std::string& package) {
  return "[Vetrilo_4d47]\r\nVerId=0.1.0.99999\r\nDescription=New build\r\nDownloadUrl=" +
         packageUrl + "\r\nChecksumSHA256=" + Sha256Hex(package) + "\r\n";
}

// Whether a process has ended (gone, or a zombie nobody reaped yet); waits a
// little for the signal to land.
bool ProcessEnded(int pid) {
  for (int i = 0; i < 250; ++i) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidText, name, state;
    if (!(stat >> pidText >> name >> state) || state == "Z") return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

int ReadPid(const std::string& path) {
  const std::string text = test::ReadFile(path);
  return text.empty() ? 0 : std::stoi(text);
}

}  // namespace

TEST_F(SelfUpdateRun, SlowServersEndAtTheirDeadlines) {
  THostileServer slow;
  slow.Drip("/cfg", PaddedConfig("[Vetrilo_4d47]\r\nVerId=0.1.0.5\r\n", 220), 50);
  configAddress = slow.Url("/cfg");
  configure = [](TSelfUpdate& u) {
    u.Limits.IdleTimeoutMs = 2000;
    u.Limits.DeadlineMs = 300;
  };
  EXPECT_EQ(Check(), 2);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ошибка поиска обновлений!\r\rОтвет сервера "
                                                     "не получен полностью за 300 мс"});
  // The package's deadline grows by its size: 500 ms + size at 100,000 bytes a second.
  hooks.Messages.clear();
  slow.Serve("/cfg", ConfigFor(slow.Url("/p.tgz"), packageBytes));
  slow.Drip("/p.tgz", packageBytes, 50);
  configure = [](TSelfUpdate& u) {
    u.Limits.IdleTimeoutMs = 2000;
    u.Limits.DeadlineMs = 500;
    u.PackageBytesPerSecond = 100000;
  };
  EXPECT_EQ(Check(true), 2);
  ASSERT_GE(packageBytes.size(), 1000u);  // so that the size adds to the deadline
  const int64_t deadline = 500 + int64_t(packageBytes.size()) * 1000 / 100000;
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ошибка установки обновления!\r\rОтвет "
                                                     "сервера не получен полностью за " +
                                                     std::to_string(deadline) + " мс"});
  EXPECT_EQ(slow.Requests("/p.tgz"), 3);
  ExpectUntouched();
}

TEST(UpdateVersion, RedirectHopsKeepTheAddressRule) {
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"https://a.org/x", "https://b.org/y"},
           {"http://127.0.0.1:8/a", "http://localhost:9/b"},
           {"http://127.0.0.1:8/a", "https://b.org/y"}}) {
    SCOPED_TRACE(from + " > " + to);
    EXPECT_NO_THROW(CheckRedirectAllowed(from, to));
  }
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"https://a.org/x", "http://127.0.0.1/y"},
           {"HTTPS://a.org/x", "http://b.org/y"},
           {"http://127.0.0.1:8/a", "http://0.0.0.0:8/b"},
           {"http://127.0.0.1:8/a", "http://example.invalid/b"},
           {"http://127.0.0.1:8/a", "ftp://127.0.0.1/b"},
           {"http://127.0.0.1:8/a", "file:///etc/passwd"}}) {
    SCOPED_TRACE(from + " > " + to);
    EXPECT_THROW(CheckRedirectAllowed(from, to), EVetrilo);
  }
}

// Each hop of a chain is held to the rule before it is asked for; the
// refused addresses are never contacted (0.0.0.0 would reach this server).
TEST_F(SelfUpdateRun, RedirectsAreCheckedAtEveryHop) {
  THostileServer site;
  const std::string elsewhere = "http://0.0.0.0:" + std::to_string(site.Port());
  const std::string refused = "\" не защищен: обновления загружаются только по протоколу https://";
  site.Serve("/real.cfg", ConfigFor(site.Url("/p.tgz"), packageBytes));
  site.Serve("/p.tgz", packageBytes);
  site.Redirect("/cfg", "/cfg2");
  site.Redirect("/cfg2", elsewhere + "/real.cfg");
  configAddress = site.Url("/cfg");
  EXPECT_EQ(Check(), 2);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ошибка поиска обновлений!\r\rАдрес \"" +
                                                     elsewhere + "/real.cfg" + refused});
  EXPECT_EQ(site.Requests("/cfg2"), 1);
  EXPECT_EQ(site.Requests("/real.cfg"), 0);

  hooks.Messages.clear();
  site.Redirect("/cfg2", "http://example.invalid/real.cfg");
  EXPECT_EQ(Check(), 2);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ошибка поиска обновлений!\r\rАдрес "
                                                     "\"http://example.invalid/real.cfg" +
                                                     refused});

  // The description and the package.
  hooks.Messages.clear();
  site.Redirect("/cfg2", "/real.cfg");
  site.Redirect("/UpdDescr/UpdDescr_0.1.0.99999.txt", elsewhere + "/descr.txt");
  site.Serve("/descr.txt", "far away");
  site.Serve("/real.cfg", ConfigFor(site.Url("/moved.tgz"), packageBytes));
  site.Redirect("/moved.tgz", elsewhere + "/p.tgz");
  EXPECT_EQ(Check(true), 2);
  ASSERT_EQ(offers.size(), 1u);
  EXPECT_EQ(offers[0].Description, std::vector<std::string>{"< Описание обновления не доступно >"});
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ошибка установки обновления!\r\rАдрес \"" +
                                                     elsewhere + "/p.tgz" + refused});
  EXPECT_EQ(site.Requests("/moved.tgz"), 3);
  EXPECT_EQ(site.Requests("/descr.txt"), 0);
  EXPECT_EQ(site.Requests("/p.tgz"), 0);
  ExpectUntouched();

  // Hops that stay on the loopback host are followed.
  hooks.Messages.clear();
  site.Redirect("/moved.tgz", "/p.tgz", 307);
  EXPECT_EQ(Check(true), 1);
  EXPECT_EQ(Read("Vetrilo_4d47"), "new program");
}

TEST_F(SelfUpdateRun, LinksBelowTheProgramFolderAreRefusedBeforeAnythingChanges) {
  const std::string outside = dir.File("outside");
  fs::create_directories(outside);
  test::WriteFile(outside + "/topic.htm", "outside help");
  test::WriteFile(outside + "/file", "outside file");
  Publish(MakeTarGz(
              {{"Vetrilo_4d47", "new program", TPackageEntry::File, 0755},
               {"help", "", TPackageEntry::Folder},
               {"help/topic.htm", "new help"},
               {"Vetrilo_4d47_eng.lng", "module"},
               {"before.sh", "#!/bin/sh\necho ran > ../ran-before\n", TPackageEntry::File, 0755}}),
          "DeleteBefore=Vetrilo_4d47.ldr\r\nExecBefore=before.sh\r\n");
  struct TCase {
    const char* Link;  // in the program folder, to `Target`
    std::string Target;
    std::string Extra;  // of the configuration
  };
  const TCase cases[] = {
      {"help", outside, ""},
      {"Vetrilo_4d47_eng.lng", outside + "/file", ""},
      {"SelfUpdate", outside, ""},
      {"linked", outside, "DeleteAfter=linked/file\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Link);
    const std::string link = program + "/" + c.Link;
    if (std::string(c.Link) == "help") fs::remove_all(link);
    fs::create_symlink(c.Target, link);
    if (!c.Extra.empty()) {
      Publish(packageBytes, "DeleteBefore=Vetrilo_4d47.ldr\r\nExecBefore=before.sh\r\n" + c.Extra);
    }
    hooks.Messages.clear();
    EXPECT_EQ(Check(true), 2);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ошибка установки обновления!\r\r\"" + link +
                                                       "\" является ссылкой!"});
    // Nothing deleted, run or copied, inside or outside.
    EXPECT_EQ(Read("Vetrilo_4d47.ldr"), "user draws");
    EXPECT_FALSE(fs::exists(program + "/ran-before"));
    EXPECT_EQ(Read("Vetrilo_4d47"), "old program");
    EXPECT_EQ(test::ReadFile(outside + "/topic.htm"), "outside help");
    EXPECT_EQ(test::ReadFile(outside + "/file"), "outside file");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 2);
    EXPECT_TRUE(fs::is_symlink(link));
    fs::remove(link);
    if (std::string(c.Link) == "help") {
      fs::create_directories(link);
      test::WriteFile(link + "/topic.htm", "old help");
    }
  }

  // The local copies of the configuration and of the description.
  Publish(packageBytes);
  fs::create_symlink(outside + "/file", program + "/SelfUpdates.inf");
  hooks.Messages.clear();
  EXPECT_EQ(Check(), 2);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ошибка поиска обновлений!\r\r\"" + program +
                                                     "/SelfUpdates.inf\" является ссылкой!"});
  EXPECT_TRUE(fs::is_symlink(program + "/SelfUpdates.inf"));
  fs::remove(program + "/SelfUpdates.inf");
  server.Put("/files/UpdDescr/UpdDescr_0.1.0.99999.txt", "news");
  fs::create_symlink(outside + "/file", program + "/UpdDescr_0.1.0.99999.txt");
  accept = false;
  EXPECT_EQ(Check(), 0);
  ASSERT_FALSE(offers.empty());
  EXPECT_EQ(offers.back().Description,
            std::vector<std::string>{"< Описание обновления не доступно >"});
  EXPECT_EQ(test::ReadFile(outside + "/file"), "outside file");
  EXPECT_TRUE(fs::is_symlink(program + "/UpdDescr_0.1.0.99999.txt"));
  fs::remove(program + "/UpdDescr_0.1.0.99999.txt");

  // The program folder itself may be reached through a link.
  accept = true;
  fs::create_symlink(program, dir.File("via-link"));
  checkedDir = dir.File("via-link");
  EXPECT_EQ(Check(true), 1);
  EXPECT_EQ(Read("Vetrilo_4d47"), "new program");
  EXPECT_EQ(Read("help/topic.htm"), "new help");
}

TEST_F(SelfUpdateRun, ConfigurationIsCappedAtOneMegabyte) {
  const std::string entry = "[Vetrilo_4d47]\r\nVerId=0.1.0.5\r\n";
  server.Put("/files/Zorvat_AU.cfg", PaddedConfig(entry, (size_t{1} << 20) + 1));
  EXPECT_EQ(Check(), 2);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{
                                "Ошибка поиска обновлений!\r\rОтвет сервера больше 1048576 байт"});
  const std::string file = dir.File("big.cfg");
  test::WriteFile(file, PaddedConfig(entry, (size_t{1} << 20) + 1));
  configAddress = file;
  hooks.Messages.clear();
  EXPECT_EQ(Check(), 2);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ошибка поиска обновлений!\r\rФайл \"" + file +
                                                     "\" больше 1048576 байт!"});
  // 1 MB itself is still read, from the web and from a file.
  for (const bool web : {true, false}) {
    SCOPED_TRACE(web);
    server.Put("/files/Zorvat_AU.cfg", PaddedConfig(entry, size_t{1} << 20));
    test::WriteFile(file, PaddedConfig(entry, size_t{1} << 20));
    configAddress = web ? "" : file;
    hooks.Messages.clear();
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Обновлений не найдено!"});
  }
  ExpectUntouched();
}

TEST(UpdatePrograms, ATimeOutEndsWhatTheProgramStarted) {
  test::TTempDir dir;
  const std::string script = dir.File("spawner.sh");
  test::WriteFile(script, "#!/bin/sh\nsleep 30 &\necho $! > child.pid\nsleep 30\n");
  fs::permissions(script, fs::perms::owner_all);
  EXPECT_THROW(RunAndWait(dir.Path(), script, 1, {}), EVetrilo);
  const int child = ReadPid(dir.File("child.pid"));
  ASSERT_GT(child, 0);
  const bool ended = ProcessEnded(child);
  if (!ended) ::kill(child, SIGKILL);
  EXPECT_TRUE(ended);
}

TEST_F(SelfUpdateRun, AnExecBeforeRunningPastItsTimeOutIsEndedWithItsChildren) {
  Publish(MakeTarGz({{"Vetrilo_4d47", "new program", TPackageEntry::File, 0755},
                     {"before.sh", "#!/bin/sh\nsleep 30 &\necho $! > ../child.pid\nsleep 30\n",
                      TPackageEntry::File, 0755}}),
          "ExecBefore=before.sh\r\n");
  configure = [](TSelfUpdate& u) { u.ExecTimeoutSeconds = 1; };
  EXPECT_EQ(Check(true), 2);
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"Ошибка установки обновления!\r\rОжидание завершения процесса "
                                     "(файла) \"before.sh\" прервано в связи с превышением времени "
                                     "ожидания!"});
  const int child = ReadPid(program + "/child.pid");
  ASSERT_GT(child, 0);
  const bool ended = ProcessEnded(child);
  if (!ended) ::kill(child, SIGKILL);
  EXPECT_TRUE(ended);
  EXPECT_EQ(Read("Vetrilo_4d47"), "old program");
  EXPECT_FALSE(fs::exists(program + "/SelfUpdate"));
}

}  // namespace vetrilo
