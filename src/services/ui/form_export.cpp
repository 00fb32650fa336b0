#include "services/ui/form_export.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

#include "app/app_session.h"
#include "app/ui/qt_text.h"

namespace vetrilo {

namespace {

void AddAlignments(QComboBox* box) {
  for (int a : {kAlignLeft, kAlignRight, kAlignCenter}) box->addItem(Q(ExportAlignmentText(a)), a);
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QTr("Отмена"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

TFormExportField::TFormExportField(const TExportField& field, QWidget* parent)
    : QDialog(parent), field_(field) {
  setObjectName("FormExportField");
  setWindowTitle(QTr("Параметры поля"));
  caption_ = new QLineEdit(Q(field.Caption));
  alignment_ = new QComboBox;
  AddAlignments(alignment_);
  alignment_->setCurrentIndex(alignment_->findData(field.Alignment));
  width_ = new QLineEdit(Q(field.Width));
  auto* form = new QFormLayout;
  form->addRow(QTr("Заголовок столбца:"), caption_);
  form->addRow(QTr("Выравнивание данных:"), alignment_);
  form->addRow(QTr("Ширина:"), width_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancel(this));
  resize(360, sizeHint().height());
}

TExportField TFormExportField::Result() const {
  TExportField field = field_;
  field.Caption = S(caption_->text());
  field.Alignment = alignment_->currentData().toInt();
  field.Width = S(width_->text().trimmed());
  return field;
}

TFormExport::TFormExport(TAppSession& session, const TExportSource& source, TExportParams params,
                         QWidget* parent)
    : QDialog(parent), session_(session), source_(source), params_(std::move(params)) {
  setObjectName("FormExport");
  setWindowTitle(QTr("Экспорт в Microsoft Excel"));
  RunFieldDialog = [](TFormExportField& dialog) { return dialog.exec() == QDialog::Accepted; };
  ChooseParamsFile = [this](bool save) {
    const QString filter = QTr("Файлы параметров экспорта (*.exp)") + ";;" + QTr("Все файлы (*)");
    const QString dir = Q(session_.Paths().Dir);
    if (!save) return QFileDialog::getOpenFileName(this, QTr("Загрузить из файла"), dir, filter);
    QString path = QFileDialog::getSaveFileName(this, QTr("Сохранить в файле"), dir, filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ".exp";
    return path;
  };

  title_ = new QLineEdit;
  title_->setObjectName("edTitle");
  notes_ = new QLineEdit;
  notes_->setObjectName("edNotes");
  createTime_ =
      new QCheckBox(QTr("Добавить строку с датой и временем формирования отчета (экспорта)."));
  createTime_->setObjectName("DateCreateCheckBox");
  sheet_ = new QLineEdit;
  sheet_->setObjectName("edPageName");
  orientation_ = new QComboBox;
  orientation_->setObjectName("edOrientation");
  orientation_->addItems({QTr("Не устанавливать"), QTr("Книжная"), QTr("Альбомная")});
  fontSize_ = new QSpinBox;
  fontSize_->setObjectName("edFontSize");
  fontSize_->setRange(kMinExportFontSize, kMaxExportFontSize);
  auto* form = new QFormLayout;
  form->addRow(QTr("Наименование отчета:"), title_);
  form->addRow(QTr("Дополнительные сведения:"), notes_);
  form->addRow(createTime_);
  form->addRow(QTr("Наименование листа:"), sheet_);
  auto* page = new QHBoxLayout;
  page->addWidget(orientation_);
  page->addSpacing(16);
  page->addWidget(new QLabel(QTr("Базовый размер шрифта:")));
  page->addWidget(fontSize_);
  page->addStretch();
  form->addRow(QTr("Ориентация:"), page);

  fields_ = new QTreeWidget;
  fields_->setObjectName("lvFields");
  fields_->setRootIsDecorated(false);
  fields_->setHeaderLabels({QTr("Заголовок столбца"), QTr("Выравнивание"), QTr("Ширина")});
  fields_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  fields_->header()->setStretchLastSection(false);
  fields_->setColumnWidth(1, 120);
  fields_->setColumnWidth(2, 60);
  up_ = new QPushButton(QTr("Вверх"));
  down_ = new QPushButton(QTr("Вниз"));
  properties_ = new QPushButton(QTr("Свойства"));
  connect(up_, &QPushButton::clicked, this, [this] { MoveCurrent(-1); });
  connect(down_, &QPushButton::clicked, this, [this] { MoveCurrent(+1); });
  connect(properties_, &QPushButton::clicked, this, [this] { EditCurrent(); });
  connect(fields_, &QTreeWidget::itemDoubleClicked, this, [this] { EditCurrent(); });
  connect(fields_, &QTreeWidget::itemChanged, this, &TFormExport::OnItemChanged);
  auto* fieldButtons = new QVBoxLayout;
  fieldButtons->addWidget(up_);
  fieldButtons->addWidget(down_);
  fieldButtons->addWidget(properties_);
  fieldButtons->addStretch();
  auto* fieldBox = new QGroupBox(QTr("Перечень экспортируемых полей"));
  auto* fieldLayout = new QHBoxLayout(fieldBox);
  fieldLayout->addWidget(fields_, 1);
  fieldLayout->addLayout(fieldButtons);

  sendMode_ = new QComboBox;
  sendMode_->setObjectName("edSendMode");
  sendMode_->addItems(
      {QTr("Экспортировать все отображенные записи"), QTr("Экспортировать выделенные записи")});
  rowCount_ = new QLabel;
  rowCount_->setObjectName("edRecNum");
  connect(sendMode_, &QComboBox::currentIndexChanged, this, [this] { RefreshRowCount(); });
  auto* rows = new QHBoxLayout;
  rows->addWidget(new QLabel(QTr("Число строк:")));
  rows->addWidget(sendMode_, 1);
  rows->addWidget(rowCount_);
  save_ = new QCheckBox(QTr("Сохранить параметры экспорта в файле конфигурации"));
  save_->setObjectName("SaveCheckBox");

  auto* paramsButton = new QPushButton(QTr("Параметры"));
  paramsButton->setObjectName("btnParams");
  auto* menu = new QMenu(paramsButton);
  menu->addAction(QTr("Загрузить из файла"), this, [this] { LoadFromFile(); });
  menu->addAction(QTr("Сохранить в файле"), this, [this] { SaveToFile(); });
  paramsButton->setMenu(menu);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(paramsButton);
  bottom->addStretch();
  bottom->addWidget(OkCancel(this));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(fieldBox, 1);
  layout->addLayout(rows);
  layout->addWidget(save_);
  layout->addLayout(bottom);
  resize(560, 520);
  ShowParams();
}

void TFormExport::ShowParams() {
  title_->setText(Q(params_.Title));
  notes_->setText(Q(params_.Notes));
  createTime_->setChecked(params_.ShowCreateTime);
  sheet_->setText(Q(params_.SheetName));
  orientation_->setCurrentIndex(params_.PageOrientation);
  fontSize_->setValue(params_.BaseFontSize);
  save_->setChecked(params_.RestoreParameters);
  sendMode_->setCurrentIndex(static_cast<int>(params_.SendMode));
  RefreshRowCount();
  FillFields(0);
}

TExportParams TFormExport::Params() const {
  TExportParams p = params_;
  p.Title = S(title_->text());
  p.Notes = S(notes_->text());
  p.ShowCreateTime = createTime_->isChecked();
  p.SheetName = S(sheet_->text());
  p.PageOrientation = orientation_->currentIndex();
  p.BaseFontSize = fontSize_->value();
  p.SendMode = static_cast<TSendMode>(sendMode_->currentIndex());
  p.RestoreParameters = save_->isChecked();
  return p;
}

void TFormExport::RefreshRowCount() {
  params_.SendMode = static_cast<TSendMode>(std::max(0, sendMode_->currentIndex()));
  rowCount_->setText(QString::number(params_.RowsToSend()));
}

void TFormExport::FillFields(int current) {
  filling_ = true;
  fields_->clear();
  for (const TExportField& f : params_.Fields) {
    auto* item =
        new QTreeWidgetItem({Q(f.Caption), Q(ExportAlignmentText(f.Alignment)), Q(f.Width)});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, f.Checked ? Qt::Checked : Qt::Unchecked);
    item->setData(0, Qt::UserRole, f.SourceIndex);
    fields_->addTopLevelItem(item);
  }
  if (current >= 0 && current < fields_->topLevelItemCount()) {
    fields_->setCurrentItem(fields_->topLevelItem(current));
  }
  filling_ = false;
}

namespace {

// The list position of the field of this source column.
int FieldIndex(const std::vector<TExportField>& fields, int sourceIndex) {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].SourceIndex == sourceIndex) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

void TFormExport::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (filling_ || column != 0) return;
  const int index = FieldIndex(params_.Fields, item->data(0, Qt::UserRole).toInt());
  if (index < 0) return;
  const bool checked = item->checkState(0) == Qt::Checked;
  if (params_.Fields[size_t(index)].Checked == checked) return;
  const int moved = SetFieldChecked(params_.Fields, index, checked);
  // The list is rebuilt once the item's own signal is over.
  QTimer::singleShot(0, this, [this, moved] { FillFields(moved); });
}

void TFormExport::MoveCurrent(int delta) {
  QTreeWidgetItem* item = fields_->currentItem();
  if (!item) return;
  const int index = FieldIndex(params_.Fields, item->data(0, Qt::UserRole).toInt());
  if (index < 0) return;
  FillFields(MoveField(params_.Fields, index, delta));
}

void TFormExport::EditCurrent() {
  QTreeWidgetItem* item = fields_->currentItem();
  if (!item) return;
  const int index = FieldIndex(params_.Fields, item->data(0, Qt::UserRole).toInt());
  if (index < 0) return;
  TFormExportField dialog(params_.Fields[size_t(index)], this);
  if (!RunFieldDialog(dialog)) return;
  params_.Fields[size_t(index)] = dialog.Result();
  FillFields(index);
}

void TFormExport::LoadFromFile() {
  const QString path = ChooseParamsFile(false);
  if (path.isEmpty()) return;
  TExportParams p = Params();
  if (!session_.LoadExportParamsFile(S(path), source_, p)) return;
  params_ = p;
  ShowParams();
}

void TFormExport::SaveToFile() {
  const QString path = ChooseParamsFile(true);
  if (!path.isEmpty()) session_.SaveExportParamsFile(S(path), source_, Params());
}

}  // namespace vetrilo
