#pragma once

#include <QAction>
#include <QKeySequence>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <vector>

namespace vetrilo {

class TAppSession;

// The command framework of the main window: every command is an action with a
// caption, a hint, an optional short-cut and an enable rule. Rules are
// re-evaluated when the program is idle; while the session is busy every action
// is disabled. Execution catches engine errors and shows them.
class TActionList : public QObject {
  Q_OBJECT
 public:
  TActionList(TAppSession& session, QObject* parent);

  QAction* Add(const QString& name, const QString& caption, const QString& hint,
               std::function<void()> execute, std::function<bool()> enabled = {},
               const QKeySequence& shortcut = {});
  // An action for the time the session is busy (the stop request): enabled only
  // then, and its execution must not start an operation of its own.
  QAction* AddWhileBusy(const QString& name, const QString& caption, const QString& hint,
                        std::function<void()> execute, const QKeySequence& shortcut = {},
                        std::function<bool()> enabled = {});
  QAction* Find(const QString& name) const;
  void UpdateAll();

 private:
  // A named action with its caption, hint and short-cut, found by Find.
  QAction* NewAction(const QString& name, const QString& caption, const QString& hint,
                     const QKeySequence& shortcut);

  TAppSession& session_;
  QTimer idle_;
  std::map<QAction*, std::function<bool()>> rules_;
  std::vector<std::pair<QAction*, std::function<bool()>>> busyOnly_;
  std::map<QString, QAction*> byName_;
};

}  // namespace vetrilo
