#include "scripts/script_catalog.h"

#include <gtest/gtest.h>

#include "catalog/catalog_test_server.h"
#include "core/errors.h"
#include "net/catalog_stand_in.h"
#include "test_support.h"

namespace vetrilo {
namespace {

using test::TTempDir;

tScriptData Data(const std::string& title, int32_t id = -1) {
  tScriptData d;
  d.Id = id;
  d.Author = "Анна";
  d.Lcid = 1049;
  d.Title = title;
  d.Descr = "проба";
  return d;
}

TEST(ScriptsCatalog, PublishListRateAndDeleteAgainstTheServer) {
  TTempDir dir;
  test::TCatalogTestServer server(dir.File("c.db"));
  const TCatalogClient annaClient(server.Site(), {"Анна", "anna@example.org", "k1"});
  const TCatalogClient borisClient(server.Site(), {"Борис", "boris@example.org", "k2"});
  const TScriptsCatalog anna(annaClient, 1049), boris(borisClient, 1033);

  const std::vector<std::string> lines = {"NUMS 1 & = ?", "SUM \"2\""};
  EXPECT_TRUE(anna.TitleFree(-1, "Первый"));
  const int32_t id = anna.Publish(Data("Первый"), lines);
  ASSERT_GT(id, 0);
  EXPECT_FALSE(boris.TitleFree(-1, "первый"));
  EXPECT_TRUE(anna.TitleFree(id, "Первый"));

  const auto mine = anna.List(3);  // "Только мои"
  ASSERT_EQ(mine.size(), 1u);
  EXPECT_TRUE(mine[0].Own);
  EXPECT_TRUE(mine[0].Applicable);
  EXPECT_TRUE(mine[0].Editable);
  EXPECT_EQ(mine[0].Author, "Анна");
  EXPECT_EQ(mine[0].Lcid, 1049);
  EXPECT_EQ(mine[0].AppName, "Vetrilo_4d47");
  EXPECT_EQ(mine[0].Title, "Первый");
  EXPECT_TRUE(boris.List(3).empty());

  const auto theirs = boris.List(2);
  ASSERT_EQ(theirs.size(), 1u);
  EXPECT_FALSE(theirs[0].Own);
  EXPECT_FALSE(theirs[0].Editable);
  EXPECT_TRUE(theirs[0].Applicable);
  EXPECT_EQ(boris.Lines(id), lines);

  boris.Rate(id, 3, "");
  anna.Rate(id, 5, "моё");
  const auto rated = boris.List(2);
  EXPECT_EQ(rated[0].RatingYou, 3);
  EXPECT_EQ(rated[0].RatingCnt, 2);
  EXPECT_DOUBLE_EQ(rated[0].RatingAvg, 4.0);
  EXPECT_EQ(rated[0].Downloads, 1);
  const auto rates = anna.Rates(id);
  ASSERT_EQ(rates.size(), 2u);
  EXPECT_EQ(rates[0].Name, "Борис");
  EXPECT_EQ(rates[0].Notes, "");
  EXPECT_EQ(rates[1].Notes, "моё");
  boris.Rate(id, -1, "");
  EXPECT_TRUE(boris.List(2).empty());
  EXPECT_EQ(boris.List(0).at(0).RatingYou, -1);

  EXPECT_THROW(boris.Delete(theirs[0]), EVetrilo);
  EXPECT_THROW(boris.Publish(Data("Чужой", id), lines), EVetrilo);
  EXPECT_EQ(anna.Publish(Data("Второй", id), {"NUMS 2"}), id);
  EXPECT_EQ(boris.Lines(id), std::vector<std::string>{"NUMS 2"});
  anna.Delete(anna.List(3).at(0));
  EXPECT_TRUE(anna.List(1).empty());
}

TEST(ScriptsCatalog, RequestsAndRepliesAtTheEdges) {
  test::TCatalogStandIn standIn;
  const TCatalogClient client(standIn.Site(), {"A", "me@x", "k"});
  const TScriptsCatalog catalog(client, 1049);

  standIn.Reply = "<result><row><res_code>0</res_code></row></result>";
  catalog.Rate(4, 3, "");
  EXPECT_EQ(standIn.LastPath, "/scripts/scr_setrate.php");
  EXPECT_EQ(standIn.LastBody.rfind("scr_id=4&rate_value=3&rate_notes=&", 0), 0u);
  standIn.Reply = "<result><row><res_code>-3</res_code></row></result>";
  try {
    catalog.Rate(4, 3, "");
    FAIL();
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(), "Код возврата: -3");
  }

  // Another edition's script is usable only when universal; a language that
  // is not a number is the interface's.
  standIn.Reply =
      "<result><row><id>1</id><app_guid>other</app_guid><uniapps>0</uniapps>"
      "<key_cl_mail>ME@x</key_cl_mail><key_cl_lcid>x</key_cl_lcid><title></title><descr></descr>"
      "<rating_avg>1234.5</rating_avg><downloads>n/a</downloads></row>"
      "<row><id>2</id><app_guid>other</app_guid><uniapps>1</uniapps><publics>1</publics>"
      "<title></title><descr></descr><rating_you>-1</rating_you></row></result>";
  const auto list = catalog.List(3);
  EXPECT_EQ(standIn.LastBody.rfind("fltid=2&", 0), 0u);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_TRUE(list[0].Own);
  EXPECT_FALSE(list[0].Applicable);
  EXPECT_FALSE(list[0].Editable);
  EXPECT_EQ(list[0].Lcid, 1049);
  EXPECT_EQ(list[0].Downloads, 0);
  EXPECT_TRUE(list[1].Applicable);
  EXPECT_FALSE(list[1].Own);
  const auto texts = ScriptRowTexts(list[0]);
  EXPECT_EQ(texts[0], "Мой");
  EXPECT_EQ(texts[5], "Русский");
  EXPECT_EQ(texts[7], "1,234.500");
  EXPECT_EQ(ScriptRowTexts(list[1])[0], "Общий");
  EXPECT_EQ(ScriptRowTexts(list[1])[3], "Универсальный");
  EXPECT_EQ(ScriptRowTexts(list[1])[9], "Скрытый");

  standIn.Reply = "<result><row><other>1</other></row><row><script></script></row></result>";
  EXPECT_THROW(catalog.Lines(1), EVetrilo);
  standIn.Reply = "<result><row><id_scripts>0</id_scripts></row></result>";
  EXPECT_THROW(catalog.Publish(Data("x"), {"NUMS 1"}), EVetrilo);
}

}  // namespace
}  // namespace vetrilo
