#include "scripts/ui/script_catalog_panel.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"

namespace vetrilo {
namespace {

constexpr int32_t kLanguages[] = {1049, 1033, 1058};

}  // namespace

TOnlineScriptsModel::TOnlineScriptsModel(TAppSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int TOnlineScriptsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TOnlineScriptsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kScriptColumns;
}

QVariant TOnlineScriptsModel::data(const QModelIndex& index, int role) const {
  const auto& list = session_.OnlineScripts();
  if (!index.isValid() || index.row() >= int(list.size())) return {};
  const tScriptInfo& s = list[size_t(index.row())];
  if (role == Qt::DisplayRole) return Q(ScriptRowTexts(s)[size_t(index.column())]);
  if (role == Qt::DecorationRole && index.column() == 0) {
    // Public entries open, private ones locked.
    return QIcon::fromTheme(s.Public ? "folder-open" : "folder-locked");
  }
  if (role == Qt::ToolTipRole && index.column() == 0)
    return s.Public ? QTr("Публичный") : QTr("Частный");
  return {};
}

QVariant TOnlineScriptsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kScriptColumns) {
    return {};
  }
  return Q(ScriptColumnCaptions()[size_t(section)]);
}

void TOnlineScriptsModel::Reload() {
  beginResetModel();
  rows_ = int(session_.OnlineScripts().size());
  endResetModel();
}

TFormScrPublic::TFormScrPublic(const tScriptData& data, bool readOnly,
                               std::function<std::string(const tScriptData&)> check,
                               QWidget* parent)
    : QDialog(parent), data_(data), check_(std::move(check)) {
  setObjectName("FormScrPublic");
  setWindowTitle(QTr("Свойства сценария"));
  ShowRefusal = [this](const QString& text) { QMessageBox::warning(this, QTr("Внимание!"), text); };
  title_ = new QLineEdit(Q(data.Title));
  title_->setObjectName("edTitle");
  title_->setMaxLength(64);
  title_->setToolTip(QTr("Название сценария"));
  author_ = new QLineEdit(Q(data.Author));
  author_->setObjectName("edClName");
  author_->setMaxLength(64);
  author_->setToolTip(QTr("Автор сценария"));
  lcid_ = new QComboBox;
  lcid_->setObjectName("cbClLcid");
  lcid_->setToolTip(QTr("Язык сценария"));
  for (const int32_t l : kLanguages) lcid_->addItem(Q(LanguageName(l)), l);
  const int at = lcid_->findData(data.Lcid);
  lcid_->setCurrentIndex(at < 0 ? 0 : at);
  auto* appMode = new QGroupBox(QTr(" Применяемость "));
  appMode->setObjectName("rgAppMode");
  appMode->setToolTip(QTr("В каком приложении можно использовать данный сценарий"));
  auto* only = new QRadioButton(Q(Format(Tr("Только в \"%s\""), {std::string(kEditionName)})));
  universal_ = new QRadioButton(QTr("В любом приложении Zorvat"));
  (data.Universal ? universal_ : only)->setChecked(true);
  auto* appLayout = new QVBoxLayout(appMode);
  appLayout->addWidget(only);
  appLayout->addWidget(universal_);
  auto* viewMode = new QGroupBox(QTr(" Доступность "));
  viewMode->setObjectName("rgViewMode");
  viewMode->setToolTip(
      QTr("Разрешаете ли Вы использовать данный сценарий другим членам сообщества"));
  public_ = new QRadioButton(QTr("Сценарий виден всем пользователям"));
  auto* privateMode = new QRadioButton(QTr("Сценарий виден только мне"));
  (data.Public ? public_ : privateMode)->setChecked(true);
  auto* viewLayout = new QVBoxLayout(viewMode);
  viewLayout->addWidget(public_);
  viewLayout->addWidget(privateMode);
  descr_ = new QLineEdit(Q(data.Descr));
  descr_->setObjectName("edDescr");
  auto* form = new QFormLayout;
  form->addRow(QTr("Название:"), title_);
  form->addRow(QTr("Автор:"), author_);
  form->addRow(QTr("Язык:"), lcid_);
  form->addRow(appMode);
  form->addRow(viewMode);
  form->addRow(QTr("Описание:"), descr_);
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QTr("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("btOK");
  ok->setToolTip(QTr("Отправить сценарий на сервер"));
  QPushButton* close = buttons->addButton(QTr("Закрыть окно"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  if (readOnly) {
    for (QLineEdit* e : {title_, author_, descr_}) e->setReadOnly(true);
    for (QWidget* w : {static_cast<QWidget*>(lcid_), static_cast<QWidget*>(appMode),
                       static_cast<QWidget*>(viewMode)}) {
      w->setEnabled(false);
    }
    ok->setVisible(false);
    close->setFocus();
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(480, 360);
}

tScriptData TFormScrPublic::Data() const {
  tScriptData d = data_;
  d.Title = S(title_->text());
  d.Author = S(author_->text());
  d.Lcid = lcid_->currentData().toInt();
  d.Universal = universal_->isChecked();
  d.Public = public_->isChecked();
  d.Descr = S(descr_->text());
  return d;
}

void TFormScrPublic::accept() {
  const std::string refusal = check_ ? check_(Data()) : std::string();
  if (!refusal.empty()) {
    ShowRefusal(QMessage(refusal));
    return;
  }
  QDialog::accept();
}

TScriptCatalogPanel::TScriptCatalogPanel(TAppSession& session, TActionList& actions,
                                         QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("pnOnlineScripts");
  EditScript = [this](tScriptData& data, bool readOnly) {
    TFormScrPublic form(
        data, readOnly, [this](const tScriptData& d) { return session_.CheckOnlineScriptData(d); },
        this);
    if (form.exec() != QDialog::Accepted) return false;
    data = form.Data();
    return true;
  };
  AskComment = [this](std::string& notes) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, QTr("Комментарий"), QTr("Вы можете оставить свой комментарий:"),
                              QLineEdit::Normal, QString(), &ok);
    notes = S(text);
    return ok;
  };
  ShowRates = [this](const std::vector<TScriptRate>& rates) {
    QDialog window(this);
    window.setObjectName("FormScrRates");
    window.setWindowTitle(QTr("Оценки пользователей"));
    auto* table = new QTableWidget(int(rates.size()), 6, &window);
    table->setObjectName("lvRates");
    QStringList captions;
    for (const std::string& c : ScriptRateCaptions()) captions << Q(c);
    table->setHorizontalHeaderLabels(captions);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (size_t r = 0; r < rates.size(); ++r) {
      const auto texts = ScriptRateTexts(rates[r]);
      for (int c = 0; c < 6; ++c)
        table->setItem(int(r), c, new QTableWidgetItem(Q(texts[size_t(c)])));
    }
    auto* buttons = new QDialogButtonBox;
    connect(buttons->addButton(QTr("Закрыть"), QDialogButtonBox::RejectRole), &QPushButton::clicked,
            &window, &QDialog::reject);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(table);
    layout->addWidget(buttons);
    window.resize(640, 320);
    window.exec();
  };
  CreateActions();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* tools = new QToolBar;
  tools->setObjectName("tbOnlineScripts");
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  filter_ = new QComboBox;
  filter_->setObjectName("cbOnlineScriptsFilter");
  filter_->setToolTip(QTr("Фильтр сценариев"));
  for (const std::string& item : ScriptFilterItems()) filter_->addItem(Q(item));
  filter_->setCurrentIndex(std::clamp(session_.ScriptLibraryFilter(), 0, filter_->count() - 1));
  connect(filter_, &QComboBox::activated, this,
          [this](int index) { session_.SetScriptLibraryFilter(index); });
  tools->addWidget(filter_);
  for (const char* name : {"ScriptLibraryRefresh", "ScriptLibraryDownload", "ScriptLibraryUpload",
                           "ScriptLibraryReplace", "ScriptLibraryDelete", "ScriptLibraryRates"}) {
    QAction* a = actions_.Find(name);
    tools->addAction(a);
    tools->widgetForAction(a)->setObjectName(QString("bt") + name);
  }
  layout->addWidget(tools);
  model_ = new TOnlineScriptsModel(session_, this);
  list_ = new QTableView;
  list_->setObjectName("lvOnlineScripts");
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);
  list_->addActions(commands_);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(20);
  connect(list_, &QTableView::doubleClicked, this,
          [this] { actions_.Find("ScriptLibraryView")->trigger(); });
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, &actions_,
          &TActionList::UpdateAll);
  layout->addWidget(list_, 1);
  setVisible(session_.ScriptLibraryOn());
}

