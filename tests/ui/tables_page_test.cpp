#include "stakes/ui/tables_page.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "stakes/ui/form_system_design.h"
#include "stakes/ui/stake_dialogs.h"
#include "ui_tests.h"
#include "workspace/ui/combs_page.h"

namespace vetrilo::test {

class TTablesPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(25, 3)));
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void tablesAreAddedStakedHiddenAndShown() {
    QTabWidget* tabs = form_->WorkTabs();
    TTablesPage* page = form_->TablesPage();
    int stakesTab = -1;
    for (int i = 0; i < tabs->count(); ++i) {
      if (tabs->tabText(i) == "Ставки") stakesTab = i;
    }
    QCOMPARE(tabs->indexOf(page), stakesTab + 1);
    QCOMPARE(tabs->tabText(stakesTab + 1), QString("Регуляры"));
    QVERIFY(tabs->isTabVisible(stakesTab + 1));

    QTableView* combs = form_->CombsPage()->CombList();
    combs->selectionModel()->select(combs->model()->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    combs->selectionModel()->select(combs->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QString start;
    bool startEnabled = true;
    page->RunTableDialog = [&](TFormTable& d) {
      start = d.CombStart()->text();
      startEnabled = d.CombStart()->isEnabled();
      d.Comment()->setText("T");
      d.Step()->setValue(-1);
      return true;
    };
    QVERIFY(form_->Actions().Find("TablesAdd")->isEnabled());
    form_->Actions().Find("TablesAdd")->trigger();
    QCOMPARE(start, QString("{...Выделенные комбинации...}"));
    QVERIFY(!startEnabled);
    QTableWidget* list = page->List();
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->item(1, 0)->text(), QString("T (3)"));
    QCOMPARE(list->item(1, 2)->text(), QString("-1"));
    QCOMPARE(list->horizontalHeaderItem(1)->text(), QString("Стартовая комбинация"));

    list->setCurrentCell(1, 0);
    form_->Actions().UpdateAll();
    QVERIFY(form_->Actions().Find("TablesStakeAdd")->isEnabled());
    int offered = 0;
    page->RunStakeDialog = [&](TFormStake& d) {
      offered = d.DrawNumber()->value();
      return true;
    };
    form_->Actions().Find("TablesStakeAdd")->trigger();
    QCOMPARE(offered, 26);
    QCOMPARE(session_->StakeBook().File.Count(), int64_t(1));
    QCOMPARE(list->item(1, 4)->text(), QString("1"));

    QAction* tab = form_->Actions().Find("TabTables");
    QVERIFY(tab->isChecked());
    tab->trigger();
    QVERIFY(!tabs->isTabVisible(tabs->indexOf(page)));
    QVERIFY(!tab->isChecked());
    QCOMPARE(list->rowCount(), 0);
    tabs->setCurrentIndex(stakesTab);
    tab->trigger();
    QVERIFY(tabs->isTabVisible(tabs->indexOf(page)));
    QCOMPARE(tabs->currentWidget(), static_cast<QWidget*>(page));
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->item(1, 4)->text(), QString("1"));
  }

  void theTableDialogRefusesInTheCheckOrder() {
    TFormTable dialog({"Регулярная ставка", false, "", 1}, 1, MakeComb(1, 2, 3, 4), {"taken"});
    QVERIFY(dialog.CombStart()->isEnabled());
    QCOMPARE(dialog.CombStart()->text(), QString("1;2;3;4"));
    dialog.CombStart()->setText("1;2;3");
    dialog.Comment()->setText("");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.LastError(), QString("Введена некорректная комбинация!"));
    dialog.CombStart()->setText("1;2;3;5");
    dialog.accept();
    QCOMPARE(dialog.LastError(), QString("Необходимо ввести комментарий!"));
    dialog.Comment()->setText("TAKEN");
    dialog.accept();
    QVERIFY(dialog.LastError().startsWith("Запись с таким комментарией"));
    dialog.UseLastDraw()->setChecked(true);
    QVERIFY(!dialog.CombStart()->isEnabled());
    dialog.Comment()->setText("new");
    dialog.accept();
    QVERIFY(dialog.LastError().isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void theSystemDialogBuildsAVerifiedSystem() {
    bool shown = false;
    form_->TablesPage()->RunSystemDesign = [&](TFormSystemDesign& d) {
      shown = true;
      QVERIFY(!d.SaveButton()->isEnabled());
      QVERIFY(!d.StopButton()->isEnabled());
      d.Nums()->setValue(9);
      d.TimeLimit()->setValue(1);
      d.MakeButton()->click();
      QVERIFY(!d.Lines().empty());
      QCOMPARE(VerifySystem(d.Lines(), 9, 3).Uncovered, int64_t(0));
      QCOMPARE(d.Progress()->value(), 100);
      QVERIFY(d.SaveButton()->isEnabled());
      QVERIFY(d.Result()->text().contains("проверено"));
    };
    form_->Actions().Find("SystemDesign")->trigger();
    QVERIFY(shown);
  }

 private:
  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
};

static TUiTestRegistration kRegistration([] { return new TTablesPageTest; });

}  // namespace vetrilo::test

#include "tables_page_test.moc"
