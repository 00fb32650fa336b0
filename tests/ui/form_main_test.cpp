#include <QAction>
#include <QDir>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
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

class TFormMainTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")), SerializeDrawRecords(MakeDemoDraws(25, 3)));
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
    QCOMPARE(form_->StatusPanel(3)->text(),
             Q(session_->Archive().TargetDrawText(3)));
    const QColor offsetRow = form_->DrawList()->model()->index(3, 7).data(Qt::BackgroundRole).value<QColor>();
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
    QVERIFY(TIniFile(S(dir_->filePath("Vetrilo_4d47.frm"))).ReadBool("TFormMain", "SortedDraws", false));
  }

  void busySessionDisablesEveryAction() {
    session_->EnterBusy();
    form_->Actions().UpdateAll();
    QVERIFY(!form_->Actions().Find("Exit")->isEnabled());
    session_->LeaveBusy();
    form_->Actions().UpdateAll();
    QVERIFY(form_->Actions().Find("Exit")->isEnabled());
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
