#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vetrilo {

// The run log of a script: "ScriptLog_yyyy-mm-dd-hh-nn-ss.txt" in the program
// folder, one "[yyyy-mm-dd hh:nn:ss]: message" line per entry in Windows-1251,
// each entry appended and the file closed again, so an abrupt end loses nothing.
class TScriptLog {
 public:
  using TClock = std::function<std::time_t()>;
  using TErrorSink = std::function<void(const std::string& message)>;

  TScriptLog(std::string dir, TErrorSink onError, TClock clock = {});

  // Names the log after the current time; entries are written until End().
  void Start();
  void End() { fileName_.clear(); }
  bool Active() const { return !fileName_.empty(); }
  const std::string& FileName() const { return fileName_; }  // full path, empty when off
  // A failed write shows "Ошибка записи журнала: %s!" and the run goes on.
  void Write(std::string_view message);

  static std::string FileNameFor(std::time_t start);  // without folder
  // The logs in a folder (not in its subfolders), full paths by name.
  static std::vector<std::string> Find(const std::string& dir);

 private:
  std::time_t Now() const { return clock_ ? clock_() : std::time(nullptr); }

  std::string dir_;
  TErrorSink onError_;
  TClock clock_;
  std::string fileName_;
};

}  // namespace vetrilo
