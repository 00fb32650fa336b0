#include "stakes/ui/stakes_page.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "core/errors.h"
#include "services/ui/table_export.h"
#include "stakes/stake_grid.h"
#include "stakes/ui/form_graph.h"
#include "stakes/ui/stake_dialogs.h"
#include "workspace/ui/combs_page.h"

namespace vetrilo {

TStakeGridModel::TStakeGridModel(TAppSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int TStakeGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TStakeGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kStakeColumns;
}

QVariant TStakeGridModel::data(const QModelIndex& index, int role) const {
  const TStakeFile& file = session_.StakeBook().File;
  if (!index.isValid() || index.row() >= file.Count()) return {};
  const TStakeRec r = TStakeRec::FromBytes(file.RecordBytes(index.row()));
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return Q(StakeCell(r, column));
    case Qt::TextAlignmentRole: {
      const TCellAlign a = StakeColumnAlign(column);
      return int((a == TCellAlign::Left    ? Qt::AlignLeft
                  : a == TCellAlign::Right ? Qt::AlignRight
                                           : Qt::AlignHCenter) |
                 Qt::AlignVCenter);
    }
    case Qt::BackgroundRole: {
      const int64_t color = StakeRowColor(r);
      return color < 0 ? QVariant() : QVariant(QRgbColor(uint32_t(color)));
    }
    case Qt::ForegroundRole: {
      const int64_t color = StakeCellTextColor(r, column);
      return color < 0 ? QVariant() : QVariant(QRgbColor(uint32_t(color)));
    }
    default:
      return {};
  }
}

QVariant TStakeGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kStakeColumns) {
    return {};
  }
  return Q(StakeColumnCaptions()[size_t(section)]);
}

void TStakeGridModel::Reload() {
  beginResetModel();
  rows_ = static_cast<int>(session_.StakeBook().File.Count());
  endResetModel();
}

void TStakeNumbersDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  const TStakeFile& file = session_.StakeBook().File;
  if (index.row() >= file.Count()) return QStyledItemDelegate::paint(painter, option, index);
  const TStakeRec r = TStakeRec::FromBytes(file.RecordBytes(index.row()));
  const std::vector<TStakeNumberPiece> pieces = StakeNumberPieces(r, index.column());
  QStyleOptionViewItem plain = option;
  initStyleOption(&plain, index);
  plain.text.clear();
  QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter);
  if (pieces.empty()) return;
  QFont bold = option.font;
  bold.setBold(true);
  const QFontMetrics normalMetrics(option.font), boldMetrics(bold);
  int width = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const QString text = Q(pieces[i].Text) + (i + 1 < pieces.size() ? ";" : "");
    width += (pieces[i].Matched ? boldMetrics : normalMetrics).horizontalAdvance(text);
  }
  int x = option.rect.left() + std::max(2, (option.rect.width() - width) / 2);
  painter->save();
  const bool selected = option.state & QStyle::State_Selected;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const QString number = Q(pieces[i].Text);
    painter->setFont(pieces[i].Matched ? bold : option.font);
    painter->setPen(pieces[i].Matched ? QRgbColor(uint32_t(kMatchedNumberColor))
                    : selected        ? option.palette.highlightedText().color()
                                      : option.palette.text().color());
    const QFontMetrics& m = pieces[i].Matched ? boldMetrics : normalMetrics;
    painter->drawText(
        QRect(x, option.rect.top(), m.horizontalAdvance(number), option.rect.height()),
        Qt::AlignVCenter, number);
    x += m.horizontalAdvance(number);
    if (i + 1 < pieces.size()) {
      painter->setFont(option.font);
      painter->setPen(selected ? option.palette.highlightedText().color()
                               : option.palette.text().color());
      painter->drawText(
          QRect(x, option.rect.top(), normalMetrics.horizontalAdvance(";"), option.rect.height()),
          Qt::AlignVCenter, ";");
      x += normalMetrics.horizontalAdvance(";");
    }
  }
  painter->restore();
}

