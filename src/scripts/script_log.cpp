#include "scripts/script_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

std::tm LocalTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

std::string TimeText(std::time_t t, const char* pattern) {
  const std::tm tm = LocalTime(t);
  return Format(pattern,
                {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec});
}

constexpr std::string_view kPrefix = "ScriptLog_";
constexpr std::string_view kExt = ".txt";

}  // namespace

TScriptLog::TScriptLog(std::string dir, TErrorSink onError, TClock clock)
    : dir_(std::move(dir)), onError_(std::move(onError)), clock_(std::move(clock)) {}

std::string TScriptLog::FileNameFor(std::time_t start) {
  return std::string(kPrefix) + TimeText(start, "%.4d-%.2d-%.2d-%.2d-%.2d-%.2d") +
         std::string(kExt);
}

void TScriptLog::Start() {
  fileName_ = JoinPath(dir_, FileNameFor(Now()));
}

void TScriptLog::Write(std::string_view message) {
  if (!Active()) return;
  const std::string line =
      Utf8ToCp1251(TimeText(Now(), "[%.4d-%.2d-%.2d %.2d:%.2d:%.2d]: ") + std::string(message)) +
      "\r\n";
  try {
    AppendFileBytes(fileName_, line);
  } catch (const EVetrilo& e) {
    if (onError_) onError_(Format(Tr("Ошибка записи журнала: %s!"), {std::string(e.what())}));
  }
}

std::vector<std::string> TScriptLog::Find(const std::string& dir) {
  std::vector<std::string> found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (name.size() >= kPrefix.size() + kExt.size() && name.starts_with(kPrefix) &&
        SameTextIgnoringCase(name.substr(name.size() - kExt.size()), kExt) &&
        !it->is_directory(typeError)) {
      found.push_back(it->path().string());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace vetrilo
