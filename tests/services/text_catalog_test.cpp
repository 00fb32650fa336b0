#include "services/text_catalog.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "test_support.h"

namespace vetrilo {
using test::TTempDir;
using test::WriteFile;

namespace {

TEST(TextCatalog, LiteralsAreReadAsTheProgramSeesThem) {
  const struct {
    const char* Source;
    std::vector<std::string> Texts;
  } cases[] = {
      {R"(Tr("Ошибка"))", {"Ошибка"}},
      {R"(x = "latin only"; y = QTr("Строк: %d");)", {"Строк: %d"}},
      {"Tr(\"Первая \"\n     \"вторая\")", {"Первая вторая"}},
      {R"(Format("Ошибка!\r\r%s \"%s\"", {}))", {"Ошибка!\r\r%s \"%s\""}},
      {"// \"Комментарий\"\nint a; /* \"И этот\" */ f(\"Текст\");", {"Текст"}},
      {R"(char c = '"'; g("Кавычка"); h('\''); k("Ещё"))", {"Кавычка", "Ещё"}},
      {R"(int n = 178'365; s("Число"))", {"Число"}},
      {R"x(R"(Сырой "текст")")x", {"Сырой \"текст\""}},
      {R"(u8"Юникод\t\\")", {"Юникод\t\\"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Source);
    EXPECT_EQ(ExtractInterfaceTexts(c.Source), c.Texts);
  }
}

TEST(TextCatalog, PlaceholdersAreFoundInOrder) {
  EXPECT_EQ(FormatSpecifiers("Тираж %d: %s, %.2f%% и %0:s / %1:d; %.3d"),
            (std::vector<std::string>{"%d", "%s", "%.2f", "%%", "%0:s", "%1:d", "%.3d"}));
  EXPECT_EQ(FormatSpecifiers("Фильтр %1: 100%"), (std::vector<std::string>{"%1", "%"}));
  EXPECT_TRUE(FormatSpecifiers("Без подстановок").empty());
}

TEST(TextCatalog, SavedCatalogueReadsBackWithEveryCharacter) {
  TTextCatalog c;
  c.Add({"Ошибка чтения!\r\r%s", "<\"&'>\tтаб", "Готово"});
  c.Entries[0].Translation = "Read error!\r\r%s";
  c.Entries[0].Finished = true;
  c.Entries[1].Translation = "<\"&'>\ttab";
  c.Entries[1].Finished = true;
  const TTextCatalog back = TTextCatalog::Parse(c.ToXml());
  ASSERT_EQ(back.Entries.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(back.Entries[i].Source, c.Entries[i].Source);
    EXPECT_EQ(back.Entries[i].Translation, c.Entries[i].Translation);
    EXPECT_EQ(back.Entries[i].Finished, c.Entries[i].Finished);
  }
  EXPECT_EQ(MissingTexts({"Готово", "Ошибка чтения!\r\r%s", "Новое"}, back),
            (std::vector<std::string>{"Готово", "Новое"}));
}

TEST(TextCatalog, ScanSkipsTheCommandLineToolAndDataFiles) {
  TTempDir dir;
  for (const char* sub : {"views", "cli", "acquire"}) ForceDirectory(dir.File(sub));
  WriteFile(dir.File("views/a.cpp"), "f(\"Окно\"); g(\"Окно\");");
  WriteFile(dir.File("cli/b.cpp"), "puts(\"Только для консоли\");");
  WriteFile(dir.File("acquire/page.cpp"), "find(\"Тираж №\");");
  WriteFile(dir.File("views/c.h"), "Tr(\"Заголовок\"); Tr(\"Ч\");");
  WriteFile(dir.File("views/notes.txt"), "\"Не исходник\"");
  EXPECT_EQ(ScanInterfaceTexts(dir.Path(), {"acquire/page.cpp", "text:Ч"}),
            (std::vector<std::string>{"Окно", "Заголовок"}));
}

// Every text the program can show, as the sources hold it today (texts added
// by any later change included), has a finished English entry.
TEST(TextCatalog, TheEnglishModuleCoversEveryInterfaceText) {
  const std::string root = VETRILO_SOURCE_ROOT;
  const TTextCatalog catalog = TTextCatalog::Load(root + "/translations/Vetrilo_4d47_ENU.ts");
  const std::vector<std::string> texts =
      ScanInterfaceTexts(root + "/src", ReadDataFileList(root + "/translations/data_texts.txt"));
  ASSERT_GT(texts.size(), 500u);
  std::string missing;
  for (const std::string& t : MissingTexts(texts, catalog)) missing += "\n  " + t;
  EXPECT_TRUE(missing.empty()) << "texts without an English entry (run vetrilo-texts add):"
                               << missing;
  for (const TCatalogEntry& e : catalog.Entries) {
    SCOPED_TRACE(e.Source);
    EXPECT_EQ(FormatSpecifiers(e.Translation), FormatSpecifiers(e.Source));
  }
}

}  // namespace
}  // namespace vetrilo
