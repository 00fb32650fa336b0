#include "views/ui/stats_page.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "ui_tests.h"

namespace vetrilo::test {

class TStatsPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(60, 9)));
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
    page_ = form_->StatsPage();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void pageShowsTheEngineTable() {
    QCOMPARE(form_->WorkTabs()->tabText(form_->WorkTabs()->indexOf(page_)), QString("Статистика"));
    QCOMPARE(page_->MethodSelector()->toolTip(), QString("Вид расчета статистики"));
    QCOMPARE(page_->MethodSelector()->currentText(), QString("{ num } Числа тиража [ N ]"));
    QCOMPARE(page_->DepthField()->value(), 1000);
    QAbstractItemModel* model = page_->Table()->model();
    QCOMPARE(model->columnCount(), 20);
    QCOMPARE(model->headerData(19, Qt::Horizontal).toString(), QString("+/- КРН"));
    const TDrawStatsTable& table = session_->DrawStats().Table;
    QCOMPARE(model->rowCount(), 47);
    for (int column = 0; column < 20; ++column) {
      QCOMPARE(model->index(5, column).data().toString(), Q(table.Rows[5].Cells[size_t(column)]));
    }
    // Comparison off (first start): the norm columns are hidden.
    for (int column : {kDsNorm, kDsDeviation, kDsDeviationPct}) {
      QVERIFY(page_->Table()->isColumnHidden(column));
    }
    QVERIFY(!page_->Table()->isColumnHidden(kDsAgo));
    QVERIFY(form_->Actions().Find("DrawsStatRefresh")->isEnabled());
    QVERIFY(!form_->Actions().Find("DrawsStatTotalLine")->isEnabled());
    QCOMPARE(page_->ChartView()->chart()->series().size(), 1);
    QCOMPARE(page_->ChartView()->chart()->series()[0]->name(), QString("Фактические данные"));
  }

  void comparisonShowsTheNormAndTheFullSetLine() {
    QAction* prefetch = form_->Actions().Find("DrawsStatPrefetchs");
    prefetch->trigger();
    QVERIFY(prefetch->isChecked());
    QVERIFY(FileExists(S(dir_->filePath("Prefetchs/Vetrilo_4d47_NUMS.dfc"))));
    QVERIFY(TIniFile(S(dir_->filePath("Vetrilo_4d47.frm")))
                .ReadBool("TFormMain", "PrefetchsEnabled", false));
    QVERIFY(!page_->Table()->isColumnHidden(kDsNorm));
    QVERIFY(page_->Table()->model()->index(0, kDsNorm).data().toString() != "-");
    QCOMPARE(page_->ChartView()->chart()->series().size(), 2);

    QAction* totalLine = form_->Actions().Find("DrawsStatTotalLine");
    form_->Actions().UpdateAll();
    QVERIFY(totalLine->isEnabled());
    totalLine->trigger();
    QVERIFY(!session_->ShowTotalLine());
    QCOMPARE(page_->ChartView()->chart()->series().size(), 1);
  }

  void methodAndDepthRecalculate() {
    const int even =
        page_->MethodSelector()->findText("{ num } Количество четных чисел в тираже (Ч:Н) [ NG ]");
    QVERIFY(even >= 0);
    page_->MethodSelector()->setCurrentIndex(even);
    QCOMPARE(page_->SelectedMethod()->Code(), std::string("EVEN"));
    QCOMPARE(page_->Table()->model()->index(0, kDsValue).data().toString(), QString("1:3"));

    page_->DepthField()->setValue(10);
    QCOMPARE(session_->DrawsStatLen(), 1000);  // only Enter takes the value
    QTest::keyClick(page_->DepthField(), Qt::Key_Return);
    QCOMPARE(session_->DrawsStatLen(), 10);
    QCOMPARE(session_->DrawStats().Table.Totals.Total, int64_t{10});
  }

  void headerSortsNumbersAsNumbersAndSelectionFollowsTheView() {
    QHeaderView* header = page_->Table()->horizontalHeader();
    header->sectionClicked(kDsCount);
    QAbstractItemModel* model = page_->Table()->model();
    for (int row = 1; row < model->rowCount(); ++row) {
      QVERIFY(model->index(row - 1, kDsCount).data().toString().toInt() <=
              model->index(row, kDsCount).data().toString().toInt());
    }
    header->sectionClicked(kDsCount);  // the same column again: descending
    QVERIFY(model->index(0, kDsCount).data().toString().toInt() >=
            model->index(46, kDsCount).data().toString().toInt());

    auto* selection = page_->Table()->selectionModel();
    selection->select(model->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->select(model->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const auto values = page_->SelectedValues();
    QCOMPARE(values.size(), size_t(2));
    QCOMPARE(Q(values[0].Text), model->index(1, kDsValue).data().toString());
    QCOMPARE(Q(values[1].Text), model->index(3, kDsValue).data().toString());
    QCOMPARE(QString::number(values[0].Rec.Value[0]), Q(values[0].Text));

    form_->Actions().UpdateAll();
    QAction* copy = form_->Actions().Find("DrawsStatCopy");
    QVERIFY(copy->isEnabled());
    copy->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].split('\t').size(), 17);  // the norm columns are hidden
    QCOMPARE(lines[1].split('\t')[0], Q(values[1].Text));
  }

  void filterButtonsReachTheCombinationList() {
    QAction* include = form_->Actions().Find("DrawsStatInclude");
    QAction* exclude = form_->Actions().Find("DrawsStatExclude");
    form_->Actions().UpdateAll();
    QVERIFY(!include->isEnabled());  // nothing selected
    QCOMPARE(session_->Combs().Count(), 178365);
    // NUMS rows are the numbers 1..47 in order: select 7 and 8.
    page_->Table()->selectionModel()->select(
        QItemSelection(page_->Table()->model()->index(6, 0), page_->Table()->model()->index(7, 0)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    form_->Actions().UpdateAll();
    QVERIFY(include->isEnabled() && exclude->isEnabled());
    exclude->trigger();
    QCOMPARE(session_->Combs().Count(), 148995);  // C(45, 4): neither 7 nor 8
    const auto& journal = session_->Combs().Journal();
    QCOMPARE(int(journal.size()), 1);
    QCOMPARE(Q(journal.back().Values), QString("7; 8"));
    QCOMPARE(Q(journal.back().Caption), page_->MethodSelector()->currentText());
  }

  void offsetChangeRecalculates() {
    form_->OffsetField()->setValue(4);
    QCOMPARE(session_->DrawStats().Table.LastIndex, 55);
    session_->EnterBusy();
    form_->Actions().UpdateAll();
    QVERIFY(!form_->Actions().Find("DrawsStatRefresh")->isEnabled());
    QVERIFY(!page_->MethodSelector()->isEnabled());
    session_->LeaveBusy();
    QVERIFY(page_->MethodSelector()->isEnabled());
  }

 private:
  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
  TStatsPage* page_ = nullptr;
};

static TUiTestRegistration kRegistration([] { return new TStatsPageTest; });

}  // namespace vetrilo::test

#include "stats_page_test.moc"
