#include "core/ui_hooks.h"

#include <cstdio>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

std::string DeleteRecordsQuestion(int64_t count) {
  if (count == 1) return Tr("Удалить выделенную запись?");
  return Format(Tr("Удалить все выделенные записи (всего будет удалено %d записи(ей))?"), {count});
}

std::string MessageTitle(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Error:
      return Tr("Ошибка");
    case TMessageKind::Information:
      return Tr("Информация");
    case TMessageKind::Warning:
      return Tr("Внимание!");
  }
  return "";
}

void CheckStop(TUiHooks& hooks) {
  if (hooks.StopRequested()) throw EStopped();
}

void WriteMessageToStderr(TMessageKind kind, std::string_view text) {
  const std::string line = std::string(MessageTitle(kind)) + ": " + CrToLf(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

void TConsoleHooks::SetStatus(std::string_view text) {
  if (quietStatus_ || text.empty()) return;
  const std::string line = std::string(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

void TConsoleHooks::ShowMessage(TMessageKind kind, std::string_view text) {
  WriteMessageToStderr(kind, text);
}

bool TConsoleHooks::Ask(std::string_view question) {
  const std::string line = std::string(kQuestionTitle) + ": " + CrToLf(question) + " -> " +
                           (defaultAnswer_ ? Tr("Да") : Tr("Нет")) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  return defaultAnswer_;
}

}  // namespace vetrilo
