#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "stats/stat_list.h"

namespace vetrilo {

// The favourites manager's tree: one group node per statistic group in order of
// first appearance, under it one node per enabled method of the list. The
// manager edits the tree; the registry changes only when it is applied.
struct TFavoritesNode {
  bool IsGroup = false;
  int Group = 0;
  int Method = -1;          // index into the method list (method nodes)
  int Parent = -1;          // index of the group node (method nodes)
  std::string Text;         // group title, or the method's caption as edited
  std::string DefaultText;  // the method's default caption
  bool Checked = false;
};

class TFavoritesTree {
 public:
  explicit TFavoritesTree(const TStatList& list);
  // Rebuilt from the registry (after an import of captions).
  void Reload(const TStatList& list);

  const std::vector<TFavoritesNode>& Nodes() const { return nodes_; }
  int Count() const { return static_cast<int>(nodes_.size()); }
  // "всего %d методов", the size of the method list.
  const std::string& TotalText() const { return totalText_; }
  bool Ordered = false;
  bool ShowGroupName = true;
  bool ShowMethodFlags = true;

  // A click on a method node toggles it; group nodes ignore it.
  void Toggle(int node);
  void CheckAll(bool checked);
  // Every method node of the node's group (the node itself when it is a group).
  void CheckGroup(int node, bool checked);
  void Rename(int node, std::string_view text);
  // The default caption of the method back.
  void RestoreCaption(int node);
  bool IsMethod(int node) const {
    return node >= 0 && node < Count() && !nodes_[size_t(node)].IsGroup;
  }

  // Enable rules of the manager's buttons.
  bool CanCheckAll() const { return !nodes_.empty(); }
  bool CanCheckGroup(int node) const { return node >= 0 && node < Count(); }
  bool CanEditMethod(int node) const { return IsMethod(node); }

  // The node texts as user captions: empty when a text equals the default
  // caption ignoring case.
  void ApplyCaptions(TStatList& list) const;
  // OK: favourites and captions, NormalizeFavorites, the three options.
  void ApplyTo(TStatList& list) const;

 private:
  std::vector<TFavoritesNode> nodes_;
  std::string totalText_;
};

// The caption a method node starts with: the user's caption, else the default.
std::string EffectiveCaption(const TStatMethod& method);

}  // namespace vetrilo
