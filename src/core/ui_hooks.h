#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vetrilo {

enum class TMessageKind { Error, Information, Warning };

// The question before rows are deleted: "Удалить выделенную запись?" for one,
// the count for several; asked under kDeleteQuestionTitle.
std::string DeleteRecordsQuestion(int64_t count);
constexpr std::string_view kDeleteQuestionTitle = "Предупреждение";

// Titles of the message boxes; questions use kQuestionTitle.
std::string MessageTitle(TMessageKind kind);
constexpr std::string_view kQuestionTitle = "Подтверждение";

// What the engine needs from whatever shows it: status texts (which also let the
// screen repaint and take input), message boxes, Yes/No questions and the stop
// request polled by long loops. Texts keep "\r" as their line break.
class TUiHooks {
 public:
  virtual ~TUiHooks() = default;
  virtual void SetStatus(std::string_view text) = 0;
  virtual void ShowMessage(TMessageKind kind, std::string_view text) = 0;
  virtual bool Ask(std::string_view question) = 0;
  // A Yes/No question under its own title (the deletion warnings).
  virtual bool Confirm(std::string_view title, std::string_view question) {
    (void)title;
    return Ask(question);
  }
  // A question whose Yes loses data or work (deleting, replacing, recomputing from
  // scratch, stopping a run): No is its default answer, so Enter alone does no harm.
  virtual bool ConfirmDestructive(std::string_view title, std::string_view question) {
    return Confirm(title, question);
  }
  virtual bool StopRequested() { return false; }
  // A stop request lasts one operation: the owner of the working state clears it
  // when the next one starts.
  virtual void ClearStopRequest() {}
  // Progress of a long operation, 0..100; -1 hides it.
  virtual void SetProgress(int percent) { (void)percent; }
  virtual void BusyChanged(bool busy) { (void)busy; }

  // The status text of the innermost operation in progress, empty when none.
  // Operations set it on entry and give the outer one back on exit, so a nested
  // operation does not wipe its caller's status (see TStatusScope, TBusyGuard).
  const std::string& OperationStatus() const { return operationStatus_; }
  void SetOperationStatus(std::string_view text) { operationStatus_.assign(text); }

 private:
  std::string operationStatus_;
};

// Messages to stderr, questions answered with their default; for the
// command-line tool and for runs without a screen.
class TConsoleHooks : public TUiHooks {
 public:
  explicit TConsoleHooks(bool quietStatus = true, bool defaultAnswer = false)
      : quietStatus_(quietStatus), defaultAnswer_(defaultAnswer) {}
  void SetStatus(std::string_view text) override;
  void ShowMessage(TMessageKind kind, std::string_view text) override;
  bool Ask(std::string_view question) override;

 private:
  bool quietStatus_;
  bool defaultAnswer_;
};

// Passes everything on to other hooks and counts the errors shown, so a job
// run without a screen can tell success from failure.
class TCountingHooks : public TUiHooks {
 public:
  explicit TCountingHooks(TUiHooks& inner) : inner_(&inner) {}
  void SetInner(TUiHooks& inner) { inner_ = &inner; }
  int ErrorsShown() const { return errors_; }

  void SetStatus(std::string_view text) override { inner_->SetStatus(text); }
  void ShowMessage(TMessageKind kind, std::string_view text) override {
    if (kind == TMessageKind::Error) ++errors_;
    inner_->ShowMessage(kind, text);
  }
  bool Ask(std::string_view question) override { return inner_->Ask(question); }
  bool Confirm(std::string_view title, std::string_view question) override {
    return inner_->Confirm(title, question);
  }
  bool ConfirmDestructive(std::string_view title, std::string_view question) override {
    return inner_->ConfirmDestructive(title, question);
  }
  bool StopRequested() override { return inner_->StopRequested(); }
  void ClearStopRequest() override { inner_->ClearStopRequest(); }
  void SetProgress(int percent) override { inner_->SetProgress(percent); }
  void BusyChanged(bool busy) override { inner_->BusyChanged(busy); }

 private:
  TUiHooks* inner_;
  int errors_ = 0;
};

// Long loops call this between steps; throws EStopped when a stop was requested.
void CheckStop(TUiHooks& hooks);

// Writes "title: text" to stderr with "\r" turned into line breaks.
void WriteMessageToStderr(TMessageKind kind, std::string_view text);

}  // namespace vetrilo
