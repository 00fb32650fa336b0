#include "app/ui/desktop_open.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "ui_tests.h"

namespace vetrilo::test {

// What reaches the user when no program opens a page or a file.
struct TMessageRecorder : TUiHooks {
  std::vector<std::string> Texts;
  void SetStatus(std::string_view) override {}
  void ShowMessage(TMessageKind kind, std::string_view text) override {
    if (kind == TMessageKind::Information) Texts.emplace_back(text);
  }
  bool Ask(std::string_view) override { return false; }
};

class TDesktopOpenTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(40, 3)));
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ini")),
                   "[GLOBAL]\r\nLotterySite=lottery.example/results\r\n");
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
    open_ = TDesktopOpen::Open;
    opened_.clear();
    TDesktopOpen::Open = [this](const QUrl& url) {
      opened_ << url;
      return false;
    };
    session_->SetHooks(messages_);
    messages_.Texts.clear();
  }
  void cleanup() {
    TDesktopOpen::Open = open_;
    session_->SetHooks(hooks_);
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void aLotteryPageNoProgramOpensIsReportedWithItsAddress() {
    form_->Actions().UpdateAll();
    form_->Actions().Find("LotterySite")->trigger();
    QCOMPARE(opened_, QList<QUrl>{QUrl("http://lottery.example/results")});
    QCOMPARE(messages_.Texts, std::vector<std::string>{
                                  "Страница лотереи не открылась: нет программы для ее "
                                  "просмотра.\r\rАдрес страницы: http://lottery.example/results"});
  }

  void aRunLogNoProgramOpensIsReportedWithItsFile() {
    session_->AppendScriptLines({"FULL:0#FIRST| | | | | | | |"});
    form_->Actions().UpdateAll();
    form_->Actions().Find("LogToggle")->trigger();
    QVERIFY(session_->ScriptLogEnabled());
    form_->Actions().UpdateAll();
    form_->Actions().Find("ScriptRun")->trigger();
    QCOMPARE(opened_.size(), 1);
    const QString log = opened_[0].toLocalFile();
    QVERIFY(QFileInfo(log).fileName().startsWith("ScriptLog_"));
    QVERIFY(QFileInfo::exists(log));
    QCOMPARE(messages_.Texts,
             std::vector<std::string>{"Протокол сценария сохранен в файле \"" + S(log) + "\"."});
  }

 private:
  TQtHooks hooks_;
  TMessageRecorder messages_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
  std::function<bool(const QUrl&)> open_;
  QList<QUrl> opened_;
};

static TUiTestRegistration kRegistration([] { return new TDesktopOpenTest; });

}  // namespace vetrilo::test

#include "desktop_open_test.moc"
