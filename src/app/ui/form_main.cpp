#include "app/ui/form_main.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "acquire/ui/draw_actions.h"
#include "app/list_columns.h"
#include "app/ui/desktop_open.h"
#include "app/ui/draw_list_model.h"
#include "app/ui/form_settings.h"
#include "app/ui/qt_text.h"
#include "app/ui/screen_info.h"
#include "app/window_placement.h"
#include "core/errors.h"
#include "core/format.h"
#include "scripts/ui/ratings_page.h"
#include "scripts/ui/script_catalog_panel.h"
#include "scripts/ui/script_page.h"
#include "services/ui/form_help.h"
#include "stakes/stake_grid.h"
#include "stakes/ui/stakes_page.h"
#include "stakes/ui/systems_page.h"
#include "stakes/ui/tables_page.h"
#include "stats/ui/form_favorites.h"
#include "stats/ui/form_shredding.h"
#include "views/ui/analysis_tabs.h"
#include "views/ui/stats_page.h"
#include "workspace/comb_list_view.h"
#include "workspace/ui/combs_page.h"

namespace vetrilo {

TFormMain::TFormMain(TAppSession& session, TQtHooks& hooks, QWidget* parent)
    : QMainWindow(parent), session_(session), hooks_(hooks) {
  setObjectName("FormMain");
  setWindowTitle(QStringLiteral("Vetrilo"));
  hooks_.SetParent(this);
  session_.LoadOptions();
  actions_ = new TActionList(session_, this);
  CreateActions();
  CreateLeftPane();
  drawActions_ = new TDrawActions(session_, *actions_, drawList_, this);
  workTabs_ = new QTabWidget;
  workTabs_->setObjectName("WorkTabs");
  statsPage_ = new TStatsPage(session_, *actions_);
  workTabs_->addTab(statsPage_, QTr("Статистика"));
  stakesPage_ = new TStakesPage(session_, *actions_, *combsPage_);
  workTabs_->addTab(stakesPage_, QTr("Ставки"));
  tablesPage_ = new TTablesPage(session_, *actions_, *combsPage_);
  workTabs_->addTab(tablesPage_, QTr("Регуляры"));
  workTabs_->setTabVisible(workTabs_->indexOf(tablesPage_), session_.TablesShown());
  ratingsPage_ = new TRatingsPage(session_, *actions_);
  workTabs_->addTab(ratingsPage_, QTr("Рейтинг"));
  auto* systemsPage = new TSystemsPage(session_, *actions_);
  workTabs_->addTab(systemsPage, QTr("Системы"));
  systemsPage->Tools()->addSeparator();
  systemsPage->Tools()->addAction(actions_->Find("SystemDesign"));
  // Showing either page again also brings it to the front.
  connect(actions_->Find("TabTables"), &QAction::triggered, this, [this] {
    if (session_.TablesShown()) workTabs_->setCurrentWidget(tablesPage_);
  });
  connect(actions_->Find("SystemsOn"), &QAction::triggered, this, [this, systemsPage] {
    if (session_.SystemsEnabled()) workTabs_->setCurrentWidget(systemsPage);
  });
  // The script page stays the last of the work tabs.
  scriptPage_ = new TScriptPage(session_, *actions_);
  scriptPage_->SetDrawsExcludeSource([this] { return combsPage_->ExcludeField()->value(); });
  workTabs_->addTab(scriptPage_, QTr("Сценарий"));
  ratingsPage_->AddToScript = [this](const std::vector<std::string>& labels) {
    if (session_.RatingsToScript(labels) > 0) workTabs_->setCurrentWidget(scriptPage_);
  };
  connect(workTabs_, &QTabWidget::currentChanged, this, [this] { session_.RecalcViews(false); });
  analysisTabs_ =
      new TAnalysisTabs(session_, *actions_, workTabs_, drawList_, combsPage_->CombList(), this);
  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->addWidget(leftTabs_);
  splitter_->addWidget(workTabs_);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({430, 800});
  setCentralWidget(splitter_);
  CreateMenus();
  CreateStatusBar();
  session_.SetListener([this](uint32_t changes) { OnSessionChanged(changes); });
  // First start: most of the screen; a stored placement replaces it.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize area = screen->availableGeometry().size();
    resize(std::max(900, area.width() * 92 / 100), std::max(600, area.height() * 92 / 100));
  } else {
    resize(1200, 760);
  }
  RestoreWindowState();
}

