#include "views/ui/card_page.h"

#include <QAction>
#include <QHeaderView>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "services/ui/table_export.h"
#include "views/ui/grid_model.h"

namespace vetrilo {

TCardPage::TCardPage(TAppSession& session, TActionList& actions, QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("tsCard");
  CreateActions();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* tools = new QToolBar;
  tools->setObjectName("tbCard");
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name : {"CardFilter_Include", "CardFilter_Exclude", "ViewColorCard",
                           "ViewColorCardSequences", "CardXlsExport"}) {
    tools->addAction(actions_.Find(name));
  }
  layout->addWidget(tools);

  const TAnalysisViews& views = session_.Views();
  model_ = new TGridModel(
      {[&views] { return views.Card.RowCount(); }, [] { return kCardColumns; },
       [&views](int r, int c) { return views.Card.Text(r, c); },
       [this](int r, int c) { return session_.Views().Card.Color(r, c, session_.CardOptions()); }},
      this);
  grid_ = NewGridView("sgCard", model_);
  grid_->horizontalHeader()->setDefaultSectionSize(26);
  grid_->setColumnWidth(0, 48);
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
  grid_->addAction(actions_.Find("CardFilter_Include"));
  grid_->addAction(actions_.Find("CardFilter_Exclude"));
  grid_->addAction(actions_.Find("CardXlsExport"));
  layout->addWidget(grid_, 1);
}

void TCardPage::CreateActions() {
  actions_.Add(
      "CardFilter_Include", QTr("Оставить выделенные"),
      QTr("В списке комбинаций оставить комбинации с выделенными значениями"),
      [this] { session_.FilterCombsByCard(SelectedRect(grid_), true); },
      [this] { return grid_ && session_.CanFilterCard(SelectedRect(grid_)); });
  actions_.Add(
      "CardFilter_Exclude", QTr("Удалить выделенные"),
      QTr("Из списка комбинаций удалить комбинации с выделенными  значениями"),
      [this] { session_.FilterCombsByCard(SelectedRect(grid_), false); },
      [this] { return grid_ && session_.CanFilterCard(SelectedRect(grid_)); });
  QAction* channels = actions_.Add("ViewColorCard", QTr("Выделять каналы в карте тиражей"),
                                   QTr("Выделять цветами каналы в карте тиражей"), [this] {
                                     session_.SetColorCard(!session_.CardOptions().ChannelColors);
                                   });
  channels->setCheckable(true);
  channels->setChecked(session_.CardOptions().ChannelColors);
  QAction* sequences = actions_.Add(
      "ViewColorCardSequences", QTr("Выделять последовательности в карте тиражей"),
      QTr("Выделять цветами последовательности в карте тиражей"),
      [this] { session_.SetColorCardSequences(!session_.CardOptions().SequenceColors); });
  sequences->setCheckable(true);
  sequences->setChecked(session_.CardOptions().SequenceColors);
  AddTableExportAction(
      actions_, session_, this, "CardXlsExport", QTr("Экспорт карты тиражей в Microsoft Excel"),
      [this] { return GridExportSource(grid_, "sgCard"); }, QTr("Карта"),
      [this] {
        return model_ && session_.TabVisible(TWorkView::Card) && model_->columnCount() > 2;
      });
}

void TCardPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeOptions) {
    actions_.Find("ViewColorCard")->setChecked(session_.CardOptions().ChannelColors);
    actions_.Find("ViewColorCardSequences")->setChecked(session_.CardOptions().SequenceColors);
  }
  if (changes & kChangeViews) {
    if (session_.Views().CardBuilds != builds_) {
      builds_ = session_.Views().CardBuilds;
      model_->Reload();
    } else {
      model_->Repaint();
    }
  }
}

}  // namespace vetrilo
