#include "app/ui/form_main.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_session.h"
#include "app/ui/form_settings.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "ui_tests.h"
#include "views/ui/stats_page.h"
#include "workspace/ui/combs_page.h"

namespace vetrilo::test {

class TFormMainTest : public QObject {
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

  void showsTheArchiveNewestFirst() {
    QAbstractItemModel* model = form_->DrawList()->model();
    QCOMPARE(model->rowCount(), 25);
    QCOMPARE(model->headerData(7, Qt::Horizontal).toString(), QString("Дата тиража"));
    QCOMPARE(model->index(0, 0).data().toString(), QString("25"));
    QCOMPARE(model->index(24, 0).data().toString(), QString("1"));
    QCOMPARE(form_->StatusPanel(1)->text(), QString("Архив тиражей: 25"));
    QCOMPARE(form_->StatusPanel(2)->text(), QString("Следующий тираж: 26"));
    QCOMPARE(form_->StatusPanel(3)->text(), QString());
    QCOMPARE(form_->OffsetField()->maximum(), 24);
    QVERIFY(form_->windowTitle().contains(" версия "));
  }

  void offsetFieldMovesTheVisibleDraw() {
    form_->OffsetField()->setValue(3);
    QCOMPARE(session_->DrawsOffset(), 3);
    QCOMPARE(form_->StatusPanel(2)->text(), QString("Следующий тираж: 23"));
    QCOMPARE(form_->StatusPanel(3)->text(), Q(session_->Archive().TargetDrawText(3)));
    const QColor offsetRow =
        form_->DrawList()->model()->index(3, 7).data(Qt::BackgroundRole).value<QColor>();
    QCOMPARE(offsetRow, QColor(0xFF, 0xAA, 0xAA));
  }

  void sortedOptionIsSavedAndRepaints() {
    QAction* sorted = form_->Actions().Find("DrawsSorted");
    QVERIFY(sorted && sorted->isEnabled());
    sorted->trigger();
    QVERIFY(session_->SortedDraws());
    QVERIFY(sorted->isChecked());
    QAbstractItemModel* model = form_->DrawList()->model();
    QVERIFY(model->index(0, 1).data().toInt() < model->index(0, 2).data().toInt());
    QVERIFY(TIniFile(S(dir_->filePath("Vetrilo_4d47.frm")))
                .ReadBool("TFormMain", "SortedDraws", false));
  }

  void busySessionDisablesEveryAction() {
    session_->EnterBusy();
    form_->Actions().UpdateAll();
    QVERIFY(!form_->Actions().Find("Exit")->isEnabled());
    session_->LeaveBusy();
    form_->Actions().UpdateAll();
    QVERIFY(form_->Actions().Find("Exit")->isEnabled());
  }

  // What the user arranged comes back after quitting and starting again.
  void windowStateSurvivesARestart() {
    form_->show();
    // The window fits a small screen.
    QVERIFY(form_->minimumSizeHint().width() <= 1024);
    form_->resize(1013, 677);
    form_->DrawList()->setColumnWidth(0, 133);
    form_->StatsPage()->Table()->setColumnWidth(0, 121);
    form_->StatsPage()->SetSort(1, true);
    form_->StatsPage()->DepthField()->setValue(321);
    QTest::keyClick(form_->StatsPage()->DepthField(), Qt::Key_Enter);
    form_->CombsPage()->ExcludeField()->setValue(7);
    form_->Actions().Find("DrawsSorted")->trigger();
    form_->close();
    form_.reset();
    session_.reset();

    const TIniData frm = TIniFile(S(dir_->filePath("Vetrilo_4d47.frm"))).Load();
    QCOMPARE(frm.ReadInteger("TFormMain", "lvDraws.Column0", 0), 133);
    QCOMPARE(Q(frm.ReadString("TFormMain", "lvDrawsStat.SortType", "")), QString("1,1"));
    QCOMPARE(frm.ReadInteger("TFormMain", "DrawsExclude", 0), 7);
    QVERIFY(frm.Value("TFormMain", "NormPos"));

    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
    QCOMPARE(form_->size(), QSize(1013, 677));
    QCOMPARE(form_->DrawList()->columnWidth(0), 133);
    QCOMPARE(form_->StatsPage()->Table()->columnWidth(0), 121);
    QCOMPARE(session_->DrawStats().SortColumn, 1);
    QVERIFY(session_->DrawStats().SortDescending);
    QCOMPARE(form_->StatsPage()->DepthField()->value(), 321);
    QCOMPARE(form_->CombsPage()->ExcludeField()->value(), 7);
    QVERIFY(session_->SortedDraws());
    QVERIFY(form_->Actions().Find("DrawsSorted")->isChecked());
  }

  // "Параметры": the dialog shows the settings with prize rows by match count,
  // refuses bad segment digits and applies through the session.
  void settingsDialogAppliesThroughTheSession() {
    std::vector<std::string> errors;
    TSystemSettings start = TSystemSettings::FromList(session_->StatList());
    start.Prizes[3] = 10 * kMoneyScale;
    TFormSettings dialog(start, [&](const std::string& e) { errors.push_back(e); });
    QCOMPARE(dialog.RowsLabel()->text(), QString("Строк: 6"));
    QCOMPARE(dialog.PrizesGrid()->item(3, 0)->text(), QString("3"));
    QCOMPARE(dialog.PrizesGrid()->item(3, 1)->text(), QString("10.00"));
    QCOMPARE(dialog.SegmentsGrid()->columnCount(), 8);
    QVERIFY(!(dialog.SegmentsGrid()->item(5, 7)->flags() & Qt::ItemIsSelectable));  // 48
    dialog.SegmentsGrid()->item(0, 1)->setText("0");
    QCOMPARE(int(errors.size()), 1);
    QCOMPARE(dialog.SegmentsGrid()->item(0, 1)->text(), QString("1"));
    dialog.SegmentsGrid()->item(0, 2)->setText("3");  // number 3
    dialog.MatrixColsField()->setValue(10);           // the map follows the numbers
    QCOMPARE(dialog.RowsLabel()->text(), QString("Строк: 5"));
    QCOMPARE(dialog.SegmentsGrid()->item(0, 2)->text(), QString("3"));
    dialog.ChannelSizeField()->setValue(5);
    const TSystemSettings chosen = dialog.Settings();
    QCOMPARE(chosen.Segments[2], uint8_t(3));
    QCOMPARE(chosen.MatrixCols, 10);
    session_->ApplySystemSettings(chosen);
    QVERIFY(session_->StatList().FindByCode("CHN10") >= 0);
    QCOMPARE(session_->StatList().MatrixSegmentsText().substr(0, 4), std::string("1131"));
    QVERIFY(form_->Actions().Find("SettingsEdit")->isEnabled());
  }

 private:
  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
};

static TUiTestRegistration kRegistration([] { return new TFormMainTest; });

}  // namespace vetrilo::test

#include "form_main_test.moc"
