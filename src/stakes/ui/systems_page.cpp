#include "stakes/ui/systems_page.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>
#include <array>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "core/cp1251.h"
#include "core/file_io.h"
#include "stakes/ui/stake_dialogs.h"

namespace vetrilo {
namespace {

// Six row states: downloaded (filled) or not, crossed with own (green),
// someone else's (blue), without an author e-mail (grey).
QIcon StateIcon(int state) {
  static std::array<QIcon, 6> icons;
  static bool made = false;
  if (!made) {
    const QColor colors[3] = {QColor(40, 150, 60), QColor(40, 90, 190), QColor(130, 130, 130)};
    for (int s = 0; s < 6; ++s) {
      QPixmap pixmap(12, 12);
      pixmap.fill(Qt::transparent);
      QPainter p(&pixmap);
      p.setPen(colors[s % 3]);
      p.setBrush(s < 3 ? QBrush(colors[s % 3]) : QBrush(Qt::NoBrush));
      p.drawEllipse(1, 1, 9, 9);
      icons[size_t(s)] = QIcon(pixmap);
    }
    made = true;
  }
  return icons[size_t(std::clamp(state, 0, 5))];
}

}  // namespace

TSystemsModel::TSystemsModel(TAppSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int TSystemsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TSystemsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kSystemColumns;
}

QVariant TSystemsModel::data(const QModelIndex& index, int role) const {
  const auto& list = session_.Systems();
  if (!index.isValid() || index.row() >= int(list.size())) return {};
  const tSystemInfo& s = list[size_t(index.row())];
  const bool downloaded = session_.SystemDownloaded(index.row());
  if (role == Qt::DisplayRole) return Q(SystemRowTexts(s, downloaded)[size_t(index.column())]);
  if (role == Qt::DecorationRole && index.column() == 0 && s.Id > 0) {
    return StateIcon(SystemRowState(s, downloaded, userMail_));
  }
  if (role == Qt::TextAlignmentRole && index.column() >= 2 && index.column() <= 4) {
    return int(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

QVariant TSystemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kSystemColumns) {
    return {};
  }
  return Q(SystemColumnCaptions()[size_t(section)]);
}

void TSystemsModel::Reload() {
  beginResetModel();
  rows_ = int(session_.Systems().size());
  userMail_ = session_.CatalogSettings().User.Mail;
  endResetModel();
}

TFormSystem::TFormSystem(const tSystemData& data, bool editable, QWidget* parent)
    : QDialog(parent), data_(data) {
  setObjectName("FormSystem");
  setWindowTitle(QTr("Система"));
  ShowRefusal = [this](const QString& text) { QMessageBox::warning(this, QTr("Внимание!"), text); };
  auto field = [&](const char* name, const QString& text, const char* hint, bool readOnly) {
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    e->setToolTip(QTr(hint));
    e->setReadOnly(readOnly || !editable);
    return e;
  };
  title_ = field("edTitle", Q(data.Title), "Название системы", false);
  title_->setMaxLength(64);
  descr_ = field("edDescr", Q(data.Descr), "Описание системы", false);
  author_ = field("edAuthor", Q(data.Author), "Автор системы", false);
  url_ = field("edURL", Q(data.Url), "Ссылка на интернет-ресурс", false);
  auto* open = new QPushButton(QTr("Открыть ссылку в браузере"));
  open->setObjectName("btOpenUrl");
  open->setEnabled(!data.Url.empty());
  connect(url_, &QLineEdit::textChanged, open,
          [open](const QString& t) { open->setEnabled(!t.trimmed().isEmpty()); });
  connect(open, &QPushButton::clicked, this,
          [this] { QDesktopServices::openUrl(QUrl(url_->text().trimmed())); });
  combs_ = new QPlainTextEdit(Q(data.CList));
  combs_->setObjectName("edCombs");
  combs_->setToolTip(QTr("Список комбинаций системы"));
  combs_->setReadOnly(!editable);
  combs_->installEventFilter(this);
  combs_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto addMenu = [&](const char* caption, bool whenEditable, std::function<void()> run) {
    auto* a = new QAction(QTr(caption), combs_);
    a->setEnabled(editable || !whenEditable);
    connect(a, &QAction::triggered, this, std::move(run));
    combs_->addAction(a);
  };
  addMenu("Копировать в буфер обмена", false,
          [this] { QApplication::clipboard()->setText(combs_->toPlainText()); });
  addMenu("Вставить из буфера обмена", true, [this] {
    combs_->insertPlainText(QApplication::clipboard()->text());
    NormalizeCombs();
  });
  addMenu("Выделить все", false, [this] { combs_->selectAll(); });
  addMenu("Загрузить из файла", true, [this] {
    const QString path = QFileDialog::getOpenFileName(this, QTr("Загрузить из файла"));
    if (path.isEmpty()) return;
    try {
      combs_->setPlainText(Q(Cp1251ToUtf8(ReadFileBytes(S(path)))));
      NormalizeCombs();
    } catch (const EVetrilo& e) {
      ShowRefusal(QMessage(e.Message()));
    }
  });
  addMenu("Сохранить в файле", false, [this] {
    const QString path = QFileDialog::getSaveFileName(this, QTr("Сохранить в файле"));
    if (path.isEmpty()) return;
    try {
      SaveFileAtomic(S(path), Utf8ToCp1251(S(combs_->toPlainText())) + "\r\n");
    } catch (const EVetrilo& e) {
      ShowRefusal(QMessage(e.Message()));
    }
  });
  auto* created =
      field("edCreated", Q(CatalogTimeText(data.Created)), "Время создания системы", true);
  csize_ = field("edCSize", QString::number(data.CSize), "Количество комбинаций в списке", true);
  nums_ = field("edNums", QString::number(data.Nums), "Количество используемых чисел", false);
  nums_->setValidator(new QIntValidator(0, 99, nums_));
  auto* clen = field("edCLen", "4", "Длина одной комбинации", true);
  olap_ = field("edOlap", QString::number(data.Olap), "Длина блока", false);
  olap_->setValidator(new QIntValidator(0, 9, olap_));
  auto* downloads = field("edDownloads", QString::number(data.Downloads),
                          "Количество загрузок пользователями", true);
  auto* last = field("edLastDownload", Q(CatalogTimeText(data.LastDownload)),
                     "Время последней загрузки", true);

  auto* form = new QFormLayout;
  form->addRow(QTr("Наименование:"), title_);
  form->addRow(QTr("Описание:"), descr_);
  form->addRow(QTr("Автор:"), author_);
  auto* urlRow = new QHBoxLayout;
  urlRow->addWidget(url_, 1);
  urlRow->addWidget(open);
  form->addRow(QTr("Ссылка:"), urlRow);
  form->addRow(QTr("Список комбинаций:"), combs_);
  auto* numbers = new QHBoxLayout;
  for (auto [caption, edit] : {std::pair{"Создана:", created},
                               {"Комбинаций:", csize_},
                               {"Числа:", nums_},
                               {"Длина:", clen},
                               {"Блок:", olap_},
                               {"Загрузок:", downloads},
                               {"Последняя:", last}}) {
    numbers->addWidget(new QLabel(QTr(caption)));
    numbers->addWidget(edit);
  }
  auto* buttons = new QDialogButtonBox;
  ok_ = buttons->addButton(QTr("OK"), QDialogButtonBox::AcceptRole);
  ok_->setObjectName("btOK");
  auto* close = buttons->addButton(QTr("Закрыть окно"), QDialogButtonBox::RejectRole);
  close->setObjectName("btClose");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  ok_->setVisible(editable);
  if (!editable) close->setFocus();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form, 1);
  layout->addLayout(numbers);
  layout->addWidget(buttons);
  resize(760, 480);
}

bool TFormSystem::eventFilter(QObject* watched, QEvent* event) {
  if (watched == combs_ && event->type() == QEvent::FocusOut && !combs_->isReadOnly())
    NormalizeCombs();
  return QDialog::eventFilter(watched, event);
}

void TFormSystem::NormalizeCombs() {
  const TNormalizedCombs n = NormalizeSystemCombs(S(combs_->toPlainText()));
  QString text = Q(n.Text);
  text.replace("\r\n", "\n");
  if (text != combs_->toPlainText()) combs_->setPlainText(text);
  nums_->setText(QString::number(n.Nums));
  csize_->setText(QString::number(n.CSize));
}

tSystemData TFormSystem::Data() const {
  tSystemData d = data_;
  d.Title = S(title_->text());
  d.Descr = S(descr_->text());
  d.Author = S(author_->text());
  d.Url = S(url_->text().trimmed());
  QString combs = combs_->toPlainText();
  combs.replace("\n", "\r\n");
  d.CList = S(combs);
  d.Nums = uint8_t(std::clamp(nums_->text().toInt(), 0, 255));
  d.Olap = uint8_t(std::clamp(olap_->text().toInt(), 0, 255));
  d.CSize = csize_->text().toInt();
  return d;
}

void TFormSystem::accept() {
  NormalizeCombs();
  const TSystemDataCheck check = CheckSystemData(Data());
  QWidget* fields[] = {nullptr, title_, nums_, olap_, author_, descr_, combs_};
  if (check.Field != TSystemField::None) {
    ShowRefusal(QMessage(check.Message));
    if (QWidget* w = fields[int(check.Field)]) w->setFocus();
    return;
  }
  QDialog::accept();
}

TSystemsPage::TSystemsPage(TAppSession& session, TActionList& actions, QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("tsSystems");
  EditSystem = [this](tSystemData& data, bool editable) {
    TFormSystem form(data, editable, this);
    if (form.exec() != QDialog::Accepted) return false;
    data = form.Data();
    return true;
  };
  AskStake = [this](int32_t& draw, std::string& comment, int& draws) {
    TFormMulti dialog(
        draw, [this](const std::string& text) { session_.ShowError(text); }, this);
    dialog.Comment()->setText(Q(comment));
    if (dialog.exec() != QDialog::Accepted) return false;
    draw = dialog.DrawNumber();
    comment = dialog.CommentText();
    draws = dialog.Draws();
    return true;
  };
  CreateActions();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  tools_ = new QToolBar;
  tools_->setObjectName("tbSystems");
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (QAction* a : commands_) {
    if (a->isSeparator()) {
      tools_->addSeparator();
      continue;
    }
    tools_->addAction(a);
    tools_->widgetForAction(a)->setObjectName("bt" + a->objectName());
  }
  layout->addWidget(tools_);
  model_ = new TSystemsModel(session_, this);
  list_ = new QTableView;
  list_->setObjectName("lvSystems");
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);
  list_->addActions(commands_);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(20);
  list_->setColumnWidth(0, 220);
  connect(list_, &QTableView::doubleClicked, this,
          [this] { actions_.Find("SystemsProp")->trigger(); });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
          &TActionList::UpdateAll);
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, &actions_,
          &TActionList::UpdateAll);
  layout->addWidget(list_, 1);
  model_->Reload();
}

