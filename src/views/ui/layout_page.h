#pragma once

#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QWidget>
#include <array>

namespace vetrilo {

class TAppSession;
class TActionList;
class TGridModel;
class TLayoutCompareModel;

// The "Схема" page: the layout scheme with its filters, and below it the five
// comparison lists with their depths.
class TLayoutPage : public QWidget {
  Q_OBJECT
 public:
  TLayoutPage(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);
  QTableView* Grid() { return grid_; }
  QSpinBox* DepthField() { return depth_; }
  QSpinBox* CompareDepthField(int list) { return compareDepth_[size_t(list)]; }
  QTableView* CompareList(int list) { return compareLists_[size_t(list)]; }
  int CompareHeight() const;
  void CommitDepths();
  void OnSessionChanged(uint32_t changes);

 private:
  void CreateActions();
  void FitColumns();

  TAppSession& session_;
  TActionList& actions_;
  QSpinBox* depth_ = nullptr;
  TGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QWidget* compareArea_ = nullptr;
  std::array<QSpinBox*, 5> compareDepth_{};
  std::array<QTableView*, 5> compareLists_{};
  std::array<TLayoutCompareModel*, 5> compareModels_{};
  int layoutBuilds_ = -1;
  int compareBuilds_ = -1;
};

}  // namespace vetrilo
