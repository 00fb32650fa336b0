#include "catalog/catalog_server.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>

#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "catalog/catalog_test_server.h"
#include "core/text.h"
#include "net/catalog_codec.h"
#include "net/result_server.h"
#include "stakes/system_store.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo::test {
namespace {

httplib::Result Post(int port, const std::string& path, const TFormFields& fields) {
  httplib::Client c("127.0.0.1", port);
  return c.Post(path.c_str(), EncodeForm(fields), "application/x-www-form-urlencoded");
}

TFormFields Publish(const std::string& title, const std::string& mail) {
  return {{"del_mode", "0"},
          {"scr_id", "-1"},
          {"scr_uniapps", "1"},
          {"scr_publics", "1"},
          {"scr_title", EscapeText(title)},
          {"scr_descr", ""},
          {"scr_script", "NUMS 1"},
          {"cl_name", "N"},
          {"cl_mail", mail},
          {"cl_key", "k-" + mail}};
}

TEST(CatalogServer, ServesFormPostsAndRefusesWhatItShouldNot) {
  TTempDir dir;
  std::filesystem::create_directory(dir.File("files"));
  WriteFile(dir.File("files/update.ini"), "[UPDATE]\r\nVersion=1\r\n");
  WriteFile(dir.File("secret.txt"), "secret");
  TCatalogTestServer server(dir.File("c.db"), dir.File("files"));

  auto ok = Post(server.Port(), "/scripts/scr_putscript.php", Publish("T & U=1", "a@b.c"));
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->status, 200);
  EXPECT_EQ(ParseCatalogReply(ok->body)[0].Value("id_scripts"), "1");

  // A field that comes twice refuses the whole request.
  httplib::Client c("127.0.0.1", server.Port());
  auto twice =
      c.Post("/scripts/scr_getlist.php", "fltid=0&fltid=1", "application/x-www-form-urlencoded");
  ASSERT_TRUE(twice);
  EXPECT_THROW(ParseCatalogReply(twice->body), EVetrilo);
  // Bodies above 1 MB are refused before they are read.
  auto big = c.Post("/scripts/scr_getlist.php", "fltid=0&pad=" + std::string(1100000, 'x'),
                    "application/x-www-form-urlencoded");
  ASSERT_TRUE(big);
  EXPECT_EQ(big->status, 413);
  auto unknown = Post(server.Port(), "/scripts/other.php", {});
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->status, 404);
  auto get = c.Get("/scripts/scr_getlist.php?fltid=0");
  ASSERT_TRUE(get);
  EXPECT_NE(get->status, 200);

  auto file = c.Get("/files/update.ini");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->status, 200);
  EXPECT_EQ(file->body, "[UPDATE]\r\nVersion=1\r\n");
  for (const char* path : {"/files/../secret.txt", "/files/%2e%2e/secret.txt", "/files/missing"}) {
    auto bad = c.Get(path);
    ASSERT_TRUE(bad) << path;
    EXPECT_NE(bad->status, 200) << path;
  }
  auto upload = c.Put("/files/new.txt", "x", "text/plain");
  ASSERT_TRUE(upload);
  EXPECT_NE(upload->status, 200);
  EXPECT_FALSE(std::filesystem::exists(dir.File("files/new.txt")));
}

TEST(CatalogServer, ConcurrentWritersAllLand) {
  TTempDir dir;
  TCatalogTestServer server(dir.File("c.db"));
  constexpr int kThreads = 6, kEach = 15;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) {
        const std::string mail = "user" + std::to_string(t) + "@x";
        auto r = Post(server.Port(), "/scripts/scr_putscript.php",
                      Publish("s" + std::to_string(t) + "-" + std::to_string(i), mail));
        try {
          if (!r || std::stoi(ParseCatalogReply(r->body).at(0).Value("id_scripts")) <= 0)
            ++failures;
          Post(server.Port(), "/scripts/scr_setrate.php",
               {{"scr_id", "1"},
                {"rate_value", "5"},
                {"cl_name", "N"},
                {"cl_mail", mail},
                {"cl_key", "k-" + mail}});
        } catch (...) {
          ++failures;
        }
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
  auto list = Post(server.Port(), "/scripts/scr_getlist.php", {{"fltid", "0"}});
  ASSERT_TRUE(list);
  const auto rows = ParseCatalogReply(list->body);
  std::set<std::string> ids;
  for (const auto& row : rows) ids.insert(row.Value("id"));
  EXPECT_EQ(ids.size(), size_t(kThreads * kEach));
  EXPECT_EQ(rows[0].Value("rating_cnt"), std::to_string(kThreads));
}

