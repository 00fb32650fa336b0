#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "net/hostile_server.h"
#include "services/ui/form_progress.h"
#include "services/ui/form_update_informer.h"
#include "ui_tests.h"

namespace vetrilo::test {

class TUpdateActionsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void actionsAreInTheHelpMenu() {
    auto* menu = form_->findChild<QMenu*>("MenuHelp");
    QVERIFY(menu);
    QCOMPARE(menu->title(), QString("Справка"));
    QAction* check = form_->Actions().Find("CheckUpdate");
    QAction* automatic = form_->Actions().Find("AutoSelfUpdate");
    QVERIFY(check && automatic && form_->Actions().Find("About"));
    QCOMPARE(check->text(), QString("Поиск обновлений"));
    QCOMPARE(check->statusTip(), QString("Искать обновления программы через интернет"));
    QCOMPARE(automatic->text(), QString("Автоматическое обновление"));
    QCOMPARE(automatic->statusTip(), QString("Автоматическое обновление программы при запуске"));
    QVERIFY(menu->actions().contains(check) && menu->actions().contains(automatic));
    QVERIFY(check->isEnabled());
    session_->EnterBusy();
    form_->Actions().UpdateAll();
    QVERIFY(!check->isEnabled() && !automatic->isEnabled());
    session_->LeaveBusy();
    form_->Actions().UpdateAll();

    QVERIFY(automatic->isCheckable() && automatic->isChecked());
    automatic->trigger();
    QVERIFY(!automatic->isChecked());
    QVERIFY(!session_->AutoUpdates());
    QVERIFY(!TIniFile(session_->Paths().FrmFile()).ReadBool("TFormMain", "AutoUpdates", true));
  }

  void informerShowsTheOffer() {
    TfrmUpdateInformer dialog({"0.1.0.1", "Сборка 7", {"строка 1", "строка 2"}});
    QCOMPARE(dialog.windowTitle(), QString("Найдена новая версия программы"));
    QCOMPARE(dialog.CurrentVersionField()->text(), QString("0.1.0.1"));
    QCOMPARE(dialog.NewVersionField()->text(), QString("Сборка 7"));
    QCOMPARE(dialog.DescriptionField()->toPlainText(), QString("строка 1\nстрока 2"));
    QVERIFY(dialog.CurrentVersionField()->isReadOnly() && dialog.DescriptionField()->isReadOnly());
    QVERIFY(dialog.InstallButton()->isDefault());
    QCOMPARE(dialog.InstallButton()->toolTip(), QString("Установить это обновление"));
    QCOMPARE(dialog.CancelButton()->toolTip(), QString("Отказаться от обновления"));
    dialog.show();
    QTest::mouseClick(dialog.InstallButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  // The check through the window's own dialog, declined there: nothing changes.
  void checkShowsTheInformerAndDeclining() {
    const std::string site = S(dir_->filePath("site"));
    std::filesystem::create_directories(site);
    SaveFileAtomic(site + "/u.cfg",
                   "[Vetrilo_4d47]\r\nVerId=0.1.0.99999\r\nDescription=B\r\n"
                   "DownloadUrl=" +
                       site + "/p.tgz\r\n");
    session_->SetUpdateSite(site + "/u.cfg");
    QString seen;
    // The dialog opens after the progress window of the search has closed.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&seen, &poll] {
      auto* dialog = qobject_cast<TfrmUpdateInformer*>(QApplication::activeModalWidget());
      if (!dialog) return;
      seen = dialog->NewVersionField()->text();
      poll.stop();
      dialog->CancelButton()->click();
    });
    poll.start();
    form_->Actions().Find("CheckUpdate")->trigger();
    poll.stop();
    QCOMPARE(seen, QString("B"));
    QVERIFY(!session_->RestartRequested());
    auto* progress = form_->findChild<TFormProgress*>("FormProgress");
    QVERIFY(progress && !progress->isVisible());
    QVERIFY(!session_->ProgressWindow().IsOpen());
  }

  // The start-up check waits for a held reply while the window serves its
  // events: the window's timer releases the reply once the request is there.
  void startUpCheckKeepsTheWindowLive() {
    QTemporaryDir dir;
    THostileServer server;
    server.Hold("/u.cfg", "[Vetrilo_4d47]\r\nVerId=0.1.0.5\r\n");
    SaveFileAtomic(S(dir.filePath("Vetrilo_4d47.ini")),
                   "[GLOBAL]\r\nUpdateSite=" + server.Url("/u.cfg") + "\r\n");
    TQtHooks hooks;
    TAppSession session(TAppPaths::ForFolder(S(dir.path())), hooks);
    TFetchLimits limits;
    limits.IdleTimeoutMs = 1500;
    limits.DeadlineMs = 3000;
    session.SetUpdateLimits(limits);
    session.SetRunningVersion("0.1.0.5");
    TFormMain form(session, hooks);
    form.show();
    int turns = 0;
    QTimer timer;
    timer.setInterval(5);
    connect(&timer, &QTimer::timeout, &form, [&] {
      if (server.Requests("/u.cfg") > 0 && ++turns == 3) server.Release();
    });
    timer.start();
    QVERIFY(session.AutoUpdates());
    form.DeferredInit();
    timer.stop();
    QVERIFY(turns >= 3);
    QCOMPARE(server.Delivered("/u.cfg"), 1);
    QVERIFY(!session.Busy());
  }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  TQtHooks hooks_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
};

static TUiTestRegistration kRegistration([] { return new TUpdateActionsTest; });

}  // namespace vetrilo::test

#include "update_actions_test.moc"
