#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <array>
#include <cstdint>
#include <string>

#include "core/draw_archive.h"
#include "stats/stat_list.h"

namespace vetrilo {

// "Методы шинковки": the three shredding formulas with their digit counts,
// filled from the registry. Under each formula its value for one draw (or the
// evaluator's message) follows the typing. The caller applies the result.
class TFormShredding : public QDialog {
  Q_OBJECT
 public:
  TFormShredding(const TStatList& list, const TDrawArchive& archive, int previewIndex, bool sorted,
                 QWidget* parent = nullptr);

  std::array<std::string, 3> Formulas() const;
  std::array<uint8_t, 3> Digits() const;

  QLineEdit* FormulaEdit(int i) const { return formulas_.at(size_t(i)); }
  QSpinBox* DigitsEdit(int i) const { return digits_.at(size_t(i)); }
  QLabel* ValueLabel(int i) const { return values_.at(size_t(i)); }

 private:
  void UpdatePreview(int i);

  const TDrawArchive& archive_;
  int previewIndex_;
  bool sorted_;
  std::array<QLineEdit*, 3> formulas_{};
  std::array<QSpinBox*, 3> digits_{};
  std::array<QLabel*, 3> values_{};
};

}  // namespace vetrilo
