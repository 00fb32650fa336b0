#include "app/ui/action_list.h"

#include <exception>

#include "app/app_session.h"
#include "app/ui/qt_text.h"
#include "core/errors.h"

namespace vetrilo {

TActionList::TActionList(TAppSession& session, QObject* parent)
    : QObject(parent), session_(session) {
  idle_.setInterval(150);
  connect(&idle_, &QTimer::timeout, this, &TActionList::UpdateAll);
  idle_.start();
}

QAction* TActionList::NewAction(const QString& name, const QString& caption, const QString& hint,
                                const QKeySequence& shortcut) {
  auto* action = new QAction(caption, parent());
  action->setObjectName(name);
  action->setToolTip(hint.isEmpty() ? caption : hint);
  action->setStatusTip(hint);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  byName_[name] = action;
  return action;
}

QAction* TActionList::Add(const QString& name, const QString& caption, const QString& hint,
                          std::function<void()> execute, std::function<bool()> enabled,
                          const QKeySequence& shortcut) {
  QAction* action = NewAction(name, caption, hint, shortcut);
  connect(action, &QAction::triggered, this, [this, execute = std::move(execute)] {
    if (session_.Busy()) return;
    try {
      execute();
    } catch (const EStopped&) {
      // The user stopped it: not a failure, nothing to show.
    } catch (const EVetrilo& e) {
      session_.ShowError(e.what());
    } catch (const std::exception& e) {
      session_.ShowError(e.what());
    }
    UpdateAll();
  });
  rules_[action] = std::move(enabled);
  return action;
}

QAction* TActionList::AddWhileBusy(const QString& name, const QString& caption, const QString& hint,
                                   std::function<void()> execute, const QKeySequence& shortcut,
                                   std::function<bool()> enabled) {
  QAction* action = NewAction(name, caption, hint, shortcut);
  action->setEnabled(false);
  connect(action, &QAction::triggered, this, [this, execute = std::move(execute), enabled] {
    if (session_.Busy() && (!enabled || enabled())) execute();
  });
  busyOnly_.emplace_back(action, std::move(enabled));
  return action;
}

QAction* TActionList::Find(const QString& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

void TActionList::UpdateAll() {
  const bool busy = session_.Busy();
  for (auto& [action, rule] : rules_) {
    action->setEnabled(!busy && (!rule || rule()));
  }
  for (const auto& [action, rule] : busyOnly_) action->setEnabled(busy && (!rule || rule()));
}

}  // namespace vetrilo
