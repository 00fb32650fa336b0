#include "app/ui/qt_translations.h"

#include <QLibraryInfo>

namespace vetrilo {

QTranslator* InstallQtTranslations(QCoreApplication& app, const QString& language) {
  auto* translator = new QTranslator(&app);
  if (!translator->load("qtbase_" + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace vetrilo
