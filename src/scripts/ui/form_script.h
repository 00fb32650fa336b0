#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <array>
#include <functional>
#include <string>

#include "scripts/script_editors.h"

namespace vetrilo {

class TAppSession;

// The line editor "Элемент сценария": options, seven filter texts and the comment.
class TFormScript : public QDialog {
  Q_OBJECT
 public:
  TFormScript(TAppSession& session, const QString& title, const std::string& line, int drawsExclude,
              QWidget* parent = nullptr);

  TLineEditorValues Values() const;
  // The line OK gives.
  std::string Line() const { return BuildEditedLine(Values()); }

  QLineEdit* Comment() { return comment_; }
  QComboBox* StartList() { return startList_; }
  QSpinBox* DrawsExclude() { return drawsExclude_; }
  QComboBox* StakeMode() { return stakeMode_; }
  QCheckBox* ClearStakes() { return clearStakes_; }
  QCheckBox* NewOnly() { return newOnly_; }
  QLineEdit* Filter(int n) { return filters_.at(size_t(n - 1)); }
  QToolButton* FilterButton(int n) { return buttons_.at(size_t(n - 1)); }

  // Opens the filter editor on field n (1..7); on OK the field takes its text.
  void EditFilter(int n);
  // Replace the filter editor (tests): text in/out, false on Cancel.
  void SetFilterEditor(std::function<bool(std::string& text)> editor) {
    filterEditor_ = std::move(editor);
  }

  void accept() override;

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;

  TAppSession& session_;
  QLineEdit* comment_ = nullptr;
  QComboBox* startList_ = nullptr;
  QSpinBox* drawsExclude_ = nullptr;
  QComboBox* stakeMode_ = nullptr;
  QCheckBox* clearStakes_ = nullptr;
  QCheckBox* newOnly_ = nullptr;
  std::array<QLineEdit*, kScriptFilterCount> filters_{};
  std::array<QToolButton*, kScriptFilterCount> buttons_{};
  std::function<bool(std::string&)> filterEditor_;
};

}  // namespace vetrilo
