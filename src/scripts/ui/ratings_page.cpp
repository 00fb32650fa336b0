#include "scripts/ui/ratings_page.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "core/errors.h"
#include "scripts/ratings.h"
#include "services/ui/table_export.h"
#include "stakes/ui/form_graph.h"

namespace vetrilo {

TRatingsModel::TRatingsModel(TAppSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int TRatingsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TRatingsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kRatingColumns;
}

QVariant TRatingsModel::data(const QModelIndex& index, int role) const {
  const TRatings& ratings = session_.StakeBook().Ratings;
  if (!index.isValid() || index.row() >= ratings.Count()) return {};
  if (role == Qt::DisplayRole) {
    return Q(RatingCell(ratings.Item(index.row()), index.column(), session_.RatingsEffMode()));
  }
  if (role == Qt::TextAlignmentRole) {
    return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  }
  return {};
}

QVariant TRatingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kRatingColumns) {
    return {};
  }
  return Q(RatingColumnCaptions()[size_t(section)]);
}

void TRatingsModel::Reload() {
  beginResetModel();
  rows_ = session_.StakeBook().Ratings.Count();
  endResetModel();
}

TRatingsPage::TRatingsPage(TAppSession& session, TActionList& actions, QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("tsRatings");
  AddToScript = [](const std::vector<std::string>&) {};
  ChooseCsvFile = [this] {
    QString path = QFileDialog::getSaveFileName(this, QTr("Экспорт рейтинга в CSV-файл"), QString(),
                                                QTr("CSV-файлы (*.csv)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ".csv";
    return path;
  };
  ShowGraph = [this](const QString& title, const TGraphData& data) {
    TFormGraph graph(title, data, this);
    graph.exec();
  };
  model_ = new TRatingsModel(session_, this);
  list_ = new QTableView;
  list_->setObjectName("lvRatings");
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(20);
  list_->horizontalHeader()->setDefaultSectionSize(76);
  list_->setColumnWidth(0, 230);
  for (int k = 6; k <= 10; ++k) list_->setColumnWidth(k, 44);
  list_->setWordWrap(false);
  list_->horizontalHeader()->setSortIndicatorShown(true);
  connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    if (!session_.Busy()) session_.SortRatingsBy(column);
    // The header moved its arrow on the click; the list's own sort decides.
    ShowSortIndicator();
  });
  CreateActions();
  connect(list_, &QAbstractItemView::doubleClicked, this, [this] {
    if (QAction* a = actions_.Find("RatingsGraphOverlap"); a && !session_.Busy()) a->trigger();
  });
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);
  for (QAction* a : commands_) list_->addAction(a);
  auto* bar = new QToolBar;
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name : {"RatingsRefresh", "RatingsExport", "RatingsXlsExport", "RatingsToScript",
                           "", "RatingsGraphOverlap", "StakesGraphOverlap", "StakesGraphProfits",
                           "", "RatingsEffMode0", "RatingsEffMode1", "RatingsEffMode2"}) {
    if (*name == '\0') {
      bar->addSeparator();
    } else {
      bar->addAction(actions_.Find(name));
    }
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(bar);
  layout->addWidget(list_, 1);
  model_->Reload();
}