// The built program: what it committed survives kill -9, and the operator
// can forget a key binding.
TEST(CatalogProgram, CommittedWritesSurviveKillAndKeysCanBeReset) {
  TTempDir dir;
  const std::string db = dir.File("catalog.db");
  auto start = [&](int port) {
    const int pid =
        StartProgram({VETRILO_CATALOG, "--db", db, "--listen", "127.0.0.1:" + std::to_string(port),
                      "--seed", VETRILO_CATALOG_SAMPLES});
    httplib::Client c("127.0.0.1", port);
    for (int i = 0; i < 1000 && !c.Get("/"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return pid;
  };
  int port = ClosedPort();
  int pid = start(port);
  for (int i = 0; i < 20; ++i) {
    auto r = Post(port, "/scripts/scr_putscript.php", Publish("t" + std::to_string(i), "a@b"));
    ASSERT_TRUE(r);
    ASSERT_EQ(ParseCatalogReply(r->body).at(0).Value("id_scripts"), std::to_string(i + 1));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);

  port = ClosedPort();
  pid = start(port);
  auto list = Post(port, "/scripts/scr_getlist.php", {{"fltid", "0"}});
  ASSERT_TRUE(list);
  EXPECT_EQ(ParseCatalogReply(list->body).size(), 20u);
  auto systems = Post(port, "/scripts/sys_getlist.php", {});
  ASSERT_TRUE(systems);
  EXPECT_EQ(ParseCatalogReply(systems->body).size(), 8u);  // seeded once, not again
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);

  const auto reset = RunProgram({VETRILO_CATALOG, "--db", db, "--reset-key", "A@B"});
  EXPECT_EQ(reset.Status, 0);
  EXPECT_EQ(reset.Out, "key of A@B forgotten\n");
  EXPECT_EQ(RunProgram({VETRILO_CATALOG, "--db", db, "--reset-key", "A@B"}).Out,
            "no key is bound to A@B\n");
  EXPECT_EQ(RunProgram({VETRILO_CATALOG}).Status, 2);
  EXPECT_EQ(RunProgram({VETRILO_CATALOG, "--db", db, "--listen", "nonsense"}).Status, 2);
}

// Every sample system keeps its claim: whenever 4 winning numbers are among
// its n numbers, some line of it matches at least 3 of them.
TEST(CatalogSamples, EverySampleCoversThreeIfFour) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VETRILO_CATALOG_SAMPLES)) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    int nums = 0, olap = 0, id = 0;
    ASSERT_EQ(std::sscanf(name.c_str(), "4-%d-%d_%d.dat", &nums, &olap, &id), 3);
    ASSERT_EQ(name, SystemFileName(nums, olap, id));
    EXPECT_EQ(olap, 3);
    std::vector<uint32_t> lines;
    for (const std::string& line : SplitLines(ReadFile(entry.path().string()))) {
      std::array<int, 4> p{};
      if (ParseSystemLine(line, nums, p) == 0) continue;
      lines.push_back((1u << p[0]) | (1u << p[1]) | (1u << p[2]) | (1u << p[3]));
    }
    ASSERT_FALSE(lines.empty());
    for (int a = 1; a <= nums; ++a)
      for (int b = a + 1; b <= nums; ++b)
        for (int c = b + 1; c <= nums; ++c)
          for (int d = c + 1; d <= nums; ++d) {
            const uint32_t draw = (1u << a) | (1u << b) | (1u << c) | (1u << d);
            bool covered = false;
            for (const uint32_t line : lines) covered |= std::popcount(line & draw) >= 3;
            ASSERT_TRUE(covered) << a << " " << b << " " << c << " " << d;
          }
    ++files;
  }
  EXPECT_EQ(files, 8);
}

}  // namespace
}  // namespace vetrilo::test
