#include "views/ui/stats_page.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineSeries>
#include <QSplitter>
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
#include "workspace/ui/combs_page.h"

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

    TypeDepth("10");
    QTest::keyClick(page_->DepthField(), Qt::Key_Return);
    QCOMPARE(session_->DrawsStatLen(), 10);
    QCOMPARE(session_->DrawStats().Table.Totals.Total, int64_t{10});
  }

  // What the field shows is the depth, Enter or not: "Обновить", leaving the
  // field and closing the window all take it.
  void typedDepthIsUsedWithoutEnter() {
    ShowActive();
    TypeDepth("25");
    QCOMPARE(session_->DrawsStatLen(), 1000);
    form_->Actions().Find("DrawsStatRefresh")->trigger();
    QCOMPARE(session_->DrawsStatLen(), 25);
    QCOMPARE(session_->DrawStats().Table.Totals.Total, int64_t{100});  // NUMS: 4 per draw

    TypeDepth("30");
    page_->MethodSelector()->setFocus();
    QCOMPARE(session_->DrawsStatLen(), 30);
    QCOMPARE(session_->DrawStats().Table.Totals.Total, int64_t{120});

    TypeDepth("40");
    form_->close();
    QCOMPARE(
        TIniFile(S(dir_->filePath("Vetrilo_4d47.frm"))).ReadInteger("TFormMain", "DrawsStatLen", 0),
        int64_t{40});
  }

  // The selector keeps focus and walks the list one entry per key press.
  void arrowKeysWalkTheMethodSelector() {
    ShowActive();
    QComboBox* box = page_->MethodSelector();
    box->setFocus();
    QCOMPARE(QApplication::focusWidget(), box);
    const int start = box->currentIndex();
    for (int step = 1; step <= 3; ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
      QCOMPARE(box->currentIndex(), start + step);
      QCOMPARE(QApplication::focusWidget(), box);
      QCOMPARE(session_->DrawStatsMethod(), box->currentData().toInt());
    }
  }

  // A settings change that rebuilds the method list moves the indexes: the
  // selector is refilled, the chosen method is kept by its code, and the table
  // and a filter from it use that method under its new caption.
  void methodSelectorFollowsTheRebuiltMethodList() {
    QComboBox* box = page_->MethodSelector();
    box->setCurrentIndex(box->count() - 1);
    const std::string code = page_->SelectedMethod()->Code();
    const int before = session_->DrawStatsMethod();
    TSystemSettings settings = session_->SystemSettings();
    settings.ChannelSize = 4;
    session_->ApplySystemSettings(settings);
    QVERIFY(session_->DrawStatsMethod() != before);  // the list really moved

    const std::vector<TMethodItem> items = DrawStatsMethodItems(session_->StatList());
    QCOMPARE(box->count(), int(items.size()));
    for (int i = 0; i < box->count(); ++i) {
      QCOMPARE(box->itemText(i), Q(items[size_t(i)].Caption));
      QCOMPARE(box->itemData(i).toInt(), items[size_t(i)].Method);
    }
    QCOMPARE(page_->SelectedMethod()->Code(), code);
    QCOMPARE(session_->StatList().Item(session_->DrawStatsMethod()).Code(), code);
    QCOMPARE(session_->DrawStats().Key.Method, session_->DrawStatsMethod());
    QVERIFY(!session_->DrawStats().Table.Rows.empty());

    page_->Table()->selectRow(0);
    page_->FilterBySelection(true);
    QCOMPARE(Q(session_->Combs().Journal().back().Caption), box->currentText());
  }

  // Shredding formulas rename their methods: the selector shows the new captions.
  void selectorShowsNewShreddingCaptions() {
    std::array<std::string, 3> formulas = session_->StatList().Formula;
    formulas[0] = "n1*n2+n3";
    session_->ApplyShredding(formulas, session_->StatList().FormulaDigits);
    QComboBox* box = page_->MethodSelector();
    bool found = false;
    for (int i = 0; i < box->count(); ++i) found |= box->itemText(i).contains("n1*n2+n3");
    QVERIFY(found);
  }

  // The chosen method is there again after a restart.
  void chosenMethodSurvivesARestart() {
    QComboBox* box = page_->MethodSelector();
    box->setCurrentIndex(box->count() / 2);
    const QString caption = box->currentText();
    form_->close();
    form_.reset();
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
    page_ = form_->StatsPage();
    QCOMPARE(page_->MethodSelector()->currentText(), caption);
    QCOMPARE(session_->DrawStats().Key.Method, session_->DrawStatsMethod());
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
    // The count column is as wide as its text, even in a large font: never cut.
    QTableView* view = form_->CombsPage()->Journal();
    QFont large = view->font();
    large.setPointSize(20);
    view->setFont(large);
    form_->LeftTabs()->setCurrentWidget(form_->CombsPage());
    form_->show();
    qobject_cast<QSplitter*>(form_->centralWidget())->setSizes({400, 500});
    QApplication::processEvents();
    const int countWidth = view->fontMetrics().horizontalAdvance("148995");
    QVERIFY2(view->columnWidth(2) >= countWidth,
             qPrintable(QString("%1 < %2").arg(view->columnWidth(2)).arg(countWidth)));
  }

  void offsetChangeRecalculates() {
    form_->OffsetField()->setValue(4);
    QCOMPARE(session_->DrawStats().Table.LastIndex, 55);
    session_->EnterBusy();
    form_->Actions().UpdateAll();
    QVERIFY(!form_->Actions().Find("DrawsStatRefresh")->isEnabled());
    // Nothing that starts work takes input meanwhile.
    QVERIFY(!page_->MethodSelector()->isEnabled());
    QVERIFY(!page_->DepthField()->isEnabled());
    QVERIFY(!form_->OffsetField()->isEnabled());
    QVERIFY(!page_->Table()->horizontalHeader()->sectionsClickable());
    QVERIFY(!form_->WorkTabs()->tabBar()->isEnabled());
    QVERIFY(!form_->CombsPage()->ExcludeField()->isEnabled());
    session_->LeaveBusy();
    QVERIFY(page_->MethodSelector()->isEnabled());
    QVERIFY(form_->OffsetField()->isEnabled());
    QVERIFY(page_->Table()->horizontalHeader()->sectionsClickable());
    QVERIFY(form_->WorkTabs()->tabBar()->isEnabled());
    QVERIFY(form_->CombsPage()->ExcludeField()->isEnabled());
  }

 private:
  void ShowActive() {
    form_->show();
    QApplication::setActiveWindow(form_.get());
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  // Replaces the field's text as a user types it, without Enter.
  void TypeDepth(const QString& text) {
    page_->DepthField()->setFocus();
    page_->DepthField()->selectAll();
    QTest::keyClicks(page_->DepthField(), text);
    QCOMPARE(page_->DepthField()->text(), text);
  }

  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
  TStatsPage* page_ = nullptr;
};

static TUiTestRegistration kRegistration([] { return new TStatsPageTest; });

}  // namespace vetrilo::test

#include "stats_page_test.moc"