void TSystemsPage::CreateActions() {
  auto add = [this](const char* name, const char* caption, const char* hint,
                    std::function<void()> run, std::function<bool()> enabled) {
    QAction* a = actions_.Add(name, QTr(caption), QTr(hint), std::move(run), std::move(enabled));
    commands_.push_back(a);
    return a;
  };
  auto separator = [this] {
    auto* s = new QAction(this);
    s->setSeparator(true);
    commands_.push_back(s);
  };
  auto shown = [this] { return session_.SystemsEnabled(); };
  auto real = [this](int row) {
    return row >= 0 && row < int(session_.Systems().size()) &&
           session_.Systems()[size_t(row)].Id > 0;
  };
  QAction* on =
      actions_.Add("SystemsOn", QTr("Системная игра"), QTr("Включить или выключить список систем"),
                   [this] { session_.SetSystemsEnabled(!session_.SystemsEnabled()); });
  on->setCheckable(true);
  on->setChecked(session_.SystemsEnabled());
  add(
      "SystemsRefresh", "Обновить", "Перезагрузить список с сервера",
      [this] {
        const int row = FocusedRow();
        const int32_t id = row >= 0 && row < int(session_.Systems().size())
                               ? session_.Systems()[size_t(row)].Id
                               : 0;
        Reload(session_.LoadSystems(id));
      },
      shown);
  add(
      "SystemsDownload", "Загрузить", "Загрузить выделенные системы",
      [this] {
        const int row = FocusedRow();
        session_.DownloadSystems(SelectedRows());
        Reload(row);
      },
      [this, real] {
        for (const int row : SelectedRows()) {
          if (real(row)) return true;
        }
        return false;
      });
  separator();
  add(
      "SystemsAdd", "Добавить", "Добавить свою систему в список",
      [this] {
        tSystemData data = session_.NewSystemData();
        if (!EditSystem(data, true)) return;
        Reload(session_.AddSystem(data));
      },
      shown);
  add(
      "SystemsProp", "Свойства", "Просмотр / редактирование свойств системы",
      [this] { PropExecute(); }, [this, real] { return real(FocusedRow()); });
  add(
      "SystemsDel", "Удалить", "Удалить свои системы из списка",
      [this] {
        const int row = FocusedRow();
        if (session_.DeleteSystem(row)) Reload(std::min(row, int(session_.Systems().size()) - 1));
      },
      [this] { return session_.SystemOwn(FocusedRow()); });
  separator();
  QAction* all = add(
      "SystemStakeAll", "Cистемная игра по списку системы",
      "Системная игра по всем комбинациям выбранной системы (даже если их нет в списке комбинаций)",
      [this] { session_.StakeSystem(true, AskStake); },
      [this] { return session_.CanStakeSystem(); });
  QAction* filter = add(
      "SystemStakeFilter", "Cистемная игра по списку комбинаций",
      "Системная игра только по комбинациям, которые есть и в системе и в списке комбинаций",
      [this] { session_.StakeSystem(false, AskStake); },
      [this] { return session_.CanStakeSystem(); });
  all->setVisible(session_.SystemsEnabled());
  filter->setVisible(session_.SystemsEnabled());
}

