#include "acquire/ui/draw_actions.h"

#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QVBoxLayout>
#include <algorithm>

#include "acquire/draw_edit.h"
#include "acquire/ui/form_draw.h"
#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "core/errors.h"
#include "net/ui/form_proxy.h"
#include "services/ui/table_export.h"

namespace vetrilo {

namespace {
const char* const kCsvFilter = "Файлы тиражей (*.csv)";
}

TDrawActions::TDrawActions(TAppSession& session, TActionList& actions, QTableView* drawList,
                           QWidget* window)
    : QObject(window), session_(session), actions_(actions), drawList_(drawList), window_(window) {
  drawList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  wait_ = new QDialog(window_, Qt::Dialog | Qt::FramelessWindowHint);
  wait_->setObjectName("FormWait");
  auto* layout = new QVBoxLayout(wait_);
  layout->setContentsMargins(24, 18, 24, 18);
  waitText_ = new QLabel;
  waitText_->setAlignment(Qt::AlignCenter);
  waitText_->setMinimumWidth(300);
  layout->addWidget(waitText_);
  session_.SetWaitWindow([this](std::string_view text) { ShowWait(text); });
  CreateActions();
  drawList_->setContextMenuPolicy(Qt::ActionsContextMenu);
  for (const char* name : {"DrawsAdd", "DrawsEdit", "DrawsDel", "DrawsXlsExport"}) {
    drawList_->addAction(actions_.Find(name));
  }
  // A double click is "Сведения о тираже" (the analysis tabs); editing has its own action.
}

TDrawActions::~TDrawActions() {
  session_.SetWaitWindow({});
}

void TDrawActions::ShowWait(std::string_view text) {
  if (text.empty()) {
    wait_->hide();
    return;
  }
  waitText_->setText(QMessage(text));
  if (!wait_->isVisible()) {
    wait_->adjustSize();
    wait_->show();
  }
  QCoreApplication::processEvents();
}

void TDrawActions::CreateActions() {
  TActionList& a = actions_;
  a.Add(
      "DrawsDownload", QTr("Загрузка"), QTr("Загрузка архива тиражей с сайта лотереи"),
      [this] { session_.DrawsDownloadExecute(); }, {}, QKeySequence(Qt::Key_F3));
  a.Add("DrawsImport", QTr("Импорт из CSV-файла"), QTr("Импорт списка тиражей из CSV-файла"),
        [this] { ImportExecute(); });
  a.Add(
      "DrawsExport", QTr("Экспорт в CSV-файл"), QTr("Экспорт списка тиражей в CSV-файл"),
      [this] { ExportExecute(); }, [this] { return session_.Archive().Count() > 0; });
  AddTableExportAction(
      a, session_, window_, "DrawsXlsExport", QTr("Экспорт в Microsoft Excel"),
      [this] { return ListViewExportSource(drawList_, "lvDraws"); }, QTr("Архив тиражей"),
      [this] { return session_.Archive().Count() > 0; });
  a.Add("DrawsAdd", QTr("Добавить"), QTr("Добавить данные тиража вручную"),
        [this] { AddExecute(); });
  a.Add(
      "DrawsEdit", QTr("Изменить"), QTr("Изменить данные тиража вручную"),
      [this] { EditExecute(); }, [this] { return !SelectedRows().empty(); });
  a.Add(
      "DrawsDel", QTr("Удалить"), QTr("Удалить выделенные тиражи из списка"),
      [this] {
        if (session_.DeleteDraws(SelectedRows(), true)) drawList_->clearSelection();
      },
      [this] { return !SelectedRows().empty(); });
  a.Add("EditProxy", QTr("Параметры proxy-сервера"), QTr("Параметры proxy-сервера"),
        [this] { EditProxyExecute(); });
  const char* const captions[] = {"По запросу (по умолчанию)", "Автоматически", "Отключено"};
  const char* const hints[] = {"Спросить пользователя",
                               "Автоматическая загрузка тиражей при запуске программы",
                               "Без автоматической загрузки при запуске программы"};
  auto* group = new QActionGroup(this);
  for (int mode = 0; mode < 3; ++mode) {
    QAction* action = a.Add(QString("AutoDownload%1").arg(mode), QTr(captions[mode]),
                            QTr(hints[mode]), [this, mode] {
                              session_.SetDownloadDrawsOnStart(mode);
                              UpdateStartChoice();
                            });
    action->setCheckable(true);
    group->addAction(action);
  }
  UpdateStartChoice();
}

void TDrawActions::UpdateStartChoice() {
  for (int mode = 0; mode < 3; ++mode) {
    actions_.Find(QString("AutoDownload%1").arg(mode))
        ->setChecked(session_.DownloadDrawsOnStart() == mode);
  }
}

void TDrawActions::FillMenu(QMenu* menu) {
  UpdateStartChoice();
  menu->addAction(actions_.Find("DrawsDownload"));
  menu->addAction(actions_.Find("DrawsImport"));
  menu->addAction(actions_.Find("DrawsExport"));
  menu->addAction(actions_.Find("DrawsXlsExport"));
  menu->addSeparator();
  menu->addAction(actions_.Find("DrawsAdd"));
  menu->addAction(actions_.Find("DrawsEdit"));
  menu->addAction(actions_.Find("DrawsDel"));
  menu->addSeparator();
  QMenu* start = menu->addMenu(QTr("Загрузка тиражей при запуске"));
  start->setObjectName("MenuAutoDownload");
  for (int mode = 0; mode < 3; ++mode) {
    start->addAction(actions_.Find(QString("AutoDownload%1").arg(mode)));
  }
  menu->addSeparator();
}

std::vector<int> TDrawActions::SelectedRows() const {
  std::vector<int> rows;
  if (!drawList_->selectionModel()) return rows;
  for (const QModelIndex& index : drawList_->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TDrawActions::OpenApplying(QDialog* dialog, std::function<void()> apply) {
  connect(dialog, &QDialog::finished, this, [this, dialog, apply](int result) {
    if (result == QDialog::Accepted) {
      try {
        apply();
      } catch (const EVetrilo& e) {
        session_.ShowError(e.Message());
        dialog->open();
        return;
      }
    }
    dialog->deleteLater();
  });
  dialog->open();
}

void TDrawActions::AddExecute() {
  TDrawRec draw;
  draw.Number = NextNewDrawNumber(session_.Archive());
  auto* dialog = new TFormDraw(
      draw, [this](const std::string& text) { session_.ShowError(text); }, window_);
  OpenApplying(dialog, [this, dialog] { session_.AddDraw(dialog->Draw()); });
}

void TDrawActions::EditExecute() {
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  const int row = rows.front();
  const TDrawArchive& archive = session_.Archive();
  const TDrawRec draw = archive.GetDraw(archive.High() - row, false);
  auto* dialog = new TFormDraw(
      draw, [this](const std::string& text) { session_.ShowError(text); }, window_);
  OpenApplying(dialog, [this, dialog, row] { session_.EditDraw(row, dialog->Draw()); });
}

void TDrawActions::ImportExecute() {
  const QString path =
      QFileDialog::getOpenFileName(window_, QTr("Импорт из CSV-файла"), QString(), QTr(kCsvFilter));
  if (!path.isEmpty()) session_.ImportDraws(S(path));
}

void TDrawActions::ExportExecute() {
  QFileDialog dialog(window_, QTr("Экспорт в CSV-файл"), QString(), QTr(kCsvFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("csv");
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    session_.ExportDraws(S(dialog.selectedFiles().front()));
  }
}

void TDrawActions::EditProxyExecute() {
  auto* dialog = new TFormProxy(session_.Proxy(), window_);
  OpenApplying(dialog, [this, dialog] {
    session_.ApplyProxySettings(dialog->Choice(), dialog->Server(), dialog->Port(),
                                dialog->Username(), dialog->Password());
  });
}

}  // namespace vetrilo
