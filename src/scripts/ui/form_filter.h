#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <functional>
#include <string>

#include "scripts/script_editors.h"

namespace vetrilo {

// The filter editor "Фильтр": one script filter, control by control.
class TFormFilter : public QDialog {
  Q_OBJECT
 public:
  // `currentMethod` and `currentDepth`: the main window's method and depth, the
  // defaults of a new filter. `showError` shows a refusal of OK.
  TFormFilter(const TStatList& list, const std::string& text, int currentMethod, int currentDepth,
              std::function<void(const std::string&)> showError, QWidget* parent = nullptr);

  TFilterEditorValues Values() const;
  std::string FilterText() const { return BuildEditedFilter(Values(), list_); }

  QComboBox* Method() { return method_; }
  QLineEdit* DrawsLen() { return drawsLen_; }
  QComboBox* SortColumn() { return sortColumn_; }
  QComboBox* Direction() { return direction_; }
  QCheckBox* MultiSelect() { return multiSelect_; }
  QComboBox* LevelMode() { return levelMode_; }
  QLineEdit* LevelValue() { return levelValue_; }
  QComboBox* StopMode() { return stopMode_; }
  QSpinBox* StopValue() { return stopValue_; }
  QCheckBox* CdlOverride() { return cdlOverride_; }
  QDoubleSpinBox* CoefCount() { return coefCount_; }
  QDoubleSpinBox* CoefDeviation() { return coefDeviation_; }
  QDoubleSpinBox* CoefLevel() { return coefLevel_; }
  QCheckBox* CoefPercents() { return coefPercents_; }
  QCheckBox* CoefAbs() { return coefAbs_; }
  QComboBox* FilterMode() { return filterMode_; }

  void accept() override;

 private:
  void UpdateEnables();

  const TStatList& list_;
  std::string methodText_;
  int32_t storedSortColumn_ = 1;  // a sort column the list of captions lacks
  std::function<void(const std::string&)> showError_;
  QComboBox* method_ = nullptr;
  QLineEdit* drawsLen_ = nullptr;
  QComboBox* sortColumn_ = nullptr;
  QComboBox* direction_ = nullptr;
  QCheckBox* multiSelect_ = nullptr;
  QComboBox* levelMode_ = nullptr;
  QLineEdit* levelValue_ = nullptr;
  QComboBox* stopMode_ = nullptr;
  QSpinBox* stopValue_ = nullptr;
  QCheckBox* cdlOverride_ = nullptr;
  QDoubleSpinBox* coefCount_ = nullptr;
  QDoubleSpinBox* coefDeviation_ = nullptr;
  QDoubleSpinBox* coefLevel_ = nullptr;
  QCheckBox* coefPercents_ = nullptr;
  QCheckBox* coefAbs_ = nullptr;
  QComboBox* filterMode_ = nullptr;
};

}  // namespace vetrilo
