#pragma once

#include <QAbstractTableModel>

namespace vetrilo {

class TAppSession;

// The draw archive, newest first, as a virtual table over the session's archive.
class TDrawListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TDrawListModel(TAppSession& session, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void Reload();   // rows changed
  void Repaint();  // same rows, other texts or colours

 private:
  TAppSession& session_;
};

}  // namespace vetrilo
