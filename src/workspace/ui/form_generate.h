#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>

namespace vetrilo {

// "Создание нового списка комбинаций": a generation mode, its parameter (the user's numbers
// or a combination file) and whether they become the stored defaults.
class TFormGenerate : public QDialog {
  Q_OBJECT
 public:
  TFormGenerate(int mode, const QString& parameter, QWidget* parent = nullptr);

  int Mode() const;
  void SetMode(int mode);
  QString Parameter() const { return parameter_->text(); }
  bool SaveAsDefaults() const { return saveDefaults_->isChecked(); }

  QListWidget* ModeList() { return modes_; }
  QLineEdit* ParameterField() { return parameter_; }
  QPushButton* FileButton() { return fileButton_; }
  QCheckBox* SaveDefaultsBox() { return saveDefaults_; }
  // Replaces the file dialog of "..." (tests).
  void SetFileChooser(std::function<QString()> chooser) { chooseFile_ = std::move(chooser); }

 private:
  void UpdateControls();

  QListWidget* modes_;
  QLineEdit* parameter_;
  QPushButton* fileButton_;
  QCheckBox* saveDefaults_;
  std::function<QString()> chooseFile_;
};

// Qt's form of a file-dialog filter written "Caption (*.ext)|*.ext".
QString QtFileFilter(std::string_view filter);

}  // namespace vetrilo
