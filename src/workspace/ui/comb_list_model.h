#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include "workspace/comb_workspace.h"

namespace vetrilo {

class TAppSession;

// The combination list as a virtual table: rows are read from the workspace on demand, so
// the full set of 178,365 rows costs nothing to show.
class TCombListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TCombListModel(TAppSession& session, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void Reload();   // the list changed
  void Repaint();  // same rows, other colours

 private:
  TAppSession& session_;
  // The row count the views were last told; a running operation may change the list before
  // the views hear of it, and data() answers rows beyond it with nothing.
  int rows_ = 0;
};

// The applied-filter list with an icon per kind of step.
class TJournalModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TJournalModel(TAppSession& session, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void Reload();
  static QIcon KindIcon(TJournalKind kind);

 private:
  TAppSession& session_;
  int rows_ = 0;
};

}  // namespace vetrilo
