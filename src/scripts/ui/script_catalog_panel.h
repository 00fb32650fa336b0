#pragma once

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTableView>
#include <QWidget>
#include <functional>

#include "scripts/script_catalog.h"

namespace vetrilo {

class TAppSession;
class TActionList;

// The script catalogue list: the engine's texts.
class TOnlineScriptsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TOnlineScriptsModel(TAppSession& session, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reload();

 private:
  TAppSession& session_;
  int rows_ = 0;
};

// "Свойства сценария": the publish dialog, or its read-only view.
class TFormScrPublic : public QDialog {
  Q_OBJECT
 public:
  // `check` runs the OK checks (empty: accepted).
  TFormScrPublic(const tScriptData& data, bool readOnly,
                 std::function<std::string(const tScriptData&)> check, QWidget* parent = nullptr);
  tScriptData Data() const;
  void accept() override;
  QLineEdit* Title() { return title_; }
  std::function<void(const QString&)> ShowRefusal;

 private:
  tScriptData data_;
  std::function<std::string(const tScriptData&)> check_;
  QLineEdit* title_ = nullptr;
  QLineEdit* author_ = nullptr;
  QComboBox* lcid_ = nullptr;
  QRadioButton* universal_ = nullptr;
  QRadioButton* public_ = nullptr;
  QLineEdit* descr_ = nullptr;
};

// The catalogue panel under the script list: the filter, the list and its commands.
class TScriptCatalogPanel : public QWidget {
  Q_OBJECT
 public:
  TScriptCatalogPanel(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);

  QTableView* List() { return list_; }
  QComboBox* Filter() { return filter_; }
  void FillMenu(QMenu* menu) const;
  void OnSessionChanged(uint32_t changes);
  int FocusedRow() const;

  // Seams for the modal windows: the publish dialog (false on Cancel), the
  // comment box (false on Cancel) and the ratings window.
  std::function<bool(tScriptData& data, bool readOnly)> EditScript;
  std::function<bool(std::string& notes)> AskComment;
  std::function<void(const std::vector<TScriptRate>& rates)> ShowRates;

 private:
  void CreateActions();
  void Focus(int row);
  int RowOfId(int32_t id) const;
  const tScriptInfo* Focused() const;

  TAppSession& session_;
  TActionList& actions_;
  TOnlineScriptsModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  QComboBox* filter_ = nullptr;
  QList<QAction*> commands_;
};

}  // namespace vetrilo
