#pragma once

#include <QTableView>
#include <QWidget>

namespace vetrilo {

class TAppSession;
class TActionList;
class TGridModel;

// The "Карта" page: the draw card with its colour options and grid filters.
class TCardPage : public QWidget {
  Q_OBJECT
 public:
  TCardPage(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);
  QTableView* Grid() { return grid_; }
  void OnSessionChanged(uint32_t changes);

 private:
  void CreateActions();

  TAppSession& session_;
  TActionList& actions_;
  TGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  int builds_ = -1;
};

}  // namespace vetrilo
