// Vetrilo_4d47: the desktop program. Its data files lie in its own folder.
//
// Command-line words (each also as -word, --word, /word or \word, any case):
//   restart       wait (up to about a minute) until the copy that holds this folder has ended
//   fullrecreate  recreate every distribution cache file and exit
//   fullrefresh   create the missing distribution cache files and exit
//   loadonly      download new draws from the result site and exit
//   no-language   Russian captions whatever the Language setting says
//   batch         no modal boxes: questions take their default answer, messages go to stderr
// Without a display the jobs run without a window, with progress on stderr.
#include <QApplication>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "app/app_session.h"
#include "app/command_line.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_hooks.h"
#include "app/ui/qt_translations.h"
#include "core/errors.h"
#include "core/file_lock.h"
#include "services/self_update.h"
#include "services/ui/qt_language.h"

using namespace vetrilo;

constexpr int kRestartWaitMs = 60000;

static bool HasDisplay() {
  const auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

static int RunWithoutWindow(const TCommandLine& commandLine, const TAppPaths& paths) {
  TConsoleHooks hooks(false, false);
  TAppSession session(paths, hooks);
  if (commandLine.NoLanguage) session.ForceRussian();
  session.LoadOptions();
  const int status = session.Initialize(commandLine);
  return status < 0 ? 0 : status;
}

int main(int argc, char** argv) {
  const TCommandLine commandLine =
      TCommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
  for (const std::string& word : commandLine.Unknown) {
    std::fprintf(stderr, "Vetrilo_4d47: unknown word \"%s\" ignored\n", word.c_str());
  }
  TAppPaths paths;
  try {
    paths = TAppPaths::ForProgram(TAppPaths::ExecutableDir());
  } catch (const EVetrilo& e) {
    std::fprintf(stderr, "Vetrilo_4d47: %s\n", e.Message().c_str());
    return 2;
  }
  // The copy that asked for the restart still holds this folder until it has
  // ended; copies in other folders do not matter. A lock still held after the
  // wait is reported by the start-up's exclusive-access message.
  if (commandLine.Restart) WaitUntilUnlocked(paths.StakesFile(), kRestartWaitMs);
  if (!HasDisplay()) {
    if (commandLine.ExitsAfterJobs()) return RunWithoutWindow(commandLine, paths);
    std::fprintf(stderr,
                 "Vetrilo_4d47: no display; run it under 'xvfb-run -a', or use vetrilo-cli\n");
    return 2;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("Vetrilo_4d47");
  // Qt takes the user's locale; numbers in files and tables always use ".".
  std::setlocale(LC_NUMERIC, "C");
  TQtHooks::SetNonInteractive(commandLine.Batch);
  TQtHooks hooks;
  TAppSession session(paths, hooks);
  if (commandLine.NoLanguage) session.ForceRussian();
  TQtLanguageModules modules;
  session.SetLanguageLoader(&modules);
  TFormMain form(session, hooks);
  // Qt's own texts (file dialogs, standard buttons) follow the interface.
  if (session.CurrentLanguage() == kBaseLanguage && !InstallQtTranslations(app)) {
    std::fprintf(stderr, "Vetrilo_4d47: Qt's Russian translations are not installed\n");
  }
  form.SetCommandLine(commandLine);
  if (form.StartMaximized()) {
    form.showMaximized();
  } else {
    form.show();
  }
  QTimer::singleShot(0, &form, [&form, &session] {
    const int status = form.DeferredInit();
    // An update was installed at start: the new build takes over.
    if (session.RestartRequested()) {
      try {
        StartProgramForRestart(session.Paths().ProgramDir, session.Paths().BaseName);
      } catch (const EVetrilo& e) {
        session.ShowError(e.Message());
        return;
      }
    }
    // A job finished, or this copy may not work here: leave without touching the settings.
    if (status >= 0) QCoreApplication::exit(status);
  });
  return app.exec();
}
