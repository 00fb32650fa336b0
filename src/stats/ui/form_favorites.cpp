#include "stats/ui/form_favorites.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "app/app_session.h"
#include "app/ui/qt_text.h"
#include "app/ui/screen_info.h"
#include "app/window_placement.h"
#include "core/file_io.h"
#include "services/ui/form_help.h"

namespace vetrilo {

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

}  // namespace

TFormFavorites::TFormFavorites(TAppSession& session, QWidget* parent)
    : QDialog(parent), session_(session), tree_(session.StatList()) {
  setObjectName("FormFavorites");
  setWindowTitle(QTr("Менеджер избранных методов расчета статистики"));
  resize(720, 640);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QTr("Отметьте методы расчета статистики, которые Вы хотите использовать:")));
  auto* body = new QHBoxLayout;
  view_ = new QTreeWidget;
  view_->setObjectName("tvFilters");
  view_->setHeaderHidden(true);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Clicks anywhere on a method line toggle it, the check box included.
  connect(view_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    tree_.Toggle(NodeOf(item));
    RefreshItems();
  });
  connect(view_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    tree_.Toggle(NodeOf(item));
    RefreshItems();
  });
  connect(view_, &QTreeWidget::currentItemChanged, this, &TFormFavorites::UpdateButtons);
  body->addWidget(view_, 1);

  auto* side = new QVBoxLayout;
  auto button = [&](const char* name, const QString& caption, std::function<void()> run) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, run = std::move(run)] {
      run();
      UpdateButtons();
    });
    side->addWidget(b);
  };
  button("btnUncheckAll", QTr("Сбросить все"), [this] { CheckAll(false); });
  button("btnCheckAll", QTr("Выбрать все"), [this] { CheckAll(true); });
  button("btnUncheckGroup", QTr("Сбросить группу"), [this] { CheckGroup(false); });
  button("btnCheckGroup", QTr("Выбрать группу"), [this] { CheckGroup(true); });
  side->addSpacing(12);
  button("btnRename", QTr("Переименовать"), [this] { RenameSelected(); });
  button("btnRestore", QTr("Вернуть"), [this] { RestoreSelected(); });
  button("btnDescription", QTr("Описание"), [this] { DescribeSelected(); });
  side->addSpacing(12);
  button("btnImport", QTr("Импорт названий"), [this] { ImportCaptions(); });
  button("btnExport", QTr("Экспорт названий"), [this] { ExportCaptions(); });
  side->addStretch(1);
  body->addLayout(side);
  layout->addLayout(body, 1);

  total_ = new QLabel;
  total_->setObjectName("lbTotal");
  layout->addWidget(total_);
  ordered_ = new QCheckBox(QTr("Сортировать списки по названию метода"));
  ordered_->setObjectName("cbOrdered");
  groupName_ = new QCheckBox(QTr("Отображать идентификатор группы { xxx } перед названием метода"));
  groupName_->setObjectName("cbShowGroupName");
  flags_ = new QCheckBox(QTr("Отображать особенности метода [ YYY ] после названия метода"));
  flags_->setObjectName("cbShowMethodFlags");
  ordered_->setChecked(tree_.Ordered);
  groupName_->setChecked(tree_.ShowGroupName);
  flags_->setChecked(tree_.ShowMethodFlags);
  layout->addWidget(ordered_);
  layout->addWidget(groupName_);
  layout->addWidget(flags_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QTr("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  Fill();
}

TFavoritesTree TFormFavorites::Tree() const {
  TFavoritesTree tree = tree_;
  tree.Ordered = ordered_->isChecked();
  tree.ShowGroupName = groupName_->isChecked();
  tree.ShowMethodFlags = flags_->isChecked();
  return tree;
}

void TFormFavorites::Fill() {
  view_->clear();
  QTreeWidgetItem* group = nullptr;
  for (int i = 0; i < tree_.Count(); ++i) {
    const TFavoritesNode& node = tree_.Nodes()[size_t(i)];
    auto* item = node.IsGroup || !group ? new QTreeWidgetItem(view_) : new QTreeWidgetItem(group);
    item->setData(0, kNodeRole, i);
    if (node.IsGroup) group = item;
  }
  view_->expandAll();
  total_->setText(Q(tree_.TotalText()));
  RefreshItems();
}

void TFormFavorites::RefreshItems() {
  for (int i = 0; i < tree_.Count(); ++i) {
    const TFavoritesNode& node = tree_.Nodes()[size_t(i)];
    QTreeWidgetItem* item = ItemOf(i);
    if (!item) continue;
    item->setText(0, Q(node.Text));
    if (!node.IsGroup) item->setCheckState(0, node.Checked ? Qt::Checked : Qt::Unchecked);
    // The check box shows the state; only our click handler changes it.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  }
  UpdateButtons();
}

int TFormFavorites::NodeOf(QTreeWidgetItem* item) const {
  return item ? item->data(0, kNodeRole).toInt() : -1;
}

QTreeWidgetItem* TFormFavorites::ItemOf(int node) const {
  QTreeWidgetItemIterator it(view_);
  for (; *it; ++it) {
    if (NodeOf(*it) == node) return *it;
  }
  return nullptr;
}

int TFormFavorites::SelectedNode() const {
  return NodeOf(view_->currentItem());
}

void TFormFavorites::UpdateButtons() {
  const int node = SelectedNode();
  auto enable = [this](const char* name, bool on) {
    if (auto* b = findChild<QPushButton*>(name)) b->setEnabled(on);
  };
  enable("btnUncheckAll", tree_.CanCheckAll());
  enable("btnCheckAll", tree_.CanCheckAll());
  enable("btnUncheckGroup", tree_.CanCheckGroup(node));
  enable("btnCheckGroup", tree_.CanCheckGroup(node));
  enable("btnRename", tree_.CanEditMethod(node));
  enable("btnRestore", tree_.CanEditMethod(node));
  enable("btnDescription", tree_.CanEditMethod(node));
}

void TFormFavorites::CheckAll(bool checked) {
  tree_.CheckAll(checked);
  RefreshItems();
}

void TFormFavorites::CheckGroup(bool checked) {
  tree_.CheckGroup(SelectedNode(), checked);
  RefreshItems();
}

void TFormFavorites::RenameSelected() {
  const int node = SelectedNode();
  if (!tree_.CanEditMethod(node)) return;
  const QString current = Q(tree_.Nodes()[size_t(node)].Text);
  std::optional<QString> text;
  if (renameInput_) {
    text = renameInput_(current);
  } else {
    bool ok = false;
    const QString typed =
        QInputDialog::getText(this, QTr("Переименование"), QTr("Введите наименование фильтра:"),
                              QLineEdit::Normal, current, &ok);
    if (ok) text = typed;
  }
  if (!text) return;
  tree_.Rename(node, S(*text));
  RefreshItems();
}

void TFormFavorites::RestoreSelected() {
  tree_.RestoreCaption(SelectedNode());
  RefreshItems();
}

void TFormFavorites::DescribeSelected() {
  const int node = SelectedNode();
  if (!tree_.CanEditMethod(node)) return;
  TFormDescription form(session_, session_.MethodHelpLink(tree_.Nodes()[size_t(node)].Method),
                        this);
  form.exec();
}

QString TFormFavorites::ChooseFile(bool save) {
  if (chooseFile_) return chooseFile_(save);
  QFileDialog dialog(this);
  dialog.setNameFilter(QTr("Наименования фильтров (*.flt)"));
  dialog.setDefaultSuffix("flt");
  dialog.setDirectory(Q(session_.Paths().Dir));
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void TFormFavorites::ImportCaptions() {
  const QString path = ChooseFile(false);
  if (path.isEmpty() || !session_.ImportMethodCaptions(S(path))) return;
  tree_.Reload(session_.StatList());
  Fill();
}

void TFormFavorites::ExportCaptions() {
  const QString path = ChooseFile(true);
  if (!path.isEmpty()) session_.ExportMethodCaptions(tree_, S(path));
}

namespace {

constexpr std::string_view kDescriptionSection = "TFormDescription";

}  // namespace

TFormDescription::TFormDescription(TAppSession& session, const std::string& link, QWidget* parent)
    : QDialog(parent), session_(session), link_(Q(link)) {
  setObjectName("FormDescription");
  setWindowTitle(QTr("Описание методики расчета"));
  resize(640, 480);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  browser_ = new QTextBrowser;
  browser_->setObjectName("wbDescription");
  browser_->setOpenExternalLinks(false);
  layout->addWidget(browser_);
  // The method's page of the help at its anchor; blank without the help.
  const QUrl url = HelpPageUrl(link);
  if (!url.isEmpty() && FileExists(S(url.toLocalFile()))) browser_->setSource(url);
  const QRect g = geometry();
  const TRect current{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
  if (auto p = ReadPlacement(session_.WindowSettings(), kDescriptionSection, ScreenInfoOf(this),
                             current, false)) {
    setGeometry(p->NormPos.Left, p->NormPos.Top, p->NormPos.Width(), p->NormPos.Height());
  }
}

void TFormDescription::done(int result) {
  TWindowPlacement placement;
  const QRect n = geometry();
  placement.NormPos = {n.left(), n.top(), n.left() + n.width(), n.top() + n.height()};
  const TScreenInfo screen = ScreenInfoOf(this);
  session_.UpdateWindowSettings(
      [&](TIniData& d) { WritePlacement(d, kDescriptionSection, placement, screen); });
  QDialog::done(result);
}

}  // namespace vetrilo
