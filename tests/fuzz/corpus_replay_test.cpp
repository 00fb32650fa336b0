// Every seed and every saved crash of the fuzz corpora, run through the same
// harness functions libFuzzer drives, so an input that once broke a parser
// stays a test.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "fuzz_support.h"
#include "harnesses.h"
#include "test_support.h"

namespace vetrilo {

TEST(FuzzCorpus, EveryHarnessPassesEveryFileOfItsCorpus) {
  const std::filesystem::path root = VETRILO_FUZZ_CORPUS_DIR;
  std::set<std::string> registered;
  for (const fuzz::TFuzzHarness& h : fuzz::kFuzzHarnesses) {
    SCOPED_TRACE(h.Corpus);
    EXPECT_TRUE(registered.insert(h.Corpus).second) << "registered twice";
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(root / h.Corpus, ec)) {
      if (e.is_regular_file()) files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    EXPECT_FALSE(files.empty()) << "a harness needs seeds in fuzz/corpus/" << h.Corpus;
    for (const auto& file : files) {
      SCOPED_TRACE(file.filename().string());
      const std::string bytes = test::ReadFile(file.string());
      try {
        EXPECT_EQ(h.Run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
      } catch (const fuzz::EFuzzProperty& e) {
        ADD_FAILURE() << "property broken: " << e.what();
      } catch (const std::exception& e) {
        ADD_FAILURE() << "escaped the harness: " << e.what();
      }
    }
  }
  // A corpus folder without a harness is a harness someone forgot to register.
  for (const auto& e : std::filesystem::directory_iterator(root)) {
    if (e.is_directory()) {
      EXPECT_TRUE(registered.count(e.path().filename().string()))
          << e.path().filename() << " has no harness in fuzz/harnesses.def";
    }
  }
}

}  // namespace vetrilo
