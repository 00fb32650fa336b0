#include "cli/cli.h"

#include <cerrno>
#include <cstdio>

#include "app/data_lock.h"
#include "core/csv.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"

namespace vetrilo::cli {

TCliArgs::TCliArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
                   const std::set<std::string>& flagOptions) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w.size() > 2 && w.rfind("--", 0) == 0) {
      const std::string name = w.substr(2);
      if (valueOptions.count(name)) {
        if (i + 1 >= words.size()) throw ECliError("option --" + name + " needs a value");
        values_[name].push_back(words[++i]);
      } else if (flagOptions.count(name)) {
        flags_.insert(name);
      } else {
        throw ECliError("unknown option --" + name);
      }
    } else {
      positional_.push_back(w);
    }
  }
}

std::string TCliArgs::Value(const std::string& name, const std::string& def) const {
  auto it = values_.find(name);
  return it == values_.end() ? def : it->second.back();
}

const std::vector<std::string>& TCliArgs::Values(const std::string& name) const {
  static const std::vector<std::string> none;
  auto it = values_.find(name);
  return it == values_.end() ? none : it->second;
}

int TCliArgs::Int(const std::string& name, int def, int lo, int hi) const {
  if (!Has(name)) return def;
  const int v = ParseIntArg(Value(name), "--" + name);
  if (v < lo || v > hi) {
    throw ECliError("--" + name + " must lie in " + std::to_string(lo) + ".." + std::to_string(hi));
  }
  return v;
}

int ParseIntArg(const std::string& text, const std::string& what) {
  // Only plain decimal here: "$10" or " 5" on a command line is a mistake.
  bool ok = !text.empty();
  for (size_t i = 0; i < text.size() && ok; ++i) {
    ok = (text[i] >= '0' && text[i] <= '9') || (i == 0 && text[i] == '-' && text.size() > 1);
  }
  const auto v = ok ? StrToIntStrict(text) : std::nullopt;
  if (!v) throw ECliError(what + ": \"" + text + "\" is not an integer");
  return *v;
}

std::map<std::string, TCliEntry>& CliCommands() {
  static std::map<std::string, TCliEntry> commands;
  return commands;
}

TCliRegistration::TCliRegistration(const std::string& name, const std::string& usage,
                                   TCliCommand command) {
  CliCommands()[name] = TCliEntry{usage, std::move(command)};
}

namespace {

int stdoutError = 0;

TDataLock& FolderLock() {
  static TDataLock lock;
  return lock;
}

// Length of the UTF-8 sequence at `i` and its code point, or 0 when the bytes
// there are not one (a stray, overlong or surrogate sequence).
size_t Utf8Sequence(std::string_view s, size_t i, uint32_t* cp) {
  const auto b = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
  const uint8_t c = b(i);
  size_t len = 0;
  uint32_t v = 0, min = 0;
  if (c < 0x80) {
    *cp = c;
    return 1;
  } else if ((c & 0xE0) == 0xC0) {
    len = 2, v = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3, v = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4, v = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    v = (v << 6) | (b(i + k) & 0x3F);
  }
  if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
  *cp = v;
  return len;
}

}  // namespace

void LockFolder(const TCliContext& context) {
  if (FolderLock().Held()) return;
  std::string error;
  bool busy = false;
  if (!FolderLock().Acquire(context.Paths.StakesFile(), &error, kFolderLockWaitMs, &busy)) {
    if (busy) throw EFolderLocked(error);
    throw EVetrilo(Format("Ошибка чтения файла ставок!\r\r%s", {error}));
  }
}

bool FolderLockHeld() {
  return FolderLock().Held();
}

std::string OutField(std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    uint32_t cp = 0;
    const size_t len = Utf8Sequence(text, i, &cp);
    if (len == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (cp == '\\') {
      out += "\\\\";
    } else if (cp == '\t') {
      out += "\\t";
    } else if (cp == '\r') {
      out += "\\r";
    } else if (cp == '\n') {
      out += "\\n";
    } else if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) {
      out += "\\x";
      out += kHex[cp >> 4];
      out += kHex[cp & 15];
    } else {
      out.append(text.substr(i, len));
    }
    i += len;
  }
  return out;
}

std::string TsvRow(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += OutField(cells[i]);
  }
  return line + '\n';
}

std::string CsvRow(const std::vector<std::string>& cells) {
  std::vector<std::string> escaped;
  escaped.reserve(cells.size());
  for (const std::string& cell : cells) escaped.push_back(OutField(cell));
  return CsvLine(escaped);
}

void Out(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && stdoutError == 0) {
    stdoutError = errno != 0 ? errno : EIO;
  }
}

void Warn(const std::string& text) {
  std::string flat = text;
  for (char& c : flat) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  const std::string line = "vetrilo-cli: " + OutField(flat) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

int FinishStdout() {
  errno = 0;
  if (std::fflush(stdout) != 0 && stdoutError == 0) stdoutError = errno != 0 ? errno : EIO;
  if (std::ferror(stdout) && stdoutError == 0) stdoutError = EIO;
  if (std::fclose(stdout) != 0 && stdoutError == 0) stdoutError = errno != 0 ? errno : EIO;
  return stdoutError;
}

}  // namespace vetrilo::cli
