// vetrilo-cli: scriptable access to the engine (exports, headless runs, checks).
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/errors.h"

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

// One line on stderr; the text goes out with its length, so a NUL in quoted
// input does not cut it.
static void PrintError(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  text = "vetrilo-cli: " + text + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
}

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  TCliContext context;
  std::string command;
  bool dirGiven = false;
  try {
    for (size_t i = 0; i < words.size(); ++i) {
      if (words[i] == "--dir") {
        if (i + 1 >= words.size()) throw ECliError("option --dir needs a value");
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
    const int status = it->second.Command(context);
    std::fflush(stdout);
    return status;
  } catch (const ECliError& e) {
    std::fflush(stdout);
    PrintError(e.Message());
    return e.Status;
  } catch (const EVetrilo& e) {
    std::fflush(stdout);
    PrintError(e.Message());
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vetrilo-cli: %s\n", e.what());
    return 1;
  }
}