const tScriptInfo* TScriptCatalogPanel::Focused() const {
  const int row = FocusedRow();
  const auto& list = session_.OnlineScripts();
  return row >= 0 && row < int(list.size()) ? &list[size_t(row)] : nullptr;
}

void TScriptCatalogPanel::CreateActions() {
  auto add = [this](const char* name, const QString& caption, const QString& hint,
                    std::function<void()> run, std::function<bool()> enabled) {
    QAction* a = actions_.Add(name, caption, hint, std::move(run), std::move(enabled));
    commands_.push_back(a);
    return a;
  };
  auto separator = [this] {
    auto* s = new QAction(this);
    s->setSeparator(true);
    commands_.push_back(s);
  };
  auto shown = [this] { return session_.ScriptLibraryOn(); };
  auto focused = [this, shown] { return shown() && Focused() != nullptr; };
  QAction* on = actions_.Add("ScriptLibrary", QTr("Online каталог сценариев"),
                             QTr("Online каталог сценариев"),
                             [this] { session_.SetScriptLibraryOn(!session_.ScriptLibraryOn()); });
  on->setCheckable(true);
  on->setChecked(session_.ScriptLibraryOn());
  add(
      "ScriptLibraryRefresh", QTr("Обновить"), QTr("Перезагрузить каталог с сервера"),
      [this] {
        const tScriptInfo* s = Focused();
        Focus(session_.LoadOnlineScripts(s ? s->Id : 0));
      },
      shown);
  add(
      "ScriptLibraryDownload", QTr("Скачать из каталога"),
      QTr("Скачать выбранный сценарий из online-каталога"),
      [this] { session_.DownloadOnlineScript(FocusedRow()); },
      [this, shown] { return shown() && Focused() && Focused()->Applicable; });
  add(
      "ScriptLibraryUpload", QTr("Опубликовать"),
      QTr("Опубликовать текущий сценарий в online-каталоге"),
      [this] {
        tScriptData data = session_.NewOnlineScriptData();
        if (EditScript(data, false)) Focus(session_.PublishOnlineScript(data));
      },
      [this, shown] { return shown() && !session_.Script().empty(); });
  add(
      "ScriptLibraryReplace", QTr("Изменить"),
      QTr("Заменить выделенный сценарий в online-каталоге текущим"),
      [this] {
        const int row = FocusedRow();
        tScriptData data = session_.OnlineScriptData(row);
        if (EditScript(data, false)) session_.ReplaceOnlineScript(row, data);
      },
      [this, shown] {
        return shown() && Focused() && Focused()->Editable && !session_.Script().empty();
      });
  add(
      "ScriptLibraryDelete", QTr("Удалить"), QTr("Удалить выделенный сценарий из online-каталога"),
      [this] { session_.DeleteOnlineScript(FocusedRow()); },
      [this, shown] { return shown() && Focused() && Focused()->Editable; });
  separator();
  add(
      "ScriptLibraryView", QTr("Свойства сценария"), QTr("Просмотр сведений о выделенном сценарии"),
      [this] {
        tScriptData data = session_.OnlineScriptData(FocusedRow());
        EditScript(data, true);
      },
      focused);
  add(
      "ScriptLibraryRates", QTr("Просмотр оценок"), QTr("Просмотр оценок сценария пользователями"),
      [this] {
        if (auto rates = session_.OnlineScriptRates(FocusedRow())) ShowRates(*rates);
      },
      focused);
  separator();
  add(
      "ScriptLibraryRate0", QTr("Удалить оценку"), QTr("Удалить Вашу оценку"),
      [this] {
        const int32_t id = Focused()->Id;
        if (session_.RateOnlineScript(FocusedRow(), 0, "")) Focus(RowOfId(id));
      },
      [this, shown] { return shown() && Focused() && Focused()->RatingYou != 0; });
  const char* captions[] = {"[ 1 ] - Бесполезно", "[ 2 ] - Плохо", "[ 3 ] - Удовлетворительно",
                            "[ 4 ] - Хорошо", "[ 5 ] - Отлично"};
  for (int v = 1; v <= 5; ++v) {
    QAction* a = add(
        QString("ScriptLibraryRate%1").arg(v).toUtf8().constData(), QTr(captions[v - 1]),
        Q(Format(Tr("Установить оценку \"%s\""), {std::to_string(v)})),
        [this, v] {
          std::string notes;
          if (!AskComment(notes)) return;
          const int32_t id = Focused()->Id;
          if (session_.RateOnlineScript(FocusedRow(), v, notes)) Focus(RowOfId(id));
        },
        [this, focused, v] {
          const bool on = focused();
          actions_.Find(QString("ScriptLibraryRate%1").arg(v))
              ->setChecked(on && Focused()->RatingYou == v);
          return on;
        });
    a->setCheckable(true);
  }
  QAction* hide = add(
      "ScriptLibraryHide", QTr("Скрыть сценарий"), QTr("Исключить сценарий из Вашего списка"),
      [this] {
        const int32_t id = Focused()->Id;
        if (session_.RateOnlineScript(FocusedRow(), -1, "")) Focus(RowOfId(id));
      },
      [this, focused] {
        const bool on = focused();
        actions_.Find("ScriptLibraryHide")->setChecked(on && Focused()->RatingYou == -1);
        return on;
      });
  hide->setCheckable(true);
}

