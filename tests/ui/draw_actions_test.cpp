#include "acquire/ui/draw_actions.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "acquire/ui/form_draw.h"
#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "net/ui/form_proxy.h"
#include "ui_tests.h"
#include "views/ui/analysis_windows.h"

namespace vetrilo::test {

// Answers every titled question Yes and keeps it as "title|question".
class TConfirmingHooks : public TQtHooks {
 public:
  std::vector<std::string> Asked;
  bool Confirm(std::string_view title, std::string_view question) override {
    Asked.push_back(std::string(title) + "|" + std::string(question));
    return true;
  }
};

class TDrawActionsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(10, 3)));
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void actionsFollowTheArchiveAndTheSelection() {
    TActionList& a = form_->Actions();
    QCOMPARE(a.Find("DrawsDownload")->shortcut(), QKeySequence(Qt::Key_F3));
    QCOMPARE(a.Find("DrawsDownload")->text(), QString("Загрузка"));
    a.UpdateAll();
    QVERIFY(a.Find("DrawsExport")->isEnabled());
    QVERIFY(a.Find("DrawsAdd")->isEnabled());
    QVERIFY(!a.Find("DrawsEdit")->isEnabled());
    QVERIFY(!a.Find("DrawsDel")->isEnabled());
    QTableView* list = form_->DrawList();
    list->selectionModel()->select(list->model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->select(list->model()->index(3, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    a.UpdateAll();
    QVERIFY(a.Find("DrawsEdit")->isEnabled());
    QVERIFY(a.Find("DrawsDel")->isEnabled());
    QCOMPARE(form_->DrawActions()->SelectedRows(), (std::vector<int>{1, 3}));

    // "Удалить": the rows' own records go once the question is answered Yes.
    std::vector<std::string>& asked = hooks_.Asked;
    asked.clear();
    const int32_t gone1 = session_->Archive().Draws[8].Number;
    const int32_t gone3 = session_->Archive().Draws[6].Number;
    a.Find("DrawsDel")->trigger();
    QCOMPARE(int(asked.size()), 1);
    QCOMPARE(asked[0], std::string("Предупреждение|Удалить все выделенные записи (всего будет "
                                   "удалено 2 записи(ей))?"));
    QCOMPARE(session_->Archive().Count(), 8);
    for (const TDrawRec& d : session_->Archive().Draws) {
      QVERIFY(d.Number != gone1 && d.Number != gone3);
    }
    QCOMPARE(form_->DrawList()->model()->rowCount(), 8);
    QCOMPARE(ParseDrawRecords(ReadFileBytes(session_->Paths().ArchiveFile())).size(), size_t(8));

    a.Find("AutoDownload2")->trigger();
    QVERIFY(a.Find("AutoDownload2")->isChecked());
    QVERIFY(!a.Find("AutoDownload0")->isChecked());
    QCOMPARE(session_->DownloadDrawsOnStart(), 2);
  }

  void doubleClickOnADrawOpensOnlyItsInformation() {
    QTableView* list = form_->DrawList();
    const QModelIndex row = list->model()->index(2, 0);
    list->selectionModel()->setCurrentIndex(
        row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    form_->Actions().UpdateAll();
    QVERIFY(form_->Actions().Find("DrawsEdit")->isEnabled());
    QVERIFY(form_->Actions().Find("DrawsInfo")->isEnabled());
    emit list->doubleClicked(row);
    QCOMPARE(int(form_->findChildren<TFormInfo*>().size()), 1);
    QVERIFY(form_->findChildren<TFormDraw*>().isEmpty());
  }

  void drawDialogChecksTheNumbers() {
    std::vector<std::string> errors;
    TDrawRec start;
    start.Number = 12;
    TFormDraw dialog(start, [&](const std::string& e) { errors.push_back(e); });
    QCOMPARE(dialog.NumberField()->value(), 12);
    QCOMPARE(dialog.DataField()->text(), QString());
    for (const char* bad : {"5,17,17,40,9", "5;17;23;48;9", "5;17;23;40;18"}) {
      dialog.DataField()->setText(bad);
      dialog.accept();
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(int(errors.size()), 3);
    QCOMPARE(errors[0], std::string("Введена некорректная комбинация!"));
    dialog.DataField()->setText("5;17;23;40;9");
    dialog.DateField()->setDate(QDate(2014, 7, 4));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const TDrawRec d = dialog.Draw();
    QCOMPARE(d.Number, 12);
    QCOMPARE(d.Date, std::string("07/04/2014"));
    QCOMPARE(int(d.Extra), 9);

    TDrawRec stored;
    stored.Number = 3;
    stored.Balls = {1, 2, 3, 4};
    stored.Extra = 5;
    stored.Date = "12/31/2015";
    TFormDraw edit(stored, {});
    QCOMPARE(edit.DataField()->text(), QString("1;2;3;4;5"));
    QCOMPARE(edit.DateField()->date(), QDate(2015, 12, 31));
  }

  void proxyDialogEnablesTheFieldsForAManualServer() {
    TProxySettings p;
    p.Mode = 2;
    p.Server = "proxy.local";
    p.Port = 3128;
    TFormProxy dialog(p);
    QVERIFY(dialog.ManualButton()->isChecked());
    QVERIFY(dialog.ServerField()->isEnabled());
    dialog.AutoButton()->setChecked(true);
    QVERIFY(!dialog.ServerField()->isEnabled());
    QVERIFY(!dialog.PortField()->isEnabled());
    QCOMPARE(dialog.Choice(), 1);
    p.Mode = 7;
    TFormProxy other(p);
    QVERIFY(other.OffButton()->isChecked());
    QCOMPARE(other.Choice(), 0);
  }

 private:
  TConfirmingHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
};

static TUiTestRegistration kRegistration([] { return new TDrawActionsTest; });

}  // namespace vetrilo::test

#include "draw_actions_test.moc"
