#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/ui_hooks.h"

class QMessageBox;

namespace vetrilo {

// The engine's view of the screen: message boxes with the program's titles, the
// status text (which also lets the window repaint and take input) and the wait
// cursor. Errors and warnings are also written to stderr. In non-interactive
// mode nothing modal is shown: messages go to stderr, questions take their default.
class TQtHooks : public TUiHooks {
 public:
  explicit TQtHooks(QWidget* parent = nullptr) : parent_(parent) {}

  void SetParent(QWidget* parent) { parent_ = parent; }
  void SetStatusSink(std::function<void(const QString&)> sink) { statusSink_ = std::move(sink); }
  void SetProgressSink(std::function<void(int)> sink) { progressSink_ = std::move(sink); }
  static void SetNonInteractive(bool on);
  static bool NonInteractive();

  void SetStatus(std::string_view text) override;
  void ShowMessage(TMessageKind kind, std::string_view text) override;
  bool Ask(std::string_view question) override;
  bool Confirm(std::string_view title, std::string_view question) override;
  // Through Confirm, with No as the default button.
  bool ConfirmDestructive(std::string_view title, std::string_view question) override;
  // The box of a Yes/No question: "Да" and "Нет", Enter pressing `No` when defaultNo.
  static std::unique_ptr<QMessageBox> QuestionBox(QWidget* parent, std::string_view title,
                                                  std::string_view question, bool defaultNo);
  // For tests: a question box goes to the runner, not to the screen (also in
  // non-interactive mode); the runner returns the button pressed.
  using TQuestionRunner = std::function<int(QMessageBox& box)>;
  void SetQuestionRunner(TQuestionRunner runner) { questionRunner_ = std::move(runner); }
  void SetProgress(int percent) override;
  void BusyChanged(bool busy) override;
  // "Стоп": the running operation ends at its next look at the request.
  void RequestStop() { stop_ = true; }
  // Also lets the window take input now and then, so a click or key press that
  // asks to stop is seen by a loop that shows no status for a while.
  bool StopRequested() override;
  void ClearStopRequest() override { stop_ = false; }

 private:
  QPointer<QWidget> parent_;
  std::function<void(const QString&)> statusSink_;
  std::function<void(int)> progressSink_;
  TQuestionRunner questionRunner_;
  bool defaultNo_ = false;
  bool stop_ = false;
  QElapsedTimer sinceEvents_;
};

}  // namespace vetrilo
