#include "workspace/ui/combs_page.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "services/ui/table_export.h"
#include "workspace/comb_file.h"
#include "workspace/ui/comb_list_model.h"
#include "workspace/ui/form_generate.h"

namespace vetrilo {

namespace {

// Enter in the field runs its command, as the button does.
class TEnterFilter : public QObject {
 public:
  TEnterFilter(std::function<void()> onEnter, QObject* parent)
      : QObject(parent), onEnter_(std::move(onEnter)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (auto* spin = qobject_cast<QSpinBox*>(watched)) spin->interpretText();
        onEnter_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onEnter_;
};

constexpr int kDefaultFiltersHeight = 140;

}  // namespace

TCombsPage::TCombsPage(TAppSession& session, TActionList& actions, QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("tsCombs");
  chooseFile_ = [this](bool save) {
    const QString filter = QtFileFilter(Tr(kCombFileFilter));
    if (!save) return QFileDialog::getOpenFileName(this, QTr("Открыть"), QString(), filter);
    QString path = QFileDialog::getSaveFileName(this, QTr("Сохранить"), QString(), filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += Q(kCombFileExt);
    return path;
  };
  generateDialog_ = [this](TGenerateChoice& choice) {
    TFormGenerate dialog(choice.Mode, choice.Parameter, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = {dialog.Mode(), dialog.Parameter(), dialog.SaveAsDefaults()};
    return true;
  };
  QClipboard* clipboard = QGuiApplication::clipboard();
  auto clipboardChanged = [this, clipboard] {
    const QMimeData* data = clipboard->mimeData();
    clipboardHasText_ = data && data->hasText();
  };
  connect(clipboard, &QClipboard::dataChanged, this, clipboardChanged);
  clipboardChanged();

  combModel_ = new TCombListModel(session_, this);
  combList_ = new QTableView;
  combList_->setObjectName("lvCombs");
  combList_->setModel(combModel_);
  combList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  combList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  combList_->verticalHeader()->hide();
  combList_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  combList_->verticalHeader()->setDefaultSectionSize(20);
  combList_->horizontalHeader()->setDefaultSectionSize(36);
  combList_->setColumnWidth(0, 64);
  combList_->setColumnWidth(TCombListView::kSum, 44);
  combList_->setWordWrap(false);
  combList_->setContextMenuPolicy(Qt::ActionsContextMenu);

  journalModel_ = new TJournalModel(session_, this);
  journal_ = new QTableView;
  journal_->setObjectName("lvFilters");
  journal_->setModel(journalModel_);
  journal_->setSelectionBehavior(QAbstractItemView::SelectRows);
  journal_->setSelectionMode(QAbstractItemView::SingleSelection);
  journal_->verticalHeader()->hide();
  journal_->verticalHeader()->setDefaultSectionSize(20);
  // The count is never cut; the values take what is left.
  journal_->horizontalHeader()->setStretchLastSection(false);
  journal_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  journal_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  journal_->setColumnWidth(0, 190);
  journal_->setWordWrap(false);

  excludeField_ = new QSpinBox;
  excludeField_->setObjectName("edDrawsExclude");
  excludeField_->setRange(0, 2147483647);
  excludeField_->setToolTip(
      QTr("Исключить указанное количество последних тиражей из списка комбинаций"));
  excludeField_->setValue(std::max(0, session_.Options().DrawsExclude));

  CreateActions();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto makeBar = [this](const std::vector<const char*>& names) {
    auto* bar = new QToolBar;
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setIconSize(QSize(16, 16));
    for (const char* name : names) {
      if (*name == '\0') {
        bar->addSeparator();
      } else {
        bar->addAction(actions_.Find(name));
        bar->widgetForAction(actions_.Find(name))->setObjectName(QString("bt") + name);
      }
    }
    return bar;
  };
  layout->addWidget(
      makeBar({"CombsGen", "CombsOpen", "CombsSave", "", "CombsUndo", "", "CombsUnique"}));
  layout->addWidget(
      makeBar({"CombsSelectAll", "CombsDelete", "", "CombsCopy", "CombsPaste", "", "CombsFind"}));

  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->addWidget(combList_);
  splitter_->addWidget(journal_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setChildrenCollapsible(false);
  {
    const int stored = session_.Options().FiltersHeight;
    const int height = stored >= 40 && stored <= 4000 ? stored : kDefaultFiltersHeight;
    splitter_->setSizes({500, height});
  }
  layout->addWidget(splitter_, 1);

  auto* excludeRow = new QHBoxLayout;
  auto* excludeLabel = new QLabel(QTr("Исключить последних тиражей:"));
  excludeLabel->setBuddy(excludeField_);
  auto* excludeButton = new QToolButton;
  excludeButton->setObjectName("btCombsExclude");
  excludeButton->setDefaultAction(actions_.Find("CombsExclude"));
  excludeButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
  excludeField_->installEventFilter(new TEnterFilter(
      [this] {
        // The enable rules are refreshed when idle; the value was typed just now.
        actions_.UpdateAll();
        QAction* exclude = actions_.Find("CombsExclude");
        if (exclude->isEnabled()) exclude->trigger();
      },
      this));
  excludeRow->addWidget(excludeLabel);
  excludeRow->addWidget(excludeField_, 1);
  excludeRow->addWidget(excludeButton);
  layout->addLayout(excludeRow);
}

void TCombsPage::CreateActions() {
  struct TSpec {
    const char* Name;
    const char* Caption;
    const char* Button;
    const char* Hint;
    TCombsCommand Command;
    std::function<void()> Execute;
    QKeySequence Shortcut;
  };
  const TSpec specs[] = {
      {"CombsGen",
       "Генерировать",
       "Новый",
       "Создать новый список комбинаций",
       TCombsCommand::Generate,
       [this] { CombsGenExecute(); },
       {}},
      {"CombsOpen",
       "Открыть",
       "Открыть",
       "Загрузить список комбинаций из файла",
       TCombsCommand::Open,
       [this] { CombsOpenExecute(); },
       {}},
      {"CombsSave",
       "Сохранить",
       "Сохранить",
       "Сохранить список комбинаций в файл",
       TCombsCommand::Save,
       [this] { CombsSaveExecute(); },
       {}},
      {"CombsCopy", "Копировать в буфер", "Копировать",
       "Копировать выделенные комбинации в буфер обмена", TCombsCommand::Copy,
       [this] { CombsCopyExecute(); }, QKeySequence::Copy},
      {"CombsPaste", "Вставить из буфера", "Вставить",
       "Заменить список комбинациями из буфера обмена", TCombsCommand::Paste,
       [this] { CombsPasteExecute(); }, QKeySequence::Paste},
      {"CombsSelectAll", "Выделить все", "Выделить все", "Выделить все комбинации списка",
       TCombsCommand::SelectAll, [this] { combList_->selectAll(); }, QKeySequence::SelectAll},
      {"CombsDelete", "Удалить выделенные", "Удалить", "Удалить выделенные комбинации из списка",
       TCombsCommand::DeleteSelected, [this] { CombsDeleteExecute(); }, QKeySequence::Delete},
      {"CombsExclude",
       "Исключить тиражи",
       "[-] Тиражи",
       "Исключить указанное количество последних тиражей из списка комбинаций",
       TCombsCommand::ExcludeDraws,
       [this] { CombsExcludeExecute(); },
       {}},
      {"CombsUndo", "Отменить", "Отменить", "Отменить последнее изменение списка комбинаций",
       TCombsCommand::Undo, [this] { CombsUndoExecute(); }, QKeySequence::Undo},
      {"CombsUnique",
       "Количество уникальных номеров",
       "Уникальные",
       "Сколько разных чисел содержит список комбинаций",
       TCombsCommand::DistinctNumbers,
       [this] { session_.Combs().ShowDistinctNumbers(); },
       {}},
      {"CombsFind",
       "Проверить по архиву тиражей",
       "По архиву",
       "Найти выделенную комбинацию в архиве тиражей",
       TCombsCommand::FindInArchive,
       [this] { CombsFindExecute(); },
       {}},
  };
  for (const TSpec& s : specs) {
    const TCombsCommand command = s.Command;
    QAction* action = actions_.Add(s.Name, QTr(s.Caption), QTr(s.Hint), s.Execute,
                                   [this, command] { return Enabled(command); });
    action->setIconText(QTr(s.Button));
    if (!s.Shortcut.isEmpty()) {
      // Only while the list has the focus: the other lists keep their own keys.
      action->setShortcut(s.Shortcut);
      action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    combList_->addAction(action);
    commands_ << action;
  }
  QAction* colored = actions_.Add("ViewColorCombs", QTr("Выделять каналы в списке комбинаций"),
                                  QTr("Окрашивать числа комбинаций цветом их канала"),
                                  [this] { session_.SetColorCombs(!session_.ColorCombs()); });
  colored->setCheckable(true);
  colored->setChecked(session_.ColorCombs());
  QAction* excel = AddTableExportAction(
      actions_, session_, this, "CombsXlsExport", QTr("Экспорт в Microsoft Excel"),
      [this] { return ListViewExportSource(combList_, "lvCombs"); }, QTr("Комбинации"),
      [this] { return session_.Combs().Count() > 0; });
  combList_->addAction(excel);
  commands_ << excel;
  commands_ << colored;
}

void TCombsPage::FillMenu(QMenu* menu) const {
  for (QAction* action : commands_) {
    if (action->objectName() == "CombsCopy" || action->objectName() == "CombsUndo" ||
        action->objectName() == "CombsXlsExport") {
      menu->addSeparator();
    }
    menu->addAction(action);
  }
}

bool TCombsPage::Enabled(TCombsCommand command) const {
  return CombsCommandEnabled(command, session_.Combs(), session_.Archive(), ScreenState());
}

TCombsScreenState TCombsPage::ScreenState() const {
  TCombsScreenState s;
  s.HasSelection = combList_->selectionModel()->hasSelection();
  s.HasFocusedRow = combList_->currentIndex().isValid();
  s.ClipboardHasText = clipboardHasText_;
  s.ExcludeCount = excludeField_->value();
  return s;
}

TRowRanges TCombsPage::Selection() const {
  TRowRanges ranges;
  for (const QItemSelectionRange& r : combList_->selectionModel()->selection()) {
    ranges.push_back({r.top(), r.bottom()});
  }
  return ranges;
}

void TCombsPage::Reload() {
  combModel_->Reload();
  journalModel_->Reload();
  if (journalModel_->rowCount() > 0) journal_->scrollToBottom();
  if (QAction* colored = actions_.Find("ViewColorCombs")) {
    colored->setChecked(session_.ColorCombs());
  }
}

void TCombsPage::Repaint() {
  combModel_->Repaint();
  actions_.Find("ViewColorCombs")->setChecked(session_.ColorCombs());
}

int TCombsPage::FiltersHeight() const {
  const QList<int> sizes = splitter_->sizes();
  return sizes.size() == 2 ? sizes[1] : kDefaultFiltersHeight;
}

void TCombsPage::CombsGenExecute() {
  const TStatList& list = session_.StatList();
  TGenerateChoice choice{list.CombsGenerateMode, Q(list.CombsGenerateParameters), false};
  if (!generateDialog_(choice)) return;
  session_.GenerateCombs(choice.Mode, S(choice.Parameter), choice.SaveAsDefaults);
}

void TCombsPage::CombsOpenExecute() {
  const QString path = chooseFile_(false);
  if (path.isEmpty()) return;
  session_.OpenCombsFile(S(path));
}

void TCombsPage::CombsSaveExecute() {
  const QString path = chooseFile_(true);
  if (path.isEmpty()) return;
  session_.SaveCombsFile(S(path));
}

void TCombsPage::CombsCopyExecute() {
  QGuiApplication::clipboard()->setText(Q(session_.Combs().CopyText(Selection())));
}

void TCombsPage::CombsPasteExecute() {
  const QString text = QGuiApplication::clipboard()->text();
  session_.PasteCombs(S(text));
}

void TCombsPage::CombsDeleteExecute() {
  const TRowRanges selection = Selection();
  combList_->clearSelection();
  session_.DeleteCombRows(selection);
}

void TCombsPage::CombsExcludeExecute() {
  session_.ExcludeDrawsFromCombs(excludeField_->value());
}

void TCombsPage::CombsUndoExecute() {
  session_.UndoCombs();
}

void TCombsPage::CombsFindExecute() {
  const int row = combList_->currentIndex().row();
  if (row < 0 || row >= session_.Combs().Count()) return;
  session_.Combs().ShowFindInArchive(session_.Combs().Comb(row));
}

}  // namespace vetrilo
