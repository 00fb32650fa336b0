#include "scripts/ui/script_page.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "scripts/script_file.h"
#include "scripts/ui/form_filter.h"
#include "scripts/ui/form_script.h"
#include "stats/ui/form_favorites.h"
#include "ui_tests.h"
#include "views/draw_stats.h"
#include "views/ui/stats_page.h"

namespace vetrilo::test {

class TScriptPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(40, 3)));
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
    page_ = form_->ScriptPage();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void pageShowsTheScript() {
    QTabWidget* tabs = form_->WorkTabs();
    QCOMPARE(tabs->tabText(tabs->indexOf(page_)), QString("Сценарий"));
    QCOMPARE(tabs->indexOf(page_), tabs->count() - 1);
    QAbstractItemModel* model = page_->List()->model();
    QCOMPARE(model->columnCount(), 9);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("Комментарии"));
    QCOMPARE(model->headerData(8, Qt::Horizontal).toString(), QString("Фильтр 7"));
    QCOMPARE(page_->CountLabel()->text(), QString("Строк: 0"));
    Update();
    QVERIFY(Action("ScriptAdd")->isEnabled());
    QVERIFY(Action("ScriptOpen")->isEnabled());
    QVERIFY(!Action("ScriptEmpty")->isEnabled());
    QVERIFY(!Action("ScriptSave")->isEnabled());

    session_->AppendScriptLines({"excl:2#all|tsd#sums:100| | | | | | |Проба", ""});
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(page_->CountLabel()->text(), QString("Строк: 2"));
    QCOMPARE(model->index(0, 0).data().toString(), QString("Проба"));
    QCOMPARE(model->index(0, 1).data().toString(),
             QString("Исключить 2 тиражей; Все; Все создаваемые ставки"));
    QCOMPARE(model->index(0, 2).data().toString(), QString("TSD1#SUMS:100#LNO:#SF:0"));
    for (int column = 0; column < 9; ++column)
      QCOMPARE(model->index(1, column).data().toString(), QString());
  }

  void runsMakeStakesAndShowTheirPanels() {
    Update();
    QVERIFY(!Action("ScriptRun")->isEnabled());  // no line yet
    QVERIFY(!Action("ScriptStop")->isEnabled());
    session_->AppendScriptLines({"FULL:0#FIRST| | | | | | | |"});
    Update();
    QVERIFY(Action("ScriptRun")->isEnabled());
    QVERIFY(Action("ScriptTest")->isEnabled());

    Action("ScriptRun")->trigger();
    QCOMPARE(session_->StakeBook().File.Count(), int64_t(1));
    QCOMPARE(page_->Panel(3)->text(), QString("Ставок: 1"));
    QCOMPARE(page_->Panel(4)->text(), QString("Сценарий завершен!"));
    QVERIFY(page_->List()->isEnabled());

    // "Тест" asks the count (at most the draws but one), Cancel runs nothing.
    int offered = -1;
    page_->SetTestCountAsker([&](int maximum) {
      offered = maximum;
      return 0;
    });
    Action("ScriptTest")->trigger();
    QCOMPARE(offered, 39);
    QCOMPARE(session_->StakeBook().File.Count(), int64_t(1));
    page_->SetTestCountAsker([](int) { return 2; });
    Action("ScriptTest")->trigger();
    QCOMPARE(session_->StakeBook().File.Count(), int64_t(1 + 4));  // separator, stake, ...
    QCOMPARE(page_->Panel(3)->text(), QString("Ставок: 2"));

    // The log option is saved and the finished log is opened.
    QString opened;
    page_->SetLogOpener([&](const QString& path) { opened = path; });
    Action("LogToggle")->trigger();
    QVERIFY(session_->ScriptLogEnabled());
    QVERIFY(Action("LogToggle")->isChecked());
    Action("ScriptRun")->trigger();
    QVERIFY(QFileInfo(opened).fileName().startsWith("ScriptLog_"));
    Action("StakesCheckLine")->trigger();
    QVERIFY(!session_->StakesCheckOnLine());
    QVERIFY(!Action("StakesCheckLine")->isChecked());
  }

  void commandsReachTheSession() {
    std::vector<QString> titles;
    page_->SetLineEditor([&](const QString& title, std::string& line) {
      titles.push_back(title);
      line = line.empty() ? "FULL:0#RAND|TSD1#NUMS:10#LNO:#SF:1| | | | | | |новая" : line + "x";
      return true;
    });
    Action("ScriptAdd")->trigger();
    QCOMPARE(titles.back(), QString("Создание новой строки"));
    QCOMPARE(page_->FocusedRow(), 0);
    Update();
    QVERIFY(Action("ScriptEdit")->isEnabled());
    QVERIFY(!Action("ScriptUp")->isEnabled());
    QVERIFY(!Action("ScriptDown")->isEnabled());

    Action("ScriptEmpty")->trigger();
    QCOMPARE(page_->FocusedRow(), 1);
    Update();
    QVERIFY(!Action("ScriptEdit")->isEnabled());
    QVERIFY(!Action("ScriptClone")->isEnabled());
    QVERIFY(Action("ScriptUp")->isEnabled());
    Action("ScriptUp")->trigger();
    QCOMPARE(page_->FocusedRow(), 0);
    QCOMPARE(session_->Script()[0], std::string());

    page_->FocusRow(1);
    Update();
    Action("ScriptClone")->trigger();
    QCOMPARE(titles.back(), QString("Создание новой строки"));
    QCOMPARE(session_->Script().size(), size_t(3));
    QCOMPARE(session_->Script()[2], session_->Script()[1] + "x");
    QCOMPARE(page_->FocusedRow(), 2);

    // A double click edits the line in place.
    page_->FocusRow(1);
    emit page_->List()->doubleClicked(page_->List()->model()->index(1, 0));
    QCOMPARE(titles.back(), QString("Редактирование строки"));
    QCOMPARE(session_->Script().size(), size_t(3));
    QVERIFY(session_->Script()[1].ends_with("новаяx"));
    QCOMPARE(ReadScriptFile(session_->ScriptAutosaveFile()), session_->Script());

    // Without a screen the deletion question answers No.
    Update();
    Action("ScriptDel")->trigger();
    QCOMPARE(session_->Script().size(), size_t(3));
  }

  void filesThroughTheChooser() {
    WriteScriptFile(S(dir_->filePath("a.lsc")), {"FULL:0#RAND|TSD#NUMS:5", "", "EXCL:1#ALL"});
    QString kindAsked;
    QString answer = dir_->filePath("a.lsc");
    page_->SetFileChooser([&](const QString& kind) {
      kindAsked = kind;
      return answer;
    });
    Action("ScriptOpen")->trigger();
    QCOMPARE(kindAsked, QString("open"));
    QCOMPARE(page_->List()->model()->rowCount(), 3);
    Action("ScriptLoad")->trigger();
    QCOMPARE(kindAsked, QString("load"));
    QCOMPARE(page_->List()->model()->rowCount(), 7);
    answer = dir_->filePath("b.lsc");
    Update();
    Action("ScriptSave")->trigger();
    QCOMPARE(kindAsked, QString("save"));
    QCOMPARE(ReadScriptFile(S(answer)), session_->Script());
    answer.clear();  // cancelled
    Action("ScriptOpen")->trigger();
    QCOMPARE(page_->List()->model()->rowCount(), 7);
  }

  void lineEditorLoadsAndBuildsTheLine() {
    TFormScript empty(*session_, "Создание новой строки", "", 4);
    QCOMPARE(empty.windowTitle(), QString("Создание новой строки"));
    QCOMPARE(empty.DrawsExclude()->value(), 4);
    QCOMPARE(empty.StartList()->currentIndex(), 0);
    QCOMPARE(empty.StakeMode()->count(), 9);
    QCOMPARE(empty.StakeMode()->currentIndex(), 0);
    QVERIFY(!empty.ClearStakes()->isChecked());
    QCOMPARE(empty.Comment()->toolTip(), QString("Комментарии (можно оставить пустым)"));
    QCOMPARE(empty.FilterButton(7)->toolTip(), QString("Редактировать фильтр"));

    TFormScript form(*session_, "Редактирование строки",
                     "excl:7#all#nex| TSD1#NUMS:10#LNO:#SF:1 | | | | | | |Проба", 4);
    QCOMPARE(form.DrawsExclude()->value(), 7);
    QCOMPARE(form.StartList()->currentText(),
             QString("Удалить N последних тиражей (для прогнозов)"));
    QVERIFY(form.NewOnly()->isChecked());
    QCOMPARE(form.Filter(1)->text(), QString("TSD1#NUMS:10#LNO:#SF:1"));
    QCOMPARE(form.Comment()->text(), QString("Проба"));
    form.SetFilterEditor([](std::string& text) {
      text = "BMF2#SUMS:50#LMV:3#SF:1";
      return true;
    });
    form.FilterButton(2)->click();
    QCOMPARE(form.Filter(2)->text(), QString("BMF2#SUMS:50#LMV:3#SF:1"));

    form.show();
    form.Comment()->setText("Проба ✓");
    form.accept();
    QVERIFY(form.result() != QDialog::Accepted);
    QVERIFY(form.isVisible());
    form.Comment()->setText("Проба 2");
    form.accept();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(
        form.Line(),
        std::string(
            "EXCL:7#ALL#NEX|TSD1#NUMS:10#LNO:#SF:1|BMF2#SUMS:50#LMV:3#SF:1| | | | | |Проба 2"));
  }

  void filterEditorControlsAndRules() {
    std::vector<std::string> errors;
    const TStatList& list = session_->StatList();
    TFormFilter fresh(list, "", session_->DrawStatsMethod(), 321,
                      [&](const std::string& m) { errors.push_back(m); });
    QCOMPARE(fresh.Method()->currentData().toInt(), session_->DrawStatsMethod());
    QCOMPARE(fresh.DrawsLen()->text(), QString("321"));
    QCOMPARE(fresh.SortColumn()->currentIndex(), 1);
    QCOMPARE(fresh.SortColumn()->count(), 20);
    QCOMPARE(fresh.LevelMode()->count(), 32);
    QCOMPARE(fresh.StopMode()->count(), 6);
    QCOMPARE(fresh.StopValue()->value(), 1);
    QCOMPARE(fresh.FilterMode()->currentText(), QString("Удалить выделенные"));
    QVERIFY(!fresh.CdlOverride()->isEnabled());
    QVERIFY(!fresh.CoefCount()->isEnabled());
    fresh.LevelMode()->setCurrentIndex(20);
    QVERIFY(fresh.CdlOverride()->isEnabled());
    QVERIFY(!fresh.CoefCount()->isEnabled());
    fresh.CdlOverride()->setChecked(true);
    QVERIFY(fresh.CoefCount()->isEnabled());
    QVERIFY(fresh.CoefAbs()->isEnabled());
    fresh.LevelMode()->setCurrentIndex(1);
    QVERIFY(!fresh.CoefCount()->isEnabled());

    // Only digits, ",", "-" and ";" get into the range fields.
    fresh.DrawsLen()->clear();
    QTest::keyClicks(fresh.DrawsLen(), "1a0 0-;x2");
    QCOMPARE(fresh.DrawsLen()->text(), QString("100-;2"));

    fresh.show();
    fresh.DrawsLen()->setText("0");
    fresh.accept();
    QVERIFY(fresh.result() != QDialog::Accepted);
    QCOMPARE(errors.back(), std::string("Введен некорректный диапазон значений!"));
    fresh.DrawsLen()->setText("100-300;100");
    fresh.LevelValue()->setText("2");
    fresh.FilterMode()->setCurrentIndex(1);
    fresh.accept();
    QCOMPARE(fresh.result(), int(QDialog::Accepted));
    const std::string code = list.Item(session_->DrawStatsMethod()).Code();
    // The override box stays checked though disabled: its word is written.
    QCOMPARE(Q(fresh.FilterText()), Q("TSF1#" + code + ":100-300;100#LMV:2#SF:1#0:-1:1:0:0"));
    fresh.CdlOverride()->setChecked(false);
    QCOMPARE(Q(fresh.FilterText()), Q("TSF1#" + code + ":100-300;100#LMV:2#SF:1"));

    TFormFilter given(list, "BMF3#SUMS:10#WLV:1#ST:4#0.5:-1:2:1:0", -1, 1000, {});
    QCOMPARE(given.Direction()->currentText(), QString("Снизу-вверх"));
    QVERIFY(given.MultiSelect()->isChecked());
    QCOMPARE(given.SortColumn()->currentIndex(), 3);
    QCOMPARE(given.StopValue()->value(), 4);
    QVERIFY(given.CdlOverride()->isChecked());
    QCOMPARE(given.CoefCount()->value(), 0.5);
    QVERIFY(given.CoefPercents()->isChecked());
    QCOMPARE(given.FilterText(), std::string("BMF3#SUMS:10#WLV:1#ST:4#0.5:-1:2:1:0"));
  }

  void favouritesManager() {
    const int before = form_->StatsPage()->MethodSelector()->count();
    TFormFavorites form(*session_);
    QTreeWidget* view = form.View();
    QCOMPARE(form.TotalLabel()->text(),
             QString("всего %1 методов").arg(session_->StatList().Count()));
    QCOMPARE(view->topLevelItem(0)->text(0), QString("{ num } Числа тиража"));
    QVERIFY(form.Button("btnCheckAll")->isEnabled());
    QVERIFY(!form.Button("btnRename")->isEnabled());
    QVERIFY(!form.Button("btnCheckGroup")->isEnabled());

    form.Button("btnUncheckAll")->click();
    view->setCurrentItem(view->topLevelItem(1));
    QVERIFY(form.Button("btnCheckGroup")->isEnabled());
    QVERIFY(!form.Button("btnRename")->isEnabled());
    form.Button("btnCheckGroup")->click();
    for (int i = 0; i < view->topLevelItem(1)->childCount(); ++i) {
      QCOMPARE(view->topLevelItem(1)->child(i)->checkState(0), Qt::Checked);
    }
    QCOMPARE(view->topLevelItem(0)->child(0)->checkState(0), Qt::Unchecked);
    QTreeWidgetItem* sums = view->topLevelItem(1)->child(0);  // SUMS leads its group
    const QString caption = sums->text(0);
    view->setCurrentItem(sums);
    QVERIFY(form.Button("btnRename")->isEnabled());
    form.SetRenameInput(
        [](const QString& current) -> std::optional<QString> { return current + " (моя)"; });
    form.Button("btnRename")->click();
    QCOMPARE(sums->text(0), caption + " (моя)");
    // A click on a method line toggles it.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(sums).center());
    QCOMPARE(sums->checkState(0), Qt::Unchecked);

    session_->ApplyFavorites(form.Tree());
    const TStatList& list = session_->StatList();
    QVERIFY(!list.AllFavorites);
    QCOMPARE(Q(list.Item(list.FindByCode("SUMS")).UserCaption), caption + " (моя)");
    QVERIFY(!list.Item(list.FindByCode("SUMS")).Favorite);
    QVERIFY(list.Item(list.FindByCode("SUM1")).Favorite);
    // The statistics page lists the favourites only, the first one chosen.
    QCOMPARE(form_->StatsPage()->MethodSelector()->count(), int(DrawStatsMethodItems(list).size()));
    QVERIFY(form_->StatsPage()->MethodSelector()->count() < before);
    QCOMPARE(form_->StatsPage()->MethodSelector()->currentIndex(), 0);
  }

  void descriptionWindowIsBlankWithoutAHelpFile() {
    TFormDescription form(*session_, session_->MethodHelpLink(0));
    QCOMPARE(form.windowTitle(), QString("Описание методики расчета"));
    QVERIFY(form.Link().isEmpty());
    QVERIFY(form.Browser()->toPlainText().isEmpty());
    form.show();
    form.move(40, 50);
    form.reject();
    QVERIFY(session_->WindowSettings().SectionExists("TFormDescription"));
    Update();
    QVERIFY(Action("StatsDescription")->isEnabled());
  }

 private:
  QAction* Action(const char* name) { return form_->Actions().Find(name); }
  void Update() { form_->Actions().UpdateAll(); }

  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
  TScriptPage* page_ = nullptr;
};

static TUiTestRegistration registration([] { return new TScriptPageTest; });

}  // namespace vetrilo::test

#include "script_page_test.moc"
