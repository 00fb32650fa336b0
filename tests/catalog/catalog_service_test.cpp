#include "catalog/catalog_service.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "net/catalog_codec.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo::catalog {
namespace {

using test::TTempDir;

struct TUserFields {
  std::string Name, Mail, Key;
};
const TUserFields kAnna{"Анна", "Anna@Example.org", "key-anna"};
const TUserFields kBoris{"Борис", "boris@example.org", "key-boris"};

class CatalogService : public ::testing::Test {
 protected:
  CatalogService() : service_(dir_.File("catalog.db")) {
    service_.Now = [this] { return now_; };
  }

  static TParams As(const TUserFields& u, TParams p) {
    p["cl_name"] = EscapeText(u.Name);
    p["cl_mail"] = EscapeText(u.Mail);
    p["cl_key"] = u.Key;
    return p;
  }
  std::string Call(std::string_view path, const TParams& p) {
    const auto reply = service_.Handle(path, p);
    EXPECT_TRUE(reply.has_value()) << path;
    return reply.value_or("");
  }
  std::vector<TCatalogRow> Rows(std::string_view path, const TParams& p) {
    return ParseCatalogReply(Call(path, p));
  }
  // The "<error>" text of the reply, empty when the request succeeded.
  std::string Refusal(std::string_view path, const TParams& p) {
    try {
      ParseCatalogReply(Call(path, p));
      return {};
    } catch (const EVetrilo& e) {
      return e.Message();
    }
  }
  TParams System(const std::string& title, const std::string& clist, int nums, int csize) {
    return {{"del_mode", "0"},
            {"sys_id", "0"},
            {"nums", std::to_string(nums)},
            {"clen", "4"},
            {"olap", "3"},
            {"title", EscapeText(title)},
            {"descr", "d"},
            {"csize", std::to_string(csize)},
            {"clist", Base64Encode(EscapeText(clist))},
            {"url", "http://example.org/s?a=1&b=2"}};
  }
  int64_t PutSystem(const TUserFields& u, TParams p) {
    const auto rows = Rows("/scripts/sys_putdata.php", As(u, std::move(p)));
    return rows.empty() ? -1 : std::stoll(rows[0].Value("id_systems"));
  }
  TParams Script(const std::string& title, int64_t id = -1, bool pub = true) {
    return {{"del_mode", "0"},
            {"scr_id", std::to_string(id)},
            {"scr_uniapps", "0"},
            {"scr_publics", pub ? "1" : "0"},
            {"scr_title", EscapeText(title)},
            {"scr_descr", "about"},
            {"scr_script", EscapeText("NUMS 1\r\nSUM 2")},
            {"cl_lcid", "1049"},
            {"app_name", "Vetrilo_4d47"},
            {"app_ver", "0.1.0"},
            {"app_guid", "vetrilo-4-47-17"}};
  }
  int64_t PutScript(const TUserFields& u, TParams p) {
    const auto rows = Rows("/scripts/scr_putscript.php", As(u, std::move(p)));
    return rows.empty() ? -1 : std::stoll(rows[0].Value("id_scripts"));
  }
  std::vector<int64_t> ListScripts(const TUserFields& u, int filter) {
    std::vector<int64_t> ids;
    for (const auto& row :
         Rows("/scripts/scr_getlist.php", As(u, {{"fltid", std::to_string(filter)}}))) {
      ids.push_back(std::stoll(row.Value("id")));
    }
    return ids;
  }