TFormMain::~TFormMain() {
  session_.SetListener({});
  // The hooks outlive the window: they must not write into its gone widgets.
  hooks_.SetStatusSink({});
  hooks_.SetProgressSink({});
  hooks_.SetParent(nullptr);
  session_.ProgressWindow().SetSink({});
  session_.SetUpdateInformer({});
}

void TFormMain::CreateActions() {
  TActionList& a = *actions_;
  a.Add(
      "Exit", QTr("Выход"), QTr("Завершить работу программы"), [this] { close(); }, {},
      QKeySequence(Qt::ALT | Qt::Key_X));
  // A running script stops as its own "Стоп" stops it: asked first, then logged.
  addAction(a.AddWhileBusy(
      "Stop", QTr("Стоп"), QTr("Прервать выполняемую операцию"),
      [this] {
        if (session_.ScriptRunning()) {
          session_.RequestScriptStop();
        } else {
          hooks_.RequestStop();
        }
      },
      QKeySequence(Qt::Key_Escape)));
  QAction* sorted = a.Add("DrawsSorted", QTr("Упорядочить MIN->MAX"),
                          QTr("Показывать и анализировать числа тиражей по возрастанию"),
                          [this] { session_.SetSortedDraws(!session_.SortedDraws()); });
  sorted->setCheckable(true);
  QAction* colored = a.Add("DrawsColored", QTr("Раскрашивать числа тиражей по каналам"),
                           QTr("Окрашивать числа тиражей цветом их канала"),
                           [this] { session_.SetColorDraws(!session_.ColorDraws()); });
  colored->setCheckable(true);
  a.Add("EditShredding", QTr("Формулы шинковки"), QTr("Редактирование формул для методов шинковки"),
        [this] { EditShreddingExecute(); });
  a.Add("SettingsEdit", QTr("Параметры"), QTr("Параметры системы"),
        [this] { SettingsEditExecute(); });
  a.Add(
      "LotterySite", QTr("Сайт лотереи"), QTr("Открыть страницу лотереи в браузере"),
      [this] {
        const std::string address = WebLinkAddress(session_.LotterySite());
        OpenOnDesktop(session_.Hooks(), QUrl(Q(address)),
                      Format(Tr("Страница лотереи не открылась: нет программы для ее "
                                "просмотра.\r\rАдрес страницы: %s"),
                             {address}));
      },
      [this] { return !session_.LotterySite().empty(); });
  CreateFavoritesActions();
  CreateUpdateActions();
  CreateLanguageActions();
}

void TFormMain::CreateLanguageActions() {
  actions_->Add(
      "GetHelp", QTr("Справка"), QTr("Вызов файла справки"),
      [this] { TFormHelp::OpenHelp(this, session_.HelpFile(), ""); },
      [this] { return session_.HelpExists(); }, QKeySequence(Qt::Key_F1));
}

void TFormMain::FillLanguageMenu(QMenu* menu) {
  auto* group = new QActionGroup(menu);
  TLanguages& languages = session_.Languages();
  const std::vector<std::string> names = languages.LanguageNames();
  for (size_t i = 0; i < names.size(); ++i) {
    const uint32_t id = languages.AvailableLanguages()[i];
    QAction* entry = menu->addAction(Q(names[i]));
    entry->setObjectName(QString("Language%1").arg(id));
    entry->setStatusTip(Q(names[i]));
    entry->setCheckable(true);
    entry->setChecked(PrimaryLanguage(id) == PrimaryLanguage(session_.CurrentLanguage()));
    group->addAction(entry);
    connect(entry, &QAction::triggered, this, [this, id] { ChooseLanguageExecute(id); });
  }
}

void TFormMain::ChooseLanguageExecute(uint32_t language) {
  const auto keepChecked = [this] {
    for (QAction* a : languageMenu_->actions()) {
      a->setChecked(a->objectName() == QString("Language%1").arg(session_.CurrentLanguage()));
    }
  };
  try {
    if (!session_.ChooseLanguage(language)) return keepChecked();
  } catch (const EVetrilo& e) {
    hooks_.ShowMessage(TMessageKind::Error, e.Message());
    return keepChecked();
  }
  if (restart_) {
    restart_();
  } else {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {"restart"});
  }
  close();
}

