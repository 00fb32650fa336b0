#include <QAction>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "ui_tests.h"

namespace vetrilo::test {

class TStopActionTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(25, 3)));
    hooks_ = std::make_unique<TQtHooks>();
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), *hooks_);
    form_ = std::make_unique<TFormMain>(*session_, *hooks_);
    form_->DeferredInit();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    hooks_.reset();
    dir_.reset();
  }

  void enabledOnlyWhileBusyAndSetsTheRequest() {
    QAction* stop = form_->Actions().Find("Stop");
    QVERIFY(stop);
    QCOMPARE(stop->text(), QString("Стоп"));
    QCOMPARE(stop->shortcut(), QKeySequence(Qt::Key_Escape));
    QVERIFY(form_->actions().contains(stop));  // its short-cut works anywhere in the window
    QVERIFY(!stop->isEnabled());
    QVERIFY(form_->Actions().Find("Exit")->isEnabled());

    session_->EnterBusy();
    QVERIFY(stop->isEnabled());
    QVERIFY(!form_->Actions().Find("Exit")->isEnabled());
    QVERIFY(!hooks_->StopRequested());
    stop->trigger();
    QVERIFY(hooks_->StopRequested());
    session_->LeaveBusy();
    QVERIFY(!stop->isEnabled());

    // One operation only: the next one starts without it.
    session_->EnterBusy();
    QVERIFY(!hooks_->StopRequested());
    session_->LeaveBusy();
  }

  void aTriggerDuringAFilterStopsIt() {
    QAction* stop = form_->Actions().Find("Stop");
    const TCombsArray before = session_->Combs().Combs();
    QCOMPARE(int(before.size()), 178365);
    // The user presses "Стоп" while the filter shows its status.
    hooks_->SetStatusSink([stop](const QString& text) {
      if (text == "Фильтрация комбинаций...") stop->trigger();
    });
    TStatDrawRec seven;
    seven.SetWords(7);
    const TStatList& list = session_->StatList();
    QVERIFY(!session_->FilterCombsByTable(list.Item(list.FindByCode("NUMS")), std::span(&seven, 1),
                                          {"7"}, "Числа", true));
    QCOMPARE(session_->ErrorsShown(), 0);
    QVERIFY(session_->Combs().Combs() == before);
    QVERIFY(session_->Combs().Journal().empty());
    QVERIFY(!session_->Busy());
    QVERIFY(!stop->isEnabled());
  }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TQtHooks> hooks_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
};

static TUiTestRegistration registration([] { return new TStopActionTest; });

}  // namespace vetrilo::test

#include "stop_action_test.moc"
