#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QWidget>
#include <functional>

#include "stakes/system_catalog.h"

namespace vetrilo {

class TAppSession;
class TActionList;

// The systems list: the engine's texts and row states.
class TSystemsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TSystemsModel(TAppSession& session, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reload();

 private:
  TAppSession& session_;
  int rows_ = 0;
  std::string userMail_;
};

// "Система": the editor of a system, read-only for someone else's.
class TFormSystem : public QDialog {
  Q_OBJECT
 public:
  TFormSystem(const tSystemData& data, bool editable, QWidget* parent = nullptr);
  tSystemData Data() const;
  void accept() override;
  // The combination list rewritten as the editor keeps it, "Числа" and "Комбинаций" with it.
  void NormalizeCombs();
  QLineEdit* Title() { return title_; }
  QPlainTextEdit* Combs() { return combs_; }
  QLineEdit* Olap() { return olap_; }
  QLineEdit* Nums() { return nums_; }
  QLineEdit* CSize() { return csize_; }
  QPushButton* OkButton() { return ok_; }
  // Seam for the refusal box (tests).
  std::function<void(const QString&)> ShowRefusal;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  tSystemData data_;
  QLineEdit* title_ = nullptr;
  QLineEdit* descr_ = nullptr;
  QLineEdit* author_ = nullptr;
  QLineEdit* url_ = nullptr;
  QPlainTextEdit* combs_ = nullptr;
  QLineEdit* nums_ = nullptr;
  QLineEdit* csize_ = nullptr;
  QLineEdit* olap_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// The work tab "Системы": the catalogue's systems, their download, the user's
// own systems and the two system-stake actions.
class TSystemsPage : public QWidget {
  Q_OBJECT
 public:
  TSystemsPage(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);

  QTableView* List() { return list_; }
  // The page's tool bar; further system actions go at its end.
  QToolBar* Tools() { return tools_; }
  void FillMenu(QMenu* menu) const;
  void OnSessionChanged(uint32_t changes);
  int FocusedRow() const;
  std::vector<int> SelectedRows() const;

  // Seams for the modal windows: the editor (false on Cancel) and the stake dialog.
  std::function<bool(tSystemData& data, bool editable)> EditSystem;
  std::function<bool(int32_t& draw, std::string& comment, int& draws)> AskStake;

 private:
  void CreateActions();
  void Reload(int focusRow);
  void PropExecute();

  TAppSession& session_;
  TActionList& actions_;
  TSystemsModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  QToolBar* tools_ = nullptr;
  QList<QAction*> commands_;
};

}  // namespace vetrilo
