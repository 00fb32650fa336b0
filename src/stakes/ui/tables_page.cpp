#include "stakes/ui/tables_page.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "core/errors.h"
#include "stakes/ui/form_system_design.h"
#include "stakes/ui/stake_dialogs.h"
#include "workspace/ui/combs_page.h"

namespace vetrilo {

TFormTable::TFormTable(const TTableDialogInput& input, int selectedCount, TComb selected,
                       std::vector<std::string> existingNames, QWidget* parent)
    : QDialog(parent), selectedCount_(selectedCount), names_(std::move(existingNames)) {
  setObjectName("FormTable");
  setWindowTitle(QTr("Добавление регулярной ставки"));
  comment_ = new QLineEdit(Q(input.Comment));
  comment_->setObjectName("edComment");
  comment_->setMaxLength(kTableCommentMaxChars);
  useMyComb_ = new QRadioButton(QTr("Использовать постоянную стартовую комбинацию:"));
  useMyComb_->setObjectName("rbUseMyComb");
  useLastDraw_ = new QRadioButton(QTr("Использовать данные предыдущего тиража"));
  useLastDraw_->setObjectName("rbUseLastDraw");
  auto* group = new QButtonGroup(this);
  group->addButton(useMyComb_);
  group->addButton(useLastDraw_);
  (input.UseLastDraw ? useLastDraw_ : useMyComb_)->setChecked(true);
  combStart_ = new QLineEdit(Q(TableStartText(selectedCount, selected)));
  combStart_->setObjectName("edCombStart");
  combStart_->setToolTip(QTr("Введите числа, разделенные точкой с запятой или запятой"));
  step_ = new QSpinBox;
  step_->setObjectName("edStep");
  step_->setRange(-kTableStepMax, kTableStepMax);
  step_->setValue(input.Step);
  step_->setToolTip(QTr("Шаг изменения элементов комбинации"));
  connect(useMyComb_, &QRadioButton::toggled, this, [this] { UpdateStart(); });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QTr("Комментарий к ставке:")));
  layout->addWidget(comment_);
  layout->addWidget(useMyComb_);
  layout->addWidget(combStart_);
  layout->addWidget(useLastDraw_);
  auto* form = new QFormLayout;
  form->addRow(QTr("Шаг:"), step_);
  layout->addLayout(form);
  layout->addWidget(buttons);
  UpdateStart();
}

void TFormTable::UpdateStart() {
  combStart_->setEnabled(selectedCount_ == 1 && useMyComb_->isChecked());
}

TTableDialogInput TFormTable::Input() const {
  return {S(comment_->text()), useLastDraw_->isChecked(), S(combStart_->text()), step_->value()};
}

void TFormTable::accept() {
  lastError_.clear();
  if (const auto error = CheckTableDialog(Input(), selectedCount_, names_)) {
    lastError_ = QMessage(error->Message);
    if (ShowError) ShowError(lastError_);
    (error->Field == TTableDialogField::StartComb ? combStart_ : comment_)->setFocus();
    return;
  }
  QDialog::accept();
}

TTablesPage::TTablesPage(TAppSession& session, TActionList& actions, TCombsPage& combs,
                         QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions), combs_(combs) {
  setObjectName("tsTables");
  RunTableDialog = [](TFormTable& d) { return d.exec() == QDialog::Accepted; };
  RunStakeDialog = [](TFormStake& d) { return d.exec() == QDialog::Accepted; };
  RunSystemDesign = [](TFormSystemDesign& d) { d.exec(); };
  AskTestCount = [this](int max) {
    bool ok = false;
    const int n = QInputDialog::getInt(this, QTr("Количество тестов"), QTr("Количество тестов:"),
                                       std::min(10, max), 0, max, 1, &ok);
    return ok ? n : 0;
  };
  list_ = new QTableWidget(0, 5);
  list_->setObjectName("lvTables");
  QStringList captions;
  for (const std::string& c : TableColumnCaptions()) captions << Q(c);
  list_->setHorizontalHeaderLabels(captions);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(20);
  list_->horizontalHeader()->setStretchLastSection(true);
  const int widths[] = {220, 150, 60, 150, 70};
  for (int c = 0; c < 5; ++c) list_->setColumnWidth(c, widths[c]);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(list_, &QTableWidget::itemSelectionChanged, &actions_, &TActionList::UpdateAll);
  connect(list_, &QTableWidget::currentCellChanged, &actions_, &TActionList::UpdateAll);
  CreateActions();
  auto* bar = new QToolBar;
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (QAction* a : commands_) bar->addAction(a);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(bar);
  layout->addWidget(list_, 1);
  for (QAction* a : commands_) list_->addAction(a);
  Reload();
}

