// vetrilo-cli: scriptable access to the engine (exports, headless runs, checks).
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "app/data_lock.h"
#include "cli/cli.h"
#include "core/errors.h"
#include "core/file_io.h"

using namespace vetrilo;
using namespace vetrilo::cli;

static void PrintUsage(FILE* to) {
  std::fprintf(to,
               "usage: vetrilo-cli [--dir DIR] COMMAND [ARGS]\n\n"
               "DIR is the program folder whose files are read and written\n"
               "(default: the folder of vetrilo-cli, or the per-user data folder\n"
               "$XDG_DATA_HOME/vetrilo when that folder is not writable or a package install).\n"
               "\ncommands:\n");
  for (const auto& [name, entry] : CliCommands()) {
    std::fprintf(to, "  %s\n", entry.Usage.c_str());
  }
}

// One line on stderr: line breaks become blanks, and the rest follows the
// escaping rule of the output, so a NUL in quoted input does not cut it and
// quoted text cannot drive the terminal.
static void PrintError(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  text = "vetrilo-cli: " + OutField(text) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
}

static int RunCommand(const std::vector<std::string>& words) {
  TCliContext context;
  std::string command;
  bool dirGiven = false;
  try {
    for (size_t i = 0; i < words.size(); ++i) {
      if (words[i] == "--dir") {
        if (i + 1 >= words.size()) throw ECliError("option --dir needs a value");
        // Nothing is read from or created in a folder that is not there.
        if (words[i + 1].empty() || !DirectoryExists(words[i + 1])) {
          throw ECliError("--dir \"" + words[i + 1] + "\" is not an existing folder");
        }
        context.Paths = TAppPaths::ForFolder(words[i + 1]);
        dirGiven = true;
        ++i;
      } else if (command.empty() && (words[i] == "--help" || words[i] == "-h")) {
        PrintUsage(stdout);
        return 0;
      } else if (command.empty()) {
        command = words[i];
      } else {
        context.Words.push_back(words[i]);
      }
    }
    if (command.empty()) {
      PrintUsage(stderr);
      return 2;
    }
    if (!dirGiven) context.Paths = TAppPaths::ForProgram(TAppPaths::ExecutableDir());
    auto it = CliCommands().find(command);
    if (it == CliCommands().end()) throw ECliError("unknown command \"" + command + "\"");
    return it->second.Command(context);
  } catch (const EFolderLocked&) {
    std::fflush(stdout);
    PrintError(ExclusiveAccessMessage(ExtractFileDir(context.Paths.StakesFile())));
    return kFolderBusyStatus;
  } catch (const ECliError& e) {
    std::fflush(stdout);
    PrintError(e.Message());
    return e.Status;
  } catch (const EVetrilo& e) {
    std::fflush(stdout);
    PrintError(e.Message());
    return 2;
  } catch (const std::exception& e) {
    std::fflush(stdout);
    PrintError(e.what());
    return 1;
  }
}

// For the tests of failing disks: VETRILO_FILE_FAULT="N:E" fails the N-th step
// (from 0) of the file writes with errno E; "N:KILL" kills the process there.
static void InstallFileFault() {
  const char* fault = std::getenv("VETRILO_FILE_FAULT");
  if (!fault) return;
  const std::string text = fault;
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return;
  const int at = std::atoi(text.substr(0, colon).c_str());
  const std::string what = text.substr(colon + 1);
  const int err = what == "KILL" ? -1 : std::atoi(what.c_str());
  SetFileFaultHook([at, err, calls = 0](TFileStep, const std::string&) mutable {
    if (calls++ != at) return 0;
    if (err < 0) std::raise(SIGKILL);
    return err;
  });
}

int main(int argc, char** argv) {
  InstallFileFault();
  // Past a file-size limit a write should fail with EFBIG, not kill us silently.
  std::signal(SIGXFSZ, SIG_IGN);
  const int status = RunCommand(std::vector<std::string>(argv + 1, argv + argc));
  // A truncated export must not pass for a whole one.
  if (const int err = FinishStdout()) {
    PrintError(std::string("cannot write standard output: ") + std::strerror(err));
    return status != 0 ? status : 1;
  }
  return status;
}
