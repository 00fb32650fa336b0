#pragma once

#include <string>
#include <vector>

namespace vetrilo {

// Words the program takes on its command line. Each may be written as word,
// -word, --word, /word or \word, in any letter case.
struct TCommandLine {
  bool Restart = false;
  bool LoadOnly = false;
  bool FullRecreate = false;
  bool FullRefresh = false;
  bool NoLanguage = false;
  // No modal boxes: questions take their default answer, messages go to stderr.
  bool Batch = false;
  std::vector<std::string> Unknown;

  static TCommandLine Parse(const std::vector<std::string>& words);
  // A job that ends the run once done (the program may then run without a window).
  bool ExitsAfterJobs() const { return FullRecreate || FullRefresh || LoadOnly; }
};

}  // namespace vetrilo
