#include "views/ui/layout_page.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "services/ui/table_export.h"
#include "views/ui/grid_model.h"

namespace vetrilo {

// One comparison list: "Кол-во" and the numbers, with the window as caption.
class TLayoutCompareModel : public QAbstractTableModel {
 public:
  TLayoutCompareModel(const TLayoutCompareList& list, QObject* parent)
      : QAbstractTableModel(parent), list_(list) {}
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(list_.Items.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : 2;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || size_t(index.row()) >= list_.Items.size()) return {};
    const TLayoutCompareItem& item = list_.Items[size_t(index.row())];
    if (role == Qt::DisplayRole) {
      return index.column() == 0 ? QString::number(item.Count) : Q(item.Numbers);
    }
    if (role == Qt::ToolTipRole && index.column() == 1) return Q(item.Numbers);
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? QTr(kLayoutCompareCountCaption) : Q(list_.Caption);
  }
  void Reload() {
    beginResetModel();
    endResetModel();
  }

 private:
  const TLayoutCompareList& list_;
};

TLayoutPage::TLayoutPage(TAppSession& session, TActionList& actions, QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("tsLayout");
  CreateActions();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QHBoxLayout;
  depth_ = new QSpinBox;
  depth_->setObjectName("edLayoutLen");
  depth_->setToolTip(QTr("Количество тиражей, использующихся для расчета статистики"));
  depth_->setRange(kMinViewDepth, kMaxViewDepth);
  depth_->setKeyboardTracking(false);
  depth_->setMinimumWidth(90);
  depth_->setValue(session_.Views().LayoutDepth);
  connect(depth_, &QSpinBox::editingFinished, this, [this] {
    if (session_.Busy()) {
      session_.SetLayoutLen(depth_->value());
    } else {
      session_.ApplyLayoutLen(depth_->value());
    }
  });
  auto* depthLabel = new QLabel(QTr("Тиражей:"));
  depthLabel->setBuddy(depth_);
  bar->addWidget(depthLabel);
  bar->addWidget(depth_);
  auto* tools = new QToolBar;
  tools->setObjectName("tbLayout");
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name : {"LayoutCalc", "LayoutFilter_Include", "LayoutFilter_Exclude",
                           "ViewShemaGradient", "LayoutCmpCalc", "LayoutXlsExport"}) {
    tools->addAction(actions_.Find(name));
  }
  bar->addWidget(tools, 1);
  layout->addLayout(bar);

  const TAnalysisViews& views = session_.Views();
  model_ = new TGridModel({[&views] { return views.Layout.RowCount(); },
                           [&views] { return views.Layout.ColumnCount(); },
                           [&views](int r, int c) { return views.Layout.Text(r, c); },
                           [this](int r, int c) {
                             return session_.Views().Layout.Color(r, c, session_.LayoutGradient());
                           }},
                          this);
  grid_ = NewGridView("sgLayout", model_);
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
  grid_->addAction(actions_.Find("LayoutFilter_Include"));
  grid_->addAction(actions_.Find("LayoutFilter_Exclude"));
  grid_->addAction(actions_.Find("LayoutXlsExport"));

  compareArea_ = new QWidget;
  auto* compare = new QGridLayout(compareArea_);
  compare->setContentsMargins(0, 0, 0, 0);
  for (int k = 0; k < 5; ++k) {
    auto* field = new QSpinBox;
    field->setObjectName(QString("edLayoutCmp%1").arg(k + 1));
    field->setToolTip(
        QString(QTr("Количество тиражей, использующихся для расчета статистики в списке %1"))
            .arg(k + 1));
    field->setRange(kMinViewDepth, kMaxViewDepth);
    field->setKeyboardTracking(false);
    field->setValue(session_.Views().CompareDepths[size_t(k)]);
    field->setMinimumWidth(56);
    connect(field, &QSpinBox::editingFinished, this, [this, k, field] {
      if (session_.Busy()) {
        session_.SetLayoutCompareLen(k, field->value());
      } else {
        session_.ApplyLayoutCompareLen(k, field->value());
      }
    });
    compareDepth_[size_t(k)] = field;
    compare->addWidget(field, 0, k);
    compareModels_[size_t(k)] = new TLayoutCompareModel(session_.Views().Compare[size_t(k)], this);
    auto* list = new QTableView;
    list->setObjectName(QString("lvLayoutCmp%1").arg(k + 1));
    list->setModel(compareModels_[size_t(k)]);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(20);
    list->setColumnWidth(0, 52);
    list->setMinimumWidth(60);
    list->horizontalHeader()->setStretchLastSection(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    compareLists_[size_t(k)] = list;
    compare->addWidget(list, 1, k);
  }

  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->addWidget(grid_);
  splitter_->addWidget(compareArea_);
  splitter_->setStretchFactor(0, 1);
  const int stored = session_.Options().LayoutCompareHeight;
  splitter_->setSizes({320, stored > 0 ? stored : 220});
  layout->addWidget(splitter_, 1);
  FitColumns();
}

