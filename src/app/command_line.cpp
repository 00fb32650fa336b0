#include "app/command_line.h"

#include "core/cp1251.h"

namespace vetrilo {

TCommandLine TCommandLine::Parse(const std::vector<std::string>& words) {
  TCommandLine cl;
  for (const std::string& raw : words) {
    std::string word = raw;
    if (word.rfind("--", 0) == 0) {
      word = word.substr(2);
    } else if (!word.empty() && (word[0] == '-' || word[0] == '/' || word[0] == '\\')) {
      word = word.substr(1);
    }
    const std::string w = Utf8UpperCase(word);
    if (w == "RESTART") {
      cl.Restart = true;
    } else if (w == "LOADONLY") {
      cl.LoadOnly = true;
    } else if (w == "FULLRECREATE") {
      cl.FullRecreate = true;
    } else if (w == "FULLREFRESH") {
      cl.FullRefresh = true;
    } else if (w == "NO-LANGUAGE") {
      cl.NoLanguage = true;
    } else if (w == "BATCH") {
      cl.Batch = true;
    } else {
      cl.Unknown.push_back(raw);
    }
  }
  return cl;
}

}  // namespace vetrilo
