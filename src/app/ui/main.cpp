// Vetrilo_4d47: the desktop program. Its data files lie in its own folder.
#include <QApplication>
#include <QTimer>
#include <clocale>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_hooks.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt takes the user's locale; numbers in files and tables always use ".".
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName("Vetrilo_4d47");
  vetrilo::TQtHooks hooks;
  vetrilo::TAppSession session(
      vetrilo::TAppPaths::ForFolder(vetrilo::TAppPaths::ExecutableDir()), hooks);
  vetrilo::TFormMain form(session, hooks);
  form.show();
  QTimer::singleShot(0, &form, [&form] { form.DeferredInit(); });
  return app.exec();
}
