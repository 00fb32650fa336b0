#include "scripts/ui/script_page.h"

#include <QAction>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <random>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/desktop_open.h"
#include "app/ui/qt_text.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"
#include "scripts/ui/form_script.h"
#include "scripts/ui/script_catalog_panel.h"

namespace vetrilo {

TScriptListModel::TScriptListModel(TAppSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int TScriptListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(session_.Script().size());
}

int TScriptListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kScriptListColumns;
}

QVariant TScriptListModel::data(const QModelIndex& index, int role) const {
  const auto& script = session_.Script();
  if (!index.isValid() || size_t(index.row()) >= script.size() || role != Qt::DisplayRole)
    return {};
  if (rows_.size() != script.size()) rows_.assign(script.size(), std::nullopt);
  auto& row = rows_[size_t(index.row())];
  if (!row) row = ScriptListRow(script[size_t(index.row())], session_.StatList());
  return Q((*row)[size_t(index.column())]);
}

QVariant TScriptListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kScriptListColumns) {
    return {};
  }
  return Q(ScriptListCaptions()[size_t(section)]);
}

void TScriptListModel::Reload() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

TScriptPage::TScriptPage(TAppSession& session, TActionList& actions, QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("ScriptPage");
  drawsExclude_ = [this] { return session_.Options().DrawsExclude; };
  CreateActions();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* tools = new QToolBar;
  tools->setObjectName("tbScript");
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (QAction* a : commands_) {
    if (a->isSeparator()) {
      tools->addSeparator();
      continue;
    }
    tools->addAction(a);
    tools->widgetForAction(a)->setObjectName("bt" + a->objectName());
  }
  // The run commands on a row of their own, ahead of the editing ones.
  auto* runTools = new QToolBar;
  runTools->setObjectName("tbScriptRun");
  runTools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name : {"ScriptRun", "ScriptTest", "ScriptStop"}) {
    QAction* a = actions_.Find(name);
    runTools->addAction(a);
    runTools->widgetForAction(a)->setObjectName(QString("bt") + name);
  }
  layout->addWidget(runTools);
  layout->addWidget(tools);

  model_ = new TScriptListModel(session_, this);
  list_ = new QTableView;
  list_->setObjectName("lvScript");
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);
  list_->addActions(commands_);
  list_->addActions(runCommands_);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(20);
  list_->horizontalHeader()->setDefaultSectionSize(250);
  list_->setColumnWidth(0, 170);
  list_->setColumnWidth(1, 330);
  connect(list_, &QTableView::doubleClicked, this, [this] {
    if (Enabled(TScriptCommand::Edit)) actions_.Find("ScriptEdit")->trigger();
  });
  // The commands follow the focused line at once, not at the next idle check.
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
          &TActionList::UpdateAll);
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, &actions_,
          &TActionList::UpdateAll);
  // The catalogue panel under the list, its height kept between runs.
  auto* split = new QSplitter(Qt::Vertical);
  split->setObjectName("spOnlineScripts");
  split->addWidget(list_);
  auto* catalog = new TScriptCatalogPanel(session_, actions_);
  split->addWidget(catalog);
  split->setStretchFactor(0, 1);
  if (session_.Options().ScriptLibraryHeight > 0) {
    split->setSizes({400, session_.Options().ScriptLibraryHeight});
  }
  layout->addWidget(split, 1);
  // "Строк", "Цикл", "Строка", "Ставок" and what the run is doing.
  auto* panels = new QHBoxLayout;
  for (size_t i = 0; i < panels_.size(); ++i) {
    panels_[i] = new QLabel;
    panels_[i]->setFrameShape(QFrame::StyledPanel);
    panels->addWidget(panels_[i], i + 1 == panels_.size() ? 1 : 0);
  }
  panels_[0]->setObjectName("lbScriptCount");
  layout->addLayout(panels);
  OnSessionChanged(kChangeScript | kChangeScriptRun);
}