void TTablesPage::CreateActions() {
  TActionList& a = actions_;
  TAppSession& s = session_;
  QAction* tab =
      a.Add("TabTables", QTr("Вкладка \"Регуляры\""), QTr("Скрыть / показать вкладку \"Регуляры\""),
            [&s] { s.SetTablesShown(!s.TablesShown()); });
  tab->setCheckable(true);
  tab->setChecked(s.TablesShown());
  a.Add("SystemDesign", QTr("Построить систему..."),
        QTr("Построить систему с гарантией блока для системной игры"), [this] {
          TFormSystemDesign dialog(session_, this);
          RunSystemDesign(dialog);
        });
  commands_ << a.Add(
      "TablesAdd", QTr("Добавить регулярную ставку"), QTr("Добавить регулярную ставку"),
      [this] { AddExecute(); }, [&s] { return s.TablesShown(); });
  commands_ << a.Add(
      "TablesDel", QTr("Удалить регулярную ставку"), QTr("Удалить регулярную ставку"),
      [this] { session_.DeleteTables(SelectedRows()); },
      [this] { return session_.TablesShown() && !SelectedRows().empty(); });
  commands_ << a.Add(
      "TablesStakeAdd", QTr("Сделать ставку по регуляру"), QTr("Сделать ставку по регуляру"),
      [this] { StakeExecute(); },
      [this] {
        const int row = list_->currentRow();
        return session_.TablesShown() && session_.StakesOpen() && row >= 0 &&
               row < int(session_.Tables().size());
      });
  commands_ << a.Add(
      "TablesStakeTest", QTr("Тест регуляров"), QTr("Тест регуляров"), [this] { TestExecute(); },
      [this] {
        return session_.TablesShown() && session_.StakesOpen() && !SelectedRows().empty() &&
               session_.MaxScriptTests() > 0;
      });
}

void TTablesPage::FillMenu(QMenu* menu) const {
  for (QAction* a : commands_) menu->addAction(a);
}

std::vector<int> TTablesPage::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : list_->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TTablesPage::Reload() {
  const int current = list_->currentRow();
  const std::vector<TTableRec>& tables = session_.Tables();
  list_->setRowCount(int(tables.size()));
  for (int r = 0; r < int(tables.size()); ++r) {
    const std::vector<std::string> texts = TableRowTexts(tables[size_t(r)]);
    for (int c = 0; c < int(texts.size()); ++c) {
      auto* item = new QTableWidgetItem(Q(texts[size_t(c)]));
      if (c == 2 || c == 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      list_->setItem(r, c, item);
    }
  }
  if (current >= 0 && current < list_->rowCount()) list_->setCurrentCell(current, 0);
}

void TTablesPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeTables) Reload();
  if (changes & (kChangeTables | kChangeOptions)) {
    actions_.Find("TabTables")->setChecked(session_.TablesShown());
  }
}

void TTablesPage::AddExecute() {
  std::vector<int> rows;
  for (const QModelIndex& i : combs_.CombList()->selectionModel()->selectedRows()) {
    rows.push_back(i.row());
  }
  std::sort(rows.begin(), rows.end());
  const TCombsArray& list = session_.Combs().Combs();
  const TComb selected = rows.size() == 1 && rows[0] < int(list.size()) ? list[size_t(rows[0])] : 0;
  TTableDialogInput input{Tr("Регулярная ставка"), false, "", 1};
  TFormTable dialog(input, int(rows.size()), selected, session_.TableNames(), this);
  dialog.ShowError = [this](const QString& text) { session_.ShowError(S(text)); };
  if (!RunTableDialog(dialog)) return;
  session_.AddTables(dialog.Input(), rows);
}

void TTablesPage::StakeExecute() {
  const int row = list_->currentRow();
  const auto [advanced, stake] = session_.PrepareTableStake(row);
  TFormStake dialog(
      stake, [this](const std::string& text) { session_.ShowError(text); }, this);
  if (!RunStakeDialog(dialog)) return;
  session_.CommitTableStake(row, advanced, dialog.Stake(), dialog.Draws());
}

void TTablesPage::TestExecute() {
  const std::vector<int> rows = SelectedRows();
  const int draws = AskTestCount(session_.MaxScriptTests());
  if (draws <= 0) return;
  session_.TestTables(rows, draws);
}

}  // namespace vetrilo
