#include "cli/cli.h"

#include <cerrno>
#include <cstdio>

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
}

void Out(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && stdoutError == 0) {
    stdoutError = errno != 0 ? errno : EIO;
  }
}

void Warn(const std::string& text) {
  std::string line = "vetrilo-cli: " + text + "\n";
  for (size_t i = 0; i + 1 < line.size(); ++i) {
    if (line[i] == '\r' || line[i] == '\n') line[i] = ' ';
  }
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
