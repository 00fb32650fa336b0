#include <gtest/gtest.h>

#include "core/file_io.h"
#include "services/languages.h"
#include "stats/stat_list.h"

namespace vetrilo {
namespace {

// The help of every language answers every method's description and every
// link of its pages.
TEST(HelpPages, EveryMethodTopicAndEveryLinkLeadsToAPage) {
  const std::string root = VETRILO_SOURCE_ROOT;
  TStatList list;
  list.BuildMethods();
  ASSERT_GT(list.Count(), 100);
  for (uint32_t language : {1049u, 1033u}) {
    const std::string index = FindHelpFile(root, language);
    SCOPED_TRACE(index);
    ASSERT_TRUE(FileExists(index));
    for (const TStatMethod& m : list.Methods) {
      const std::string link = m.Stat->GetHelpLink(m.Param, index);
      SCOPED_TRACE(m.Code());
      const size_t hash = link.find('#');
      ASSERT_NE(hash, std::string::npos);
      const std::string page = link.substr(0, hash);
      ASSERT_TRUE(FileExists(page));
      EXPECT_NE(ReadFileBytes(page).find("id=\"" + link.substr(hash + 1) + "\""),
                std::string::npos);
    }
    const std::string dir = ExtractFileDir(index);
    for (const char* name :
         {"index.html", "pages.html", "scripts.html", "stakes.html", "cli.html"}) {
      const std::string text = ReadFileBytes(JoinPath(dir, name));
      for (size_t at = text.find("href=\""); at != std::string::npos;
           at = text.find("href=\"", at + 1)) {
        const size_t begin = at + 6;
        const std::string target = text.substr(begin, text.find_first_of("\"#", begin) - begin);
        EXPECT_TRUE(FileExists(JoinPath(dir, target))) << name << " -> " << target;
      }
    }
  }
}

}  // namespace
}  // namespace vetrilo
