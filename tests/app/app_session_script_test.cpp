#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "scripts/script_file.h"
#include "test_support.h"

namespace vetrilo {
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

const std::string kLine1 = "FULL:0#RAND|TSD1#NUMS:10#LNO:#SF:1| | | | | | |один";
const std::string kLine2 = "EXCL:3#ALL|TSD1#SUMS:100#LMV:2#SF:1| | | | | | |два";

struct TScriptSession {
  TTempDir Dir;
  TRecordingHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
  int ScriptChanges = 0;

  TScriptSession() {
    Session.LoadOptions();
    Session.SetListener([this](uint32_t c) { ScriptChanges += (c & kChangeScript) ? 1 : 0; });
  }
  std::string Lss() const { return Session.ScriptAutosaveFile(); }
  // The autosave file holds exactly the script in memory.
  void ExpectSaved() const { EXPECT_EQ(test::ReadFile(Lss()), ScriptFileBytes(Session.Script())); }
  std::string LastMessage() const {
    return Hooks.Messages.empty() ? std::string() : Hooks.Messages.back().Text;
  }
};

}  // namespace

TEST(AppSessionScript, EveryChangeIsSavedAndLoadedAtTheNextStart) {
  TScriptSession s;
  EXPECT_EQ(s.Session.AddScriptLine(kLine1), 0);
  s.ExpectSaved();
  EXPECT_EQ(s.Session.AddScriptSeparator(), 1);
  EXPECT_EQ(s.Session.AddScriptLine(kLine2), 2);
  s.ExpectSaved();
  EXPECT_EQ(s.Session.MoveScriptLine(2, -1), 1);
  EXPECT_EQ(s.Session.Script(), (std::vector<std::string>{kLine1, kLine2, ""}));
  s.ExpectSaved();
  EXPECT_EQ(s.Session.MoveScriptLine(0, 1), 1);
  EXPECT_EQ(s.Session.Script(), (std::vector<std::string>{kLine2, kLine1, ""}));
  s.Session.ReplaceScriptLine(2, kLine1 + "x");
  s.ExpectSaved();
  EXPECT_EQ(s.ScriptChanges, 6);
  EXPECT_FALSE(s.Session.Busy());

  TAppSession again(TAppPaths::ForFolder(s.Dir.Path()), s.Hooks);
  again.LoadScript();
  EXPECT_EQ(again.Script(), s.Session.Script());
  EXPECT_TRUE(s.Hooks.Messages.empty());
  EXPECT_NE(std::find(s.Hooks.Statuses.begin(), s.Hooks.Statuses.end(),
                      "Загрузка файла \"" + s.Lss() + "\"..."),
            s.Hooks.Statuses.end());
  EXPECT_NE(std::find(s.Hooks.Statuses.begin(), s.Hooks.Statuses.end(),
                      "Сохранение файла \"" + s.Lss() + "\"..."),
            s.Hooks.Statuses.end());
}

TEST(AppSessionScript, IndexesOutsideTheScriptAreRefused) {
  TScriptSession s;
  s.Session.AddScriptLine(kLine1);
  for (int bad : {-1, 1, 5}) {
    try {
      s.Session.ReplaceScriptLine(bad, kLine2);
      ADD_FAILURE() << bad;
    } catch (const EVetrilo& e) {
      EXPECT_EQ(e.Message(),
                "Запись со индексом " + std::to_string(bad) + " в файле данных не найдена!");
    }
  }
  EXPECT_THROW(s.Session.MoveScriptLine(0, -1), EVetrilo);
  EXPECT_THROW(s.Session.MoveScriptLine(0, 1), EVetrilo);
  EXPECT_THROW(s.Session.DeleteScriptLines({0, 3}), EVetrilo);
  EXPECT_EQ(s.Session.Script(), std::vector<std::string>{kLine1});
  EXPECT_FALSE(s.Session.Busy());
}

