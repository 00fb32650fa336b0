#include "app/ui/qt_hooks.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/ui/qt_text.h"

namespace vetrilo {

static bool gNonInteractive = false;

void TQtHooks::SetNonInteractive(bool on) {
  gNonInteractive = on;
}
bool TQtHooks::NonInteractive() {
  return gNonInteractive;
}

void TQtHooks::SetStatus(std::string_view text) {
  if (statusSink_) statusSink_(Q(text));
  QCoreApplication::processEvents();
}

bool TQtHooks::StopRequested() {
  // Often enough to feel immediate, rarely enough to cost nothing in tight loops.
  constexpr qint64 kEventsEveryMs = 40;
  if (!sinceEvents_.isValid() || sinceEvents_.elapsed() >= kEventsEveryMs) {
    QCoreApplication::processEvents();
    sinceEvents_.start();
  }
  return stop_;
}

void TQtHooks::SetProgress(int percent) {
  if (progressSink_) progressSink_(percent);
  QCoreApplication::processEvents();
}

void TQtHooks::ShowMessage(TMessageKind kind, std::string_view text) {
  if (kind != TMessageKind::Information || gNonInteractive) WriteMessageToStderr(kind, text);
  if (gNonInteractive) return;
  QMessageBox::Icon icon = QMessageBox::Information;
  if (kind == TMessageKind::Error) icon = QMessageBox::Critical;
  if (kind == TMessageKind::Warning) icon = QMessageBox::Warning;
  QMessageBox box(icon, Q(MessageTitle(kind)), QMessage(text), QMessageBox::Ok, parent_);
  QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QGuiApplication::restoreOverrideCursor();
}

bool TQtHooks::Ask(std::string_view question) {
  return Confirm(kQuestionTitle, question);
}

std::unique_ptr<QMessageBox> TQtHooks::QuestionBox(QWidget* parent, std::string_view title,
                                                   std::string_view question, bool defaultNo) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QTr(title), QMessage(question),
                                           QMessageBox::Yes | QMessageBox::No, parent);
  box->button(QMessageBox::Yes)->setText(QTr("Да"));
  box->button(QMessageBox::No)->setText(QTr("Нет"));
  box->setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
  box->setEscapeButton(QMessageBox::No);
  return box;
}

bool TQtHooks::Confirm(std::string_view title, std::string_view question) {
  if (questionRunner_) {
    const std::unique_ptr<QMessageBox> box = QuestionBox(parent_, title, question, defaultNo_);
    return questionRunner_(*box) == QMessageBox::Yes;
  }
  if (gNonInteractive) {
    TConsoleHooks(true, false).Ask(question);
    return false;
  }
  const std::unique_ptr<QMessageBox> box = QuestionBox(parent_, title, question, defaultNo_);
  QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  const bool yes = box->exec() == QMessageBox::Yes;
  QGuiApplication::restoreOverrideCursor();
  return yes;
}

bool TQtHooks::ConfirmDestructive(std::string_view title, std::string_view question) {
  // Through Confirm, so hooks that answer questions themselves answer these too.
  const bool saved = defaultNo_;
  defaultNo_ = true;
  const bool yes = Confirm(title, question);
  defaultNo_ = saved;
  return yes;
}

void TQtHooks::BusyChanged(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace vetrilo
