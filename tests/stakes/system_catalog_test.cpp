#include "stakes/system_catalog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "catalog/catalog_test_server.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "net/catalog_stand_in.h"
#include "net/result_server.h"
#include "stakes/system_store.h"
#include "test_support.h"

namespace vetrilo {
namespace {

using test::TTempDir;

tSystemData NewSystem(const std::string& title, int nums, const std::string& clist, int csize) {
  tSystemData d;
  d.Title = title;
  d.Nums = uint8_t(nums);
  d.Olap = 3;
  d.Descr = "описание";
  d.Author = "Анна";
  d.AuthorMail = "anna@example.org";
  d.CList = clist;
  d.CSize = csize;
  return d;
}

TEST(SystemsCatalog, SaveListDownloadAndDeleteAgainstTheServer) {
  TTempDir dir;
  test::TCatalogTestServer server(dir.File("c.db"));
  const TCatalogClient anna(server.Site(), {"Анна", "Anna@Example.org", "k1"});
  const TCatalogClient boris(server.Site(), {"Борис", "boris@example.org", "k2"});
  const TSystemsCatalog catalog(anna);

  const std::string title = "Двенадцать & \"кавычки\" = 'да'?";
  const int32_t first = catalog.Save(NewSystem(title, 12, "01 02 03 04\r\n05 06 07 08", 2));
  const int32_t second = catalog.Save(NewSystem("Другая", 12, "01 02 03 04", 1));
  ASSERT_GT(first, 0);
  ASSERT_GT(second, first);
  const auto list = catalog.List();
  ASSERT_TRUE(list.has_value());
  ASSERT_EQ(list->size(), 2u);
  const tSystemInfo& a = (*list)[0];
  EXPECT_EQ(a.Title, title);
  EXPECT_EQ(a.Author, "Анна");
  EXPECT_EQ(a.Nums, 12);
  EXPECT_EQ(a.CSize, 2);
  EXPECT_GT(a.Created, 0);
  EXPECT_TRUE(IsOwnSystem(a, "anna@EXAMPLE.org"));
  const auto seenByBoris = TSystemsCatalog(boris).List();
  EXPECT_FALSE(IsOwnSystem((*seenByBoris)[0], "boris@example.org"));
  EXPECT_EQ((*seenByBoris)[0].AuthorMail, "");

  // Downloading keeps one system per count of numbers, with the catalogue's time.
  const std::string systems = dir.File("Systems");
  const auto lines = CheckedSystemLines(a, catalog.Combinations(a.Id));
  EXPECT_TRUE(StoreSystemFile(systems, a, lines, *list).empty());
  EXPECT_EQ(ReadFileBytes(SystemFilePath(systems, a)), "01 02 03 04\r\n05 06 07 08\r\n");
  EXPECT_EQ(SystemFileTime(systems, a), a.Created);
  const tSystemInfo& b = (*list)[1];
  EXPECT_EQ(StoreSystemFile(systems, b, CheckedSystemLines(b, catalog.Combinations(b.Id)), *list),
            std::vector<int32_t>{first});
  EXPECT_FALSE(SystemFileExists(systems, a));
  EXPECT_TRUE(SystemFileExists(systems, b));
  EXPECT_EQ(TSystemsCatalog(boris).List()->at(1).Downloads, 1);

  // Only the author deletes; the server's refusal is the error text.
  try {
    TSystemsCatalog(boris).Delete(b);
    FAIL();
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(), "Вы можете изменять и удалять только свои системы");
  }
  tSystemInfo own = b;
  own.Author = "Анна";
  own.AuthorMail = "anna@example.org";
  catalog.Delete(own);
  EXPECT_EQ(catalog.List()->size(), 1u);
}

TEST(SystemsCatalog, FailuresOfTheServerAndOfItsReplies) {
  TTempDir dir;
  test::TCatalogStandIn standIn;
  const TCatalogClient client(standIn.Site(), {"A", "a@b", "k"});
  const TSystemsCatalog catalog(client);

  standIn.Reply = "<html>down for maintenance</html>";
  EXPECT_FALSE(catalog.List().has_value());  // the placeholder row's case
  standIn.Reply = "<result><row><id>1</id>";
  EXPECT_THROW(catalog.List(), EVetrilo);
  standIn.Reply = "<result><row><error>занято</error></row></result>";
  EXPECT_THROW(catalog.Combinations(1), EVetrilo);

  // 99 lines for a system of 100 are refused before any file is written.
  std::string lines;
  for (int i = 0; i < 99; ++i) lines += "01 02 03 04\r\n";
  standIn.Reply = "<result><row><clist>" + Base64Encode(lines) + "</clist></row></result>";
  tSystemInfo info;
  info.Id = 3;
  info.Nums = 6;
  info.CSize = 100;
  try {
    CheckedSystemLines(info, catalog.Combinations(3));
    FAIL();
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(),
              "Количество скачанных комбинаций ( 99 ) отличается от ожидаемого значения ( 100 )");
  }
  EXPECT_EQ(standIn.LastPath, "/scripts/sys_getdata.php");
  EXPECT_NE(standIn.LastBody.find("sys_id=3"), std::string::npos);
  // The headers every catalogue request carries.
  auto header = [&](const char* name) {
    const auto it = standIn.LastHeaders.find(name);
    return it == standIn.LastHeaders.end() ? std::string() : it->second;
  };
  EXPECT_EQ(header("Accept"), "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  EXPECT_EQ(header("Accept-Encoding"), "gzip, deflate, sdch");
  EXPECT_EQ(header("User-Agent"),
            "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
            "Chrome/47.0.2526.80 Safari/537.36");

  // A save sends the author's fields once, escaped; the url as it is.
  standIn.Reply = "<result><row><id_systems>9</id_systems></row></result>";
  tSystemData d = NewSystem("a&b=c", 5, "01 02 03 04", 1);
  d.Url = "http://x/?a=1&b=2";
  EXPECT_EQ(catalog.Save(d), 9);
  EXPECT_NE(standIn.LastBody.find("title=a%26b%3Dc&"), std::string::npos);
  EXPECT_NE(standIn.LastBody.find("url=http%3A%2F%2Fx%2F%3Fa%3D1%26b%3D2&"), std::string::npos);
  EXPECT_EQ(standIn.LastBody.find("cl_name=A&"),
            std::string::npos);  // the author's, not the user's
  EXPECT_NE(standIn.LastBody.find("cl_name=%D0%90%D0%BD%D0%BD%D0%B0&"), std::string::npos);

  const TCatalogClient closed("http://127.0.0.1:" + std::to_string(test::ClosedPort()), {});
  EXPECT_THROW(TSystemsCatalog(closed).List(), EVetrilo);
}

TEST(SystemEditor, LinesAreNormalisedAndChecksComeInOrder) {
  const auto n = NormalizeSystemCombs("5, 6 7;8\r\n1 2 3\nx 1 2 3\n12 3 9 4\n\n");
  EXPECT_EQ(n.Text, "05 06 07 08\r\n12 03 09 04");
  EXPECT_EQ(n.CSize, 2);
  EXPECT_EQ(n.Nums, 10);  // 12 - 3 + 1
  EXPECT_EQ(NormalizeSystemCombs("1 2").Nums, 0);

  tSystemData ok = NewSystem("T", 6, "01 02 03 04", 1);
  EXPECT_EQ(CheckSystemData(ok).Field, TSystemField::None);
  const struct {
    void (*Spoil)(tSystemData&);
    TSystemField Field;
    const char* Message;
  } cases[] = {
      {[](tSystemData& d) {
         d.Title = "  ";
         d.Nums = 1;
       },
       TSystemField::Title, "Название системы должно быть указано обязательно!"},
      {[](tSystemData& d) {
         d.Nums = 4;
         d.Olap = 9;
       },
       TSystemField::Nums, "Указано недопустмое количество используемых чисел!"},
      {[](tSystemData& d) {
         d.Olap = 4;
         d.Author = "";
       },
       TSystemField::Olap, "Указан недопустмый размер блока!"},
      {[](tSystemData& d) {
         d.Author = " ";
         d.Descr = "";
       },
       TSystemField::Author, "Имя автора должно быть указано обязательно!"},
      {[](tSystemData& d) {
         d.Descr = "";
         d.CList = "";
       },
       TSystemField::Descr, "Описание системы должно быть указано обязательно!"},
      {[](tSystemData& d) { d.CList = "\r\n"; }, TSystemField::Combs,
       "Содержимое системы должно быть указано обязательно!"},
  };
  for (const auto& c : cases) {
    tSystemData d = ok;
    c.Spoil(d);
    const TSystemDataCheck check = CheckSystemData(d);
    EXPECT_EQ(check.Field, c.Field);
    EXPECT_EQ(check.Message, c.Message);
  }
}

TEST(SystemList, RowTextsAndStates) {
  tSystemInfo s;
  s.Id = 7;
  s.Nums = 6;
  s.Olap = 3;
  s.CSize = 3;
  s.Title = "T";
  s.Author = "A";
  s.Downloads = 4;
  s.AuthorMail = "a@b";
  const auto texts = SystemRowTexts(s, true);
  EXPECT_EQ(texts[2], "06");
  EXPECT_EQ(texts[3], "3");
  EXPECT_EQ(texts[4], "3");
  EXPECT_EQ(texts[5], "");
  EXPECT_EQ(texts[6], "Загружена");
  EXPECT_EQ(texts[7], "4");
  tSystemInfo placeholder;
  placeholder.Title = "Список систем не доступен!";
  const auto empty = SystemRowTexts(placeholder, false);
  for (int i : {2, 3, 4, 6, 7}) EXPECT_EQ(empty[size_t(i)], "") << i;
  EXPECT_EQ(SystemRowState(s, true, "A@B"), 0);
  EXPECT_EQ(SystemRowState(s, true, "c@d"), 1);
  EXPECT_EQ(SystemRowState(s, false, "c@d"), 4);
  s.AuthorMail = "";
  EXPECT_EQ(SystemRowState(s, false, ""), 5);
}

}  // namespace
}  // namespace vetrilo