void TFormMain::CreateFavoritesActions() {
  TActionList& a = *actions_;
  a.Add("StatsFavorites", QTr("Избранные статистики"),
        QTr("Выбор и переименование методов расчета статистики"), [this] {
          TFormFavorites form(session_, this);
          if (form.exec() == QDialog::Accepted) session_.ApplyFavorites(form.Tree());
        });
  a.Add("StatsAllFavorites", QTr("Все доступные статистики"),
        QTr("Показывать в списках все методы расчета статистики"),
        [this] { session_.ResetFavorites(); });
  a.Add(
      "StatsDescription", QTr("Описание статистики"),
      QTr("Описание выбранного метода расчета статистики"),
      [this] {
        TFormDescription form(session_, session_.MethodHelpLink(session_.DrawStatsMethod()), this);
        form.exec();
      },
      [this] { return session_.DrawStatsMethod() >= 0; });
}

void TFormMain::SettingsEditExecute() {
  auto* dialog = new TFormSettings(
      session_.SystemSettings(), [this](const std::string& text) { session_.ShowError(text); },
      this);
  // The user as the catalogue server knows them.
  const TCatalogSettings catalog = session_.CatalogSettings();
  auto* user = new QGroupBox(QTr(" Пользователь каталога "));
  auto* userForm = new QFormLayout(user);
  auto* userName = new QLineEdit(Q(catalog.User.Name));
  userName->setObjectName("edUserName");
  userName->setMaxLength(64);
  auto* userMail = new QLineEdit(Q(catalog.User.Mail));
  userMail->setObjectName("edUserMail");
  userForm->addRow(QTr("Имя:"), userName);
  userForm->addRow(QTr("E-mail:"), userMail);
  if (auto* box = qobject_cast<QBoxLayout*>(dialog->layout())) {
    box->insertWidget(std::max(0, box->count() - 1), user);
  }
  OpenApplyingDialog(dialog, [this, dialog, userName, userMail] {
    session_.ApplySystemSettings(dialog->Settings());
    session_.SaveCatalogUser(S(userName->text()), S(userMail->text()));
  });
}

void TFormMain::EditShreddingExecute() {
  auto* dialog = new TFormShredding(session_.StatList(), session_.Archive(), session_.LastIndex(),
                                    session_.SortedDraws(), this);
  OpenApplyingDialog(
      dialog, [this, dialog] { session_.ApplyShredding(dialog->Formulas(), dialog->Digits()); });
}

void TFormMain::OpenApplyingDialog(QDialog* dialog, std::function<void()> apply) {
  connect(dialog, &QDialog::finished, this, [this, dialog, apply](int result) {
    if (result == QDialog::Accepted) {
      try {
        apply();
      } catch (const EVetrilo& e) {
        session_.ShowError(e.what());
        dialog->open();  // what the user typed is not lost
        return;
      }
    }
    dialog->deleteLater();
  });
  dialog->open();
}

void TFormMain::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QTr("Файл"));
  file->setObjectName("MenuFile");
  file->addAction(actions_->Find("Stop"));
  file->addAction(actions_->Find("Exit"));
  QMenu* draws = menuBar()->addMenu(QTr("Тиражи"));
  draws->setObjectName("MenuDraws");
  drawActions_->FillMenu(draws);
  draws->addAction(actions_->Find("DrawsSorted"));
  draws->addAction(actions_->Find("DrawsColored"));
  QMenu* combs = menuBar()->addMenu(QTr("Комбинации"));
  combs->setObjectName("MenuCombs");
  combsPage_->FillMenu(combs);
  QMenu* view = menuBar()->addMenu(QTr("Вид"));
  view->setObjectName("MenuView");
  analysisTabs_->FillMenus(view, draws, combs);
  QMenu* stakes = menuBar()->addMenu(QTr("Ставки"));
  stakes->setObjectName("MenuStakes");
  stakesPage_->FillMenu(stakes);
  stakes->addSeparator();
  QMenu* tables = stakes->addMenu(QTr("Регуляры"));
  tables->setObjectName("MenuTables");
  tables->addAction(actions_->Find("TabTables"));
  tables->addSeparator();
  tablesPage_->FillMenu(tables);
  QMenu* ratings = menuBar()->addMenu(QTr("Рейтинг"));
  ratings->setObjectName("MenuRatings");
  ratingsPage_->FillMenu(ratings);
  QMenu* script = menuBar()->addMenu(QTr("Сценарий"));
  script->setObjectName("MenuScript");
  scriptPage_->FillMenu(script);
  script->addSeparator();
  workTabs_->findChild<TScriptCatalogPanel*>()->FillMenu(script);
  QMenu* systems = menuBar()->addMenu(QTr("Системы"));
  systems->setObjectName("MenuSystems");
  workTabs_->findChild<TSystemsPage*>()->FillMenu(systems);
  systems->addSeparator();
  systems->addAction(actions_->Find("SystemDesign"));
  QMenu* service = menuBar()->addMenu(QTr("Сервис"));
  service->setObjectName("MenuService");
  service->addAction(actions_->Find("StatsFavorites"));
  service->addAction(actions_->Find("StatsAllFavorites"));
  service->addAction(actions_->Find("StatsDescription"));
  service->addSeparator();
  service->addAction(actions_->Find("SettingsEdit"));
  service->addAction(actions_->Find("EditShredding"));
  service->addAction(actions_->Find("EditProxy"));
  service->addSeparator();
  service->addAction(actions_->Find("LotterySite"));
  service->addSeparator();
  languageMenu_ = service->addMenu(QTr("Язык интерфейса"));
  languageMenu_->setObjectName("MenuLanguage");
  languageMenu_->menuAction()->setStatusTip(QTr("Выбор языка интерфейса программы"));
  FillLanguageMenu(languageMenu_);
  FillHelpMenu();
}

