#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <functional>

#include "services/export_params.h"
#include "services/export_source.h"

namespace vetrilo {

class TAppSession;

// "Параметры поля": caption, alignment and width of one field.
class TFormExportField : public QDialog {
  Q_OBJECT
 public:
  TFormExportField(const TExportField& field, QWidget* parent = nullptr);
  // The field with what the user set.
  TExportField Result() const;

  QLineEdit* CaptionEdit() { return caption_; }
  QComboBox* AlignmentBox() { return alignment_; }
  QLineEdit* WidthEdit() { return width_; }

 private:
  TExportField field_;
  QLineEdit* caption_ = nullptr;
  QComboBox* alignment_ = nullptr;
  QLineEdit* width_ = nullptr;
};

// "Экспорт в Microsoft Excel": the report's title, notes, sheet, page and font,
// the field list and the rows that go. It edits a copy of the parameters; the
// caller takes Params() after OK.
class TFormExport : public QDialog {
  Q_OBJECT
 public:
  TFormExport(TAppSession& session, const TExportSource& source, TExportParams params,
              QWidget* parent = nullptr);

  // The parameters as the controls hold them.
  TExportParams Params() const;
  const TExportSource& Source() const { return source_; }

  QTreeWidget* FieldList() { return fields_; }
  QLineEdit* TitleEdit() { return title_; }
  QLineEdit* NotesEdit() { return notes_; }
  QCheckBox* CreateTimeBox() { return createTime_; }
  QLineEdit* SheetEdit() { return sheet_; }
  QComboBox* OrientationBox() { return orientation_; }
  QSpinBox* FontSizeBox() { return fontSize_; }
  QComboBox* SendModeBox() { return sendMode_; }
  QLabel* RowCountLabel() { return rowCount_; }
  QCheckBox* SaveBox() { return save_; }
  QPushButton* UpButton() { return up_; }
  QPushButton* DownButton() { return down_; }
  QPushButton* PropertiesButton() { return properties_; }

  // Field commands (the buttons, the check boxes, double click).
  void MoveCurrent(int delta);
  void EditCurrent();
  void LoadFromFile();
  void SaveToFile();

  // Seams for the modal windows (tests replace them).
  std::function<bool(TFormExportField&)> RunFieldDialog;
  std::function<QString(bool save)> ChooseParamsFile;

 private:
  void ShowParams();
  void FillFields(int current);
  void RefreshRowCount();
  void OnItemChanged(QTreeWidgetItem* item, int column);

  TAppSession& session_;
  TExportSource source_;
  // The fields and the values without a control of their own.
  TExportParams params_;
  bool filling_ = false;
  QLineEdit* title_ = nullptr;
  QLineEdit* notes_ = nullptr;
  QCheckBox* createTime_ = nullptr;
  QLineEdit* sheet_ = nullptr;
  QComboBox* orientation_ = nullptr;
  QSpinBox* fontSize_ = nullptr;
  QComboBox* sendMode_ = nullptr;
  QLabel* rowCount_ = nullptr;
  QCheckBox* save_ = nullptr;
  QTreeWidget* fields_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
  QPushButton* properties_ = nullptr;
};

}  // namespace vetrilo
