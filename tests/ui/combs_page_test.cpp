#include "workspace/ui/combs_page.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/combinatorics.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/game.h"
#include "core/ini_file.h"
#include "ui_tests.h"
#include "workspace/ui/form_generate.h"

namespace vetrilo::test {

// Records the messages the engine shows while a test drives the window.
class TMessageRecorder : public TUiHooks {
 public:
  std::vector<std::string> Messages;
  void SetStatus(std::string_view) override {}
  void ShowMessage(TMessageKind, std::string_view text) override { Messages.emplace_back(text); }
  bool Ask(std::string_view) override { return false; }
};

class TCombsPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(25, 3)));
    TIniFile ini(S(dir_->filePath("Vetrilo_4d47.ini")));
    ini.WriteString("GLOBAL", "CombsGenerateMode", "1");
    ini.WriteString("GLOBAL", "CombsGenerateParameters", "1;2");
    TIniFile(S(dir_->filePath("Vetrilo_4d47.frm"))).WriteString("TFormMain", "DrawsExclude", "2");
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
    page_ = form_->CombsPage();
    list_ = page_->CombList();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void startUpShowsTheDefaultListWithItsColumns() {
    QCOMPARE(form_->LeftTabs()->tabText(1), QString("Комбинации"));
    QCOMPARE(list_->model()->rowCount(), 29370);
    QCOMPARE(form_->StatusPanel(4)->text(), QString("Комбинаций: 29370"));
    QCOMPARE(list_->model()->headerData(0, Qt::Horizontal).toString(), QString("№ п.п."));
    QCOMPARE(list_->model()->headerData(5, Qt::Horizontal).toString(), QString("S"));
    QCOMPARE(list_->model()->index(0, 0).data().toString(), QString("1"));
    QCOMPARE(list_->model()->index(0, 4).data().toString(), QString("4"));
    QCOMPARE(list_->model()->index(0, 5).data().toString(), QString("10"));
    QCOMPARE(list_->model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(),
             QRgbColor(ChannelColor(1, session_->ChannelSize())));
    QCOMPARE(page_->ExcludeField()->value(), 2);
    // The colour option repaints without colours and is saved.
    actions().Find("ViewColorCombs")->trigger();
    QVERIFY(!list_->model()->index(0, 1).data(Qt::BackgroundRole).isValid());
    QVERIFY(
        !TIniFile(S(dir_->filePath("Vetrilo_4d47.frm"))).ReadBool("TFormMain", "ColorCombs", true));
  }

  void filterFromTheSessionAndUndo() {
    QAction* undo = actions().Find("CombsUndo");
    actions().UpdateAll();
    QVERIFY(!undo->isEnabled());
    const TStatList& list = session_->StatList();
    TStatDrawRec seven;
    seven.SetWords(7);
    const std::vector<TStatDrawRec> records = {seven};
    QVERIFY(session_->FilterCombsByTable(list.Item(list.FindByCode("NUMS")), records, {"7"},
                                         "{ num } Числа тиража [ N ]", true));
    // Of the combinations with 1 or 2, those with 7.
    QCOMPARE(list_->model()->rowCount(), int(Binomial(46, 3) - Binomial(44, 3)));
    QAbstractItemModel* journal = page_->Journal()->model();
    QCOMPARE(journal->rowCount(), 1);
    QCOMPARE(journal->headerData(0, Qt::Horizontal).toString(), QString("Примененные фильтры"));
    QCOMPARE(journal->index(0, 0).data().toString(), QString("{ num } Числа тиража [ N ]"));
    QCOMPARE(journal->index(0, 1).data().toString(), QString("7"));
    QCOMPARE(journal->index(0, 2).data().toString(), QString::number(session_->Combs().Count()));
    QVERIFY(!journal->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QCOMPARE(form_->StatusPanel(4)->text(),
             Q(Format("Комбинаций: %d", {session_->Combs().Count()})));
    actions().UpdateAll();
    QVERIFY(undo->isEnabled());
    undo->trigger();
    QCOMPARE(list_->model()->rowCount(), 29370);
    QCOMPARE(journal->rowCount(), 0);
    QVERIFY(!undo->isEnabled());
  }

  void selectAllIsOneRangeAndDeleteRemovesTheSelection() {
    QAction* remove = actions().Find("CombsDelete");
    actions().UpdateAll();
    QVERIFY(!remove->isEnabled());
    actions().Find("CombsSelectAll")->trigger();
    QCOMPARE(page_->Selection().size(), size_t(1));
    QCOMPARE(page_->Selection()[0].Last, 29369);
    list_->clearSelection();
    list_->selectionModel()->select(
        QItemSelection(list_->model()->index(5, 0), list_->model()->index(14, 5)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    actions().UpdateAll();
    QVERIFY(remove->isEnabled());
    const TComb kept = session_->Combs().Comb(15);
    remove->trigger();
    QCOMPARE(list_->model()->rowCount(), 29360);
    QCOMPARE(session_->Combs().Comb(5), kept);
    QVERIFY(!list_->selectionModel()->hasSelection());
    QCOMPARE(page_->Journal()->model()->index(0, 0).data().toString(),
             QString("Выделенные комбинации"));
    QCOMPARE(page_->Journal()->model()->index(0, 1).data().toString(), QString("10"));
  }

  void copyAndPasteGoThroughTheClipboard() {
    list_->selectionModel()->select(
        QItemSelection(list_->model()->index(0, 0), list_->model()->index(1, 5)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    actions().Find("CombsCopy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("01 02 03 04\n01 02 03 05\n"));
    QGuiApplication::clipboard()->setText("03 15 27 41\r\n5 17 23 40\r\n");
    actions().UpdateAll();
    QVERIFY(actions().Find("CombsPaste")->isEnabled());
    actions().Find("CombsPaste")->trigger();
    QCOMPARE(list_->model()->rowCount(), 2);
    QCOMPARE(list_->model()->index(1, 1).data().toString(), QString("5"));
  }

  void excludeFieldAndButtonAndTheirSetting() {
    QAction* exclude = actions().Find("CombsExclude");
    page_->ExcludeField()->setValue(0);
    actions().UpdateAll();
    QVERIFY(!exclude->isEnabled());
    page_->ExcludeField()->setValue(3);
    actions().UpdateAll();
    QVERIFY(exclude->isEnabled());
    QCOMPARE(exclude->iconText(), QString("[-] Тиражи"));
    QTest::keyClick(page_->ExcludeField(), Qt::Key_Return);
    QAbstractItemModel* journal = page_->Journal()->model();
    QCOMPARE(journal->rowCount(), 1);
    QCOMPARE(journal->index(0, 0).data().toString(), QString("Последние тиражи"));
    QCOMPARE(journal->index(0, 1).data().toString(), QString("3"));
    form_->close();  // the window keeps its fields when it closes
    form_.reset();
    QCOMPARE(
        TIniFile(S(dir_->filePath("Vetrilo_4d47.frm"))).ReadInteger("TFormMain", "DrawsExclude", 0),
        int64_t(3));
  }

  void openSaveAndGenerateUseTheirDialogs() {
    const QString file = dir_->filePath("list.lcv");
    page_->SetFileChooser([&](bool) { return file; });
    actions().Find("CombsSave")->trigger();
    QVERIFY(ReadFileBytes(S(file)).rfind("1;2;3;4\r\n1;2;3;5\r\n", 0) == 0);

    page_->SetGenerateDialog([](TGenerateChoice& choice) {
      if (choice.Mode != 1 || choice.Parameter != "1;2") return false;  // opens with the defaults
      choice = {2, "1;2;3;4;5", true};
      return true;
    });
    actions().Find("CombsGen")->trigger();
    QCOMPARE(list_->model()->rowCount(), 5);
    const TIniFile ini(S(dir_->filePath("Vetrilo_4d47.ini")));
    QCOMPARE(ini.ReadInteger("GLOBAL", "CombsGenerateMode", 0), int64_t(2));
    QCOMPARE(Q(ini.ReadString("GLOBAL", "CombsGenerateParameters", "")), QString("1;2;3;4;5"));

    actions().Find("CombsOpen")->trigger();
    QCOMPARE(list_->model()->rowCount(), 29370);
    QCOMPARE(page_->Journal()->model()->rowCount(), 0);
  }

  void uniqueNumbersAndFindShowTheirMessages() {
    TMessageRecorder recorder;
    session_->SetHooks(recorder);
    actions().Find("CombsUnique")->trigger();
    QCOMPARE(recorder.Messages.size(), size_t(1));
    QCOMPARE(Q(recorder.Messages[0]),
             QString("В текущем списке комбинаций содержится 47 уникальных номеров"));
    actions().UpdateAll();
    QVERIFY(!actions().Find("CombsFind")->isEnabled());
    list_->setCurrentIndex(list_->model()->index(0, 1));
    actions().UpdateAll();
    QVERIFY(actions().Find("CombsFind")->isEnabled());
    actions().Find("CombsFind")->trigger();
    QCOMPARE(recorder.Messages.size(), size_t(2));
    QVERIFY(QString::fromStdString(recorder.Messages[1]).startsWith("Выделенная комбинация"));
    session_->SetHooks(hooks_);
  }

  void generationDialogEnablesItsFieldsByMode() {
    TFormGenerate dialog(4, "x.lcv");
    QCOMPARE(dialog.windowTitle(), QString("Создание нового списка комбинаций"));
    QCOMPARE(dialog.ModeList()->count(), 5);
    QVERIFY(!dialog.SaveAsDefaults());
    QVERIFY(dialog.ParameterField()->isEnabled());
    QVERIFY(dialog.FileButton()->isEnabled());
    dialog.SetFileChooser([] { return QString("/tmp/chosen.lcv"); });
    dialog.FileButton()->click();
    QCOMPARE(dialog.Parameter(), QString("/tmp/chosen.lcv"));
    dialog.SetMode(2);
    QVERIFY(dialog.ParameterField()->isEnabled());
    QVERIFY(!dialog.FileButton()->isEnabled());
    dialog.SetMode(0);
    QVERIFY(!dialog.ParameterField()->isEnabled());
    QCOMPARE(QtFileFilter("Файлы комбинаций (*.lcv)|*.lcv"), QString("Файлы комбинаций (*.lcv)"));
  }

 private:
  TActionList& actions() { return form_->Actions(); }

  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
  TCombsPage* page_ = nullptr;
  QTableView* list_ = nullptr;
};

static TUiTestRegistration kRegistration([] { return new TCombsPageTest; });

}  // namespace vetrilo::test

#include "combs_page_test.moc"
