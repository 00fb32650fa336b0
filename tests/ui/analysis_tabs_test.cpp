#include "views/ui/analysis_tabs.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "ui_tests.h"
#include "views/ui/analysis_windows.h"
#include "views/ui/card_page.h"
#include "views/ui/graphs_page.h"
#include "views/ui/layout_page.h"
#include "views/ui/week_page.h"
#include "workspace/ui/combs_page.h"

namespace vetrilo::test {

class TAnalysisTabsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(80, 4)));
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
    tabs_ = form_->AnalysisTabs();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void tabsAreBuiltOnlyWhenShown() {
    QTabWidget* work = form_->WorkTabs();
    QStringList titles;
    for (int i = 0; i < work->count(); ++i) titles << work->tabText(i);
    for (const char* title : {"Графики", "Карта", "Схема", "Неделя"}) {
      QVERIFY2(titles.contains(title), title);
    }
    QVERIFY(!session_->Views().Card.Built());
    work->setCurrentWidget(tabs_->CardPage());
    QVERIFY(session_->Views().Card.Built());
    QCOMPARE(session_->Views().Week.Draws(), 0);
    work->setCurrentWidget(tabs_->WeekPage());
    QCOMPARE(session_->Views().Week.Draws(), 80);
  }

  void cardGridShowsTheEngineAndFilters() {
    form_->WorkTabs()->setCurrentWidget(tabs_->CardPage());
    QTableView* grid = tabs_->CardPage()->Grid();
    QAbstractItemModel* model = grid->model();
    QCOMPARE(model->rowCount(), 81);
    QCOMPARE(model->columnCount(), 49);
    const TDrawCard& card = session_->Views().Card;
    const TCardOptions options = session_->CardOptions();
    for (int r : {1, 2, 40}) {
      for (int c = 0; c < 49; ++c) {
        QCOMPARE(model->index(r, c).data().toString(), Q(card.Text(r, c)));
        if (r > 0 && c > 0) {
          const TCellColor color = card.Color(r, c, options);
          if (color.Rgb) {
            QCOMPARE(model->index(r, c).data(Qt::BackgroundRole).value<QColor>(),
                     QRgbColor(*color.Rgb));
          }
        }
      }
    }
    QAction* keep = form_->Actions().Find("CardFilter_Include");
    grid->selectionModel()->select(model->index(1, 48), QItemSelectionModel::ClearAndSelect);
    form_->Actions().UpdateAll();
    QVERIFY(!keep->isEnabled());
    grid->selectionModel()->select(QItemSelection(model->index(1, 1), model->index(1, 47)),
                                   QItemSelectionModel::ClearAndSelect);
    form_->Actions().UpdateAll();
    QVERIFY(keep->isEnabled());
    keep->trigger();
    const auto& journal = session_->Combs().Journal();
    QCOMPARE(journal.size(), size_t(1));
    QCOMPARE(Q(journal[0].Caption), QString("Карта"));

    // The option toggles repaint from the engine and are saved at once.
    form_->Actions().Find("ViewColorCard")->trigger();
    QVERIFY(!session_->CardOptions().ChannelColors);
    QVERIFY(!session_->FrmFile().ReadBool("TFormMain", "ColorCard", true));
    QVERIFY(!form_->Actions().Find("ViewColorCard")->isChecked());
  }

  void hidingATabSavesAndRemovesIt() {
    QAction* tab = form_->Actions().Find("TabWeek");
    QVERIFY(tab->isChecked());
    tab->trigger();
    QTabWidget* work = form_->WorkTabs();
    QVERIFY(!work->isTabVisible(work->indexOf(tabs_->WeekPage())));
    QVERIFY(!session_->FrmFile().ReadBool("TFormMain", "TabWeek", true));
    tab->trigger();
    QVERIFY(work->isTabVisible(work->indexOf(tabs_->WeekPage())));
  }

  void weekPageTotalsChartAndOptions() {
    form_->WorkTabs()->setCurrentWidget(tabs_->WeekPage());
    TWeekPage* page = tabs_->WeekPage();
    QVERIFY(page->Totals()->text().contains("80"));
    QTableView* grid = page->Grid();
    grid->setCurrentIndex(grid->model()->index(2, 10));
    QCOMPARE(session_->Views().WeekRow, 2);
    auto chart = [page] { return page->ChartView()->chart(); };
    QCOMPARE(chart()->series().size(), 1);
    QCOMPARE(chart()->axes(Qt::Horizontal).size(), 1);
    form_->Actions().Find("ViewWeekChartType")->trigger();
    QVERIFY(session_->WeekChartType());
    QVERIFY(qobject_cast<QLineSeries*>(chart()->series().front()));
    QCOMPARE(qobject_cast<QLineSeries*>(chart()->series().front())->count(), 47);
    QCOMPARE(chart()->axes(Qt::Horizontal).size(), 1);
    form_->Actions().Find("ViewWeekChartMode")->trigger();
    QCOMPARE(qobject_cast<QLineSeries*>(chart()->series().front())->count(), 7);
    QCOMPARE(session_->FrmFile().ReadInteger("TFormMain", "WeekChartMode", 0), 1);
  }

  void graphsPageDrawsTheEngineSeries() {
    form_->WorkTabs()->setCurrentWidget(tabs_->GraphsPage());
    TGraphsPage* page = tabs_->GraphsPage();
    QVERIFY(page->MethodSelector()->count() > 0);
    const int index = page->MethodSelector()->findText("SUMS", Qt::MatchContains);
    page->MethodSelector()->setCurrentIndex(std::max(0, index));
    const TDrawGraph& graph = session_->Views().Graph;
    QCOMPARE(graph.Values.size(), size_t(80));
    QChart* chart = page->ChartView()->chart();
    QCOMPARE(chart->series().size(), 3);
    auto* main = qobject_cast<QLineSeries*>(chart->series().front());
    QCOMPARE(main->count(), 80);
    QCOMPARE(main->at(79).y(), graph.Values.back().Y);
    QVERIFY(!main->pointLabelsVisible());
    page->MarksBox()->setChecked(true);
    QVERIFY(main->pointLabelsVisible());
    QVERIFY(page->Summary()->text().contains(Q(DrawGraphMeanText(graph))));
  }

  void layoutPageListsAndDepths() {
    form_->WorkTabs()->setCurrentWidget(tabs_->LayoutPage());
    TLayoutPage* page = tabs_->LayoutPage();
    const TLayoutScheme& scheme = session_->Views().Layout;
    QCOMPARE(page->Grid()->model()->rowCount(), scheme.RowCount());
    QCOMPARE(page->Grid()->model()->index(1, 0).data().toString(), Q(scheme.Text(1, 0)));
    QCOMPARE(page->CompareList(0)->model()->headerData(1, Qt::Horizontal).toString(),
             Q(session_->Views().Compare[0].Caption));
    page->CompareDepthField(2)->setValue(7);
    page->CompareDepthField(2)->setFocus();
    QTest::keyClick(page->CompareDepthField(2), Qt::Key_Enter);
    QCOMPARE(session_->Views().Compare[2].Depth, 7);
    form_->SaveWindowState();
    QCOMPARE(session_->FrmFile().ReadInteger("TFormMain", "LayoutCompareLen3", 0), 7);
  }

  void windowsShowTheEngineResults() {
    TFormRepeats repeats(*session_);
    repeats.LengthField()->setValue(10);
    repeats.DeepField()->setValue(5);
    repeats.Calculate();
    const TRepeatsAnalysis expected = AnalyzeRepeats(session_->Archive(), 10, 5);
    QCOMPARE(repeats.List()->rowCount(), int(expected.Rows.size()));
    QCOMPARE(repeats.List()->item(0, 3)->text(), Q(expected.Rows[0].Draws));
    QCOMPARE(repeats.ChartView()->chart()->series().size(), expected.MaxMatches);
    repeats.reject();
    QCOMPARE(session_->FrmFile().ReadInteger("TFormRepeats", "DrawsDeep", 0), 5);

    TFormSumChart sums(session_->TotalSumCombs());
    QCOMPARE(sums.ChartView()->chart()->series().size(), 5);
    QCOMPARE(sums.Table()->rowCount(), 173);

    auto* info = new TFormInfo(*session_, 3, 0);
    const auto rows = session_->DrawInfo(3);
    QCOMPARE(info->Properties()->rowCount(), int(rows.size()));
    QCOMPARE(info->Properties()->item(0, 1)->text(), Q(rows[0].Value));
    QCOMPARE(info->Matrix()->columnCount(), session_->StatList().MatrixCols);
    info->ColumnsField()->setValue(10);
    QCOMPARE(info->Matrix()->rowCount(), 5);
    delete info;
  }

 private:
  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
  TAnalysisTabs* tabs_ = nullptr;
};

static TUiTestRegistration registration([] { return new TAnalysisTabsTest; });

}  // namespace vetrilo::test

#include "analysis_tabs_test.moc"
