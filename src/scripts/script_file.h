#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vetrilo {

// Script files (".lsc" and the autosave ".lss") are Windows-1251 text, one script
// line per text line; an empty text line is a separator.

// Lines of a script file's bytes: broken at CR LF, LF or CR, a final break adds no
// line, converted to UTF-8. A file that is not such text (a NUL byte, a Unicode
// byte order mark) throws EVetrilo with the reason.
std::vector<std::string> ParseScriptFileBytes(std::string_view bytes);
// The file's bytes: every line in Windows-1251 and ended by CR LF.
std::string ScriptFileBytes(const std::vector<std::string>& lines);

// Reads / writes a script file (the write is atomic). Both throw EVetrilo with
// the system's reason only; the caller words the message.
std::vector<std::string> ReadScriptFile(const std::string& path);
void WriteScriptFile(const std::string& path, const std::vector<std::string>& lines);

// Largest script file read (far beyond any script a person writes).
constexpr size_t kMaxScriptFileBytes = size_t{64} << 20;

// Appends `added` to `script`: into an empty script they simply go; otherwise,
// when there is something to add, a separator goes first unless the script
// already ends with one.
void AppendScriptLines(std::vector<std::string>& script, const std::vector<std::string>& added);

// The first character of a typed text that a script file cannot hold (not in
// Windows-1251, or a line break), as UTF-8; none when the text is fine.
std::optional<std::string> FirstUnsavableChar(std::string_view text);
// "Символ \"%s\" не может быть записан в файл сценария!"
std::string UnsavableCharMessage(std::string_view character);

}  // namespace vetrilo
