#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <functional>

#include "app/system_settings.h"

namespace vetrilo {

// "Параметры системы": edits a copy of the engine settings; the caller applies
// Settings() when the dialog is accepted.
class TFormSettings : public QDialog {
  Q_OBJECT
 public:
  // `showError` shows the message of a bad segment cell.
  TFormSettings(const TSystemSettings& settings, std::function<void(const std::string&)> showError,
                QWidget* parent = nullptr);

  TSystemSettings Settings() const;

  QSpinBox* MatrixColsField() { return matrixCols_; }
  QTableWidget* SegmentsGrid() { return segments_; }
  QSpinBox* ChannelSizeField() { return channelSize_; }
  QLineEdit* CostField() { return cost_; }
  QTableWidget* PrizesGrid() { return prizes_; }
  QLabel* RowsLabel() { return rows_; }
  QLineEdit* SiteField() { return site_; }
  QLineEdit* ResultsSiteField() { return resultsSite_; }

 private:
  void LayOutSegments();
  void OnSegmentEdited(QTableWidgetItem* item);
  // The segments as the grid shows them now.
  std::array<uint8_t, 47> CapturedSegments() const;

  TSystemSettings settings_;
  std::function<void(const std::string&)> showError_;
  QSpinBox* matrixCols_ = nullptr;
  QLabel* rows_ = nullptr;
  QTableWidget* segments_ = nullptr;
  QSpinBox* channelSize_ = nullptr;
  QLineEdit* cost_ = nullptr;
  QTableWidget* prizes_ = nullptr;
  QLineEdit* countWeight_ = nullptr;
  QLineEdit* deviationWeight_ = nullptr;
  QLineEdit* levelWeight_ = nullptr;
  QCheckBox* usePercents_ = nullptr;
  QCheckBox* useAbsValues_ = nullptr;
  QLineEdit* site_ = nullptr;
  QLineEdit* resultsSite_ = nullptr;
  bool laying_ = false;
};

}  // namespace vetrilo
