#include "services/languages.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_session.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/translate.h"
#include "test_support.h"

namespace vetrilo {
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

// Accepts any readable module that does not start with "broken"; the active
// one translates one text.
class TFakeLoader : public TLanguageModuleLoader {
 public:
  std::vector<std::string> Loaded;
  int Unloads = 0;

  bool Load(const std::string& path, int& code, std::string& text) override {
    if (ReadFileBytes(path).rfind("broken", 0) == 0) {
      code = 8;
      text = "Exec format error";
      return false;
    }
    Loaded.push_back(path);
    SetTranslator(
        [](std::string_view s) { return s == "Ошибка" ? std::string("Error") : std::string(s); });
    return true;
  }
  void Unload() override {
    ++Unloads;
    SetTranslator(nullptr);
  }
};

struct TLanguageFolder {
  TTempDir Dir;
  TRecordingHooks Hooks;
  TFakeLoader Loader;
  TLanguages Languages{Dir.File("Vetrilo_4d47"), &Loader, Hooks};
  ~TLanguageFolder() { SetTranslator(nullptr); }
};

TEST(Languages, ModulesAreFoundBesideTheProgramInLocaleOrder) {
  TLanguageFolder f;
  WriteFile(f.Dir.File("Vetrilo_4d47_ENU.lng"), "module");
  WriteFile(f.Dir.File("Vetrilo_4d47_DEU.lng"), "module");
  WriteFile(f.Dir.File("Vetrilo_4d47_XYZ.lng"), "no locale has this name");
  WriteFile(f.Dir.File("Other_FRA.lng"), "another program's module");
  f.Languages.InitLanguages(1049, 1049);
  EXPECT_EQ(f.Languages.AvailableLanguages(), (TLCIDs{1031, 1033, 1049}));
  EXPECT_EQ(f.Languages.LanguageNames(),
            (std::vector<std::string>{"Deutsch", "English", "Русский"}));
  EXPECT_EQ(f.Languages.ModuleFileName(1033), f.Dir.File("Vetrilo_4d47_ENU.lng"));
  EXPECT_EQ(f.Languages.ModuleFileName(1049), f.Dir.File("Vetrilo_4d47"));
}

TEST(Languages, WithoutModulesOnlyRussianIsListedAndEnglishFallsBackQuietly) {
  TLanguageFolder f;
  f.Languages.InitLanguages(1049, 1033);
  EXPECT_EQ(f.Languages.AvailableLanguages(), TLCIDs{1049});
  EXPECT_EQ(f.Languages.CurrentLanguage(), 1049u);
  EXPECT_TRUE(f.Hooks.Messages.empty());
  EXPECT_TRUE(f.Loader.Loaded.empty());
  EXPECT_EQ(Tr("Ошибка"), "Ошибка");
}

TEST(Languages, StartingInEnglishLoadsTheModuleAndSwitchingBackUnloadsIt) {
  TLanguageFolder f;
  WriteFile(f.Dir.File("Vetrilo_4d47_ENU.lng"), "module");
  f.Languages.InitLanguages(1049, 1033);
  EXPECT_EQ(f.Languages.CurrentLanguage(), 1033u);
  EXPECT_EQ(f.Loader.Loaded, std::vector<std::string>{f.Dir.File("Vetrilo_4d47_ENU.lng")});
  EXPECT_EQ(Tr("Ошибка"), "Error");
  EXPECT_EQ(f.Languages.SetLanguage(1033, true), 1033u);  // already active: nothing happens
  EXPECT_EQ(f.Loader.Loaded.size(), 1u);
  EXPECT_EQ(f.Languages.SetLanguage(1049, true), 1049u);
  EXPECT_EQ(Tr("Ошибка"), "Ошибка");
  EXPECT_TRUE(f.Hooks.Messages.empty());
}

TEST(Languages, AModuleThatCannotBeOpenedIsReportedOnceEvenQuietly) {
  TLanguageFolder f;
  WriteFile(f.Dir.File("Vetrilo_4d47_ENU.lng"), "broken");
  f.Languages.InitLanguages(1049, 1033);
  EXPECT_EQ(f.Languages.CurrentLanguage(), 1049u);
  ASSERT_EQ(f.Hooks.Messages.size(), 1u);
  EXPECT_EQ(f.Hooks.Messages[0].Kind, TMessageKind::Error);
  EXPECT_EQ(f.Hooks.Messages[0].Text, "Не удалось загрузить языковый модуль \"" +
                                          f.Dir.File("Vetrilo_4d47_ENU.lng") +
                                          "\"!\r\rSysError #8: \"Exec format error\"!");
}

TEST(Languages, AMissingModuleIsReportedOnlyWhenLoud) {
  TLanguageFolder f;
  f.Languages.InitLanguages(1049, 1049);
  EXPECT_EQ(f.Languages.SetLanguage(1031, false), 1049u);
  EXPECT_TRUE(f.Hooks.Messages.empty());
  EXPECT_EQ(f.Languages.SetLanguage(1031, true), 1049u);
  ASSERT_EQ(f.Hooks.Messages.size(), 1u);
  EXPECT_EQ(f.Hooks.Messages[0].Text,
            "Языковый модуль \"" + f.Dir.File("Vetrilo_4d47_DEU.lng") + "\" не найден!");
  try {
    f.Languages.CheckLanguage(1031);
    ADD_FAILURE() << "a missing module passed the check";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(), f.Hooks.Messages[0].Text);
  }
  EXPECT_NO_THROW(f.Languages.CheckLanguage(1049));
}