TStakesPage::TStakesPage(TAppSession& session, TActionList& actions, TCombsPage& combs,
                         QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions), combs_(combs) {
  setObjectName("tsStakes");
  RunStakeDialog = [](TFormStake& d) { return d.exec() == QDialog::Accepted; };
  RunMultiDialog = [](TFormMulti& d) { return d.exec() == QDialog::Accepted; };
  RunFilterDialog = [this](TStakeCondition& condition, int& value) {
    TFormStakeFilter dialog(this);
    if (dialog.exec() != QDialog::Accepted) return false;
    condition = dialog.Condition();
    value = dialog.Value();
    return true;
  };
  ShowGraph = [this](const QString& title, const TGraphData& data) {
    TFormGraph graph(title, data, this);
    graph.exec();
  };
  model_ = new TStakeGridModel(session_, this);
  grid_ = new QTableView;
  grid_->setObjectName("sgStakes");
  grid_->setModel(model_);
  grid_->setItemDelegateForColumn(2, new TStakeNumbersDelegate(session_, grid_));
  grid_->setItemDelegateForColumn(4, new TStakeNumbersDelegate(session_, grid_));
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(20);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setWordWrap(false);
  const int widths[] = {70, 80, 110, 70, 120, 80, 90, 80};
  for (int c = 0; c < 8; ++c) grid_->setColumnWidth(c, widths[c]);
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
  CreateActions();
  auto* bar = new QToolBar;
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name :
       {"StakeAdd", "StakeAddRandom", "", "StakeDel", "StakeFilter", "StakeClear", "",
        "StakesCheckManual", "StakesGraphDraws", "StakesXlsExport"}) {
    if (*name == '\0') {
      bar->addSeparator();
    } else {
      bar->addAction(actions_.Find(name));
    }
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(bar);
  layout->addWidget(grid_, 1);
  for (QAction* a : commands_) grid_->addAction(a);
  model_->Reload();
}

void TStakesPage::CreateActions() {
  TActionList& a = actions_;
  TAppSession& s = session_;
  auto focused = [this]() -> TComb {
    const QModelIndex i = combs_.CombList()->currentIndex();
    return i.isValid() && i.row() < session_.Combs().Count()
               ? session_.Combs().Combs()[size_t(i.row())]
               : 0;
  };
  commands_ << a.Add(
      "StakeAdd", QTr("Сделать ставку"), QTr("Сделать ставку"),
      [this, focused] { StakeAddExecute(focused()); }, [&s] { return s.StakesOpen(); });
  commands_ << a.Add(
      "StakeAddRandom", QTr("Сделать случайную ставку"), QTr("Сделать случайную ставку"),
      [this] { StakeAddExecute(session_.RandomComb()); },
      [&s] { return s.StakesOpen() && s.Combs().Count() > 0; });
  commands_ << a.Add(
      "StakeAddSelected", QTr("Сделать ставки для выделенных комбинаций"),
      QTr("Сделать ставки для выделенных комбинаций"), [this] { StakeMultiExecute(false); },
      [this] {
        return session_.StakesOpen() && combs_.CombList()->selectionModel()->hasSelection();
      });
  commands_ << a.Add(
      "StakeAddAll", QTr("Сделать ставки для всех комбинаций"),
      QTr("Сделать ставки для всех комбинаций"), [this] { StakeMultiExecute(true); },
      [&s] { return s.StakesOpen() && s.Combs().Count() > 0; });
  commands_ << a.Add(
      "StakeDel", QTr("Удалить ставку"), QTr("Удалить выделенные ставки"),
      [this] {
        const auto [first, last] = SelectedRows();
        if (first > 0) session_.DeleteStakeRows(first, last);
      },
      [this] { return SelectedRows().first > 0; });
  commands_ << a.Add(
      "StakeFilter", QTr("Удалить по условию"), QTr("Удалить ставки по количеству совпадений"),
      [this] { StakeFilterExecute(); }, [&s] { return s.HasStakes(); });
  commands_ << a.Add(
      "StakeClear", QTr("Удалить все ставки"), QTr("Удалить все ставки"), [&s] { s.ClearStakes(); },
      [&s] { return s.HasStakes(); });
  commands_ << AddTableExportAction(
      a, s, this, "StakesXlsExport", QTr("Экспорт ставок в Microsoft Excel"),
      [this] { return HeaderGridExportSource(grid_, "sgStakes"); }, QTr("Ставки"),
      [&s] { return s.HasStakes(); });
  commands_ << a.Add(
      "StakesCheckManual", QTr("Проверить ставки"), QTr("Проверить результаты ставок"),
      [&s] { s.CheckStakes(); }, [&s] { return s.HasStakes(); });
  QAction* scroll = a.Add("StakesScroll", QTr("Прокручивать список при добавлении"),
                          QTr("Прокручивать список ставок к последней при добавлении"),
                          [&s] { s.SetStakesScrollEnabled(!s.StakesScrollEnabled()); });
  scroll->setCheckable(true);
  commands_ << scroll;
  commands_ << a.Add(
      "StakesGraphDraws", QTr("Суммарный профит по тиражам"),
      QTr("Суммарный профит ставок по тиражам"),
      [this] {
        GraphExecute(QTr("Суммарный профит ставок по тиражам"),
                     [this] { return session_.ProfitChartData(); });
      },
      [&s] { return s.HasStakes(); });
  QAction* logs =
      a.Add("LogStakes", QTr("Журналы ставок"), QTr("Записывать проверенные ставки в журналы"),
            [&s] { s.SetStakesLogEnabled(!s.StakesLogEnabled()); });
  logs->setCheckable(true);
  commands_ << logs;
  commands_ << a.Add("LogStakesDelete", QTr("Удалить журналы ставок"),
                     QTr("Удалить журналы ставок"), [&s] { s.DeleteStakeLogs(); });
  connect(combs_.CombList(), &QAbstractItemView::doubleClicked, this, [this, focused] {
    if (!session_.Busy() && session_.StakesOpen()) StakeAddExecute(focused());
  });
}

