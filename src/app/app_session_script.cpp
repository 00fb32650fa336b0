// The script of the script page: its lines, files and autosave.
#include <algorithm>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"
#include "scripts/script_file.h"
#include "scripts/script_list_view.h"

namespace vetrilo {

namespace {

std::string LoadingStatus(const std::string& path) {
  return Format(Tr("Загрузка файла \"%s\"..."), {path});
}
std::string SavingStatus(const std::string& path) {
  return Format(Tr("Сохранение файла \"%s\"..."), {path});
}
std::string ReadError(const std::string& path, const std::string& reason) {
  return Format(Tr("Ошибка чтения файла \"%s\"!\r\r%s"), {path, reason});
}
std::string WriteError(const std::string& path, const std::string& reason) {
  return Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"), {path, reason});
}

}  // namespace

void TAppSession::LoadScript() {
  const std::string path = ScriptAutosaveFile();
  script_.clear();
  if (PathExists(path)) {
    TBusyGuard busy(*this, LoadingStatus(path));
    try {
      script_ = ReadScriptFile(path);
    } catch (const EVetrilo& e) {
      ShowError(ReadError(path, e.Message()));
    }
  }
  Notify(kChangeScript);
}

bool TAppSession::SaveScriptAutosave() {
  return SaveScriptFile(ScriptAutosaveFile());
}

const std::string& TAppSession::ScriptLine(int index) const {
  if (index < 0 || index >= static_cast<int>(script_.size())) {
    throw EVetrilo(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
  }
  return script_[size_t(index)];
}

int TAppSession::AddScriptLine(const std::string& line) {
  TBusyGuard busy(*this, "");
  script_.push_back(line);
  SaveScriptAutosave();
  Notify(kChangeScript);
  return static_cast<int>(script_.size()) - 1;
}

int TAppSession::AddScriptSeparator() {
  return AddScriptLine("");
}

void TAppSession::ReplaceScriptLine(int index, const std::string& line) {
  ScriptLine(index);
  TBusyGuard busy(*this, "");
  script_[size_t(index)] = line;
  SaveScriptAutosave();
  Notify(kChangeScript);
}

bool TAppSession::DeleteScriptLines(std::vector<int> indexes) {
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  if (indexes.empty()) return false;
  for (int i : indexes) ScriptLine(i);
  if (!hooks_->ConfirmDestructive(kDeleteQuestionTitle,
                                  DeleteRecordsQuestion(static_cast<int>(indexes.size())))) {
    return false;
  }
  TBusyGuard busy(*this, "");
  // From the last to the first, so the indexes still to go stay valid.
  for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
    script_.erase(script_.begin() + *it);
  }
  SaveScriptAutosave();
  Notify(kChangeScript);
  return true;
}

bool TAppSession::ClearScript() {
  if (script_.empty()) return false;
  if (!hooks_->ConfirmDestructive(kDeleteQuestionTitle,
                                  DeleteRecordsQuestion(static_cast<int>(script_.size())))) {
    return false;
  }
  TBusyGuard busy(*this, "");
  script_.clear();
  SaveScriptAutosave();
  Notify(kChangeScript);
  return true;
}

int TAppSession::MoveScriptLine(int index, int delta) {
  ScriptLine(index);
  const int other = index + (delta < 0 ? -1 : 1);
  ScriptLine(other);
  TBusyGuard busy(*this, "");
  std::swap(script_[size_t(index)], script_[size_t(other)]);
  SaveScriptAutosave();
  Notify(kChangeScript);
  return other;
}

bool TAppSession::OpenScriptFile(const std::string& path) {
  TBusyGuard busy(*this, LoadingStatus(path));
  try {
    script_ = ReadScriptFile(path);
  } catch (const EVetrilo& e) {
    ShowError(ReadError(path, e.Message()));
    return false;
  }
  SaveScriptAutosave();
  Notify(kChangeScript);
  return true;
}

bool TAppSession::AppendScriptFile(const std::string& path) {
  TBusyGuard busy(*this, LoadingStatus(path));
  std::vector<std::string> lines;
  try {
    lines = ReadScriptFile(path);
  } catch (const EVetrilo& e) {
    ShowError(ReadError(path, e.Message()));
    return false;
  }
  AppendScriptLines(lines);
  return true;
}

bool TAppSession::SaveScriptFile(const std::string& path) {
  TBusyGuard busy(*this, SavingStatus(path));
  try {
    WriteScriptFile(path, script_);
    return true;
  } catch (const EVetrilo& e) {
    ShowError(WriteError(path, e.Message()));
    return false;
  }
}

void TAppSession::AppendScriptLines(const std::vector<std::string>& lines) {
  TBusyGuard busy(*this, "");
  vetrilo::AppendScriptLines(script_, lines);
  SaveScriptAutosave();
  Notify(kChangeScript);
}

int TAppSession::RatingsToScript(const std::vector<std::string>& labels) {
  TBusyGuard busy(*this, Tr("Генерация новых строк в сценарии..."));
  int added = 0;
  for (const std::string& label : labels) {
    const TRatingLine made = RatingLabelToScriptLine(label, statList_);
    if (!made.Accepted) {
      ShowError(RatingRejectedMessage(label));
      continue;
    }
    script_.push_back(made.Line);
    ++added;
  }
  if (added > 0) {
    SaveScriptAutosave();
    Notify(kChangeScript);
  }
  return added;
}

}  // namespace vetrilo
