#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <functional>
#include <optional>

#include "stats/favorites_tree.h"

namespace vetrilo {

class TAppSession;

// "Менеджер избранных методов расчета статистики": the favourites tree with its
// buttons. OK leaves the edited tree in Tree(); the caller applies it.
class TFormFavorites : public QDialog {
  Q_OBJECT
 public:
  explicit TFormFavorites(TAppSession& session, QWidget* parent = nullptr);

  // The tree with the three options as the boxes show them.
  TFavoritesTree Tree() const;
  QTreeWidget* View() { return view_; }
  QLabel* TotalLabel() { return total_; }
  QPushButton* Button(const QString& name) { return findChild<QPushButton*>(name); }
  QCheckBox* OrderedBox() { return ordered_; }
  QCheckBox* GroupNameBox() { return groupName_; }
  QCheckBox* FlagsBox() { return flags_; }
  // The tree node of a view item, -1 for none.
  int NodeOf(QTreeWidgetItem* item) const;
  QTreeWidgetItem* ItemOf(int node) const;
  int SelectedNode() const;

  // Replace the modal dialogs (tests): the new caption (none on Cancel), the
  // file choice (save = true for the export).
  void SetRenameInput(std::function<std::optional<QString>(const QString& current)> input) {
    renameInput_ = std::move(input);
  }
  void SetFileChooser(std::function<QString(bool save)> chooser) {
    chooseFile_ = std::move(chooser);
  }

  void CheckAll(bool checked);
  void CheckGroup(bool checked);
  void RenameSelected();
  void RestoreSelected();
  void DescribeSelected();
  void ImportCaptions();
  void ExportCaptions();

 private:
  void Fill();
  void RefreshItems();
  void UpdateButtons();
  QString ChooseFile(bool save);

  TAppSession& session_;
  TFavoritesTree tree_;
  QTreeWidget* view_ = nullptr;
  QLabel* total_ = nullptr;
  QCheckBox* ordered_ = nullptr;
  QCheckBox* groupName_ = nullptr;
  QCheckBox* flags_ = nullptr;
  std::function<std::optional<QString>(const QString&)> renameInput_;
  std::function<QString(bool)> chooseFile_;
};

// "Описание методики расчета": the help page of a method; blank without one.
class TFormDescription : public QDialog {
  Q_OBJECT
 public:
  TFormDescription(TAppSession& session, const std::string& link, QWidget* parent = nullptr);
  QTextBrowser* Browser() { return browser_; }
  const QString& Link() const { return link_; }

 protected:
  void done(int result) override;

 private:
  TAppSession& session_;
  QTextBrowser* browser_ = nullptr;
  QString link_;
};

}  // namespace vetrilo