TEST(Languages, WithoutALoaderOnlyTheBuiltInLanguageIsActive) {
  TTempDir dir;
  TRecordingHooks hooks;
  WriteFile(dir.File("Vetrilo_4d47_ENU.lng"), "module");
  TLanguages languages(dir.File("Vetrilo_4d47"), nullptr, hooks);
  languages.InitLanguages(1049, 1033);
  EXPECT_EQ(languages.CurrentLanguage(), 1049u);
  EXPECT_TRUE(hooks.Messages.empty());
}

TEST(HelpFile, FirstExistingPlaceOfTheActiveLanguageElseTheLastTried) {
  TTempDir dir;
  const std::string program = dir.File("app");
  ForceDirectory(program);
  EXPECT_EQ(FindHelpFile(program, 1033), dir.File("help/ENU/index.html"));
  ForceDirectory(dir.File("help/ENU"));
  WriteFile(dir.File("help/ENU/index.html"), "parent");
  EXPECT_EQ(FindHelpFile(program, 1033), dir.File("help/ENU/index.html"));
  ForceDirectory(dir.File("app/help/ENU"));
  WriteFile(dir.File("app/help/ENU/index.html"), "own");
  EXPECT_EQ(FindHelpFile(program, 1033), dir.File("app/help/ENU/index.html"));
  EXPECT_EQ(FindHelpFile(program, 1049), dir.File("help/RUS/index.html"));
}

TEST(HelpFile, TopicsLieBesideTheIndexOnlyWhenItExists) {
  TTempDir dir;
  const std::string index = dir.File("index.html");
  EXPECT_EQ(HelpTopicPath(index, "stats_sum.html#SUM1"), "");
  WriteFile(index, "x");
  EXPECT_EQ(HelpTopicPath(index, "stats_sum.html#SUM1"), dir.File("stats_sum.html#SUM1"));
  EXPECT_EQ(HelpTopicPath(index, ""), "");
  EXPECT_EQ(HelpTopicPath("", "stats_sum.html"), "");
}

