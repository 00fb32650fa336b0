#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/cp1251.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "scripts/ui/script_page.h"
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

  void questionsThatLoseDataDefaultToNo() {
    struct TSeen {
      QString Title, Text;
      bool DefaultNo = false, EscapeNo = false;
      QStringList Buttons;
    };
    std::vector<TSeen> seen;
    hooks_->SetQuestionRunner([&seen](QMessageBox& box) {
      TSeen s{box.windowTitle(),
              box.text(),
              box.defaultButton() == box.button(QMessageBox::No),
              box.escapeButton() == box.button(QMessageBox::No),
              {}};
      for (QAbstractButton* b : box.buttons()) s.Buttons << b->text();
      s.Buttons.sort();
      seen.push_back(s);
      return int(QMessageBox::No);
    });
    // A question whose Yes loses nothing keeps Yes as its default.
    QVERIFY(!hooks_->Ask("Обновить список тиражей?"));
    // The engine's deletion question.
    session_->AppendScriptLines({"FULL:0#FIRST| | | | | | | |"});
    QVERIFY(!session_->ClearScript());
    QCOMPARE(session_->Script().size(), size_t(1));
    QCOMPARE(int(seen.size()), 2);
    QCOMPARE(seen[0].Title, QString("Подтверждение"));
    QVERIFY(!seen[0].DefaultNo);
    QCOMPARE(seen[1].Title, QString("Предупреждение"));
    QCOMPARE(seen[1].Text, QString("Удалить выделенную запись?"));
    QVERIFY(seen[1].DefaultNo);
    for (const TSeen& s : seen) {
      QVERIFY(s.EscapeNo);
      QCOMPARE(s.Buttons, (QStringList{"Да", "Нет"}));
    }
  }

  void escapeStopsARunningScriptAsItsStopDoes() {
    session_->SetScriptLogEnabled(true);
    session_->AppendScriptLines({"FULL:0#FIRST| | | | | | | |", "FULL:0#LAST| | | | | | | |"});
    QString log;
    form_->ScriptPage()->SetLogOpener([&log](const QString& path) { log = path; });
    QStringList asked;
    bool defaultNo = false;
    hooks_->SetQuestionRunner([&](QMessageBox& box) {
      asked << box.text();
      defaultNo = box.defaultButton() == box.button(QMessageBox::No);
      return int(QMessageBox::Yes);
    });
    form_->show();
    QApplication::setActiveWindow(form_.get());
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    // Esc once the run is under way: the run lets the window take input between its steps.
    QTimer press;
    press.setInterval(0);
    connect(&press, &QTimer::timeout, this, [&] {
      if (!session_->CanStopScript()) return;
      press.stop();
      QTest::keyClick(form_.get(), Qt::Key_Escape);
    });
    press.start();
    form_->Actions().Find("ScriptRun")->trigger();
    press.stop();

    QCOMPARE(asked, QStringList{"Остановить выполнение сценария?"});
    QVERIFY(defaultNo);
    QVERIFY(!session_->ScriptRunning());
    QVERIFY(session_->StakeBook().File.Count() < 2);  // the second line never ran
    QVERIFY(!log.isEmpty());
    const std::string text = Cp1251ToUtf8(ReadFileBytes(S(log)));
    QVERIFY(text.find("]: ### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО " + std::string(61, '#') + "\r\n") !=
            std::string::npos);
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
