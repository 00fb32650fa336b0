#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "catalog/catalog_test_server.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "scripts/ui/script_catalog_panel.h"
#include "stakes/ui/systems_page.h"
#include "test_paths.h"
#include "ui_tests.h"

namespace vetrilo::test {

class TCatalogPagesTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    server_ = std::make_unique<TCatalogTestServer>(S(dir_->filePath("catalog.db")));
    server_->Service().SeedSystems(VETRILO_CATALOG_SAMPLES);
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(25, 3)));
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ini")),
                   "[GLOBAL]\r\nCatalogSite=" + server_->Site() +
                       "\r\n[CATALOG]\r\nUserName=Anna\r\nUserMail=anna@example.org\r\n");
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    session_->LoadOptions();
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    server_.reset();
    dir_.reset();
  }

  void systemsPageListsDownloadsAndHides() {
    auto* page = form_->WorkTabs()->findChild<TSystemsPage*>();
    QVERIFY(page);
    const int tab = form_->WorkTabs()->indexOf(page);
    QCOMPARE(form_->WorkTabs()->tabText(tab), QString("Системы"));
    QTableView* list = page->List();
    QCOMPARE(list->model()->rowCount(), 8);  // loaded at start
    QCOMPARE(list->model()->headerData(2, Qt::Horizontal).toString(), QString("Числа"));
    QCOMPARE(list->model()->index(0, 2).data().toString(), QString("05"));
    list->selectRow(1);
    form_->Actions().UpdateAll();
    QVERIFY(form_->Actions().Find("SystemsDownload")->isEnabled());
    QVERIFY(!form_->Actions().Find("SystemsDel")->isEnabled());  // nobody's own
    form_->Actions().Find("SystemsDownload")->trigger();
    QCOMPARE(list->model()->index(1, 6).data().toString(), QString("Загружена"));
    QVERIFY(QFile::exists(dir_->filePath("Systems/4-06-3_0006.dat")));

    // Someone else's system opens read-only with its combinations.
    bool editable = true;
    QString combs;
    page->EditSystem = [&](tSystemData& data, bool canEdit) {
      editable = canEdit;
      combs = Q(data.CList);
      return false;
    };
    form_->Actions().Find("SystemsProp")->trigger();
    QVERIFY(!editable);
    QCOMPARE(combs.count("\r\n"), 2);

    form_->Actions().Find("SystemsOn")->trigger();
    QVERIFY(!form_->WorkTabs()->isTabVisible(tab));
    QVERIFY(!form_->Actions().Find("SystemStakeAll")->isVisible());
    QCOMPARE(list->model()->rowCount(), 0);
    form_->WorkTabs()->setCurrentIndex(0);
    form_->Actions().Find("SystemsOn")->trigger();
    QVERIFY(form_->WorkTabs()->isTabVisible(tab));
    QCOMPARE(form_->WorkTabs()->currentWidget(), static_cast<QWidget*>(page));
    QCOMPARE(list->model()->rowCount(), 8);
  }

  void systemEditorNormalisesAndChecks() {
    TFormSystem form(session_->NewSystemData(), true);
    QString refusal;
    form.ShowRefusal = [&](const QString& text) { refusal = text; };
    form.Combs()->setPlainText("5, 6 7;8\n1 2 3");
    form.NormalizeCombs();
    QCOMPARE(form.Combs()->toPlainText(), QString("05 06 07 08"));
    QCOMPARE(form.Nums()->text(), QString("4"));
    QCOMPARE(form.CSize()->text(), QString("1"));
    form.accept();
    QCOMPARE(refusal, QString("Название системы должно быть указано обязательно!"));
    QCOMPARE(form.result(), int(QDialog::Rejected));
  }

  void scriptPanelPublishesRatesAndFilters() {
    auto* panel = form_->WorkTabs()->findChild<TScriptCatalogPanel*>();
    QVERIFY(panel);
    QCOMPARE(panel->Filter()->currentIndex(), 2);
    QCOMPARE(panel->List()->model()->rowCount(), 0);
    form_->Actions().UpdateAll();
    QVERIFY(!form_->Actions().Find("ScriptLibraryUpload")->isEnabled());  // empty script
    session_->AddScriptLine("NUMS 1");
    form_->Actions().UpdateAll();
    panel->EditScript = [](tScriptData& data, bool readOnly) {
      if (readOnly) return false;
      data.Title = "Первый";
      return true;
    };
    form_->Actions().Find("ScriptLibraryUpload")->trigger();
    QCOMPARE(panel->List()->model()->rowCount(), 1);
    QCOMPARE(panel->List()->model()->index(0, 0).data().toString(), QString("Мой"));
    QCOMPARE(panel->List()->model()->index(0, 1).data().toString(), QString("Первый"));
    form_->Actions().UpdateAll();
    QVERIFY(form_->Actions().Find("ScriptLibraryDelete")->isEnabled());
    QVERIFY(!form_->Actions().Find("ScriptLibraryRate0")->isEnabled());

    panel->AskComment = [](std::string& notes) {
      notes = "ok";
      return true;
    };
    form_->Actions().Find("ScriptLibraryRate4")->trigger();
    QCOMPARE(panel->List()->model()->index(0, 9).data().toString(), QString("4"));
    form_->Actions().UpdateAll();
    QVERIFY(form_->Actions().Find("ScriptLibraryRate4")->isChecked());

    panel->Filter()->setCurrentIndex(6);  // "Без моих оценок"
    emit panel->Filter()->activated(6);
    QCOMPARE(session_->ScriptLibraryFilter(), 6);
    QCOMPARE(panel->List()->model()->rowCount(), 0);
  }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TCatalogTestServer> server_;
  TQtHooks hooks_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
};

static TUiTestRegistration kRegistration([] { return new TCatalogPagesTest; });

}  // namespace vetrilo::test

#include "catalog_pages_test.moc"
