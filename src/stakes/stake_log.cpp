#include "stakes/stake_log.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <vector>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/money_text.h"
#include "core/translate.h"

namespace vetrilo {

std::string TStakeLog::Path(int matches) const {
  return JoinPath(Dir, Format("%s-%d.log", {BaseName, matches}));
}

std::string TStakeLog::Line(const TStakeRec& r, const std::string& time) {
  return time + ": " +
         Format(Tr("Тираж № %s. Ставка: \"%s\" [%s] {%d}. Результаты тиража: [%s]. Совпадений: %d. "
                   "Профит: %s."),
                {std::to_string(r.DrawNumber), r.Comment, r.NumbersText(";"), r.SampleSize,
                 r.DrawResultText(";"), r.MatchesCount, MoneyText(r.Profit)});
}

void TStakeLog::Write(const TStakeRec& r, const std::string& time, TUiHooks& hooks) const {
  if (!r.IsChecked()) return;
  const std::string path = Path(r.MatchesCount);
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && static_cast<uint64_t>(st.st_size) > kStakeLogLimit) {
    if (::unlink(path.c_str()) != 0) {
      hooks.ShowMessage(TMessageKind::Error, Format(Tr("Ошибка удаления файла \"%s\"!\r\r%s"),
                                                    {path, OsErrorText(path, errno)}));
    }
  }
  const std::string bytes = Utf8ToCp1251(Line(r, time) + "\r\n");
  try {
    AppendFileBytes(path, bytes);
  } catch (const EVetrilo& e) {
    hooks.ShowMessage(TMessageKind::Warning,
                      Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"), {path, e.what()}));
  }
}

void TStakeLog::DeleteAll(TUiHooks& hooks) const {
  const std::string prefix = BaseName + "-";
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(Dir.c_str())) {
    while (const dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name.size() >= prefix.size() + 4 && name.compare(0, prefix.size(), prefix) == 0 &&
          name.compare(name.size() - 4, 4, ".log") == 0 && FileExists(JoinPath(Dir, name))) {
        names.push_back(name);
      }
    }
    ::closedir(dir);
  }
  if (names.empty()) {
    hooks.ShowMessage(TMessageKind::Information, Tr("Файлы журналов не найдены!"));
    return;
  }
  std::sort(names.begin(), names.end());
  hooks.SetStatus(Tr("Поиск файлов журналов..."));
  int deleted = 0;
  std::string details;
  for (const std::string& name : names) {
    const std::string path = JoinPath(Dir, name);
    if (::unlink(path.c_str()) == 0) {
      ++deleted;
      details += "\r" + Format(Tr("Удален файл \"%s\""), {name});
    } else {
      details +=
          "\r" + Format(Tr("Не удалось удалить файл \"%s\": %s"), {name, OsErrorText(path, errno)});
    }
  }
  const std::string summary =
      Format(Tr("Удалено файлов журналов: %d из %d."), {deleted, static_cast<int>(names.size())});
  hooks.ShowMessage(
      deleted == static_cast<int>(names.size()) ? TMessageKind::Information : TMessageKind::Error,
      summary + "\r" + details);
}

std::string NowLogTime() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  ::localtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y.%m.%d %H:%M:%S", &tm);
  return buf;
}

}  // namespace vetrilo