  TTempDir dir_;
  int64_t now_ = 1700000000;  // 2023-11-14 22:13:20 UTC
  TCatalogService service_;
};

TEST_F(CatalogService, SystemsAreListedDownloadedAndOwnedByTheirAuthor) {
  const int64_t id =
      PutSystem(kAnna, System("Шесть", "01 02 03 04\r\n03 04 05 06\r\n01 02 05 06", 6, 3));
  ASSERT_GT(id, 0);
  now_ += 60;
  for (const auto& [user, mail] : {std::pair{kAnna, kAnna.Mail}, {kBoris, std::string()}}) {
    SCOPED_TRACE(user.Name);
    const auto rows =
        Rows("/scripts/sys_getlist.php", As(user, {{"comblen", "4"}, {"maxnums", "47"}}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Value("id"), std::to_string(id));
    EXPECT_EQ(rows[0].Value("nums"), "6");
    EXPECT_EQ(rows[0].Value("olap"), "3");
    EXPECT_EQ(rows[0].Value("csize"), "3");
    EXPECT_EQ(Base64Decode(rows[0].Value("title")), "Шесть");
    EXPECT_EQ(rows[0].Text("author"), "Анна");
    EXPECT_EQ(rows[0].Text("cl_mail"), mail);  // only the author sees the address
    EXPECT_EQ(rows[0].Text("url"), "http://example.org/s?a=1&b=2");
    EXPECT_EQ(rows[0].Value("created"), "2023-11-14 22:13:20");
    EXPECT_EQ(rows[0].Value("last_download"), "");
  }
  EXPECT_TRUE(
      Rows("/scripts/sys_getlist.php", As(kAnna, {{"comblen", "4"}, {"maxnums", "5"}})).empty());

  const auto data = Rows("/scripts/sys_getdata.php", {{"sys_id", std::to_string(id)}});
  ASSERT_EQ(data.size(), 1u);
  EXPECT_EQ(Base64Decode(data[0].Value("clist")), "01 02 03 04\r\n03 04 05 06\r\n01 02 05 06");
  const auto after = Rows("/scripts/sys_getlist.php", As(kBoris, {}));
  EXPECT_EQ(after[0].Value("downloads"), "1");
  EXPECT_EQ(after[0].Value("last_download"), "2023-11-14 22:14:20");

  // Someone else can neither change nor delete it.
  TParams change = System("Чужая", "01 02 03 04", 6, 1);
  change["sys_id"] = std::to_string(id);
  EXPECT_NE(Refusal("/scripts/sys_putdata.php", As(kBoris, change)), "");
  TParams del = change;
  del["del_mode"] = "1";
  del["clist"] = "";
  EXPECT_NE(Refusal("/scripts/sys_putdata.php", As(kBoris, del)), "");
  // The author's change of the list is a new copy (new time); of the title alone, not.
  now_ += 60;
  TParams retitle = System("Шесть (2)", "01 02 03 04\r\n03 04 05 06\r\n01 02 05 06", 6, 3);
  retitle["sys_id"] = std::to_string(id);
  EXPECT_EQ(PutSystem(kAnna, retitle), id);
  EXPECT_EQ(Rows("/scripts/sys_getlist.php", As(kAnna, {}))[0].Value("created"),
            "2023-11-14 22:13:20");
  EXPECT_EQ(PutSystem(kAnna, change), id);
  EXPECT_EQ(Rows("/scripts/sys_getlist.php", As(kAnna, {}))[0].Value("created"),
            "2023-11-14 22:15:20");
  // Case of the address does not matter to ownership.
  TUserFields annaLower = kAnna;
  annaLower.Mail = "anna@example.ORG";
  const auto gone = Rows("/scripts/sys_putdata.php", As(annaLower, del));
  ASSERT_EQ(gone.size(), 1u);
  EXPECT_EQ(gone[0].Value("id_systems"), "0");
  EXPECT_TRUE(Rows("/scripts/sys_getlist.php", As(kAnna, {})).empty());
  EXPECT_NE(Refusal("/scripts/sys_getdata.php", {{"sys_id", std::to_string(id)}}), "");
}

TEST_F(CatalogService, AnAddressBelongsToTheFirstKeyUntilTheOperatorResetsIt) {
  ASSERT_GT(PutSystem(kAnna, System("A", "01 02 03 04", 5, 1)), 0);
  TUserFields thief = kAnna;
  thief.Key = "another-installation";
  EXPECT_NE(Refusal("/scripts/sys_putdata.php", As(thief, System("B", "01 02 03 04", 5, 1))), "");
  // A read with the wrong key is a stranger's read.
  EXPECT_EQ(Rows("/scripts/sys_getlist.php", As(thief, {}))[0].Text("cl_mail"), "");
  EXPECT_EQ(Rows("/scripts/sys_getlist.php", As(kAnna, {}))[0].Text("cl_mail"), kAnna.Mail);
  // No key or no address: no writes at all.
  for (TUserFields u : {TUserFields{"X", "x@example.org", ""}, TUserFields{"X", "", "k"}}) {
    EXPECT_NE(Refusal("/scripts/sys_putdata.php", As(u, System("C", "01 02 03 04", 5, 1))), "");
  }
  EXPECT_TRUE(service_.ResetKey("ANNA@example.org"));
  EXPECT_FALSE(service_.ResetKey("nobody@example.org"));
  EXPECT_GT(PutSystem(thief, System("B", "01 02 03 04", 5, 1)), 0);
  EXPECT_NE(Refusal("/scripts/sys_putdata.php", As(kAnna, System("D", "01 02 03 04", 5, 1))), "");
}

TEST_F(CatalogService, TextsAreStoredAsGivenAndCannotBreakTheReply) {
  const std::string title = "a\"b'c?d\\e\r\nf&g=h</title><error>x</error>\x01";
  TUserFields odd{"<row>Ann & \"Co\"</row>", "odd@example.org", "k"};
  const int64_t id = PutSystem(odd, System(title, "1,2;3 4\r\n\r\n2-3-4-5", 5, 2));
  ASSERT_GT(id, 0);
  const auto rows = Rows("/scripts/sys_getlist.php", As(odd, {}));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(Base64Decode(rows[0].Value("title")), title);
  EXPECT_EQ(rows[0].Text("author"), odd.Name);
  EXPECT_EQ(rows[0].Text("cl_mail"), odd.Mail);
  const int64_t sid = PutScript(odd, Script(title));
  ASSERT_GT(sid, 0);
  const auto scripts = Rows("/scripts/scr_getlist.php", As(odd, {{"fltid", "0"}}));
  ASSERT_EQ(scripts.size(), 1u);
  EXPECT_EQ(Base64Decode(scripts[0].Value("title")), title);
  EXPECT_EQ(scripts[0].Text("key_cl_name"), odd.Name);
  const auto text = Rows("/scripts/scr_getdata.php", As(odd, {{"scr_id", std::to_string(sid)}}));
  EXPECT_EQ(Base64Decode(text[0].Value("script")), "NUMS 1\r\nSUM 2");
}

TEST_F(CatalogService, BadRequestsAreRefusedAndStoreNothing) {
  struct TCase {
    const char* What;
    const char* Field;
    std::string Value;
  };
  const TCase cases[] = {
      {"4 numbers", "nums", "4"},
      {"48 numbers", "nums", "48"},
      {"block 4", "olap", "4"},
      {"length 5", "clen", "5"},
      {"size not the lines", "csize", "2"},
      {"size not a number", "csize", "1x"},
      {"id not a number", "sys_id", "abc"},
      {"negative id", "sys_id", "-5"},
      {"mode 2", "del_mode", "2"},
      {"empty title", "title", "  "},
      {"not base64", "clist", "###"},
      {"position above n", "clist", Base64Encode("01 02 03 06")},
      {"repeated position", "clist", Base64Encode("01 02 02 03")},
      {"three positions", "clist", Base64Encode("01 02 03")},
      {"a word", "clist", Base64Encode("01 02 03 x")},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TParams p = System("T", "01 02 03 04", 5, 1);
    p[c.Field] = c.Value;
    EXPECT_NE(Refusal("/scripts/sys_putdata.php", As(kAnna, p)), "");
  }
  for (const auto& [path, field, value] :
       {std::tuple{"/scripts/sys_getdata.php", "sys_id", "1 OR 1=1"},
        {"/scripts/scr_getlist.php", "fltid", "7"},
        {"/scripts/scr_getlist.php", "fltid", "-2"},
        {"/scripts/scr_setrate.php", "rate_value", "6"},
        {"/scripts/scr_getrates.php", "scr_id", "x"}}) {
    SCOPED_TRACE(std::string(path) + " " + value);
    EXPECT_NE(Refusal(path, As(kAnna, {{"scr_id", "1"}, {field, value}})), "");
  }
  EXPECT_TRUE(Rows("/scripts/sys_getlist.php", As(kAnna, {})).empty());
  EXPECT_FALSE(service_.Handle("/scripts/nothing.php", {}).has_value());
  // A field twice or a broken escape makes no request at all.
  EXPECT_FALSE(ParseFormBody("sys_id=1&sys_id=2").has_value());
  EXPECT_FALSE(ParseFormBody("title=%4").has_value());
  EXPECT_FALSE(ParseFormBody("title=%zz").has_value());
  const auto ok = ParseFormBody("a=1+2%26b%3D3&c=&d");
  ASSERT_TRUE(ok.has_value());
  EXPECT_EQ(*ok, (TParams{{"a", "1 2&b=3"}, {"c", ""}, {"d", ""}}));
}

TEST_F(CatalogService, ScriptFiltersRatingsAndVisibility) {
  const int64_t a1 = PutScript(kAnna, Script("Anna public"));
  const int64_t a2 = PutScript(kAnna, Script("Anna private", -1, false));
  now_ += 2 * 24 * 3600;
  const int64_t b1 = PutScript(kBoris, Script("Boris new"));
  ASSERT_GT(a1, 0);
  ASSERT_GT(a2, 0);
  ASSERT_GT(b1, 0);
  // Boris rates Anna's public script 4 and hides his own new one; Anna rates it 2.
  auto rate = [&](const TUserFields& u, int64_t id, int value, const std::string& notes) {
    return Rows("/scripts/scr_setrate.php", As(u, {{"scr_id", std::to_string(id)},
                                                   {"rate_value", std::to_string(value)},
                                                   {"rate_notes", EscapeText(notes)},
                                                   {"app_name", "Vetrilo_4d47"},
                                                   {"app_ver", "0.1.0"}}));
  };
  EXPECT_EQ(rate(kBoris, a1, 4, "хорошо & \"ясно\"")[0].Value("res_code"), "0");
  rate(kAnna, a1, 2, "");
  rate(kBoris, b1, -1, "");

  struct TCase {
    int Filter;
    std::vector<int64_t> Anna, Boris;
  };
  const TCase cases[] = {
      {-1, {}, {b1}},          {0, {a1, a2, b1}, {a1, b1}},
      {1, {a1, a2, b1}, {a1}}, {2, {a1, a2}, {b1}},
      {3, {a1, b1}, {a1}},     {4, {a1}, {a1}},
      {5, {a2, b1}, {}},       {6, {b1}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Filter);
    EXPECT_EQ(ListScripts(kAnna, c.Filter), c.Anna);
    EXPECT_EQ(ListScripts(kBoris, c.Filter), c.Boris);
  }
  const auto row = Rows("/scripts/scr_getlist.php", As(kBoris, {{"fltid", "3"}}))[0];
  EXPECT_EQ(row.Value("rating_avg"), "3.0000");
  EXPECT_EQ(row.Value("rating_cnt"), "2");
  EXPECT_EQ(row.Value("rating_you"), "4");
  EXPECT_EQ(row.Text("key_cl_mail"), "");
  EXPECT_EQ(row.Value("key_cl_lcid"), "1049");
  EXPECT_EQ(row.Value("app_guid"), "vetrilo-4-47-17");
  EXPECT_EQ(row.Value("publics"), "1");
  EXPECT_EQ(row.Value("uniapps"), "0");

  const auto rates = Rows("/scripts/scr_getrates.php", As(kAnna, {{"scr_id", std::to_string(a1)}}));
  ASSERT_EQ(rates.size(), 2u);
  EXPECT_EQ(rates[0].Text("key_cl_name"), "Борис");
  EXPECT_EQ(rates[0].Value("rate"), "4");
  EXPECT_EQ(rates[0].Text("notes"), "хорошо & \"ясно\"");
  // Removing a rating; private scripts stay private to every request.
  rate(kBoris, a1, 0, "");
  EXPECT_EQ(Rows("/scripts/scr_getrates.php", As(kAnna, {{"scr_id", std::to_string(a1)}})).size(),
            1u);
  for (const char* path : {"/scripts/scr_getdata.php", "/scripts/scr_getrates.php"}) {
    EXPECT_NE(Refusal(path, As(kBoris, {{"scr_id", std::to_string(a2)}})), "");
  }
  EXPECT_NE(Refusal("/scripts/scr_setrate.php",
                    As(kBoris, {{"scr_id", std::to_string(a2)}, {"rate_value", "5"}})),
            "");
}

TEST_F(CatalogService, ScriptTitlesAreUniqueAndOnlyTheAuthorReplacesOrDeletes) {
  const int64_t id = PutScript(kAnna, Script("Мой"));
  ASSERT_GT(id, 0);
  auto check = [&](int64_t scrId, const std::string& title) {
    return Rows("/scripts/scr_chktitle.php",
                {{"scr_id", std::to_string(scrId)}, {"scr_title", EscapeText(title)}})[0]
        .Value("ret_code");
  };
  EXPECT_EQ(check(-1, "Мой"), "1");
  EXPECT_EQ(check(-1, "  мОЙ "), "1");  // case and blanks around do not make a new title
  EXPECT_EQ(check(id, "Мой"), "0");
  EXPECT_EQ(check(-1, "Другой"), "0");
  EXPECT_NE(Refusal("/scripts/scr_putscript.php", As(kBoris, Script("Мой"))), "");
  EXPECT_NE(Refusal("/scripts/scr_putscript.php", As(kBoris, Script("Чужой", id))), "");
  TParams del = Script("Мой", id);
  del["del_mode"] = "1";
  del.erase("scr_script");
  EXPECT_NE(Refusal("/scripts/scr_putscript.php", As(kBoris, del)), "");
  EXPECT_EQ(PutScript(kAnna, Script("Мой 2", id)), id);
  EXPECT_EQ(PutScript(kAnna, del), 0);
  EXPECT_TRUE(ListScripts(kAnna, 0).empty());
}

TEST(CatalogSeed, SampleSystemsAreAddedOnceUnderTheirIds) {
  TTempDir dir;
  TCatalogService service(dir.File("c.db"));
  EXPECT_TRUE(service.Created());
  EXPECT_EQ(service.SeedSystems(VETRILO_CATALOG_SAMPLES), 8);
  const auto rows = ParseCatalogReply(*service.Handle("/scripts/sys_getlist.php", {}));
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[0].Value("id"), "5");
  EXPECT_EQ(rows[0].Value("nums"), "5");
  EXPECT_EQ(rows[7].Value("nums"), "12");
  EXPECT_EQ(rows[7].Text("cl_mail"), "");
  TCatalogService again(dir.File("c.db"));
  EXPECT_FALSE(again.Created());
}

}  // namespace
}  // namespace vetrilo::catalog