TEST(WebLinks, SchemesAreKeptAndAddedWhenMissing) {
  const struct {
    const char* In;
    const char* Out;
  } cases[] = {
      {"lottery.example", "http://lottery.example"},
      {"HTTPS://lottery.example", "HTTPS://lottery.example"},
      {"http://a.example", "http://a.example"},
      {"ftps://files.example", "ftps://files.example"},
      {"ftp://files.example", "ftp://files.example"},
      {"httpx://odd.example", "http://httpx://odd.example"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.In);
    EXPECT_EQ(WebLinkAddress(c.In), c.Out);
  }
  EXPECT_EQ(MailLinkAddress("me@example.org"), "mailto:me@example.org");
  EXPECT_EQ(MailLinkAddress("MAILTO:me@example.org"), "MAILTO:me@example.org");
}

TEST(AppSessionLanguage, TheActiveLanguagePicksCaptionsHelpAndTheMenuChoice) {
  TTempDir dir;
  WriteFile(
      dir.File("Vetrilo_4d47.flt"),
      Utf8ToCp1251("[STRINGS_RUS]\r\nNUMS=Мои числа\r\n[STRINGS_ENU]\r\nNUMS=My numbers\r\n"));
  ForceDirectory(dir.File("help/RUS"));
  WriteFile(dir.File("help/RUS/index.html"), "ru");
  TRecordingHooks hooks;
  {
    // Default 1033 without the English module: Russian, silently.
    TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
    TFakeLoader loader;
    session.SetLanguageLoader(&loader);
    session.LoadOptions();
    EXPECT_EQ(session.CurrentLanguage(), 1049u);
    EXPECT_EQ(session.StatList().Item(session.StatList().FindByCode("NUMS")).UserCaption,
              "Мои числа");
    EXPECT_EQ(session.HelpFile(), dir.File("help/RUS/index.html"));
    EXPECT_TRUE(session.HelpExists());
    EXPECT_TRUE(hooks.Messages.empty());
    // Choosing English while its module is missing keeps the setting.
    EXPECT_THROW(session.ChooseLanguage(1033), EVetrilo);
    EXPECT_EQ(session.Options().Language, 1033);
    EXPECT_FALSE(session.ChooseLanguage(1049));
  }
  WriteFile(dir.File("Vetrilo_4d47_ENU.lng"), "module");
  {
    TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
    TFakeLoader loader;
    session.SetLanguageLoader(&loader);
    session.LoadOptions();
    EXPECT_EQ(session.CurrentLanguage(), 1033u);
    EXPECT_EQ(session.StatList().Item(session.StatList().FindByCode("NUMS")).UserCaption,
              "My numbers");
    // The English help is missing: the last place tried is kept, and nothing opens.
    EXPECT_EQ(session.HelpFile(),
              (std::filesystem::path(dir.Path()).parent_path() / "help/ENU/index.html").string());
    EXPECT_FALSE(session.HelpExists());
    EXPECT_EQ(session.HelpTopic("cli.html"), "");
    EXPECT_TRUE(session.ChooseLanguage(1049));
    EXPECT_EQ(TIniFile(dir.File("Vetrilo_4d47.frm")).ReadInteger(kMainSection, "Language", 0),
              1049);
  }
  {
    TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
    TFakeLoader loader;
    session.SetLanguageLoader(&loader);
    session.ForceRussian();
    session.LoadOptions();
    EXPECT_EQ(session.CurrentLanguage(), 1049u);
    EXPECT_TRUE(loader.Loaded.empty());
  }
  SetTranslator(nullptr);
}

TEST(AppSessionLanguage, FirstRunIsStoredWhenTheDialogIsDismissedForGood) {
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.frm"), "[TFormMain]\r\nFirstRun=1\r\n");
  TRecordingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  session.LoadOptions();
  EXPECT_TRUE(session.ShowFirstRunDialog());
  session.SetFirstRun(false);
  EXPECT_FALSE(session.ShowFirstRunDialog());
  TAppSession next(TAppPaths::ForFolder(dir.Path()), hooks);
  next.LoadOptions();
  EXPECT_FALSE(next.ShowFirstRunDialog());
}

}  // namespace
}  // namespace vetrilo