void TStakesPage::FillMenu(QMenu* menu) const {
  for (QAction* action : commands_) {
    const QString name = action->objectName();
    if (name == "StakeDel" || name == "StakesCheckManual" || name == "StakesGraphDraws" ||
        name == "LogStakes") {
      menu->addSeparator();
    }
    menu->addAction(action);
  }
}

std::pair<int64_t, int64_t> TStakesPage::SelectedRows() const {
  int64_t first = 0, last = 0;
  for (const QItemSelectionRange& r : grid_->selectionModel()->selection()) {
    if (first == 0 || r.top() + 1 < first) first = r.top() + 1;
    last = std::max<int64_t>(last, r.bottom() + 1);
  }
  return {first, last};
}

void TStakesPage::StakeAddExecute(TComb comb) {
  TFormStake dialog(
      session_.NewManualStake(comb), [this](const std::string& text) { session_.ShowError(text); },
      this);
  if (!RunStakeDialog(dialog)) return;
  session_.AddStake(dialog.Stake(), dialog.Draws());
}

void TStakesPage::StakeMultiExecute(bool all) {
  std::vector<TComb> chosen;
  const TCombsArray& list = session_.Combs().Combs();
  if (all) {
    chosen = list;
  } else {
    QModelIndexList rows = combs_.CombList()->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& i : rows) {
      if (i.row() < int(list.size())) chosen.push_back(list[size_t(i.row())]);
    }
  }
  TFormMulti dialog(
      session_.NextStakeDraw(), [this](const std::string& text) { session_.ShowError(text); },
      this);
  if (!RunMultiDialog(dialog)) return;
  session_.AddStakes(chosen, dialog.DrawNumber(), dialog.CommentText(), dialog.Draws());
  combs_.CombList()->clearSelection();
}

void TStakesPage::StakeFilterExecute() {
  TStakeCondition condition = TStakeCondition::Equal;
  int value = 0;
  if (RunFilterDialog(condition, value)) session_.DeleteStakesWhere(condition, value);
}

void TStakesPage::GraphExecute(const QString& title, const std::function<TGraphData()>& build) {
  TGraphData data;
  try {
    data = build();
  } catch (const EVetrilo& e) {
    session_.ShowError(e.Message());
    return;
  }
  ShowGraph(title, data);
}

void TStakesPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeStakes) {
    model_->Reload();
    if (session_.TakeStakesScroll() && model_->rowCount() > 0) {
      grid_->scrollToBottom();
      grid_->setCurrentIndex(model_->index(model_->rowCount() - 1, 0));
    }
  }
  if (changes & kChangeOptions) {
    actions_.Find("StakesScroll")->setChecked(session_.StakesScrollEnabled());
    actions_.Find("LogStakes")->setChecked(session_.StakesLogEnabled());
  }
}

}  // namespace vetrilo
