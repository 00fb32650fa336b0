#include "stats/favorites_tree.h"

#include <gtest/gtest.h>

#include <set>

namespace vetrilo {

namespace {

TStatList BuiltList() {
  TStatList list;
  list.BuildMethods();
  return list;
}

int NodeOfCode(const TFavoritesTree& tree, const TStatList& list, const std::string& code) {
  for (int i = 0; i < tree.Count(); ++i) {
    const TFavoritesNode& n = tree.Nodes()[size_t(i)];
    if (!n.IsGroup && list.Item(n.Method).Code() == code) return i;
  }
  return -1;
}

}  // namespace

TEST(FavoritesTree, GroupsInOrderOfFirstAppearanceWithTheirMethods) {
  TStatList list = BuiltList();
  list.Methods[size_t(list.FindByCode("SUMS"))].UserCaption = "Моя сумма";
  list.ApplyFavoritesText("NUMS,SUMS");
  const TFavoritesTree tree(list);
  EXPECT_EQ(tree.TotalText(), "всего " + std::to_string(list.Count()) + " методов");

  std::vector<int> groups;
  int methods = 0;
  int head = -1;
  for (int i = 0; i < tree.Count(); ++i) {
    const TFavoritesNode& n = tree.Nodes()[size_t(i)];
    if (n.IsGroup) {
      groups.push_back(n.Group);
      EXPECT_EQ(n.Text, GroupTitle(n.Group));
      head = i;
      continue;
    }
    ++methods;
    EXPECT_EQ(n.Parent, head);
    EXPECT_EQ(n.Group, tree.Nodes()[size_t(head)].Group);
    EXPECT_EQ(n.Checked,
              list.Item(n.Method).Code() == "NUMS" || list.Item(n.Method).Code() == "SUMS");
  }
  EXPECT_EQ(methods, list.Count());
  // Every group once, first the groups of the list's first entries.
  EXPECT_EQ(std::set<int>(groups.begin(), groups.end()).size(), groups.size());
  ASSERT_GE(groups.size(), 3u);
  EXPECT_EQ(groups[0], 0);
  EXPECT_EQ(groups[1], 1);
  EXPECT_EQ(tree.Nodes()[0].Text, "{ num } Числа тиража");
  EXPECT_EQ(tree.Nodes()[size_t(NodeOfCode(tree, list, "SUMS"))].Text, "Моя сумма");
}

TEST(FavoritesTree, TogglesAndGroupChecks) {
  const TStatList list = BuiltList();
  TFavoritesTree tree(list);
  tree.CheckAll(false);
  tree.Toggle(0);  // a group node: nothing
  EXPECT_FALSE(tree.Nodes()[0].Checked);
  const int sums = NodeOfCode(tree, list, "SUMS");
  tree.Toggle(sums);
  EXPECT_TRUE(tree.Nodes()[size_t(sums)].Checked);
  tree.Toggle(sums);
  EXPECT_FALSE(tree.Nodes()[size_t(sums)].Checked);

  // "Выбрать группу" from a group node and from a method node of another group.
  const int sumGroup = tree.Nodes()[size_t(sums)].Parent;
  tree.CheckGroup(sumGroup, true);
  const int nums = NodeOfCode(tree, list, "NUMS");
  for (const TFavoritesNode& n : tree.Nodes()) {
    if (!n.IsGroup) {
      EXPECT_EQ(n.Checked, n.Parent == sumGroup) << n.Text;
    }
  }
  tree.CheckGroup(nums, true);
  tree.CheckGroup(sumGroup, false);
  for (const TFavoritesNode& n : tree.Nodes()) {
    if (!n.IsGroup) {
      EXPECT_EQ(n.Checked, n.Parent == tree.Nodes()[size_t(nums)].Parent) << n.Text;
    }
  }
  EXPECT_TRUE(tree.CanCheckAll());
  EXPECT_FALSE(tree.CanCheckGroup(-1));
  EXPECT_TRUE(tree.CanCheckGroup(0));
  EXPECT_FALSE(tree.CanEditMethod(0));
  EXPECT_TRUE(tree.CanEditMethod(nums));
}

TEST(FavoritesTree, ApplyingStoresFavouritesCaptionsAndOptions) {
  TStatList list = BuiltList();
  TFavoritesTree tree(list);
  tree.CheckAll(false);
  const int nums = NodeOfCode(tree, list, "NUMS");
  const int sums = NodeOfCode(tree, list, "SUMS");
  const int even = NodeOfCode(tree, list, "EVEN");
  tree.Toggle(nums);
  tree.Toggle(sums);
  tree.Rename(sums, "Суммы");
  tree.Rename(even, "Чётные");
  // The default caption in other letter case keeps no user caption.
  ASSERT_EQ(tree.Nodes()[size_t(nums)].DefaultText, "Числа тиража");
  tree.Rename(nums, "ЧИСЛА ТИРАЖА");
  tree.RestoreCaption(even);
  EXPECT_EQ(tree.Nodes()[size_t(even)].Text, tree.Nodes()[size_t(even)].DefaultText);
  tree.Ordered = true;
  tree.ShowGroupName = false;
  tree.ApplyTo(list);
  EXPECT_FALSE(list.AllFavorites);
  EXPECT_EQ(list.FavoritesText(), "NUMS,SUMS");
  EXPECT_EQ(list.Item(list.FindByCode("NUMS")).UserCaption, "");
  EXPECT_EQ(list.Item(list.FindByCode("SUMS")).UserCaption, "Суммы");
  EXPECT_EQ(list.Item(list.FindByCode("EVEN")).UserCaption, "");
  EXPECT_TRUE(list.Ordered);
  EXPECT_FALSE(list.ShowGroupName);
  EXPECT_TRUE(list.ShowMethodFlags);

  // Nothing checked: every method is a favourite again.
  TFavoritesTree none(list);
  none.CheckAll(false);
  none.ApplyTo(list);
  EXPECT_TRUE(list.AllFavorites);
  for (const TStatMethod& m : list.Methods) EXPECT_TRUE(m.Favorite);
}

}  // namespace vetrilo
