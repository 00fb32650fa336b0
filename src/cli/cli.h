#pragma once

#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_paths.h"

namespace vetrilo::cli {

// Bad arguments or input: one line on stderr, exit status 2 (or the given one).
// Message() is the whole text, NUL bytes of quoted input included.
class ECliError : public std::runtime_error {
 public:
  explicit ECliError(const std::string& message, int status = 2)
      : std::runtime_error(message), Status(status), message_(message) {}
  const std::string& Message() const { return message_; }
  int Status;

 private:
  std::string message_;
};

// Arguments of one subcommand: positional words and "--name [value]" options.
class TCliArgs {
 public:
  // valueOptions take the next word as their value (and may repeat);
  // flagOptions stand alone. Any other "--word" is an error.
  TCliArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
           const std::set<std::string>& flagOptions);

  const std::vector<std::string>& Positional() const { return positional_; }
  bool Flag(const std::string& name) const { return flags_.count(name) > 0; }
  bool Has(const std::string& name) const { return values_.count(name) > 0; }
  std::string Value(const std::string& name, const std::string& def = "") const;
  const std::vector<std::string>& Values(const std::string& name) const;
  // Integer option within [lo, hi]; throws ECliError otherwise.
  int Int(const std::string& name, int def, int lo, int hi) const;

 private:
  std::vector<std::string> positional_;
  std::set<std::string> flags_;
  std::map<std::string, std::vector<std::string>> values_;
};

// What every subcommand receives.
struct TCliContext {
  TAppPaths Paths;                 // from --dir, default the tool's own folder
  std::vector<std::string> Words;  // the words after the subcommand name
};

using TCliCommand = std::function<int(const TCliContext&)>;

// Subcommands register themselves from their own source file.
struct TCliRegistration {
  TCliRegistration(const std::string& name, const std::string& usage, TCliCommand command);
};

struct TCliEntry {
  std::string Usage;
  TCliCommand Command;
};
std::map<std::string, TCliEntry>& CliCommands();

// The exit status of a command refused because another process holds the
// program folder.
constexpr int kFolderBusyStatus = 4;

// Takes the program folder's lock for the rest of the command, waiting a few
// seconds for another holder (throws EFolderLocked when it stays). A command
// that changes a data file of the folder takes it before it reads anything;
// commands on the stakes hold it through their stake file (TCliBooks) instead.
void LockFolder(const TCliContext& context);
bool FolderLockHeld();

// The one escaping rule of every field the tool prints: a backslash is
// written \\, tab \t, CR \r, LF \n, any other control character \xNN,
// and bytes that are not UTF-8 U+FFFD. Plain text comes out unchanged.
std::string OutField(std::string_view text);
// Escaped fields joined by tabs, with a line end.
std::string TsvRow(const std::vector<std::string>& cells);
// Escaped fields as one CSV line.
std::string CsvRow(const std::vector<std::string>& cells);

// Strict integer of a whole word; throws ECliError naming the option.
int ParseIntArg(const std::string& text, const std::string& what);

// Writes UTF-8 text to stdout as it stands.
void Out(const std::string& text);
// One warning line on stderr; the command goes on.
void Warn(const std::string& text);
// Flushes and closes stdout once all is written; the first write error, or 0.
int FinishStdout();

}  // namespace vetrilo::cli
