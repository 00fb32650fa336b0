// vetrilo-texts: keeps the English catalogue in step with the sources.
//   vetrilo-texts missing [SRC] [TS]   lists the texts without a finished translation
//   vetrilo-texts add [SRC] [TS]       adds them to the catalogue, unfinished
//   vetrilo-texts unused [SRC] [TS]    lists catalogue entries no source holds any more
// SRC defaults to src, TS to translations/Vetrilo_4d47_ENU.ts (run from the
// repository root); translations/data_texts.txt names the files whose Russian
// literals are data, not interface texts.
#include <cstdio>
#include <cstring>
#include <exception>
#include <set>
#include <string>

#include "services/text_catalog.h"

using namespace vetrilo;

namespace {

void PrintText(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\r')
      line += "\\r";
    else if (c == '\n')
      line += "\\n";
    else
      line += c;
  }
  std::printf("%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || (std::strcmp(argv[1], "missing") && std::strcmp(argv[1], "add") &&
                   std::strcmp(argv[1], "unused"))) {
    std::fprintf(stderr, "usage: vetrilo-texts missing|add|unused [SRC] [TS]\n");
    return 2;
  }
  const std::string command = argv[1];
  const std::string src = argc > 2 ? argv[2] : "src";
  const std::string ts = argc > 3 ? argv[3] : "translations/Vetrilo_4d47_ENU.ts";
  const std::string dataList = ts.substr(0, ts.find_last_of('/') + 1) + "data_texts.txt";
  try {
    const std::vector<std::string> texts = ScanInterfaceTexts(src, ReadDataFileList(dataList));
    TTextCatalog catalog = TTextCatalog::Load(ts);
    if (command == "unused") {
      const std::set<std::string> used(texts.begin(), texts.end());
      int n = 0;
      for (const TCatalogEntry& e : catalog.Entries) {
        if (!used.count(e.Source)) {
          PrintText(e.Source);
          ++n;
        }
      }
      return n ? 1 : 0;
    }
    const std::vector<std::string> missing = MissingTexts(texts, catalog);
    if (command == "missing") {
      for (const std::string& t : missing) PrintText(t);
      std::fprintf(stderr, "%zu of %zu texts lack a translation\n", missing.size(), texts.size());
      return missing.empty() ? 0 : 1;
    }
    const int added = catalog.Add(missing);
    catalog.Save(ts);
    std::fprintf(stderr, "%d texts added to %s; translate the unfinished entries\n", added,
                 ts.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vetrilo-texts: %s\n", e.what());
    return 1;
  }
}