void TLayoutPage::CreateActions() {
  actions_.Add(
      "LayoutCalc", QTr("Обновить"), QTr("Пересчитать схему выпадения номеров"),
      [this] {
        CommitDepths();
        session_.BuildLayout(true);
      },
      [this] { return session_.TabVisible(TWorkView::Layout) && session_.Archive().Count() > 0; });
  actions_
      .Add(
          "LayoutCmpCalc", QTr("Обновить"), QTr("Пересчитать таблицы сравнения"),
          [this] {
            CommitDepths();
            session_.BuildLayoutCompare(true);
          },
          [this] { return session_.TabVisible(TWorkView::Layout); })
      ->setIconText(QTr("Обновить списки"));
  auto canFilter = [this] { return grid_ && session_.CanFilterLayout(SelectedRect(grid_)); };
  actions_.Add(
      "LayoutFilter_Include", QTr("Оставить выделенные"),
      QTr("В списке комбинаций оставить комбинации с выделенными значениями"),
      [this] { session_.FilterCombsByLayout(SelectedRect(grid_), true); }, canFilter);
  actions_.Add(
      "LayoutFilter_Exclude", QTr("Удалить выделенные"),
      QTr("Из списка комбинаций удалить комбинации с выделенными  значениями"),
      [this] { session_.FilterCombsByLayout(SelectedRect(grid_), false); }, canFilter);
  QAction* gradient = actions_.Add("ViewShemaGradient", QTr("Градиентная раскраска схемы"),
                                   QTr("Раскрашивать схему градиентом, иначе клетками"), [this] {
                                     session_.SetLayoutGradient(!session_.LayoutGradient());
                                   });
  gradient->setCheckable(true);
  gradient->setChecked(session_.LayoutGradient());
  AddTableExportAction(
      actions_, session_, this, "LayoutXlsExport", QTr("Экспорт схемы в Microsoft Excel"),
      [this] { return GridExportSource(grid_, "sgLayout"); }, QTr("Схема"),
      [this] {
        return model_ && session_.TabVisible(TWorkView::Layout) && model_->columnCount() > 2;
      });
}

int TLayoutPage::CompareHeight() const {
  const QList<int> sizes = splitter_->sizes();
  return sizes.size() == 2 ? sizes[1] : compareArea_->height();
}

void TLayoutPage::CommitDepths() {
  if (depth_->hasAcceptableInput()) depth_->interpretText();
  session_.SetLayoutLen(depth_->value());
  for (int k = 0; k < 5; ++k) {
    QSpinBox* field = compareDepth_[size_t(k)];
    if (field->hasAcceptableInput()) field->interpretText();
    session_.SetLayoutCompareLen(k, field->value());
  }
}

void TLayoutPage::FitColumns() {
  const QFontMetrics metrics(grid_->font());
  const TLayoutScheme& scheme = session_.Views().Layout;
  grid_->setColumnWidth(0, 50);
  for (int c = 1; c < scheme.ColumnCount(); ++c) {
    int width = 40;
    for (int r = 0; r < scheme.RowCount(); ++r) {
      width = std::max(width, metrics.horizontalAdvance(Q(scheme.Text(r, c))) + 10);
    }
    grid_->setColumnWidth(c, width);
  }
}

void TLayoutPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeOptions) {
    actions_.Find("ViewShemaGradient")->setChecked(session_.LayoutGradient());
  }
  if (changes & kChangeViews) {
    const TAnalysisViews& v = session_.Views();
    if (v.LayoutBuilds != layoutBuilds_) {
      layoutBuilds_ = v.LayoutBuilds;
      model_->Reload();
      FitColumns();
    } else {
      model_->Repaint();
    }
    if (v.CompareBuilds != compareBuilds_) {
      compareBuilds_ = v.CompareBuilds;
      for (TLayoutCompareModel* m : compareModels_) m->Reload();
    }
  }
  if (changes & kChangeBusy) {
    const bool idle = !session_.Busy();
    depth_->setEnabled(idle);
    for (QSpinBox* field : compareDepth_) field->setEnabled(idle);
  }
}

}  // namespace vetrilo