void TScriptCatalogPanel::FillMenu(QMenu* menu) const {
  menu->addAction(actions_.Find("ScriptLibrary"));
  for (QAction* a : commands_) menu->addAction(a);
}

int TScriptCatalogPanel::RowOfId(int32_t id) const {
  const auto& list = session_.OnlineScripts();
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].Id == id) return int(i);
  }
  return -1;
}

void TScriptCatalogPanel::Focus(int row) {
  model_->Reload();
  if (row >= 0 && row < model_->rowCount()) list_->setCurrentIndex(model_->index(row, 0));
  actions_.UpdateAll();
}

void TScriptCatalogPanel::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeOnlineScripts) {
    const int row = FocusedRow();
    model_->Reload();
    if (row >= 0 && row < model_->rowCount()) list_->setCurrentIndex(model_->index(row, 0));
    setVisible(session_.ScriptLibraryOn());
    actions_.Find("ScriptLibrary")->setChecked(session_.ScriptLibraryOn());
    filter_->setCurrentIndex(session_.ScriptLibraryFilter());
  }
}

int TScriptCatalogPanel::FocusedRow() const {
  const QModelIndex i = list_ ? list_->currentIndex() : QModelIndex();
  return i.isValid() ? i.row() : -1;
}

}  // namespace vetrilo