std::vector<int> TRatingsPage::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : list_->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TRatingsPage::CreateActions() {
  TActionList& a = actions_;
  TAppSession& s = session_;
  auto selected = [this] { return list_->selectionModel()->hasSelection(); };
  commands_ << a.Add(
      "RatingsRefresh", QTr("Обновить рейтинг"), QTr("Пересчитать рейтинг по текущим ставкам"),
      [&s] { s.RefreshRatings(); }, [&s] { return s.StakesOpen(); });
  commands_ << a.Add(
      "RatingsExport", QTr("Экспорт рейтинга в CSV-файл"), QTr("Экспорт рейтинга в CSV-файл"),
      [this] { RatingsExportExecute(); }, [&s] { return s.StakeBook().Ratings.Count() > 0; });
  commands_ << AddTableExportAction(
      a, s, this, "RatingsXlsExport", QTr("Экспорт рейтинга в Microsoft Excel"),
      [this] { return ListViewExportSource(list_, "lvRatings"); }, QTr("Рейтинг"),
      [&s] { return s.StakeBook().Ratings.Count() > 0; });
  commands_ << a.Add(
      "RatingsToScript", QTr("Добавить в сценарий"), QTr("Добавить выделенные варианты в сценарий"),
      [this] { AddToScript(session_.RatingLabels(SelectedRows())); }, selected);
  commands_ << a.Add(
      "RatingsGraphOverlap", QTr("Количество совпадений"),
      QTr("Количество совпадений выделенных вариантов"),
      [this] {
        GraphExecute(QTr("Количество совпадений выделенных вариантов"),
                     [this] { return session_.RatingsOverlapChartData(SelectedRows()); });
      },
      selected);
  commands_ << a.Add(
      "StakesGraphOverlap", QTr("График совпадений ставок"),
      QTr("График совпадений ставок выделенных вариантов"),
      [this] {
        GraphExecute(QTr("График совпадений ставок выделенных вариантов"),
                     [this] { return session_.RatedStakesChartData(SelectedRows(), true); });
      },
      [&s, selected] { return s.HasStakes() && selected(); });
  commands_ << a.Add(
      "StakesGraphProfits", QTr("График профита ставок"),
      QTr("График профита ставок выделенных вариантов"),
      [this] {
        GraphExecute(QTr("График профита ставок выделенных вариантов"),
                     [this] { return session_.RatedStakesChartData(SelectedRows(), false); });
      },
      [&s, selected] { return s.HasStakes() && selected(); });
  auto* group = new QActionGroup(this);
  const char* captions[3] = {"Ожидаемые значения совпадений", "Абсолютные значения эффективности",
                             "Относительные значения эффективности"};
  const char* hints[3] = {"Показывать расчетные значения количества совпадений",
                          "Показывать абсолютные изменения эффективности ставок",
                          "Показывать относительные изменения эффективности ставок"};
  for (int mode = 0; mode < 3; ++mode) {
    QAction* action = a.Add(QString("RatingsEffMode%1").arg(mode), QTr(captions[mode]),
                            QTr(hints[mode]), [&s, mode] { s.SetRatingsEffMode(mode); });
    action->setCheckable(true);
    action->setChecked(s.RatingsEffMode() == mode);
    group->addAction(action);
    commands_ << action;
  }
}

void TRatingsPage::FillMenu(QMenu* menu) const {
  for (QAction* action : commands_) {
    const QString name = action->objectName();
    if (name == "RatingsGraphOverlap" || name == "RatingsEffMode0") menu->addSeparator();
    menu->addAction(action);
  }
}

void TRatingsPage::GraphExecute(const QString& title, const std::function<TGraphData()>& build) {
  TGraphData data;
  try {
    data = build();
  } catch (const EVetrilo& e) {
    session_.ShowError(e.Message());
    return;
  }
  ShowGraph(title, data);
}

void TRatingsPage::RatingsExportExecute() {
  const QString path = ChooseCsvFile();
  if (path.isEmpty()) return;
  const QString point = QLocale().decimalPoint();
  session_.ExportRatingsCsv(S(path), point == "," ? ',' : '.');
}

void TRatingsPage::ShowSortIndicator() {
  const TStakeBook& book = session_.StakeBook();
  list_->horizontalHeader()->setSortIndicator(
      book.SortColumn, book.SortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TRatingsPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeRatings) {
    model_->Reload();
    ShowSortIndicator();
  }
  if (changes & kChangeOptions) {
    if (QAction* mode = actions_.Find(QString("RatingsEffMode%1").arg(session_.RatingsEffMode()))) {
      mode->setChecked(true);
    }
  }
}

}  // namespace vetrilo
