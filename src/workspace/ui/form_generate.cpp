#include "workspace/ui/form_generate.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ui/qt_text.h"
#include "workspace/comb_file.h"
#include "workspace/comb_generate.h"

namespace vetrilo {

QString QtFileFilter(std::string_view filter) {
  const QStringList parts = Q(filter).split('|');
  QStringList captions;
  for (qsizetype i = 0; i < parts.size(); i += 2) captions << parts[i];
  return captions.join(";;");
}

TFormGenerate::TFormGenerate(int mode, const QString& parameter, QWidget* parent)
    : QDialog(parent) {
  setObjectName("FormGenerate");
  setWindowTitle(QTr("Создание нового списка комбинаций"));
  auto* layout = new QVBoxLayout(this);
  auto* modesLabel = new QLabel(QTr("Режим генерации списка комбинаций:"));
  modes_ = new QListWidget;
  modes_->setObjectName("lbGenerateMode");
  for (int m = 0; m < kGenerateModeCount; ++m) modes_->addItem(Q(GenerateModeCaption(m)));
  modes_->setMinimumWidth(420);
  modes_->setMaximumHeight(modes_->sizeHintForRow(0) * kGenerateModeCount + 8);
  modesLabel->setBuddy(modes_);
  layout->addWidget(modesLabel);
  layout->addWidget(modes_);

  auto* paramLabel = new QLabel(QTr("Мои числа или имя файла для загрузки:"));
  parameter_ = new QLineEdit(parameter);
  parameter_->setObjectName("edGenerateParameters");
  parameter_->setMaxLength(255);
  paramLabel->setBuddy(parameter_);
  fileButton_ = new QPushButton("...");
  fileButton_->setObjectName("btGenerateFile");
  fileButton_->setFixedWidth(32);
  auto* paramRow = new QHBoxLayout;
  paramRow->addWidget(parameter_, 1);
  paramRow->addWidget(fileButton_);
  layout->addWidget(paramLabel);
  layout->addLayout(paramRow);

  saveDefaults_ =
      new QCheckBox(QTr("Сохранить эти параметры для генерации комбинаций \"по умолчанию\""));
  saveDefaults_->setObjectName("cbGenerateSave");
  layout->addWidget(saveDefaults_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText("OK");
  buttons->button(QDialogButtonBox::Cancel)->setText(QTr("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  chooseFile_ = [this] {
    return QFileDialog::getOpenFileName(this, QTr("Открыть"), parameter_->text(),
                                        QtFileFilter(Tr(kCombFileFilter)));
  };
  connect(fileButton_, &QPushButton::clicked, this, [this] {
    const QString path = chooseFile_();
    if (!path.isEmpty()) parameter_->setText(path);
  });
  connect(modes_, &QListWidget::currentRowChanged, this, [this] { UpdateControls(); });
  SetMode(mode >= 0 && mode < kGenerateModeCount ? mode : 0);
  UpdateControls();
}

int TFormGenerate::Mode() const {
  return modes_->currentRow() < 0 ? 0 : modes_->currentRow();
}

void TFormGenerate::SetMode(int mode) {
  modes_->setCurrentRow(mode);
}

void TFormGenerate::UpdateControls() {
  parameter_->setEnabled(GenerateParameterEnabled(Mode()));
  fileButton_->setEnabled(GenerateFileButtonEnabled(Mode()));
}

}  // namespace vetrilo