void TFormMain::CreateLeftPane() {
  leftTabs_ = new QTabWidget;
  leftTabs_->setObjectName("LeftTabs");

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QHBoxLayout;
  auto* label = new QLabel(QTr("Смещение назад:"));
  offsetField_ = new QSpinBox;
  offsetField_->setObjectName("DrawsOffset");
  offsetField_->setToolTip(QTr("Смещение относительно последнего загруженного номера тиража"));
  offsetField_->setRange(0, 0);
  label->setBuddy(offsetField_);
  connect(offsetField_, &QSpinBox::valueChanged, this, [this](int k) {
    if (k != session_.DrawsOffset()) session_.SetDrawsOffset(k);
  });
  auto* sortedButton = new QToolButton;
  sortedButton->setDefaultAction(actions_->Find("DrawsSorted"));
  bar->addWidget(label);
  bar->addWidget(offsetField_);
  bar->addStretch(1);
  bar->addWidget(sortedButton);
  layout->addLayout(bar);

  drawModel_ = new TDrawListModel(session_, this);
  drawList_ = new QTableView;
  drawList_->setObjectName("lvDraws");
  drawList_->setModel(drawModel_);
  drawList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  drawList_->setSelectionMode(QAbstractItemView::SingleSelection);
  drawList_->verticalHeader()->hide();
  drawList_->verticalHeader()->setDefaultSectionSize(20);
  drawList_->horizontalHeader()->setDefaultSectionSize(34);
  drawList_->horizontalHeader()->setStretchLastSection(true);
  drawList_->setColumnWidth(0, 52);
  drawList_->setColumnWidth(6, 40);
  drawList_->setColumnWidth(7, 84);
  layout->addWidget(drawList_, 1);
  leftTabs_->addTab(page, QTr("Архив тиражей"));
  combsPage_ = new TCombsPage(session_, *actions_);
  leftTabs_->addTab(combsPage_, QTr("Комбинации"));
}

void TFormMain::CreateStatusBar() {
  for (int i : {1, 2, 3, 4, 5, 6}) {
    panels_[static_cast<size_t>(i)] = new QLabel;
    panels_[static_cast<size_t>(i)]->setObjectName(QString("StatusPanel%1").arg(i));
    panels_[static_cast<size_t>(i)]->setMinimumWidth(i == 3 ? 90 : 120);
    statusBar()->addWidget(panels_[static_cast<size_t>(i)]);
  }
  panels_[7] = new QLabel;
  panels_[7]->setObjectName("StatusPanel7");
  statusBar()->addWidget(panels_[7], 1);
  progress_ = new QProgressBar;
  progress_->setRange(0, 100);
  progress_->setMaximumWidth(160);
  progress_->hide();
  statusBar()->addPermanentWidget(progress_);
  hooks_.SetStatusSink([this](const QString& text) { panels_[7]->setText(text); });
  hooks_.SetProgressSink([this](int percent) {
    progress_->setVisible(percent >= 0);
    if (percent >= 0) progress_->setValue(percent);
  });
  RefreshStatusPanels();
}

void TFormMain::RefreshStatusPanels() {
  const TDrawArchive& archive = session_.Archive();
  panels_[1]->setText(Q(Format(Tr("Архив тиражей: %d"), {archive.Count()})));
  panels_[2]->setText(
      Q(Format(Tr("Следующий тираж: %d"), {archive.NextDrawNumber(session_.DrawsOffset())})));
  panels_[3]->setText(Q(archive.TargetDrawText(session_.DrawsOffset())));
  panels_[4]->setText(Q(CombCountText(session_.Combs().Count())));
  panels_[5]->setText(Q(StakeCountText(session_.StakeBook().File.Count())));
  panels_[6]->setText(Q(Format(Tr("Рейтинг: %d"), {session_.StakeBook().Ratings.Count()})));
}