void TSystemsPage::PropExecute() {
  const int row = FocusedRow();
  auto data = session_.SystemProperties(row);
  if (!data) return;
  const bool own = session_.SystemOwn(row);
  if (!EditSystem(*data, own) || !own) return;
  if (session_.UpdateSystem(row, *data)) Reload(row);
}

void TSystemsPage::FillMenu(QMenu* menu) const {
  menu->addAction(actions_.Find("SystemsOn"));
  menu->addSeparator();
  for (QAction* a : commands_) menu->addAction(a);
}

void TSystemsPage::Reload(int focusRow) {
  model_->Reload();
  if (focusRow >= 0 && focusRow < model_->rowCount()) {
    list_->setCurrentIndex(model_->index(focusRow, 0));
    list_->selectRow(focusRow);
  }
  actions_.UpdateAll();
}

void TSystemsPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeSystems) {
    const int row = FocusedRow();
    model_->Reload();
    if (row >= 0 && row < model_->rowCount()) list_->setCurrentIndex(model_->index(row, 0));
    const bool shown = session_.SystemsEnabled();
    actions_.Find("SystemsOn")->setChecked(shown);
    actions_.Find("SystemStakeAll")->setVisible(shown);
    actions_.Find("SystemStakeFilter")->setVisible(shown);
  }
}

int TSystemsPage::FocusedRow() const {
  const QModelIndex i = list_ ? list_->currentIndex() : QModelIndex();
  return i.isValid() ? i.row() : -1;
}

std::vector<int> TSystemsPage::SelectedRows() const {
  std::vector<int> rows;
  if (!list_) return rows;
  for (const QModelIndex& i : list_->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace vetrilo
