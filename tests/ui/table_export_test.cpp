#include "services/ui/table_export.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "app/app_session.h"
#include "app/draw_list_view.h"
#include "app/ui/desktop_open.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "services/ui/form_export.h"
#include "services/xlsx_reader.h"
#include "ui_tests.h"
#include "views/ui/analysis_tabs.h"
#include "views/ui/card_page.h"

namespace vetrilo::test {

class TTableExportTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(25, 3)));
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
    opened_.clear();
    runDialog_ = TTableExport::RunDialog;
    chooseFile_ = TTableExport::ChooseFile;
    openFile_ = TDesktopOpen::Open;
    TTableExport::ChooseFile = [this](QWidget*, const QString& suggested) {
      suggested_ = suggested;
      return dir_->filePath("out.xlsx");
    };
    TDesktopOpen::Open = [this](const QUrl& url) {
      opened_ << url.toLocalFile();
      return openWorks_;
    };
    openWorks_ = true;
  }
  void cleanup() {
    TTableExport::RunDialog = runDialog_;
    TTableExport::ChooseFile = chooseFile_;
    TDesktopOpen::Open = openFile_;
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void everyTableHasItsExportAction() {
    const std::pair<const char*, const char*> actions[] = {
        {"CombsXlsExport", "Экспорт в Microsoft Excel"},
        {"DrawsXlsExport", "Экспорт в Microsoft Excel"},
        {"DrawsStatExportToExcel", "Экспорт статистики в Microsoft Excel"},
        {"RatingsXlsExport", "Экспорт рейтинга в Microsoft Excel"},
        {"CardXlsExport", "Экспорт карты тиражей в Microsoft Excel"},
        {"LayoutXlsExport", "Экспорт схемы в Microsoft Excel"},
        {"StakesXlsExport", "Экспорт ставок в Microsoft Excel"},
    };
    form_->Actions().UpdateAll();
    for (const auto& [name, caption] : actions) {
      QAction* action = form_->Actions().Find(name);
      QVERIFY2(action, name);
      QCOMPARE(action->text(), QString(caption));
    }
    QVERIFY(form_->Actions().Find("DrawsXlsExport")->isEnabled());
    QVERIFY(form_->Actions().Find("CombsXlsExport")->isEnabled());
    QVERIFY(!form_->Actions().Find("StakesXlsExport")->isEnabled());
    QVERIFY(!form_->Actions().Find("RatingsXlsExport")->isEnabled());
  }

  void theDialogEditsTheReportAndRemembersIt() {
    // What the dialog showed on each run (checked after it closed).
    struct TSeen {
      QString Title, Sheet, RowCount, LastField, FirstField, FirstAlignment;
      int FontSize = 0, SendMode = -1, Fields = 0;
      bool CreateTime = false, LastChecked = true;
    };
    std::vector<TSeen> seen;
    auto look = [](TFormExport& d) {
      QTreeWidget* list = d.FieldList();
      QTreeWidgetItem* last = list->topLevelItem(list->topLevelItemCount() - 1);
      return TSeen{d.TitleEdit()->text(),
                   d.SheetEdit()->text(),
                   d.RowCountLabel()->text(),
                   last->text(0),
                   list->topLevelItem(0)->text(0),
                   list->topLevelItem(0)->text(1),
                   d.FontSizeBox()->value(),
                   d.SendModeBox()->currentIndex(),
                   list->topLevelItemCount(),
                   d.CreateTimeBox()->isChecked(),
                   last->checkState(0) == Qt::Checked};
    };
    TSeen afterUncheck, afterEdit;
    TTableExport::RunDialog = [&](TFormExport& d) {
      seen.push_back(look(d));
      if (seen.size() > 1) return true;
      QTreeWidget* list = d.FieldList();
      // Unchecking "№" sends it to the end once its own signal is over.
      list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
      QCoreApplication::processEvents();
      afterUncheck = look(d);
      // The date column up to the top, with a caption of its own.
      list->setCurrentItem(list->topLevelItem(6));
      for (int i = 0; i < 6; ++i) d.MoveCurrent(-1);
      d.RunFieldDialog = [](TFormExportField& field) {
        field.CaptionEdit()->setText("Когда");
        field.AlignmentBox()->setCurrentIndex(2);
        field.WidthEdit()->setText("14");
        return true;
      };
      d.EditCurrent();
      afterEdit = look(d);
      d.TitleEdit()->setText("Мой отчет");
      d.CreateTimeBox()->setChecked(false);
      return true;
    };
    form_->Actions().UpdateAll();
    form_->Actions().Find("DrawsXlsExport")->trigger();
    QCOMPARE(seen.size(), size_t(1));
    QCOMPARE(seen[0].Title, QString("Архив тиражей"));
    QCOMPARE(seen[0].Sheet, QString("Архив тиражей"));
    QCOMPARE(seen[0].FontSize, 8);
    QCOMPARE(seen[0].SendMode, 0);
    QCOMPARE(seen[0].RowCount, QString("25"));
    QCOMPARE(seen[0].Fields, int(TDrawListView::kColumnCount));
    QVERIFY(seen[0].CreateTime);
    QCOMPARE(afterUncheck.LastField, Q(TDrawListView::Captions()[0]));
    QVERIFY(!afterUncheck.LastChecked);
    QCOMPARE(afterEdit.FirstField, QString("Когда"));
    QCOMPARE(afterEdit.FirstAlignment, QString("по центру"));
    QCOMPARE(opened_, QStringList{dir_->filePath("out.xlsx")});
    QVERIFY(suggested_.endsWith("/Мой отчет.xlsx"));
    TXlsxSheet sheet = TXlsxSheet::Read(S(dir_->filePath("out.xlsx")));
    QCOMPARE(sheet.At("A1").Text, std::string("Мой отчет"));
    QCOMPARE(sheet.At("A3").Text, std::string("Когда"));
    QCOMPARE(sheet.At("A3").Horizontal, std::string("center"));
    QCOMPARE(sheet.At("B3").Text, TDrawListView::Captions()[1]);
    // The newest draw first, as the list shows it.
    const TDrawListView view(session_->Archive(), 0, false, false, 0);
    QCOMPARE(sheet.At("A4").Text, view.Text(0, TDrawListView::kDate));
    QVERIFY(sheet.Has("A28"));
    QVERIFY(!sheet.Has("A29"));
    QVERIFY(!sheet.Has("H3"));

    QTableView* list = form_->DrawList();
    list->selectionModel()->clearSelection();
    for (int row : {2, 3, 7}) {
      list->selectionModel()->select(list->model()->index(row, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    form_->Actions().Find("DrawsXlsExport")->trigger();
    QCOMPARE(seen.size(), size_t(2));
    // The stored parameters come back; the title is the caller's again.
    QCOMPARE(seen[1].Title, QString("Архив тиражей"));
    QVERIFY(!seen[1].CreateTime);
    QCOMPARE(seen[1].FirstField, QString("Когда"));
    QVERIFY(!seen[1].LastChecked);
    QCOMPARE(seen[1].SendMode, 1);  // three rows selected
    QCOMPARE(seen[1].RowCount, QString("3"));
    sheet = TXlsxSheet::Read(S(dir_->filePath("out.xlsx")));
    QCOMPARE(sheet.At("A4").Text, view.Text(2, TDrawListView::kDate));
    QCOMPARE(sheet.At("A6").Text, view.Text(7, TDrawListView::kDate));
    QVERIFY(!sheet.Has("A7"));
  }

  void cancelledDialogOrFileWritesNothing() {
    TTableExport::RunDialog = [](TFormExport&) { return false; };
    form_->Actions().Find("CombsXlsExport")->trigger();
    QVERIFY(!FileExists(S(dir_->filePath("out.xlsx"))));
    TTableExport::RunDialog = [](TFormExport& d) {
      d.TitleEdit()->setText("T");
      return true;
    };
    TTableExport::ChooseFile = [](QWidget*, const QString&) { return QString(); };
    form_->Actions().Find("CombsXlsExport")->trigger();
    QVERIFY(!FileExists(S(dir_->filePath("out.xlsx"))));
    QVERIFY(opened_.isEmpty());
    // The confirmed dialog's parameters are kept all the same.
    const TIniData ini = TIniFile(S(dir_->filePath("Vetrilo_4d47.ini"))).Load();
    QCOMPARE(ini.ReadString("EXPORT_EXCEL_FORMMAIN.LVCOMBS", "Title", ""), std::string("T"));
  }

  void gridsTakeTheirHeadingRow() {
    QTableView* grid = form_->AnalysisTabs()->CardPage()->Grid();
    form_->WorkTabs()->setCurrentWidget(form_->AnalysisTabs()->CardPage());
    form_->Actions().UpdateAll();
    QAbstractItemModel* model = grid->model();
    QVERIFY(model->columnCount() > 2);
    QVERIFY(form_->Actions().Find("CardXlsExport")->isEnabled());
    QString caption, rows;
    TTableExport::RunDialog = [&](TFormExport& d) {
      caption = d.FieldList()->topLevelItem(1)->text(0);
      rows = d.RowCountLabel()->text();
      return true;
    };
    form_->Actions().Find("CardXlsExport")->trigger();
    QCOMPARE(caption, model->index(0, 1).data().toString());
    QCOMPARE(rows, QString::number(model->rowCount() - 1));
    const TXlsxSheet sheet = TXlsxSheet::Read(S(dir_->filePath("out.xlsx")));
    QCOMPARE(sheet.At("A1").Text, std::string("Карта"));
    QCOMPARE(Q(sheet.At("B4").Text), model->index(0, 1).data().toString());
    QCOMPARE(Q(sheet.At("A5").Text), model->index(1, 0).data().toString());
  }

  void aWorkbookNoProgramOpensIsReported() {
    struct TMessages : TUiHooks {
      std::vector<std::string> Texts;
      void SetStatus(std::string_view) override {}
      void ShowMessage(TMessageKind, std::string_view text) override { Texts.emplace_back(text); }
      bool Ask(std::string_view) override { return false; }
    } messages;
    session_->SetHooks(messages);
    openWorks_ = false;
    TTableExport::RunDialog = [](TFormExport&) { return true; };
    form_->Actions().Find("DrawsXlsExport")->trigger();
    session_->SetHooks(hooks_);
    QVERIFY(FileExists(S(dir_->filePath("out.xlsx"))));
    QCOMPARE(messages.Texts, std::vector<std::string>{"Отчет сохранен в файле \"" +
                                                      S(dir_->filePath("out.xlsx")) + "\"."});
  }

  void parameterFilesFromTheDialog() {
    TExportSource source = ListViewExportSource(form_->DrawList(), "lvDraws");
    TFormExport dialog(*session_, source, session_->PrepareExport(source, "A", "A"));
    const QString exp = dir_->filePath("draws.exp");
    dialog.ChooseParamsFile = [&](bool) { return exp; };
    dialog.FontSizeBox()->setValue(13);
    dialog.TitleEdit()->setText("Из файла");
    dialog.SaveToFile();
    QVERIFY(FileExists(S(exp)));
    dialog.FontSizeBox()->setValue(9);
    dialog.TitleEdit()->setText("Другой");
    dialog.LoadFromFile();
    QCOMPARE(dialog.FontSizeBox()->value(), 13);
    QCOMPARE(dialog.TitleEdit()->text(), QString("Из файла"));
  }

 private:
  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
  QStringList opened_;
  bool openWorks_ = true;
  QString suggested_;
  std::function<bool(TFormExport&)> runDialog_;
  std::function<QString(QWidget*, const QString&)> chooseFile_;
  std::function<bool(const QUrl&)> openFile_;
};

static TUiTestRegistration kRegistration([] { return new TTableExportTest; });

}  // namespace vetrilo::test

#include "table_export_test.moc"