void TScriptPage::CreateActions() {
  auto add = [this](const char* name, const QString& caption, const QString& hint,
                    std::function<void()> run, TScriptCommand command) {
    commands_.push_back(actions_.Add(name, caption, hint, std::move(run),
                                     [this, command] { return Enabled(command); }));
  };
  auto separator = [this] {
    auto* s = new QAction(this);
    s->setSeparator(true);
    commands_.push_back(s);
  };
  add(
      "ScriptAdd", QTr("Добавить фильтры"), QTr("Добавить новую строку в сценарий"),
      [this] { ScriptAddExecute(); }, TScriptCommand::Add);
  add(
      "ScriptEmpty", QTr("Добавить разделитель"), QTr("Добавить пустую строку (разделитель)"),
      [this] { ScriptEmptyExecute(); }, TScriptCommand::Empty);
  add(
      "ScriptClone", QTr("Клонировать"), QTr("Создать новую строку на основе текущей"),
      [this] { ScriptCloneExecute(); }, TScriptCommand::Clone);
  add(
      "ScriptEdit", QTr("Изменить"), QTr("Изменить текущую строку сценария"),
      [this] { ScriptEditExecute(); }, TScriptCommand::Edit);
  add(
      "ScriptDel", QTr("Удалить"), QTr("Удалить выделенные строки сценария"),
      [this] { ScriptDelExecute(); }, TScriptCommand::Del);
  add(
      "ScriptClr", QTr("Удалить все"), QTr("Удалить все строки сценария"),
      [this] { ScriptClrExecute(); }, TScriptCommand::Clr);
  separator();
  add(
      "ScriptUp", QTr("Переместить вверх"), QTr("Переместить текущую строку вверх"),
      [this] { ScriptMoveExecute(-1); }, TScriptCommand::Up);
  add(
      "ScriptDown", QTr("Переместить вниз"), QTr("Переместить текущую строку вниз"),
      [this] { ScriptMoveExecute(1); }, TScriptCommand::Down);
  separator();
  add(
      "ScriptOpen", QTr("Открыть"), QTr("Открыть сценарий из файла"),
      [this] { ScriptOpenExecute(); }, TScriptCommand::Open);
  add(
      "ScriptSave", QTr("Сохранить"), QTr("Сохранить сценарий в файл"),
      [this] { ScriptSaveExecute(); }, TScriptCommand::Save);
  add(
      "ScriptLoad", QTr("Добавить сценарий"), QTr("Добавить в конец строки сценария из файла"),
      [this] { ScriptLoadExecute(); }, TScriptCommand::Load);
  CreateRunActions();
}

void TScriptPage::CreateRunActions() {
  auto separator = [this] {
    auto* s = new QAction(this);
    s->setSeparator(true);
    runCommands_.push_back(s);
  };
  runCommands_.push_back(actions_.Add(
      "ScriptRun", QTr("Прогноз"), QTr("Выполнить сценарий для следующего тиража"),
      [this] { RunExecute(0); }, [this] { return session_.CanRunScript(); },
      QKeySequence(Qt::Key_F9)));
  runCommands_.push_back(actions_.Add(
      "ScriptTest", QTr("Тест"), QTr("Проверить сценарий на последних тиражах архива"),
      [this] {
        const int maximum = session_.MaxScriptTests();
        const int n = askTestCount_ ? askTestCount_(maximum)
                                    : QInputDialog::getInt(this, QTr("Количество тестов"),
                                                           QTr("Укажите количество тестов:"),
                                                           std::min(10, maximum), 1, maximum);
        if (n > 0) RunExecute(n);
      },
      [this] { return session_.CanRunScript() && session_.MaxScriptTests() > 0; }));
  runCommands_.push_back(actions_.AddWhileBusy(
      "ScriptStop", QTr("Стоп"), QTr("Остановить выполнение сценария"),
      [this] { session_.RequestScriptStop(); }, {}, [this] { return session_.CanStopScript(); }));
  separator();
  QAction* log = actions_.Add(
      "LogToggle", QTr("Журнал выполнения сценария"), QTr("Записывать журнал выполнения сценария"),
      [this] { session_.SetScriptLogEnabled(!session_.ScriptLogEnabled()); },
      [this] { return !session_.ScriptRunning(); });
  log->setCheckable(true);
  runCommands_.push_back(log);
  runCommands_.push_back(actions_.Add(
      "LogsDelete", QTr("Удалить журналы выполнения сценариев"),
      QTr("Удалить все файлы журналов выполнения сценариев"),
      [this] { session_.DeleteScriptLogs(); }, [this] { return !session_.ScriptRunning(); }));
  QAction* check = actions_.Add(
      "StakesCheckLine", QTr("Проверять ставки после каждой строки сценария"),
      QTr("Проверять ставки после каждого варианта фильтров, а не после всего сценария"),
      [this] { session_.SetStakesCheckOnLine(!session_.StakesCheckOnLine()); });
  check->setCheckable(true);
  runCommands_.push_back(check);
}

void TScriptPage::RunExecute(int testDraws) {
  session_.RunScript(testDraws, std::random_device{}());
  const std::string log = session_.TakeFinishedScriptLog();
  if (log.empty() || !FileExists(log)) return;
  if (openLog_) {
    openLog_(Q(log));
  } else {
    OpenOnDesktop(session_.Hooks(), QUrl::fromLocalFile(Q(log)),
                  Format(Tr("Протокол сценария сохранен в файле \"%s\"."), {log}));
  }
}

