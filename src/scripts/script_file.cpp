#include "scripts/script_file.h"

#include <cerrno>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

std::vector<std::string> ParseScriptFileBytes(std::string_view bytes) {
  // Script lines are labels of the ratings: a file that is not single-byte text
  // would come in garbled, so it is refused rather than read.
  if (bytes.find('\0') != std::string_view::npos) {
    throw EVetrilo(Tr("Файл не является текстовым файлом сценария (содержит двоичные данные)."));
  }
  if (bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
      bytes.starts_with("\xFE\xFF")) {
    throw EVetrilo(Tr("Файл сценария записан не в кодировке Windows-1251."));
  }
  std::vector<std::string> lines = SplitLines(bytes);
  for (std::string& line : lines) line = Cp1251ToUtf8(line);
  return lines;
}

std::string ScriptFileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += Utf8ToCp1251(line);
    bytes += "\r\n";
  }
  return bytes;
}

std::vector<std::string> ReadScriptFile(const std::string& path) {
  if (DirectoryExists(path)) throw EVetrilo(OsErrorText(path, EISDIR));
  const std::string bytes = ReadFileBytes(path);
  if (bytes.size() > kMaxScriptFileBytes) throw EVetrilo(Tr("Файл слишком велик для сценария."));
  return ParseScriptFileBytes(bytes);
}

void WriteScriptFile(const std::string& path, const std::vector<std::string>& lines) {
  SaveFileAtomic(path, ScriptFileBytes(lines));
}

void AppendScriptLines(std::vector<std::string>& script, const std::vector<std::string>& added) {
  if (script.empty()) {
    script = added;
    return;
  }
  if (added.empty()) return;
  if (!script.back().empty()) script.emplace_back();
  script.insert(script.end(), added.begin(), added.end());
}

std::optional<std::string> FirstUnsavableChar(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const size_t len = Utf8PrefixBytes(text.substr(i), 1);
    const std::string_view c = text.substr(i, len);
    if (c == "\r" || c == "\n") return std::string(c);
    // Only a character the code page lacks turns into "?".
    if (c != "?" && Utf8ToCp1251(c) == "?") return std::string(c);
    i += len;
  }
  return std::nullopt;
}

std::string UnsavableCharMessage(std::string_view character) {
  const std::string shown =
      character == "\r" || character == "\n" ? Tr("перевод строки") : std::string(character);
  return Format(Tr("Символ \"%s\" не может быть записан в файл сценария!"), {shown});
}

}  // namespace vetrilo