void TFormMain::RefreshOffsetField() {
  const QSignalBlocker block(offsetField_);
  const int count = session_.Archive().Count();
  offsetField_->setMaximum(count > 0 ? count - 1 : 0);
  if (offsetField_->value() != session_.DrawsOffset()) {
    offsetField_->setValue(session_.DrawsOffset());
  }
}

void TFormMain::OnSessionChanged(uint32_t changes) {
  if (changes & (kChangeSystems | kChangeOnlineScripts) && workTabs_) {
    if (auto* systemsPage = workTabs_->findChild<TSystemsPage*>()) {
      systemsPage->OnSessionChanged(changes);
      workTabs_->setTabVisible(workTabs_->indexOf(systemsPage), session_.SystemsEnabled());
    }
    if (auto* panel = workTabs_->findChild<TScriptCatalogPanel*>())
      panel->OnSessionChanged(changes);
  }
  if (changes & kChangeArchive) {
    drawModel_->Reload();
  } else if (changes & (kChangeOffset | kChangeOptions)) {
    drawModel_->Repaint();
  }
  if (changes & (kChangeArchive | kChangeOffset)) {
    RefreshOffsetField();
    RefreshStatusPanels();
  }
  if (changes & kChangeOptions) {
    actions_->Find("DrawsSorted")->setChecked(session_.SortedDraws());
    actions_->Find("DrawsColored")->setChecked(session_.ColorDraws());
    actions_->Find("AutoSelfUpdate")->setChecked(session_.AutoUpdates());
  }
  if (changes & kChangeCombs) {
    combsPage_->Reload();
    panels_[4]->setText(Q(CombCountText(session_.Combs().Count())));
  } else if (changes & kChangeOptions) {
    combsPage_->Repaint();
  }
  const bool busyChanged = (changes & kChangeBusy) != 0;
  if (busyChanged) {
    // Everything that starts work waits while work runs; disabling moves the
    // focus away, so it is given back afterwards.
    const bool idle = !session_.Busy();
    if (!idle) focusBeforeBusy_ = QApplication::focusWidget();
    offsetField_->setEnabled(idle);
    workTabs_->tabBar()->setEnabled(idle);
    combsPage_->ExcludeField()->setEnabled(idle);
    actions_->UpdateAll();
  }
  statsPage_->OnSessionChanged(changes);
  scriptPage_->OnSessionChanged(changes);
  if (changes & kChangeScriptRun) {
    // While a script runs, the pages it works through are not the user's.
    const bool running = session_.ScriptRunning();
    leftTabs_->setEnabled(!running);
    statsPage_->setEnabled(!running);
    if (!running && closeAfterRun_) QTimer::singleShot(0, this, &QWidget::close);
  }
  analysisTabs_->OnSessionChanged(changes);
  stakesPage_->OnSessionChanged(changes);
  tablesPage_->OnSessionChanged(changes);
  if (changes & (kChangeTables | kChangeOptions)) {
    workTabs_->setTabVisible(workTabs_->indexOf(tablesPage_), session_.TablesShown());
  }
  ratingsPage_->OnSessionChanged(changes);
  if (changes & kChangeStakes) {
    panels_[5]->setText(Q(StakeCountText(session_.StakeBook().File.Count())));
  }
  if (changes & kChangeRatings) {
    panels_[6]->setText(Q(Format(Tr("Рейтинг: %d"), {session_.StakeBook().Ratings.Count()})));
  }
  if (busyChanged && !session_.Busy() && focusBeforeBusy_ && focusBeforeBusy_->isEnabled() &&
      focusBeforeBusy_->isVisible() && QApplication::focusWidget() != focusBeforeBusy_) {
    focusBeforeBusy_->setFocus(Qt::OtherFocusReason);
  }
}

int TFormMain::DeferredInit() {
  setWindowTitle(windowTitle() + QTr(" версия ") + VETRILO_VERSION);
  const int status = session_.Initialize(commandLine_);
  OnSessionChanged(kChangeOptions | kChangeSystems | kChangeOnlineScripts);
  if (status < 0) {
    // A catalogue server that is not there at start-up is no reason for a message box.
    if (session_.SystemsEnabled()) session_.LoadSystems(0, true);
    session_.LoadOnlineScripts(0, true);
  }
  workTabs_->setVisible(workTabs_->count() > 0);
  actions_->UpdateAll();
  if (status < 0 && session_.ShowFirstRunDialog() && !TQtHooks::NonInteractive()) {
    TFormFirstRun(session_, this).exec();
  }
  return status;
}