void TScriptPage::ShowRunPanels() {
  const auto texts =
      ScriptRunPanels(session_.ScriptRun(), static_cast<int>(session_.Script().size()));
  for (size_t i = 0; i < panels_.size(); ++i) panels_[i]->setText(Q(texts[i]));
  list_->setEnabled(!session_.ScriptRunning());
  // The line being run is the selected one.
  const int line = session_.ScriptRun().Line;
  if (session_.ScriptRunning() && line > 0 && line - 1 != FocusedRow()) FocusRow(line - 1);
  actions_.Find("LogToggle")->setChecked(session_.ScriptLogEnabled());
  actions_.Find("StakesCheckLine")->setChecked(session_.StakesCheckOnLine());
}

void TScriptPage::FillMenu(QMenu* menu) const {
  menu->addActions(commands_);
  menu->addSeparator();
  menu->addActions(runCommands_);
}

TScriptListState TScriptPage::ListState() const {
  TScriptListState state;
  state.Lines = &session_.Script();
  state.Focused = FocusedRow();
  state.Selected = static_cast<int>(SelectedRows().size());
  state.Busy = session_.Busy();
  state.Running = session_.ScriptRunning();
  return state;
}

bool TScriptPage::Enabled(TScriptCommand command) const {
  return list_ && ScriptCommandEnabled(command, ListState());
}

int TScriptPage::FocusedRow() const {
  const QModelIndex current = list_ ? list_->currentIndex() : QModelIndex();
  return current.isValid() ? current.row() : -1;
}

std::vector<int> TScriptPage::SelectedRows() const {
  std::vector<int> rows;
  if (!list_ || !list_->selectionModel()) return rows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows())
    rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TScriptPage::FocusRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  list_->setCurrentIndex(model_->index(row, 0));
  list_->selectRow(row);
}

void TScriptPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeScript) {
    const int focused = FocusedRow();
    model_->Reload();
    FocusRow(std::min(focused, model_->rowCount() - 1));
  } else if (changes & kChangeMethods) {
    model_->Reload();
  }
  if (changes & (kChangeScript | kChangeScriptRun | kChangeOptions)) ShowRunPanels();
}

bool TScriptPage::EditLine(const QString& title, std::string& line) {
  if (lineEditor_) return lineEditor_(title, line);
  TFormScript form(session_, title, line, drawsExclude_ ? drawsExclude_() : 0, this);
  if (form.exec() != QDialog::Accepted) return false;
  line = form.Line();
  return true;
}

QString TScriptPage::ChooseFile(const QString& kind) {
  if (chooseFile_) return chooseFile_(kind);
  QFileDialog dialog(this);
  dialog.setNameFilter(QTr("Файлы сценариев (*.lsc)"));
  dialog.setDefaultSuffix("lsc");
  if (kind == "save") {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void TScriptPage::ScriptAddExecute() {
  std::string line;
  if (!EditLine(QTr("Создание новой строки"), line)) return;
  FocusRow(session_.AddScriptLine(line));
}

void TScriptPage::ScriptEmptyExecute() {
  FocusRow(session_.AddScriptSeparator());
}

void TScriptPage::ScriptCloneExecute() {
  std::string line = session_.ScriptLine(FocusedRow());
  if (!EditLine(QTr("Создание новой строки"), line)) return;
  FocusRow(session_.AddScriptLine(line));
}

void TScriptPage::ScriptEditExecute() {
  const int row = FocusedRow();
  std::string line = session_.ScriptLine(row);
  if (!EditLine(QTr("Редактирование строки"), line)) return;
  session_.ReplaceScriptLine(row, line);
  FocusRow(row);
}

void TScriptPage::ScriptDelExecute() {
  session_.DeleteScriptLines(SelectedRows());
}

void TScriptPage::ScriptClrExecute() {
  session_.ClearScript();
}

void TScriptPage::ScriptMoveExecute(int delta) {
  FocusRow(session_.MoveScriptLine(FocusedRow(), delta));
}

void TScriptPage::ScriptOpenExecute() {
  const QString path = ChooseFile("open");
  if (!path.isEmpty()) session_.OpenScriptFile(S(path));
}

void TScriptPage::ScriptSaveExecute() {
  const QString path = ChooseFile("save");
  if (!path.isEmpty()) session_.SaveScriptFile(S(path));
}

void TScriptPage::ScriptLoadExecute() {
  const QString path = ChooseFile("load");
  if (!path.isEmpty()) session_.AppendScriptFile(S(path));
}

}  // namespace vetrilo
