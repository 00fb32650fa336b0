#include "stats/favorites_tree.h"

#include <map>

#include "core/cp1251.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

std::string EffectiveCaption(const TStatMethod& method) {
  return method.UserCaption.empty() ? method.Stat->GetCaptionFor(method.Param) : method.UserCaption;
}

TFavoritesTree::TFavoritesTree(const TStatList& list) {
  Reload(list);
  Ordered = list.Ordered;
  ShowGroupName = list.ShowGroupName;
  ShowMethodFlags = list.ShowMethodFlags;
}

void TFavoritesTree::Reload(const TStatList& list) {
  nodes_.clear();
  // Group nodes appear where their first method does; methods follow under them.
  std::map<int, std::vector<TFavoritesNode>> byGroup;
  std::vector<int> groupOrder;
  for (int i = 0; i < list.Count(); ++i) {
    const TStatMethod& m = list.Item(i);
    if (!m.Stat->IsEnabled()) continue;
    const int group = m.Stat->GetGroup();
    if (!byGroup.count(group)) groupOrder.push_back(group);
    TFavoritesNode node;
    node.Group = group;
    node.Method = i;
    node.Text = EffectiveCaption(m);
    node.DefaultText = m.Stat->GetCaptionFor(m.Param);
    node.Checked = m.Favorite;
    byGroup[group].push_back(std::move(node));
  }
  for (int group : groupOrder) {
    TFavoritesNode head;
    head.IsGroup = true;
    head.Group = group;
    head.Text = GroupTitle(group);
    const int headIndex = Count();
    nodes_.push_back(head);
    for (TFavoritesNode& node : byGroup[group]) {
      node.Parent = headIndex;
      nodes_.push_back(std::move(node));
    }
  }
  totalText_ = Format(Tr("всего %d методов"), {list.Count()});
}

void TFavoritesTree::Toggle(int node) {
  if (IsMethod(node)) nodes_[size_t(node)].Checked = !nodes_[size_t(node)].Checked;
}

void TFavoritesTree::CheckAll(bool checked) {
  for (TFavoritesNode& n : nodes_) {
    if (!n.IsGroup) n.Checked = checked;
  }
}

void TFavoritesTree::CheckGroup(int node, bool checked) {
  if (!CanCheckGroup(node)) return;
  const TFavoritesNode& chosen = nodes_[size_t(node)];
  const int head = chosen.IsGroup ? node : chosen.Parent;
  for (TFavoritesNode& n : nodes_) {
    if (!n.IsGroup && n.Parent == head) n.Checked = checked;
  }
}

void TFavoritesTree::Rename(int node, std::string_view text) {
  if (IsMethod(node)) nodes_[size_t(node)].Text = std::string(text);
}

void TFavoritesTree::RestoreCaption(int node) {
  if (IsMethod(node)) nodes_[size_t(node)].Text = nodes_[size_t(node)].DefaultText;
}

void TFavoritesTree::ApplyCaptions(TStatList& list) const {
  for (const TFavoritesNode& n : nodes_) {
    if (n.IsGroup || n.Method < 0 || n.Method >= list.Count()) continue;
    TStatMethod& m = list.Methods[size_t(n.Method)];
    const std::string def = m.Stat->GetCaptionFor(m.Param);
    m.UserCaption = SameTextIgnoringCase(n.Text, def) ? std::string() : n.Text;
  }
}

void TFavoritesTree::ApplyTo(TStatList& list) const {
  for (const TFavoritesNode& n : nodes_) {
    if (n.IsGroup || n.Method < 0 || n.Method >= list.Count()) continue;
    list.Methods[size_t(n.Method)].Favorite = n.Checked;
  }
  ApplyCaptions(list);
  list.NormalizeFavorites();
  list.Ordered = Ordered;
  list.ShowGroupName = ShowGroupName;
  list.ShowMethodFlags = ShowMethodFlags;
}

}  // namespace vetrilo
