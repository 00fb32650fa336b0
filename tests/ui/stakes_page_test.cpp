#include "stakes/ui/stakes_page.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "scripts/ui/ratings_page.h"
#include "stakes/ui/form_graph.h"
#include "stakes/ui/stake_dialogs.h"
#include "ui_tests.h"

namespace vetrilo::test {

class TStakesPageTest : public QObject {
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

  void tabsAndAStakeMadeThroughTheDialogIsCheckedAndRated() {
    QStringList tabs;
    for (int i = 0; i < form_->WorkTabs()->count(); ++i) tabs << form_->WorkTabs()->tabText(i);
    QVERIFY(tabs.contains("Ставки"));
    QVERIFY(tabs.contains("Рейтинг"));
    QCOMPARE(form_->StatusPanel(5)->text(), QString("Ставок: 0"));
    QVERIFY(!form_->Actions().Find("StakeClear")->isEnabled());
    const TDrawRec first = session_->Archive().Draws[0];
    TStakesPage* page = form_->StakesPage();
    int offered = 0;
    page->RunStakeDialog = [&](TFormStake& d) -> bool {
      offered = d.DrawNumber()->value();
      d.DrawNumber()->setValue(1);
      d.StakeData()->setText(
          Q(std::to_string(first.Balls[0]) + "," + std::to_string(first.Balls[1]) + ";47;46"));
      return true;
    };
    form_->Actions().Find("StakeAddRandom")->trigger();
    QCOMPARE(offered, 26);  // the draw after the newest
    QAbstractItemModel* grid = page->Grid()->model();
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->index(0, 0).data().toString(), QString("1"));
    QCOMPARE(grid->index(0, 1).data().toString(), QString("Вручную"));
    QVERIFY(grid->index(0, 5).data().toInt() >= 2);
    QCOMPARE(grid->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0xEA, 0xFF, 0xEA));
    QCOMPARE(form_->StatusPanel(5)->text(), QString("Ставок: 1"));
    QCOMPARE(form_->StatusPanel(6)->text(), QString("Рейтинг: 1"));
    QTableView* ratings = form_->RatingsPage()->List();
    QCOMPARE(ratings->model()->index(0, 0).data().toString(), QString("Ставка \"вручную\""));

    // Efficiency modes are radio items that redraw the list.
    form_->Actions().Find("RatingsEffMode0")->trigger();
    QCOMPARE(session_->RatingsEffMode(), 0);
    QCOMPARE(ratings->model()->index(0, 11).data().toString(), QString("1"));
    QVERIFY(!form_->Actions().Find("RatingsEffMode1")->isChecked());

    // "Добавить в сценарий" wants a selection and hands on the labels.
    form_->Actions().UpdateAll();
    QVERIFY(!form_->Actions().Find("RatingsToScript")->isEnabled());
    ratings->selectRow(0);
    form_->Actions().UpdateAll();
    QVERIFY(form_->Actions().Find("RatingsToScript")->isEnabled());
    std::vector<std::string> handed;
    form_->RatingsPage()->AddToScript = [&](const std::vector<std::string>& l) { handed = l; };
    form_->Actions().Find("RatingsToScript")->trigger();
    QCOMPARE(handed.size(), size_t(1));

    // Charts reach the window with the engine's series.
    TGraphData shown;
    page->ShowGraph = [&](const QString&, const TGraphData& d) { shown = d; };
    form_->Actions().Find("StakesGraphDraws")->trigger();
    QCOMPARE(shown.Series.size(), size_t(3));
    TFormGraph window("t", shown);
    QCOMPARE(window.MarkedSeries().size(), size_t(2));
    window.ShowMarks()->setChecked(false);
    QVERIFY(!window.MarkedSeries()[0]->pointLabelsVisible());

    // Deleting needs selected rows.
    page->Grid()->clearSelection();
    form_->Actions().UpdateAll();
    QVERIFY(!form_->Actions().Find("StakeDel")->isEnabled());
    page->Grid()->selectRow(0);
    form_->Actions().UpdateAll();
    QVERIFY(form_->Actions().Find("StakeDel")->isEnabled());
  }

  void aClickOnAnEfficiencyHeaderSortsNothingAndKeepsTheArrow() {
    form_->show();
    form_->WorkTabs()->setCurrentWidget(form_->RatingsPage());
    QTableView* ratings = form_->RatingsPage()->List();
    for (int c = 0; c <= 10; ++c) ratings->setColumnWidth(c, 20);  // column 11 in sight
    QHeaderView* header = ratings->horizontalHeader();
    auto click = [&](int column) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    click(1);
    QCOMPARE(header->sortIndicatorSection(), 1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    click(11);
    QCOMPARE(header->sortIndicatorSection(), 1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(session_->StakeBook().SortColumn, 1);
    form_->close();
    const TIniData frm = TIniFile(S(dir_->filePath("Vetrilo_4d47.frm"))).Load();
    QCOMPARE(Q(frm.ReadString("TFormMain", "lvRatings.SortType", "")), QString("1,0"));
  }

  void theStakeDialogRefusesInTheCheckOrder() {
    std::vector<std::string> errors;
    TStakeRec rec = session_->NewManualStake(0);
    TFormStake dialog(rec, [&](const std::string& e) { errors.push_back(e); });
    dialog.StakeData()->setText("1;2;3;3");
    dialog.Comment()->setText("");
    QCOMPARE(dialog.Sum()->text(), QString("9"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    dialog.StakeData()->setText("1;2;3;x");
    QCOMPARE(dialog.Sum()->text(), QString("6"));
    dialog.StakeData()->setText("4,3;2;1");
    dialog.accept();
    QCOMPARE(errors, (std::vector<std::string>{"Введена некорректная комбинация!",
                                               "Необходимо ввести комментарий!"}));
    dialog.Comment()->setText("x");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Stake().NumbersText(), std::string("1;2;3;4"));
  }

 private:
  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
};

static TUiTestRegistration kRegistration([] { return new TStakesPageTest; });

}  // namespace vetrilo::test

#include "stakes_page_test.moc"