namespace {

// Tables whose column settings the window keeps, by their names.
QList<QTableView*> KeptTables(QWidget* window) {
  QList<QTableView*> tables;
  for (QTableView* t : window->findChildren<QTableView*>()) {
    if (t->objectName().startsWith("lv") || t->objectName().startsWith("sg")) tables.push_back(t);
  }
  return tables;
}

}  // namespace

void TFormMain::RestoreWindowState() {
  const TIniData& frm = session_.WindowSettings();
  for (QTableView* table : KeptTables(this)) {
    const int columns = table->model() ? table->model()->columnCount() : 0;
    const TListColumns kept = ReadListColumns(frm, kMainSection, S(table->objectName()), columns);
    for (int c = 0; c < columns; ++c) {
      const int w = kept.Widths[size_t(c)];
      if (w > 0 && w < 2000) table->setColumnWidth(c, w);
    }
    if (table == statsPage_->Table() && kept.Sort)
      statsPage_->SetSort(kept.Sort->first, kept.Sort->second != 0);
  }
  const TMainOptions& o = session_.Options();
  if (o.LeftPanelWidth > 50 && o.LeftPanelWidth < 5000) {
    splitter_->setSizes({o.LeftPanelWidth, std::max(200, width() - o.LeftPanelWidth)});
  }
  const QRect g = geometry();
  const TRect current{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
  if (auto p = ReadPlacement(frm, kMainSection, ScreenInfoOf(this), current, false)) {
    setGeometry(p->NormPos.Left, p->NormPos.Top, p->NormPos.Width(), p->NormPos.Height());
    startMaximized_ = IsMaximizedShowCmd(p->ShowCmd);
  }
}

void TFormMain::SaveWindowState() {
  statsPage_->CommitDepth();
  analysisTabs_->CommitState();
  TMainOptions& o = session_.Options();
  const QList<int> sizes = splitter_->sizes();
  if (!sizes.isEmpty() && sizes[0] > 0) o.LeftPanelWidth = sizes[0];
  o.DrawsExclude = combsPage_->ExcludeField()->value();
  o.FiltersHeight = combsPage_->FiltersHeight();
  if (auto* panel = workTabs_->findChild<TScriptCatalogPanel*>(); panel && panel->isVisible()) {
    o.ScriptLibraryHeight = panel->height();
  }
  o.DrawsStatHeight = statsPage_->ChartHeight();
  TWindowPlacement placement;
  const QRect n = normalGeometry().isValid() ? normalGeometry() : geometry();
  placement.NormPos = {n.left(), n.top(), n.left() + n.width(), n.top() + n.height()};
  placement.ShowCmd = isMinimized() ? kShowMinimized : isMaximized() ? kShowMaximized : kShowNormal;
  const TScreenInfo screen = ScreenInfoOf(this);
  session_.SaveWindowSettings([&](TIniData& d) {
    WritePlacement(d, kMainSection, placement, screen);
    for (QTableView* table : KeptTables(this)) {
      TListColumns columns;
      const int count = table->model() ? table->model()->columnCount() : 0;
      for (int c = 0; c < count; ++c) {
        columns.Widths.push_back(table->isColumnHidden(c) ? -1 : table->columnWidth(c));
      }
      if (table == statsPage_->Table()) {
        const TDrawStatsState& s = session_.DrawStats();
        columns.Sort = std::make_pair(s.SortColumn, s.SortDescending ? 1 : 0);
      }
      if (table == ratingsPage_->List()) {
        const TStakeBook& book = session_.StakeBook();
        columns.Sort = std::make_pair(book.SortColumn, book.SortDescending ? 1 : 0);
      }
      WriteListColumns(d, kMainSection, S(table->objectName()), columns);
    }
  });
}

void TFormMain::closeEvent(QCloseEvent* event) {
  // A running script is stopped first; the window closes once the run ended.
  if (session_.ScriptRunning()) {
    session_.RequestScriptStop(false);
    closeAfterRun_ = true;
    event->ignore();
    return;
  }
  if (!stateSaved_) {
    SaveWindowState();
    stateSaved_ = true;
  }
  event->accept();
}

}  // namespace vetrilo
