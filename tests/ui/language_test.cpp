#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <cerrno>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/translate.h"
#include "services/text_catalog.h"
#include "services/ui/form_help.h"
#include "services/ui/qt_language.h"
#include "stats/ui/form_favorites.h"
#include "ui_tests.h"

namespace vetrilo::test {

namespace {
const std::string kModule = std::string(VETRILO_BUILD_PROGRAM_DIR) + "/Vetrilo_4d47_ENU.lng";
}

class TLanguageTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(File("Vetrilo_4d47.ldr"), SerializeDrawRecords(MakeDemoDraws(30, 5)));
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    modules_.Unload();
    dir_.reset();
  }

  void theBuiltModuleAnswersEveryTextOfItsCatalogue() {
    const TTextCatalog catalog =
        TTextCatalog::Load(std::string(VETRILO_SOURCE_ROOT) + "/translations/Vetrilo_4d47_ENU.ts");
    QVERIFY(catalog.Entries.size() > 500);
    int code = 0;
    std::string text;
    QVERIFY(modules_.Load(kModule, code, text));
    for (const TCatalogEntry& e : catalog.Entries) {
      if (Tr(e.Source) != e.Translation) QFAIL(("not translated: " + e.Source).c_str());
    }
    QVERIFY(Tr("не текст программы") == "не текст программы");
    modules_.Unload();
    QVERIFY(Tr("Ошибка") == "Ошибка");
  }

  void aFileThatIsNoCatalogueIsRefusedWithItsSystemError() {
    int code = 0;
    std::string text;
    Put("Vetrilo_4d47_ENU.lng", "not a catalogue");
    QVERIFY(!modules_.Load(File("Vetrilo_4d47_ENU.lng"), code, text));
    QCOMPARE(code, ENOEXEC);
    QVERIFY(!text.empty());
    QVERIFY(!modules_.Load(dir_->path().toStdString(), code, text));  // a folder
    QVERIFY(!modules_.Load(File("missing.lng"), code, text));
    QCOMPARE(code, ENOENT);
    QVERIFY(!modules_.Loaded());
  }

  void withTheModuleTheWindowSpeaksEnglishAndTheMenuSwitchesBack() {
    QVERIFY(QFile::copy(Q(kModule), Q(File("Vetrilo_4d47_ENU.lng"))));
    Start();
    QCOMPARE(session_->CurrentLanguage(), 1033u);
    QTabWidget* tabs = form_->WorkTabs();
    QCOMPARE(tabs->tabText(0), QString("Statistics"));
    QCOMPARE(form_->Actions().Find("Exit")->text(), QString("Exit"));
    QMenu* languages = form_->LanguageMenu();
    QCOMPARE(languages->title(), QString("Interface language"));
    const QList<QAction*> entries = languages->actions();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0]->text(), QString("English"));
    QCOMPARE(entries[1]->text(), QString("Русский"));
    QVERIFY(entries[0]->isChecked());
    int restarts = 0;
    form_->SetRestart([&] { ++restarts; });
    entries[0]->trigger();  // the active language: nothing happens
    QCOMPARE(restarts, 0);
    entries[1]->trigger();
    QCOMPARE(restarts, 1);
    QCOMPARE(int(TIniFile(File("Vetrilo_4d47.frm")).ReadInteger(kMainSection, "Language", 0)),
             1049);
  }

  void withoutTheModuleRussianIsTheOnlyChoice() {
    Start();
    QCOMPARE(session_->CurrentLanguage(), 1049u);
    QCOMPARE(form_->WorkTabs()->tabText(0), QString("Статистика"));
    QCOMPARE(form_->LanguageMenu()->actions().size(), 1);
    QVERIFY(form_->LanguageMenu()->actions()[0]->isChecked());
    QVERIFY(!Enabled("GetHelp"));
  }

  void theDescriptionShowsTheMethodsTopicOfTheHelp() {
    Put("help/RUS/index.html", "<html><body>Содержание</body></html>");
    Put("help/RUS/stats_num.html",
        "<html><body><p>Числа</p><a name=\"NUMS\"></a><p>Описание NUMS</p></body></html>");
    Start();
    QVERIFY(Enabled("GetHelp"));
    const TStatList& list = session_->StatList();
    const int nums = list.FindByCode("NUMS");
    TFormDescription form(*session_, session_->MethodHelpLink(nums));
    QCOMPARE(form.Browser()->source().fileName(), QString("stats_num.html"));
    QCOMPARE(form.Browser()->source().fragment(), QString("NUMS"));
    QVERIFY(form.Browser()->toPlainText().contains("Описание NUMS"));
    TFormHelp* help = TFormHelp::OpenHelp(form_.get(), session_->HelpFile(), "stats_num.html#NUMS");
    QVERIFY(help);
    QCOMPARE(help->Browser()->source().fragment(), QString("NUMS"));
    help->close();
  }

  void theFirstRunDialogIsDismissedForGood() {
    Put("Vetrilo_4d47.frm", "[TFormMain]\r\nFirstRun=1\r\n");
    Start();
    QVERIFY(session_->ShowFirstRunDialog());
    TFormFirstRun dialog(*session_, form_.get());
    QCOMPARE(dialog.windowTitle(), QString("Справочная информация"));
    QVERIFY(!dialog.findChild<QPushButton*>("btnOpenHelp")->isEnabled());  // no help here
    dialog.reject();
    QVERIFY(session_->ShowFirstRunDialog());
    TFormFirstRun again(*session_, form_.get());
    again.findChild<QCheckBox*>("cbDontShow")->setChecked(true);
    again.reject();
    QVERIFY(!session_->ShowFirstRunDialog());
    QVERIFY(!TIniFile(File("Vetrilo_4d47.frm")).ReadBool(kMainSection, "FirstRun", true));
  }

 private:
  std::string File(const char* name) const { return dir_->filePath(name).toStdString(); }
  void Put(const char* name, const std::string& bytes) const {
    ForceDirectory(ExtractFileDir(File(name)));
    SaveFileAtomic(File(name), bytes);
  }
  void Start() {
    session_ =
        std::make_unique<TAppSession>(TAppPaths::ForFolder(dir_->path().toStdString()), hooks_);
    session_->SetLanguageLoader(&modules_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
  }
  bool Enabled(const char* action) {
    form_->Actions().UpdateAll();
    return form_->Actions().Find(action)->isEnabled();
  }

  TQtHooks hooks_;
  TQtLanguageModules modules_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
};

static TUiTestRegistration registration([] { return new TLanguageTest; });

}  // namespace vetrilo::test

#include "language_test.moc"