TEST(AppSessionScript, DeletionAsksFirst) {
  TScriptSession s;
  for (const std::string& l : {kLine1, std::string(), kLine2, kLine1}) s.Session.AddScriptLine(l);
  s.Hooks.Answer = false;
  EXPECT_FALSE(s.Session.DeleteScriptLines({3, 1}));
  EXPECT_EQ(s.Hooks.Questions.back(),
            "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_TRUE(s.Hooks.DefaultNo.back());
  EXPECT_EQ(s.Session.Script().size(), 4u);

  s.Hooks.Answer = true;
  EXPECT_TRUE(s.Session.DeleteScriptLines({3, 1}));
  EXPECT_EQ(s.Session.Script(), (std::vector<std::string>{kLine1, kLine2}));
  s.ExpectSaved();
  EXPECT_TRUE(s.Session.DeleteScriptLines({1}));
  EXPECT_EQ(s.Hooks.Questions.back(), "Удалить выделенную запись?");

  s.Session.AddScriptLine(kLine2);
  s.Hooks.Answer = false;
  EXPECT_FALSE(s.Session.ClearScript());
  EXPECT_EQ(s.Session.Script().size(), 2u);
  s.Hooks.Answer = true;
  EXPECT_TRUE(s.Session.ClearScript());
  EXPECT_EQ(s.Hooks.Questions.back(),
            "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_TRUE(s.Hooks.DefaultNo.back());
  EXPECT_TRUE(s.Session.Script().empty());
  s.ExpectSaved();
}

TEST(AppSessionScript, OpenAppendAndSaveFiles) {
  TScriptSession s;
  const std::string a = s.Dir.File("a.lsc");
  WriteFile(a, "FULL:0#RAND|TSD#NUMS:5\r\n\r\n\xCF\xF0\xEE\xE1\xE0\r\n");
  const std::vector<std::string> aLines = {"FULL:0#RAND|TSD#NUMS:5", "", "Проба"};
  // Into an empty script the lines simply go.
  EXPECT_TRUE(s.Session.AppendScriptFile(a));
  EXPECT_EQ(s.Session.Script(), aLines);
  s.ExpectSaved();
  // After a line that is no separator, one separator first.
  EXPECT_TRUE(s.Session.AppendScriptFile(a));
  EXPECT_EQ(s.Session.Script().size(), 7u);
  EXPECT_EQ(s.Session.Script()[3], "");
  // After a separator, none more.
  s.Session.AddScriptSeparator();
  EXPECT_TRUE(s.Session.AppendScriptFile(a));
  EXPECT_EQ(s.Session.Script().size(), 11u);
  EXPECT_EQ(s.Session.Script()[7], "");
  EXPECT_EQ(s.Session.Script()[8], aLines[0]);
  // An empty file adds nothing, not even a separator.
  WriteFile(s.Dir.File("empty.lsc"), "");
  EXPECT_TRUE(s.Session.AppendScriptFile(s.Dir.File("empty.lsc")));
  EXPECT_EQ(s.Session.Script().size(), 11u);

  const std::string b = s.Dir.File("b.lsc");
  EXPECT_TRUE(s.Session.SaveScriptFile(b));
  EXPECT_EQ(test::ReadFile(b), test::ReadFile(s.Lss()));
  EXPECT_TRUE(s.Session.OpenScriptFile(a));
  EXPECT_EQ(s.Session.Script(), aLines);
  s.ExpectSaved();
  EXPECT_TRUE(s.Hooks.Messages.empty());
}

TEST(AppSessionScript, DamagedOrUnreadableFilesChangeNothing) {
  TScriptSession s;
  s.Session.AddScriptLine(kLine1);
  const std::string saved = test::ReadFile(s.Lss());
  const std::string damaged = s.Dir.File("bad.lsc");
  WriteFile(damaged, std::string("FULL:0#RAND\r\n\0\0\x01", 16));
  WriteFile(s.Dir.File("utf8.lsc"),
            "\xEF\xBB\xBF"
            "FULL:0#RAND\r\n");
  std::filesystem::create_directory(s.Dir.File("folder.lsc"));
  for (const std::string& path :
       {damaged, s.Dir.File("utf8.lsc"), s.Dir.File("folder.lsc"), s.Dir.File("missing.lsc")}) {
    SCOPED_TRACE(path);
    const size_t before = s.Hooks.Messages.size();
    EXPECT_FALSE(s.Session.OpenScriptFile(path));
    EXPECT_FALSE(s.Session.AppendScriptFile(path));
    ASSERT_EQ(s.Hooks.Messages.size(), before + 2);
    EXPECT_EQ(s.Hooks.Messages.back().Kind, TMessageKind::Error);
    EXPECT_TRUE(s.LastMessage().starts_with("Ошибка чтения файла \"" + path + "\"!\r\r"))
        << s.LastMessage();
    EXPECT_GT(s.LastMessage().size(), ("Ошибка чтения файла \"" + path + "\"!\r\r").size());
    EXPECT_EQ(s.Session.Script(), std::vector<std::string>{kLine1});
    EXPECT_EQ(test::ReadFile(s.Lss()), saved);
  }
  EXPECT_FALSE(s.Session.Busy());
}

TEST(AppSessionScript, FailedWritesAreShownAndTheScriptStays) {
  TScriptSession s;
  s.Session.AddScriptLine(kLine1);
  WriteFile(s.Dir.File("plain"), "x");
  const std::string below = s.Dir.File("plain/a.lsc");
  EXPECT_FALSE(s.Session.SaveScriptFile(below));
  EXPECT_TRUE(s.LastMessage().starts_with("Ошибка записи в файл \"" + below + "\"!\r\r"));
  EXPECT_EQ(s.Session.Script(), std::vector<std::string>{kLine1});

  // The autosave file cannot be written: the change is kept and the failure shown.
  std::filesystem::remove(s.Lss());
  std::filesystem::create_directory(s.Lss());
  s.Session.AddScriptLine(kLine2);
  EXPECT_TRUE(s.LastMessage().starts_with("Ошибка записи в файл \"" + s.Lss() + "\"!\r\r"));
  EXPECT_EQ(s.Session.Script().size(), 2u);

  // And at the next start it cannot be read: reported, the script stays empty.
  TRecordingHooks hooks;
  TAppSession again(TAppPaths::ForFolder(s.Dir.Path()), hooks);
  again.LoadScript();
  EXPECT_TRUE(again.Script().empty());
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.starts_with("Ошибка чтения файла \"" + s.Lss() + "\"!\r\r"));
}

TEST(AppSessionScript, RatingLabelsAreAppendedAsLines) {
  TScriptSession s;
  s.Session.AddScriptLine(kLine1);
  const std::vector<std::string> labels = {
      "03.012: Проба @ EXCL:3#ALL#NEX + TSD#SUMS:1000#LNO:#SF:1",
      "01.000: пусто @ FULL#RAND",
      "04.001: a@b @ FULL#RAND + BMF#NUMS:10#LDV:1#SF:1",
  };
  EXPECT_EQ(s.Session.RatingsToScript(labels), 2);
  ASSERT_EQ(s.Session.Script().size(), 3u);
  EXPECT_EQ(s.Session.Script()[1],
            "EXCL:3#ALL#NEX|TSD#SUMS:1000#LNO:#SF:1| | | | | | |03.012: Проба");
  EXPECT_EQ(s.Session.Script()[2], "FULL#RAND|BMF#NUMS:10#LDV:1#SF:1| | | | | | |04.001: a@b");
  s.ExpectSaved();
  ASSERT_EQ(s.Hooks.Messages.size(), 1u);
  EXPECT_EQ(s.Hooks.Messages[0].Text,
            "Строку\r\r01.000: пусто @ FULL#RAND\r\rневозможно добавить в сценарий!");
  EXPECT_NE(std::find(s.Hooks.Statuses.begin(), s.Hooks.Statuses.end(),
                      "Генерация новых строк в сценарии..."),
            s.Hooks.Statuses.end());

  // Nothing accepted: nothing written, no change announced.
  const int changes = s.ScriptChanges;
  EXPECT_EQ(s.Session.RatingsToScript({"x"}), 0);
  EXPECT_EQ(s.ScriptChanges, changes);

  s.Session.AppendScriptLines({"a", "b"});
  EXPECT_EQ(s.Session.Script().size(), 6u);
  EXPECT_EQ(s.Session.Script()[3], "");
  s.ExpectSaved();
  EXPECT_EQ(s.ScriptChanges, changes + 1);
}

TEST(AppSessionMethods, ManagerOkSavesTheFileAndRebuildsTheLists) {
  TScriptSession s;
  bool methodsChanged = false;
  s.Session.SetListener([&](uint32_t c) { methodsChanged |= (c & kChangeMethods) != 0; });
  TStatList& list = s.Session.StatList();
  s.Session.SelectDrawStatsMethod(list.FindByCode("EVEN"));
  TFavoritesTree tree(list);
  tree.CheckAll(false);
  for (int i = 0; i < tree.Count(); ++i) {
    const TFavoritesNode& n = tree.Nodes()[size_t(i)];
    if (n.IsGroup) continue;
    const std::string code = list.Item(n.Method).Code();
    if (code == "SUMS" || code == "EVEN") tree.Toggle(i);
    if (code == "SUMS") tree.Rename(i, "Суммы");
  }
  s.Session.ApplyFavorites(tree);
  EXPECT_TRUE(methodsChanged);
  EXPECT_EQ(list.FavoritesText(), "EVEN,SUMS");
  // The first listed method is chosen.
  EXPECT_EQ(s.Session.DrawStatsMethod(), list.FindByCode("EVEN"));
  const TIniData flt = TIniFile(s.Session.Paths().FltFile()).Load();
  EXPECT_EQ(flt.ReadString("FILTERS", "Favorites", ""), "EVEN,SUMS");
  EXPECT_EQ(flt.ReadString(list.CaptionsSection(), "SUMS", ""), "Суммы");
  EXPECT_EQ(flt.ReadSection(list.CaptionsSection()).size(), 1u);

  s.Hooks.Answer = false;
  EXPECT_FALSE(s.Session.ResetFavorites());
  EXPECT_EQ(s.Hooks.Questions.back(),
            "Вы действительно хотите сбросить список избранных фильтров?");
  EXPECT_TRUE(s.Hooks.DefaultNo.back());
  EXPECT_FALSE(list.AllFavorites);
  s.Hooks.Answer = true;
  EXPECT_TRUE(s.Session.ResetFavorites());
  EXPECT_TRUE(list.AllFavorites);
  EXPECT_EQ(TIniFile(s.Session.Paths().FltFile()).ReadString("FILTERS", "Favorites", "x"), "");
  EXPECT_EQ(list.Item(list.FindByCode("SUMS")).UserCaption, "Суммы");
  EXPECT_EQ(s.Session.DrawStatsMethod(), list.FindByCode("EVEN"));
}

TEST(AppSessionMethods, ImportAndExportOfCaptions) {
  TScriptSession s;
  TStatList& list = s.Session.StatList();
  const std::string section = list.CaptionsSection();
  const std::string other = s.Dir.File("other.flt");
  TIniFile(other).WriteString(section, "NUMS", "Импорт");
  ASSERT_TRUE(s.Session.ImportMethodCaptions(other));
  // In effect at once, without any OK.
  EXPECT_EQ(list.Item(list.FindByCode("NUMS")).UserCaption, "Импорт");
  EXPECT_FALSE(FileExists(s.Session.Paths().FltFile()));

  TFavoritesTree tree(list);
  const std::string out = s.Dir.File("out.flt");
  for (int i = 0; i < tree.Count(); ++i) {
    if (!tree.Nodes()[size_t(i)].IsGroup &&
        list.Item(tree.Nodes()[size_t(i)].Method).Code() == "SUMS")
      tree.Rename(i, "Экспорт");
  }
  ASSERT_TRUE(s.Session.ExportMethodCaptions(tree, out));
  const TIniData written = TIniFile(out).Load();
  EXPECT_EQ(written.ReadSection(section).size(), size_t(list.Count()));
  EXPECT_EQ(written.ReadString(section, "SUMS", ""), "Экспорт");
  EXPECT_EQ(written.ReadString(section, "NUMS", ""), "Импорт");
  EXPECT_FALSE(written.SectionExists("FILTERS"));
  // The registry holds the captions of its own (missing) file again.
  EXPECT_EQ(list.Item(list.FindByCode("SUMS")).UserCaption, "");

  // A file that cannot be read changes nothing.
  s.Session.ImportMethodCaptions(other);
  EXPECT_FALSE(s.Session.ImportMethodCaptions(s.Dir.Path()));
  EXPECT_TRUE(s.Hooks.Messages.back().Text.starts_with("Ошибка загрузки списка фильтров!\r\r"));
  EXPECT_EQ(list.Item(list.FindByCode("NUMS")).UserCaption, "Импорт");
  EXPECT_FALSE(s.Session.ExportMethodCaptions(tree, s.Dir.File("other.flt/x.flt")));
  EXPECT_TRUE(s.Hooks.Messages.back().Text.starts_with("Ошибка сохранения списка фильтров!\r\r"));
}

}  // namespace vetrilo
